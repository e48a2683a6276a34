// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ColourChoice.h"

#include <array>

namespace brevanto::model {

namespace {
struct NamedColour {
    const char* name;
    platform::TColor value;
};
constexpr std::array<NamedColour, 5> kColours{{
    {"black", 0x000000},
    {"red", 0x0000FF},
    {"blue", 0xFF0000},
    {"green", 0x008000},
    {"yellow", 0x00FFFF},
}};
}  // namespace

platform::Control ColourCombo(const std::string& initialText) {
    std::vector<std::string> names;
    names.reserve(kColours.size());
    for (const auto& colour : kColours) names.emplace_back(colour.name);
    return platform::Control::Combo("color", "Color", names, initialText);
}

void ApplyColourChoice(const platform::Control& combo, platform::TColor& colour) {
    if (combo.selected >= 0 && combo.selected < static_cast<int>(kColours.size()))
        colour = kColours[static_cast<size_t>(combo.selected)].value;
}

}  // namespace brevanto::model
