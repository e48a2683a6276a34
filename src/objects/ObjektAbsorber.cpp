// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektAbsorber.h"

#include "model/ColourChoice.h"
#include "model/TextParts.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace {
platform::DialogSpec& Dialog() {
    static platform::DialogSpec dialog = [] {
        std::vector<platform::Control> controls = TObjektGerade::CoordinateControls("");
        controls.push_back(ColourCombo());
        controls.push_back(platform::Control::Button("OK", platform::ModalResult::OK, true));
        controls.push_back(platform::Control::CancelButton());
        return platform::DialogSpec{"Straight absorber", std::move(controls)};
    }();
    return dialog;
}
}  // namespace

TObjektAbsorber::TObjektAbsorber(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : TObjektGerade(px1, py1, px2, py2) {
    kind = "absorber";
    description = "Straight absorber";
}

bool TObjektAbsorber::Edit(const EditContext& context) {
    platform::DialogSpec& dialog = Dialog();
    ShowCoordinates(dialog);
    // Points off the screen are fine.
    while (context.platform.ShowModal(dialog) == platform::ModalResult::OK) {
        platform::FieldReader fields(dialog);
        ReadCoordinates(fields);
        ApplyColourChoice(dialog["color"], colour);
        if (!fields.Refused(context.platform)) return true;
    }
    return false;
}

bool TObjektAbsorber::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return Tszeneobjekt::LoadFromFile(file) && LoadCoordinates(file) && reader.Keyword("end");
}

void TObjektAbsorber::SaveToFile(platform::TextFile& file) const {
    SaveHeader(file);
    SaveCoordinates(file);
    file.WriteLine("end");
}
