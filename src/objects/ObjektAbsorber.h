// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"

// A straight segment that swallows all radiation reaching it: it only blocks.
class TObjektAbsorber : public DeclaredFields<TObjektAbsorber, TObjektGerade> {
public:
    // How the kind is edited and stored.
    static KindForm<TObjektAbsorber>& Form();

    TObjektAbsorber(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    ReceivingSurface ReceivingProbes(const Tprgvar& settings) const override;
};
