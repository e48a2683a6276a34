// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/SceneList.h"

using namespace brevanto;
using namespace brevanto::model;

// A random scene in a width x height picture with the background radiation:
// `objects` segments of 100 pixels at random places and angles (fixed seed),
// every fourth a Lambert-like emitter, the others absorbers, or with
// `mirrors` every fourth (the second of each four) a mirror/diffusor that
// reflects and transmits, directly and diffusely.
void RandomScene(SceneList& list, int width, int height, int objects, bool mirrors = false);
