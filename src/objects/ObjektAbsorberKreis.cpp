#include "objects/ObjektAbsorberKreis.h"

#include "model/ColourChoice.h"
#include "model/Stringfunktionen.h"

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
    // A malformed value ends the edit with the ones before it kept; a
    // negative radius shows the dialog again as typed.
    while (context.platform.ShowModal(dialog) == platform::ModalResult::OK) {
        ReadCoordinates(dialog);
        ApplyColourChoice(dialog["color"], colour);
        const std::string problem = ValueProblem();
        if (problem.empty()) return true;
        context.platform.ShowMessage(problem);
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
