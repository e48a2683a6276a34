// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/Displays.h"
#include "model/MeasuringLine.h"
#include "model/SceneList.h"
#include "model/Settings.h"
#include "platform/Colour.h"
#include "platform/TextFile.h"

namespace brevanto::files {

// The scene file (*.brv): one text file with the picture's size and colour,
// the three displays' parameters, the computation settings and every scene
// object in list order, and after the final "end" the measuring lines, if
// there are any (a reader that stops at "end" reads the scene whole).
// Nothing computed is stored.

// The first line of every scene file. It names the format, not the program:
// a program whose title changes reads and writes it all the same.
inline constexpr std::string_view kSceneFileHeader = "Brevanto 2.0-File";

// The lines of the scene file; zero-size objects still in the list are
// written as they are.
platform::TextFile SceneFileText(const model::Tprgvar& settings, const display::Displays& displays,
                                 const model::SceneList& list,
                                 const std::vector<model::MeasuringLine>& measuringLines = {});

// Writes the scene file, replacing the file; a write that fails half-way
// leaves the previous file as it was. Throws InOutError.
void SaveScene(const std::string& fileName, const model::Tprgvar& settings, const display::Displays& displays,
               const model::SceneList& list, const std::vector<model::MeasuringLine>& measuringLines = {});

// Why reading stopped before the file's final "end".
struct SceneFileProblem {
    enum class Kind {
        WrongLine,    // a section's line does not match what belongs there
        WrongObject,  // an unknown kind of object, or its section does not match
        BadNumber,    // a value the strict number conversion refuses
        Unreadable,   // the file cannot be read on, or a line is far too long
    };
    Kind kind;
    size_t line;           // its number, from 1
    std::string expected;  // what belongs there
    std::string found;     // what the line holds
    bool pastEnd;          // the file ended before this line
    std::string message;   // the error's own message (BadNumber, Unreadable)
};

// An object whose values its dialog would refuse (Tszeneobjekt::ValueProblem).
// Such values are kept as stored, so that saving writes back what was read.
struct SceneFileWarning {
    size_t firstLine;         // the object's kind line, from 1
    size_t lastLine;          // its "end"
    std::string description;  // the kind, as lists show it
    std::string problem;      // what the dialog would say
};

// What a scene file holds, read section by section as far as it matches.
// Reading replaces the state step by step as loading a scene does: once the
// screen section is behind it, every later section is replaced, by the file's
// values where they could be read and by the defaults otherwise; a number
// that does not convert stops reading, and what it had not reached keeps the
// values it was given.
struct SceneFileContents {
    bool isSceneFile = false;    // the first line is the header
    bool screenRead = false;     // the header and the picture size matched
    bool stateReplaced = false;  // reading got past the screen section
    int32_t hoehe = 0;           // the picture size, where read
    int32_t breite = 0;
    std::optional<platform::TColor> hintergrundfarbe{};
    // The computation settings ("prgvar"); size and colour are the caller's.
    model::Tprgvar settings{0, 0, 0};
    display::Displays displays;
    model::SceneList list;
    std::vector<model::MeasuringLine> measuringLines{};
    std::optional<SceneFileProblem> problem{};
    // The objects read whole that hold values their dialogs would refuse, in
    // file order.
    std::vector<SceneFileWarning> warnings{};
};

// Reads the scene file; `current` are the displays as they are before the
// load. Never throws for anything in the file.
SceneFileContents ReadSceneFile(platform::TextFile& file, const display::Displays& current);

}  // namespace brevanto::files
