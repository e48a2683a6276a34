#pragma once
#include "model/Szeneobjekt.h"

// The radiation that enters the picture from the world around it.
class TObjektHintergrund : public Tszeneobjekt {
public:
    TObjektHintergrund();
};
