#include "objects/ObjektAbsorber.h"

#include "model/ColourChoice.h"
#include "model/Stringfunktionen.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

namespace {
platform::DialogSpec& Dialog() {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Straight absorber",
        {Control::Edit("X1", "X1"), Control::Edit("Y1", "Y1", true), Control::Edit("X2", "X2"),
         Control::Edit("Y2", "Y2", true), ColourCombo(), Control::Button("OK", platform::ModalResult::OK, true)}};
    return dialog;
}
}  // namespace

TObjektAbsorber::TObjektAbsorber(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : TObjektGerade(px1, py1, px2, py2) {
    kind = "absorber";
    description = "Straight absorber";
}

void TObjektAbsorber::Edit() {
    using namespace platform;
    Tszeneobjekt::Edit();
    DialogSpec& dialog = Dialog();
    dialog["X1"].text = IntToStr(x1);
    dialog["Y1"].text = IntToStr(y1);
    dialog["X2"].text = IntToStr(x2);
    dialog["Y2"].text = IntToStr(y2);
    if (CurrentPlatform().ShowModal(dialog) != ModalResult::OK) return;
    // Each value is stored as soon as it is converted: a malformed one ends
    // the edit with the ones before it kept. Points off the screen are fine.
    x1 = StrToInt(dialog["X1"].text);
    y1 = StrToInt(dialog["Y1"].text);
    x2 = StrToInt(dialog["X2"].text);
    y2 = StrToInt(dialog["Y2"].text);
    ApplyColourChoice(dialog["ComboBox1"], colour);
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
