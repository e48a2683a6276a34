// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform
namespace brevanto::model {
class SceneList;
class Tszeneobjekt;
}  // namespace brevanto::model

namespace brevanto::ui {

// What the object manager does beside its list: opens an object's dialog
// (true when it was confirmed) and shows the object chosen in the list in
// the picture (nullptr: none).
struct ObjectManagerActions {
    std::function<bool(model::Tszeneobjekt&)> edit;
    std::function<void(model::Tszeneobjekt*)> highlight;
};

// Lists every object of the scene, numbered in list order, with its colour,
// place and values, and lets the user open an object's dialog again or
// remove it, until "Quit".
void ObjectManager(model::SceneList& list, platform::Platform& platform, const ObjectManagerActions& actions);

}  // namespace brevanto::ui
