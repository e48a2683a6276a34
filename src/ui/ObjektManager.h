// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class SceneList;
class Tszeneobjekt;
namespace platform {
class Platform;
}  // namespace platform

// What the object manager does beside its list: opens an object's dialog
// (true when it was confirmed) and shows the object chosen in the list in
// the picture (nullptr: none).
struct ObjectManagerActions {
    std::function<bool(Tszeneobjekt&)> edit;
    std::function<void(Tszeneobjekt*)> highlight;
};

// Lists every object of the scene, numbered in list order, with its colour,
// place and values, and lets the user open an object's dialog again or
// remove it, until "Quit".
void ObjectManager(SceneList& list, platform::Platform& platform, const ObjectManagerActions& actions);
