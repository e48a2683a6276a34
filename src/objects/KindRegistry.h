#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "model/Szeneobjekt.h"

// A new object of the kind that the keyword names (the scene file's kind line
// and the mouse's drawing modes), made from two points; nothing for an
// unknown keyword. Objects without points (the sun) ignore them.
std::unique_ptr<Tszeneobjekt> CreateObjectOfKind(const std::string& keyword, int32_t x1, int32_t y1, int32_t x2,
                                                 int32_t y2);

// Whether the mouse draws objects of this kind.
bool IsDrawingKind(const std::string& keyword);
