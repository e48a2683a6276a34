// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "model/Szeneobjekt.h"

namespace brevanto::objects {

// How the user places an object of a kind.
enum class Placement {
    Straight,  // dragged with the mouse from point 1 to point 2
    Circular,  // dragged from the centre to a point of the circle
    FromMenu,  // added by its own menu item, without points
};

// One kind of scene object: everything the menu, the mouse, the scene file,
// the object manager and the tests need to know of it.
struct KindEntry {
    const char* keyword;  // kind line of the scene file and drawing mode
    Placement placement;
    const char* menuCaption;  // its item under "Straight objects " or "Circular objects "
    const char* menuName;     // that item's name
    // A new object from two points (ignored by kinds placed from the menu).
    std::unique_ptr<model::Tszeneobjekt> (*create)(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Whether the sweep "sun.richtung=" varies the direction (richtung) of
    // the scene's first object of this kind.
    bool sweptDirection = false;
};

// Every kind a scene file or the user can add, in menu order. The background
// radiation is not among them: every scene has exactly one, at its head.
std::span<const KindEntry> Kinds();

// The kind with this keyword; nullptr for none.
const KindEntry* FindKind(const std::string& keyword);

// A new object of the kind that the keyword names, made from two points;
// nullptr for an unknown keyword.
std::unique_ptr<model::Tszeneobjekt> CreateObjectOfKind(const std::string& keyword, int32_t x1, int32_t y1, int32_t x2,
                                                        int32_t y2);

// The background radiation that heads every new scene list.
std::unique_ptr<model::Tszeneobjekt> NewBackground();

}  // namespace brevanto::objects
