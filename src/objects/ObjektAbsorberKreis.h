// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektKreis.h"

namespace brevanto::objects {

// A black circle or arc: it swallows all radiation reaching it and only
// blocks.
class TObjektAbsorberKreis : public model::DeclaredFields<TObjektAbsorberKreis, model::TObjektKreis> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektAbsorberKreis>& Form();

    TObjektAbsorberKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;
};

}  // namespace brevanto::objects
