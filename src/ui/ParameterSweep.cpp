// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ParameterSweep.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "files/ObjectSection.h"
#include "model/Numbers.h"
#include "objects/KindRegistry.h"
#include "platform/Conversions.h"

namespace brevanto::ui {

using namespace model;
using namespace objects;
using namespace files;

namespace {

// Sweeps longer than this are surely a mistake in the step.
constexpr size_t kMostSteps = 100'000;

double Number(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end || !std::isfinite(value))
        throw std::invalid_argument("\"" + text + "\" is no number");
    return value;
}

Tszeneobjekt& Find(SceneList& list, const ParameterSweep& sweep) {
    if (sweep.object == 0) {
        for (const auto& object : list)
            if (const KindEntry* kind = FindKind(object->kind); kind && kind->sweptDirection) return *object;
        throw std::runtime_error("The scene has no sun whose direction could be swept.");
    }
    if (sweep.object < 1 || static_cast<size_t>(sweep.object) > list.size())
        throw std::runtime_error("The scene has no object number " + std::to_string(sweep.object) + ".");
    return list[static_cast<size_t>(sweep.object - 1)];
}

}  // namespace

std::vector<double> ParameterSweep::Values() const {
    std::vector<double> values;
    // A step that lands on `to` up to rounding still counts.
    const double steps = std::floor((to - from) / step + 1e-9);
    for (double k = 0; k <= steps; ++k) values.push_back(from + k * step);
    return values;
}

std::string ParameterSweep::Name() const {
    if (key == "richtung") return "sun: richtung (degrees)";
    return "object " + std::to_string(object) + ": " + key + (key == "staerke" ? " (S)" : " (px)");
}

ParameterSweep ParseParameterSweep(const std::string& text) {
    ParameterSweep sweep;
    const size_t equals = text.find('='), dot = text.find('.');
    if (equals == std::string::npos || dot == std::string::npos || dot > equals)
        throw std::invalid_argument("it has no KEY=");
    const std::string owner = text.substr(0, dot);
    sweep.key = text.substr(dot + 1, equals - dot - 1);
    if (owner == "sun") {
        if (sweep.key != "richtung") throw std::invalid_argument("a sun sweeps only its richtung");
    } else {
        const auto [rest, error] = std::from_chars(owner.data(), owner.data() + owner.size(), sweep.object);
        if (owner.empty() || error != std::errc() || rest != owner.data() + owner.size() || sweep.object < 1)
            throw std::invalid_argument("\"" + owner + "\" is neither sun nor an object's number");
        if (sweep.key != "staerke" && sweep.key != "dx" && sweep.key != "dy")
            throw std::invalid_argument("an object sweeps its staerke, dx or dy, not \"" + sweep.key + "\"");
    }
    const std::string range = text.substr(equals + 1);
    const size_t first = range.find(':'), second = range.find(':', first == std::string::npos ? first : first + 1);
    if (first == std::string::npos || second == std::string::npos)
        throw std::invalid_argument("it has no FROM:TO:STEP");
    sweep.from = Number(range.substr(0, first));
    sweep.to = Number(range.substr(first + 1, second - first - 1));
    sweep.step = Number(range.substr(second + 1));
    if (sweep.step == 0 || (sweep.to - sweep.from) / sweep.step < 0)
        throw std::invalid_argument("its STEP does not lead from FROM to TO");
    if ((sweep.to - sweep.from) / sweep.step >= kMostSteps)
        throw std::invalid_argument("it has more than " + std::to_string(kMostSteps) + " steps");
    return sweep;
}

SweptObject::SweptObject(SceneList& list, const ParameterSweep& sweep) : object(Find(list, sweep)), sweep(sweep) {}

void SweptObject::Set(double value) {
    if (sweep.key == "dx" || sweep.key == "dy") {
        const Handle to = sweep.key == "dx" ? Handle{Round(value), 0} : Handle{0, Round(value)};
        object.MoveBy(to.x - moved.x, to.y - moved.y);
        moved = to;
        return;
    }
    // Through the object's own section of the scene file, as a file holding
    // the value would set it.
    std::string text = SectionOf(object);
    const std::string line = "\r\n" + sweep.key + "=";
    const size_t at = text.find(line);
    if (at == std::string::npos)
        throw std::runtime_error("Object " + std::to_string(object.number) + " (" + object.description + ") has no " +
                                 sweep.key + ".");
    const size_t start = at + line.size();
    text.replace(start, text.find("\r\n", start) - start, platform::FloatToStr(value));
    if (!LoadSection(object, text))
        throw std::runtime_error("Object " + std::to_string(object.number) + " does not take " + sweep.key + "=" +
                                 platform::FloatToStr(value) + ".");
}

}  // namespace brevanto::ui
