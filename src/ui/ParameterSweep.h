// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/SceneList.h"

namespace brevanto::ui {

// One number of the scene varied in steps: the first sun's direction
// ("sun.richtung"), an object's strength ("N.staerke") or its place, moved
// sideways or down by the value ("N.dx", "N.dy"); N is the object's number
// in the list, the background radiation's being 1.
struct ParameterSweep {
    std::string key;     // "richtung", "staerke", "dx" or "dy"
    int32_t object = 0;  // the object's number; 0 for the first sun
    double from = 0;
    double to = 0;
    double step = 1;

    // The values from `from` towards `to` in steps of `step`, `to` included
    // when a step lands on it.
    std::vector<double> Values() const;
    // What is varied, with its unit, as a plot's axis names it.
    std::string Name() const;
};

// Parses "KEY=FROM:TO:STEP"; throws std::invalid_argument with the reason.
ParameterSweep ParseParameterSweep(const std::string& text);

// Gives the swept object the value, as a scene file holding it would give
// it (a move is by whole pixels from where the object was before the first
// value). The object must be as the sweep found it, or as the last value
// left it. Throws std::runtime_error when the scene has no such object or
// the object no such value.
class SweptObject {
public:
    SweptObject(model::SceneList& list, const ParameterSweep& sweep);
    void Set(double value);

private:
    model::Tszeneobjekt& object;
    ParameterSweep sweep;
    model::Handle moved{0, 0};
};

}  // namespace brevanto::ui
