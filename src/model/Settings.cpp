// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Settings.h"

#include <stdexcept>

#include "model/TextParts.h"
#include "platform/Conversions.h"

namespace brevanto::model {

Tprgvar::Tprgvar(int32_t height, int32_t width, platform::TColor colour)
    : hoehe(height), breite(width), hintergrundfarbe(colour) {}

void Tprgvar::SaveSettings(platform::TextFile& file) const {
    using platform::FloatToStr;
    using platform::IntToStr;
    file.WriteLine("prgvar");
    file.WriteLine("begin");
    file.WriteLine("sellaenge=" + IntToStr(sellaenge));
    file.WriteLine("richtungprosel=" + IntToStr(richtungprosel));
    file.WriteLine("abbruchgenauigkeit=" + FloatToStr(abbruchgenauigkeit));
    file.WriteLine("maximaleiterationen=" + IntToStr(maximaleiterationen));
    file.WriteLine("end");
}

bool Tprgvar::LoadSettings(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Int("sellaenge=", sellaenge) &&
           reader.Int("richtungprosel=", richtungprosel) && reader.Float("abbruchgenauigkeit=", abbruchgenauigkeit) &&
           reader.Int("maximaleiterationen=", maximaleiterationen) && reader.Keyword("end");
}

void Tprgvar::CheckResolution() const {
    if (sellaenge < 1 || richtungprosel < 1)
        throw std::runtime_error(
            "The resolution of the calculation must be at least 1 pixel and 1 direction.\r"
            "Please correct it under Parameters, Resolution of the calculation.");
}

}  // namespace brevanto::model
