// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the model layer lies below the object kinds and cannot
// see their headers. The test suite builds this on purpose and expects the
// build to fail.
#include "model/SceneList.h"
#include "objects/ObjektLambert.h"
