#include "display/ColourMaps.h"

#include <algorithm>
#include <cmath>

#include "model/ColourChoice.h"
#include "model/FieldRange.h"
#include "model/LightMeter.h"

namespace {

// Where a pixel lies between two neighbouring grid lines (1-based), t from
// the first towards the second.
struct Between {
    int32_t first;
    int32_t second;
    double t;
};

Between BetweenGridLines(int32_t pixel, int32_t spacing, int32_t count) {
    const double at = std::clamp(static_cast<double>(pixel) / spacing, 1.0, static_cast<double>(count));
    const auto first = static_cast<int32_t>(at);
    return {first, std::min(first + 1, count), at - first};
}

// The lowest value the logarithmic scale shows, as a share of the largest.
constexpr double kLogarithmicRange = 1e-4;

}  // namespace

void ColourMap::DrawMap(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                        platform::Platform& platform, const std::string& what, const std::string& title,
                        const SampleAt& sampleAt, const ScaleFor& scaleFor) const {
    const Grid grid = GridFor(settings);
    if (!CheckGrid(grid, what, platform)) return;
    std::vector<Sample> samples(grid.PointCount());
    std::vector<char> known(grid.PointCount());
    ForEachPoint(grid, what, settings, platform.Progress(), [&](int32_t i, int32_t j) {
        const size_t index = grid.PointIndex(i, j);
        samples[index] = sampleAt(list, grid.X(i), grid.Y(j));
        CheckFieldValue(samples[index].value, grid.X(i), grid.Y(j));
        known[index] = samples[index].lit || !list.AnyNear(grid.X(i), grid.Y(j), 1);
    });
    if (std::none_of(samples.begin(), samples.end(), [](const Sample& s) { return s.lit; })) {
        platform.ShowMessage("No " + what + " are drawn, because there is no light-source.");
        return;
    }
    const ValueScale scale = scaleFor(samples);

    // Bilinear between the four grid points around a pixel, over the lit
    // ones only; a pixel nearer the unlit ones (their weight above half of
    // the known ones') stays as it is.
    std::vector<Between> columns;
    for (int32_t x = 0; x < settings.breite; ++x) columns.push_back(BetweenGridLines(x, grid.spacing, grid.columns));
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    for (int32_t y = 0; y < settings.hoehe; ++y) {
        const Between row = BetweenGridLines(y, grid.spacing, grid.rows);
        int32_t runStart = 0;
        platform::TColor runColour = -1;  // -1: nothing to paint
        auto paintRun = [&](int32_t end) {
            if (runColour >= 0 && end > runStart) {
                canvas.SetBrushColor(runColour);
                canvas.FillRect(runStart, y, end, y + 1);
            }
        };
        for (int32_t x = 0; x < settings.breite; ++x) {
            const Between& column = columns[static_cast<size_t>(x)];
            const struct {
                int32_t i, j;
                double weight;
            } corners[] = {{column.first, row.first, (1 - column.t) * (1 - row.t)},
                           {column.second, row.first, column.t * (1 - row.t)},
                           {column.first, row.second, (1 - column.t) * row.t},
                           {column.second, row.second, column.t * row.t}};
            double knownWeight = 0, litWeight = 0, sum = 0;
            for (const auto& corner : corners) {
                const size_t index = grid.PointIndex(corner.i, corner.j);
                if (!known[index]) continue;
                knownWeight += corner.weight;
                if (!samples[index].lit) continue;
                litWeight += corner.weight;
                sum += corner.weight * samples[index].value;
            }
            const bool painted = litWeight > 0 && litWeight >= knownWeight / 2;
            const platform::TColor colour = painted ? RampColour(scale.Fraction(sum / litWeight)) : -1;
            if (colour != runColour) {
                paintRun(x);
                runStart = x;
                runColour = colour;
            }
        }
        paintRun(settings.breite);
    }
    for (const auto& object : list) object->Draw(canvas);
    DrawColourLegend(canvas, settings.breite, settings.hoehe, title, scale, colour);
}

void DiffusenessMap::Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                          platform::Platform& platform) const {
    DrawMap(
        list, settings, canvas, platform, "diffuseness colours", "Diffuseness 1-|F|/E",
        [](const SceneList& scene, int32_t x, int32_t y) {
            const float energy = scene.EnergyDensityAt(x, y);
            const FlowSum flow = scene.FlowDensitySum(x, y);
            return Sample{static_cast<float>(1 - Directedness(std::hypot(flow.x, flow.y), energy)), energy > 0};
        },
        [](const std::vector<Sample>&) {
            return ValueScale{0, 1, false};
        });
}

void DiffusenessMap::Edit(platform::Platform& platform) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Diffuseness map",
        {Control::Edit("gitterweite", "Pixel width"), Control::Label("pixels").Beside(), ColourCombo("black"),
         Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    EditSpacingAndColour(dialog, platform);
}

void EnergyDensityMap::Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                            platform::Platform& platform) const {
    const bool inDecades = logarithmic;
    DrawMap(
        list, settings, canvas, platform, "energy density colours",
        inDecades ? "Energy density E (log)" : "Energy density E",
        [](const SceneList& scene, int32_t x, int32_t y) {
            const float energy = scene.EnergyDensityAt(x, y);
            return Sample{energy, energy > 0};
        },
        [inDecades](const std::vector<Sample>& samples) {
            double largest = 0, smallest = HUGE_VAL;
            for (const Sample& s : samples)
                if (s.lit) {
                    largest = std::max<double>(largest, s.value);
                    smallest = std::min<double>(smallest, s.value);
                }
            if (!inDecades) return ValueScale{0, largest, false};
            return ValueScale{std::max(smallest, largest * kLogarithmicRange), largest, true};
        });
}

void EnergyDensityMap::Edit(platform::Platform& platform) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Energy density map",
        {Control::Edit("gitterweite", "Pixel width"), Control::Label("pixels").Beside(),
         Control::Radio("linear", "Linear scale", true),
         Control::Radio("logarithmic", "Logarithmic scale (four decades)", false), ColourCombo("black"),
         Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    dialog["linear"].checked = !logarithmic;
    dialog["logarithmic"].checked = logarithmic;
    if (EditSpacingAndColour(dialog, platform)) logarithmic = dialog["logarithmic"].checked;
}
