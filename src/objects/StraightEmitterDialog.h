// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "model/ObjektGerade.h"
#include "platform/Dialog.h"

// What a dialog says of a strength beyond kLargestStrength; empty for one
// it takes.
std::string StrengthProblem(float staerke);

// The dialog of the straight emitters: strength, colour and the two points.
// `note`, when given, stands below the coordinates.
platform::DialogSpec StraightEmitterDialog(const std::string& caption, const std::string& note = {});

// Fills the dialog once from the emitter, then shows it until it closes with
// points on the screen (true) or other than with OK (false). The values are
// read leniently and stored before the check, so a refused dialog shows
// again what was typed.
bool EditStraightEmitter(platform::DialogSpec& dialog, TObjektGerade& emitter, float& staerke,
                         const std::string& offScreenMessage, const EditContext& context);
