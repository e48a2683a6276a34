#pragma once

class TSceneList;

// Lists every object of the scene, numbered in list order, and lets the user
// open an object's dialog again or remove it, until "Quit".
void ObjectManager(TSceneList& list);
