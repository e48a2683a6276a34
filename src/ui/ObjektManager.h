#pragma once
#include "model/Szeneobjekt.h"

class SceneList;

// Lists every object of the scene, numbered in list order, and lets the user
// open an object's dialog again or remove it, until "Quit".
void ObjectManager(SceneList& list, const EditContext& context);
