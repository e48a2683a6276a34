// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/ColourMaps.h"

#include <algorithm>
#include <cmath>

#include "model/ColourChoice.h"
#include "model/FieldRange.h"
#include "model/LightMeter.h"
#include "model/ParallelFor.h"
#include "platform/Canvas.h"
#include "platform/Platform.h"

namespace brevanto::display {

using namespace model;

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

// How far (a share of the ramp) the bilinear mean of a grid cell may be
// estimated to miss for the cell to be interpolated; beyond, in light that
// bends sharply near a lamp or at a shadow's soft edge, each of its pixels is
// sampled itself.
constexpr double kLargestMiss = 1.0 / 255;

// The samples of the pixels of the grid's cells that are sampled pixel by
// pixel. Cell (ci, cj) holds the pixels ci g <= x < (ci + 1) g and
// cj g <= y < (cj + 1) g, g being the grid's spacing: it lies between the
// grid's columns ci and ci + 1 and its rows cj and cj + 1.
template <class Sample>
class SampledCells {
public:
    SampledCells(int32_t width, int32_t height, int32_t spacing)
        : spacing(spacing),
          columns((width + spacing - 1) / spacing),
          rows((height + spacing - 1) / spacing),
          offsets(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1) {}

    int32_t Columns() const { return columns; }
    int32_t Rows() const { return rows; }
    // Gives each marked cell its pixels' room, in the order of the cells.
    void Allot(const std::vector<char>& marked) {
        for (size_t cell = 0; cell < offsets.size(); ++cell)
            if (marked[cell] != 0) {
                offsets[cell] = static_cast<int64_t>(samples.size());
                samples.resize(samples.size() + static_cast<size_t>(spacing) * static_cast<size_t>(spacing));
            }
    }
    size_t Cell(int32_t ci, int32_t cj) const {
        return static_cast<size_t>(ci) * static_cast<size_t>(rows) + static_cast<size_t>(cj);
    }
    bool Allotted(int32_t ci, int32_t cj) const { return offsets[Cell(ci, cj)] >= 0; }
    // The pixel's sample; nullptr unless its cell is sampled pixel by pixel.
    Sample* At(int32_t x, int32_t y) {
        const int64_t offset = offsets[Cell(x / spacing, y / spacing)];
        if (offset < 0) return nullptr;
        return &samples[static_cast<size_t>(offset + static_cast<int64_t>(y % spacing) * spacing + x % spacing)];
    }
    const std::vector<Sample>& Samples() const { return samples; }
    // Keeps sampleAt(x, y) for every pixel of cell (ci, cj) that lies in the
    // picture of `width` x `height` pixels.
    template <class SampleAt>
    void SampleCell(int32_t ci, int32_t cj, int32_t width, int32_t height, const SampleAt& sampleAt) {
        const int32_t right = std::min(spacing * (ci + 1), width);
        const int32_t bottom = std::min(spacing * (cj + 1), height);
        for (int32_t y = spacing * cj; y < bottom; ++y)
            for (int32_t x = spacing * ci; x < right; ++x) *At(x, y) = sampleAt(x, y);
    }

private:
    int32_t spacing;
    int32_t columns;
    int32_t rows;
    std::vector<int64_t> offsets;  // into samples; -1 for a cell interpolated
    std::vector<Sample> samples;
};

// The samples at the grid points, and whether each tells anything (it is
// lit, or off every object).
template <class Sample>
struct GridSamples {
    const Grid& grid;
    const std::vector<Sample>& samples;
    const std::vector<char>& known;

