// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemColours.h"

#include <array>
#include <cstddef>

namespace brevanto::platform {

TColor ResolveColour(TColor colour) {
    if (!IsSystemColour(colour)) return colour & 0xFFFFFF;
    // Indices as the window toolkit numbers its system colours.
    static const std::array<TColor, 31> classic{
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xD4D0C8,
        0xD4D0C8, 0x808080, 0x6A240A, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x808080, 0x000000, 0x000000, 0xFFFFFF, 0x404040,
        0xE3E3E3, 0x000000, 0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xF0CAA6, 0xF2E4C0, 0xFF9933, 0xF0F0F0};
    int index = SystemColourIndex(colour);
    return index < static_cast<int>(classic.size()) ? classic[static_cast<size_t>(index)] : 0xF0F0F0;
}

}  // namespace brevanto::platform
