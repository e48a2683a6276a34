#pragma once
#include <cstdint>
#include <string>

#include "model/SceneList.h"
#include "platform/Window.h"

// "st", "nd", "rd" or "th" for the k-th pass (11th, 12th and 13th take "th").
std::string OrdinalSuffix(int32_t k);

// Balances the radiation that the mirrors/diffusors exchange: passes over the
// whole list, every object's Iterate in list order, until no object reports a
// change beyond the stop criterion or maximaleiterationen passes have run (at
// least one). Does nothing while berechnet says the results are up to date.
// The progress window and the main window's caption name the running pass.
// Throws, before showing anything, when the resolution settings are unusable.
void Calculate(const TSceneList& list, platform::Window& mainWindow);
