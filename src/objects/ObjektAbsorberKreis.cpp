// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektAbsorberKreis.h"

#include "model/ColourChoice.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/SurfaceProbes.h"

namespace brevanto::objects {

using namespace model;

TObjektAbsorberKreis::TObjektAbsorberKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : DeclaredFields(x1, y1, x2, y2) {
    kind = "absorberkreis";
    description = "Circular absorber";
}

// Cut as the circular emitter cuts itself.
ReceivingSurface TObjektAbsorberKreis::ReceivingProbes(const Tprgvar& settings) const {
    return CircleSurfaceProbes(*this, settings, TObjektLambertKreis::kExtraElements, OwnLight::Skipped);
}

KindForm<TObjektAbsorberKreis>& TObjektAbsorberKreis::Form() {
    static KindForm<TObjektAbsorberKreis> form = [] {
        KindForm<TObjektAbsorberKreis> made{FieldTable<TObjektAbsorberKreis>({GeometryFields<TObjektAbsorberKreis>()})};
        std::vector<platform::Control> controls =
            CoordinateControls(made.fields, RadiusField::AfterCentre, "Full circle?");
        controls.push_back(ColourCombo());
        made.dialog = KindDialog("Circular absorber", std::move(controls));
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
