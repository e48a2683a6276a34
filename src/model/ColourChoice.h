// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Colour.h"
#include "platform/Dialog.h"

namespace brevanto::model {

// The colour list that every object and display dialog offers.
// Its id is "color", the scene file's key for a colour.
platform::Control ColourCombo(const std::string& initialText = "black");

// The colour of the selected entry; with no entry selected (the user typed
// into the box) the colour stays.
void ApplyColourChoice(const platform::Control& combo, platform::TColor& colour);

}  // namespace brevanto::model
