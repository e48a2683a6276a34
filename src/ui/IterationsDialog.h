// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/Settings.h"

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The dialog "Iterations": the largest number of passes
// (maximaleiterationen) and the stop criterion in percent
// (abbruchgenauigkeit). On OK both texts are converted strictly, in that
// order; a text that is not a number raises platform::ConversionError, which
// ends the command with the value converted before it already stored and
// berechnet as it was. A maximum below 1 or a negative criterion is refused
// with a message, and the dialog shows again with the text typed. Otherwise
// clears berechnet when it closes.
void IterationsDialog(platform::Platform& platform, model::Tprgvar& settings);

}  // namespace brevanto::ui
