#include "display/Energiekreise.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/ColourChoice.h"
#include "model/Extended.h"
#include "platform/Platform.h"

namespace {

float EnergyDensity(const TSceneList& list, int32_t x, int32_t y) {
    float energy = 0;
    FlowVectorList contributions;
    for (const auto& object : list) {
        contributions.clear();
        object->FlowContributionsAt(x, y, list, 0, contributions);
        for (const TFlowVector& f : contributions)
            energy = static_cast<float>(energy + std::sqrt(static_cast<Extended>(f.fx) * f.fx +
                                                            static_cast<Extended>(f.fy) * f.fy));
    }
    return energy;
}

bool AnyNear(const TSceneList& list, int32_t x, int32_t y, int32_t distance) {
    return std::any_of(list.begin(), list.end(),
                       [&](const auto& object) { return object->IsNear(x, y, distance, 0, 0); });
}

}  // namespace

void TEnergiekreise::Draw(const TSceneList& list, platform::Canvas& canvas) const {
    canvas.SetPenColor(colour);
    canvas.SetBrushColor(colour);
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    if (!CheckGrid("circles")) return;
    const int32_t columns = Columns();
    const int32_t rows = Rows();
    std::vector<float> energies(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    ForEachPoint("circles",
                 [&](int32_t i, int32_t j) { energies[PointIndex(i, j)] = EnergyDensity(list, X(i), Y(j)); });

    Extended largest = 0;
    for (float energy : energies) largest = std::max<Extended>(largest, energy);
    if (largest == 0) {
        platform::CurrentPlatform().ShowMessage("No circles are drawn, because there are no light sources.");
        return;
    }
    const float scale = static_cast<float>(gitterweite / largest * 0.4);
    for (int32_t i = 1; i <= columns; ++i)
        for (int32_t j = 1; j <= rows; ++j) {
            // A radius of 0 would be an empty box: nothing to draw.
            const int32_t r = Round(static_cast<Extended>(scale) * energies[PointIndex(i, j)]);
            if (r > 0 && !AnyNear(list, X(i), Y(j), r)) canvas.Ellipse(X(i) - r, Y(j) - r, X(i) + r, Y(j) + r);
        }
}

void TEnergiekreise::Edit() {
    static platform::DialogSpec dialog{"Circles of energy density",
                                       {platform::Control::Edit("Edit1", "Pixel width"),
                                        ColourCombo("ComboBox1", "schwarz"),
                                        platform::Control::Button("OK", platform::ModalResult::OK, true)}};
    EditSpacingAndColour(dialog);
}

void TEnergiekreise::SaveToFile(platform::TextFile& file) const { SaveSection(file, "energiekreise"); }
