// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektKreis.h"

// A black circle or arc: it swallows all radiation reaching it and only
// blocks.
class TObjektAbsorberKreis : public DeclaredFields<TObjektAbsorberKreis, TObjektKreis> {
public:
    // How the kind is edited and stored.
    static KindForm<TObjektAbsorberKreis>& Form();

    TObjektAbsorberKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    ReceivingSurface ReceivingProbes(const Tprgvar& settings) const override;
};
