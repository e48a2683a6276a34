// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"

namespace brevanto::objects {

// A straight segment that swallows all radiation reaching it: it only blocks.
class TObjektAbsorber : public model::DeclaredFields<TObjektAbsorber, model::TObjektGerade> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektAbsorber>& Form();

    TObjektAbsorber(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;
};

}  // namespace brevanto::objects
