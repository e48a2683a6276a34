// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "model/ProgramVersion.h"
#include "platform/Colour.h"
#include "platform/TextFile.h"

namespace brevanto::model {

// The program-wide settings. The main window owns the one instance and hands
// it on: by reference to the dialogs that change it, and by value to the
// computation's serial prepare step, after which the queries no longer read it.
class Tprgvar {
public:
    // Picture size and background colour come from the main window.
    Tprgvar(int32_t hoehe, int32_t breite, platform::TColor hintergrundfarbe);

    int32_t hoehe;                 // picture height, bottom bound
    int32_t breite;                // picture width, right bound
    int32_t sellaenge = 5;         // target length of a surface element
    int32_t richtungprosel = 102;  // direction bins per surface element
    int32_t maximaleiterationen = 50;
    bool berechnet = false;           // computed radiation matches the scene
    float abbruchgenauigkeit = 1.0f;  // stop criterion, percent
    std::string titel = std::string("Brevanto ") + kProgramVersion;
    platform::TColor hintergrundfarbe;

    // The section "prgvar" of the scene file.
    void SaveSettings(platform::TextFile& file) const;
    // Called after the line "prgvar" was read. Stops at the first line that
    // does not match and returns false; values read before stay set.
    bool LoadSettings(platform::TextFile& file);

    // Throws with a message for the user when the resolution cannot be
    // computed with (a surface element or direction count below 1).
    void CheckResolution() const;
};

}  // namespace brevanto::model