    bool Lit(int32_t i, int32_t j) const {
        return i >= 1 && j >= 1 && i <= grid.columns && j <= grid.rows && samples[grid.PointIndex(i, j)].lit;
    }
};

// The second differences of the ramp's place at a lit grid point, along
// both axes, where its neighbours are lit: the bilinear mean misses by up to
// an eighth of their sum.
template <class Sample>
double Bend(const GridSamples<Sample>& at, const ValueScale& scale, int32_t i, int32_t j) {
    const auto place = [&](int32_t pi, int32_t pj) {
        return scale.Fraction(at.samples[at.grid.PointIndex(pi, pj)].value);
    };
    double sum = 0;
    if (at.Lit(i - 1, j) && at.Lit(i + 1, j)) sum += std::fabs(place(i - 1, j) - 2 * place(i, j) + place(i + 1, j));
    if (at.Lit(i, j - 1) && at.Lit(i, j + 1)) sum += std::fabs(place(i, j - 1) - 2 * place(i, j) + place(i, j + 1));
    return sum;
}

// Whether the grid is too coarse for cell (ci, cj): it lies in the picture's
// margins outside the outer grid lines, a corner tells nothing, light
// reaches some corners and not others, the light bends more than the
// interpolation follows, or an object lies in it.
template <class Sample>
bool NeedsEveryPixel(const GridSamples<Sample>& at, const ValueScale& scale, const SceneList& list, int32_t ci,
                     int32_t cj) {
    const Grid& grid = at.grid;
    if (ci < 1 || cj < 1 || ci >= grid.columns || cj >= grid.rows) return true;
    int lit = 0;
    double bent = 0;
    for (const auto& [i, j] : {std::pair{ci, cj}, {ci + 1, cj}, {ci, cj + 1}, {ci + 1, cj + 1}}) {
        const size_t corner = grid.PointIndex(i, j);
        if (at.known[corner] == 0) return true;
        if (!at.samples[corner].lit) continue;
        ++lit;
        bent = std::max(bent, Bend(at, scale, i, j));
    }
    return (lit != 0 && lit != 4) || bent / 8 > kLargestMiss ||
           list.AnyNear(grid.X(ci) + grid.spacing / 2, grid.Y(cj) + grid.spacing / 2, grid.spacing);
}

// The colour bilinear between the four grid points around a pixel, over the
// lit ones only; -1 (none) for a pixel nearer the unlit ones (their weight
// above half of the known ones').
template <class Sample>
platform::TColor InterpolatedColour(const GridSamples<Sample>& at, const ValueScale& scale, const Between& column,
                                    const Between& row) {
    const struct {
        int32_t i, j;
        double weight;
    } corners[] = {{column.first, row.first, (1 - column.t) * (1 - row.t)},
                   {column.second, row.first, column.t * (1 - row.t)},
                   {column.first, row.second, (1 - column.t) * row.t},
                   {column.second, row.second, column.t * row.t}};
    double knownWeight = 0, litWeight = 0, sum = 0;
    for (const auto& corner : corners) {
        const size_t index = at.grid.PointIndex(corner.i, corner.j);
        if (!at.known[index]) continue;
        knownWeight += corner.weight;
        if (!at.samples[index].lit) continue;
        litWeight += corner.weight;
        sum += corner.weight * at.samples[index].value;
    }
    const bool painted = litWeight > 0 && litWeight >= knownWeight / 2;
    return painted ? RampColour(scale.Fraction(sum / litWeight)) : -1;
}

// Paints row y of the picture, each run of pixels of one colour as one
// rectangle; colourAt(x) is a pixel's colour, -1 where the picture stays as
// it is.
template <class ColourAt>
void PaintRow(platform::Canvas& canvas, int32_t y, int32_t width, const ColourAt& colourAt) {
    int32_t runStart = 0;
    platform::TColor runColour = -1;  // -1: nothing to paint
    auto paintRun = [&](int32_t end) {
        if (runColour >= 0 && end > runStart) {
            canvas.SetBrushColor(runColour);
            canvas.FillRect(runStart, y, end, y + 1);
        }
    };
    for (int32_t x = 0; x < width; ++x) {
        const platform::TColor colour = colourAt(x);
        if (colour != runColour) {
            paintRun(x);
            runStart = x;
            runColour = colour;
        }
    }
    paintRun(width);
}

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
    // Where the grid is too coarse (the picture's margins outside the
    // outer grid lines, cells with an object in them, shadow edges, light
    // that bends more than the interpolation follows), every pixel is
    // sampled; the scale spans all samples.
    const GridSamples<Sample> atGrid{grid, samples, known};
    SampledCells<Sample> exact(settings.breite, settings.hoehe, grid.spacing);
    std::vector<char> marked(static_cast<size_t>(exact.Columns()) * static_cast<size_t>(exact.Rows()));
    const ValueScale gridScale = scaleFor(samples);
    ParallelFor(exact.Columns(), [&](int64_t column) {
        for (int32_t cj = 0; cj < exact.Rows(); ++cj)
            marked[exact.Cell(static_cast<int32_t>(column), cj)] =
                everyPixelWhereCoarse && NeedsEveryPixel(atGrid, gridScale, list, static_cast<int32_t>(column), cj);
    });
    exact.Allot(marked);
    ForEachShowingProgress(exact.Columns(), what, settings, platform.Progress(), [&](int32_t ci) {
        for (int32_t cj = 0; cj < exact.Rows(); ++cj)
            if (exact.Allotted(ci, cj))
                exact.SampleCell(ci, cj, settings.breite, settings.hoehe, [&](int32_t x, int32_t y) {
                    const Sample sample = sampleAt(list, x, y);
                    CheckFieldValue(sample.value, x, y);
                    return sample;
                });
    });
    std::vector<Sample> all = samples;
    all.insert(all.end(), exact.Samples().begin(), exact.Samples().end());
    const ValueScale scale = scaleFor(all);

    // Elsewhere bilinear between the four grid points around a pixel.
    std::vector<Between> columns;
    columns.reserve(static_cast<size_t>(settings.breite));
    for (int32_t x = 0; x < settings.breite; ++x) columns.push_back(BetweenGridLines(x, grid.spacing, grid.columns));
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    for (int32_t y = 0; y < settings.hoehe; ++y) {
        const Between row = BetweenGridLines(y, grid.spacing, grid.rows);
        // The pixel's own sample's colour, or the one interpolated.
        PaintRow(canvas, y, settings.breite, [&](int32_t x) -> platform::TColor {
            if (const Sample* own = exact.At(x, y)) return own->lit ? RampColour(scale.Fraction(own->value)) : -1;
            return InterpolatedColour(atGrid, scale, columns[static_cast<size_t>(x)], row);
        });
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

}  // namespace brevanto::display
