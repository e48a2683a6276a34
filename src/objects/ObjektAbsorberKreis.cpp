// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektAbsorberKreis.h"

#include "model/ColourChoice.h"
#include "model/TextParts.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace {
platform::DialogSpec& Dialog() {
    static platform::DialogSpec dialog = [] {
        std::vector<platform::Control> controls =
            TObjektKreis::CoordinateControls(TObjektKreis::RadiusField::AfterCentre, "Full circle?");
        controls.push_back(ColourCombo());
        controls.push_back(platform::Control::Button("OK", platform::ModalResult::OK, true));
        controls.push_back(platform::Control::CancelButton());
        return platform::DialogSpec{"Circular absorber", std::move(controls)};
    }();
    return dialog;
}
}  // namespace

TObjektAbsorberKreis::TObjektAbsorberKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : TObjektKreis(x1, y1, x2, y2) {
    kind = "absorberkreis";
    description = "Circular absorber";
}

bool TObjektAbsorberKreis::Edit(const EditContext& context) {
    platform::DialogSpec& dialog = Dialog();
    ShowCoordinates(dialog);
    while (context.platform.ShowModal(dialog) == platform::ModalResult::OK) {
        platform::FieldReader fields(dialog);
        ReadCoordinates(fields);
        ApplyColourChoice(dialog["color"], colour);
        if (!fields.Refused(context.platform)) return true;
    }
    return false;
}

bool TObjektAbsorberKreis::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return Tszeneobjekt::LoadFromFile(file) && LoadCoordinates(file) && reader.Keyword("end");
}

void TObjektAbsorberKreis::SaveToFile(platform::TextFile& file) const {
    SaveHeader(file);
    SaveCoordinates(file);
    file.WriteLine("end");
}
