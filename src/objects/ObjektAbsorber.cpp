// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektAbsorber.h"

#include "model/ColourChoice.h"
#include "objects/SurfaceProbes.h"

namespace brevanto::objects {

using namespace model;

TObjektAbsorber::TObjektAbsorber(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : DeclaredFields(px1, py1, px2, py2) {
    kind = "absorber";
    description = "Straight absorber";
}

ReceivingSurface TObjektAbsorber::ReceivingProbes(const Tprgvar& settings) const {
    return StraightSurfaceProbes(*this, settings);
}

// Points off the screen are fine.
KindForm<TObjektAbsorber>& TObjektAbsorber::Form() {
    static KindForm<TObjektAbsorber> form = [] {
        KindForm<TObjektAbsorber> made{FieldTable<TObjektAbsorber>({CoordinateFields<TObjektAbsorber>("")})};
        std::vector<platform::Control> controls = CoordinateControls(made.fields);
        controls.push_back(ColourCombo());
        made.dialog = KindDialog("Straight absorber", std::move(controls));
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
