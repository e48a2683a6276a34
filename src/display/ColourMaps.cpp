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

// The steps of the ramp, from its first colour to its last.
constexpr double kRampSteps = 255;

// How far (a share of the ramp) a cell drawn from its edges may miss the
// sample of its centre pixel: beyond, a sharp edge runs through it, and
// each of its pixels is sampled itself.
constexpr double kLargestMiss = 1 / kRampSteps;

// How the pixels of a grid cell get their colours.
enum class Refinement : char {
    Interpolated,  // bilinear between the cell's four grid points
    Rows,          // each row sampled at the cell's two grid columns
    Columns,       // each column sampled at the cell's two grid rows
    Edges,         // both: each pixel of the cell's four edges sampled
    EveryPixel,    // each pixel sampled itself
};

// Pixels of a grid cell: those of its first column, of its first row, its
// centre, the others, or any combination.
using CellPixels = char;
constexpr CellPixels kFirstColumn = 1;
constexpr CellPixels kFirstRow = 2;
constexpr CellPixels kCentre = 4;
constexpr CellPixels kAllPixels = 15;

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
          required(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0),
          taken(required.size(), 0),
          offsets(required.size(), -1) {}

    int32_t Columns() const { return columns; }
    int32_t Rows() const { return rows; }
    size_t Cell(int32_t ci, int32_t cj) const {
        return static_cast<size_t>(ci) * static_cast<size_t>(rows) + static_cast<size_t>(cj);
    }
    // Asks for the pixels of cell (ci, cj) to be sampled.
    void Require(int32_t ci, int32_t cj, CellPixels pixels) { required[Cell(ci, cj)] |= pixels; }
    // Gives each cell with pixels to sample and no room yet its pixels'
    // room, in the order of the cells.
    void Allot() {
        for (size_t cell = 0; cell < offsets.size(); ++cell)
            if (required[cell] != 0 && offsets[cell] < 0) {
                offsets[cell] = static_cast<int64_t>(samples.size());
                samples.resize(samples.size() + static_cast<size_t>(spacing) * static_cast<size_t>(spacing));
            }
    }
    // The pixel's sample; it must have been sampled.
    const Sample& At(int32_t x, int32_t y) const { return samples[Index(x, y)]; }
    // Every sample; the pixels not sampled stay unlit.
    const std::vector<Sample>& Samples() const { return samples; }
    // Keeps sampleAt(x, y) for every pixel of the cells in column ci
    // required and not yet sampled that lies in the picture of `width` x
    // `height` pixels.
    template <class SampleAt>
    void SamplePending(int32_t ci, int32_t width, int32_t height, const SampleAt& sampleAt) {
        for (int32_t cj = 0; cj < rows; ++cj)
            if (required[Cell(ci, cj)] != taken[Cell(ci, cj)]) SampleCell(ci, cj, width, height, sampleAt);
    }

private:
    template <class SampleAt>
    void SampleCell(int32_t ci, int32_t cj, int32_t width, int32_t height, const SampleAt& sampleAt) {
        const size_t cell = Cell(ci, cj);
        const int32_t right = std::min(spacing * (ci + 1), width);
        const int32_t bottom = std::min(spacing * (cj + 1), height);
        for (int32_t y = spacing * cj; y < bottom; ++y)
            for (int32_t x = spacing * ci; x < right; ++x) {
                const CellPixels pixel = Kind(x - spacing * ci, y - spacing * cj);
                if ((pixel & required[cell]) != 0 && (pixel & taken[cell]) == 0) samples[Index(x, y)] = sampleAt(x, y);
            }
        taken[cell] = required[cell];
    }
    // Which of the cell's pixels the one (dx, dy) from its first lies among:
    // its first column, its first row (the grid point both), its centre or
    // the others.
    CellPixels Kind(int32_t dx, int32_t dy) const {
        const auto onLines = static_cast<CellPixels>((dx == 0 ? kFirstColumn : 0) | (dy == 0 ? kFirstRow : 0));
        if (onLines != 0) return onLines;
        if (dx == spacing / 2 && dy == spacing / 2) return kCentre;
        return kAllPixels & ~(kFirstColumn | kFirstRow | kCentre);
    }
    size_t Index(int32_t x, int32_t y) const {
        const int64_t offset = offsets[Cell(x / spacing, y / spacing)];
        return static_cast<size_t>(offset + static_cast<int64_t>(y % spacing) * spacing + x % spacing);
    }

    int32_t spacing;
    int32_t columns;
    int32_t rows;
    std::vector<CellPixels> required;
    std::vector<CellPixels> taken;  // the pixels sampled so far
    std::vector<int64_t> offsets;   // into samples; -1 for a cell without samples
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
    double Value(int32_t i, int32_t j) const { return samples[grid.PointIndex(i, j)].value; }
    // The sample of the grid point at pixel (x, y); nullptr if none lies there.
    const Sample* AtPixel(int32_t x, int32_t y) const {
        const int32_t g = grid.spacing;
        if (x % g != 0 || y % g != 0 || x < g || y < g || x > g * grid.columns || y > g * grid.rows) return nullptr;
        return &samples[grid.PointIndex(x / g, y / g)];
    }
};

// The second difference of the ramp's place along the axis (di, dj) at grid
// point (i, j), where it and both its neighbours along the axis are lit (0
// elsewhere).
template <class Sample>
double SecondDifference(const GridSamples<Sample>& at, const ValueScale& scale, int32_t i, int32_t j, int32_t di,
                        int32_t dj) {
    if (!at.Lit(i - di, j - dj) || !at.Lit(i, j) || !at.Lit(i + di, j + dj)) return 0;
    const auto place = [&](int32_t pi, int32_t pj) { return scale.Fraction(at.Value(pi, pj)); };
    return std::fabs(place(i - di, j - dj) - 2 * place(i, j) + place(i + di, j + dj));
}

// How much the light bends along the axis (di, dj) at cell (ci, cj): the
// largest second difference along it on the cell's two grid lines along
// it, at four grid points from the one before the cell to the one after
// (moved inwards at the grid's ends, so that each has neighbours on both
// sides). A ripple finer than the grid shows on it only where its steps
// alias, every few grid points (five for a period of five pixels on a grid
// of four), though each cell between holds a step: the points beyond the
// cell's corners find it for those cells too.
template <class Sample>
double BendAlong(const GridSamples<Sample>& at, const ValueScale& scale, int32_t ci, int32_t cj, int32_t di,
                 int32_t dj) {
    const int32_t points = di != 0 ? at.grid.columns : at.grid.rows;
    const int32_t first = std::clamp((di != 0 ? ci : cj) - 1, 2, std::max(2, points - 4));
    double largest = 0;
    for (int32_t along = first; along < first + 4; ++along)
        for (int32_t side = 0; side <= 1; ++side) {
            const int32_t i = di != 0 ? along : ci + side, j = di != 0 ? cj + side : along;
            largest = std::max(largest, SecondDifference(at, scale, i, j, di, dj));
        }
    return largest;
}

// How cell (ci, cj) is drawn. The grid is too coarse for it, and every pixel
// is sampled, where it lies in the picture's margins outside the outer grid
// lines, a corner tells nothing, light reaches some corners and not others,
// or an object lies in it. Where light reaches all four corners and bends
// along an axis more than the grid is trusted with, the pixels along that
// axis are sampled at the cell's edges (the next cells, whose first columns
// or rows those are, must lie in the picture, else every pixel is).
template <class Sample>
Refinement RefinementFor(const GridSamples<Sample>& at, const ValueScale& scale, const SceneList& list,
                         const SampledCells<Sample>& cells, double largestBend, int32_t ci, int32_t cj) {
    const Grid& grid = at.grid;
    if (ci < 1 || cj < 1 || ci >= grid.columns || cj >= grid.rows) return Refinement::EveryPixel;
    // A cell of one pixel is its grid point.
    if (grid.spacing == 1) return Refinement::Interpolated;
    int lit = 0;
    for (const auto& [i, j] : {std::pair{ci, cj}, {ci + 1, cj}, {ci, cj + 1}, {ci + 1, cj + 1}}) {
        const size_t corner = grid.PointIndex(i, j);
        if (at.known[corner] == 0) return Refinement::EveryPixel;
        lit += at.samples[corner].lit ? 1 : 0;
    }
    if ((lit != 0 && lit != 4) ||
        list.AnyNear(grid.X(ci) + grid.spacing / 2, grid.Y(cj) + grid.spacing / 2, grid.spacing))
        return Refinement::EveryPixel;
    if (lit == 0) return Refinement::Interpolated;
    const double bendX = BendAlong(at, scale, ci, cj, 1, 0), bendY = BendAlong(at, scale, ci, cj, 0, 1);
    const bool acrossRows = bendY > largestBend, acrossColumns = bendX > largestBend;
    if (!acrossRows && !acrossColumns) return Refinement::Interpolated;
    if ((acrossRows && ci + 1 >= cells.Columns()) || (acrossColumns && cj + 1 >= cells.Rows()))
        return Refinement::EveryPixel;
    if (acrossRows && acrossColumns) return Refinement::Edges;
    return acrossRows ? Refinement::Rows : Refinement::Columns;
}

bool RowsSampled(Refinement refinement) { return refinement == Refinement::Rows || refinement == Refinement::Edges; }
bool ColumnsSampled(Refinement refinement) {
    return refinement == Refinement::Columns || refinement == Refinement::Edges;
}

// Asks for the pixels that a cell drawn as `refinement` takes its colours
// from: its own and those of its edges in the next cells, and the centre of
// a cell drawn from all four edges, which tells whether they suffice.
template <class Sample>
void RequireFor(SampledCells<Sample>& cells, Refinement refinement, int32_t ci, int32_t cj) {
    if (refinement == Refinement::EveryPixel) cells.Require(ci, cj, kAllPixels);
    if (RowsSampled(refinement)) {
        cells.Require(ci, cj, kFirstColumn);
        cells.Require(ci + 1, cj, kFirstColumn);
    }
    if (ColumnsSampled(refinement)) {
        cells.Require(ci, cj, kFirstRow);
        cells.Require(ci, cj + 1, kFirstRow);
    }
    if (refinement == Refinement::Edges) cells.Require(ci, cj, kCentre);
}

// Whether light reaches every pixel sampled on the edges of a cell drawn
// from them (the pixels between are only interpolated where it does).
template <class Sample>
bool EdgesLit(const SampledCells<Sample>& cells, Refinement refinement, int32_t spacing, int32_t ci, int32_t cj) {
    for (int32_t k = 0; k < spacing; ++k)
        if ((RowsSampled(refinement) &&
             (!cells.At(spacing * ci, spacing * cj + k).lit || !cells.At(spacing * (ci + 1), spacing * cj + k).lit)) ||
            (ColumnsSampled(refinement) &&
             (!cells.At(spacing * ci + k, spacing * cj).lit || !cells.At(spacing * ci + k, spacing * (cj + 1)).lit)))
            return false;
    return true;
}

// The value at a pixel of a cell sampled along its edges: linear across the
// cell between the left and right edges, plus linear between the top and
// bottom ones, less the bilinear mean of the corners, which both count (a
// Coons patch: it takes every edge's samples as they are, and a ripple along
// either axis or a sum of both whole). An edge not sampled is the line
// between its corners.
template <class Sample>
double EdgesValue(const GridSamples<Sample>& at, const SampledCells<Sample>& cells, Refinement refinement, int32_t x,
                  int32_t y, const Between& column, const Between& row) {
    const int32_t g = at.grid.spacing;
    const double s = column.t, t = row.t;
    const double c00 = at.Value(column.first, row.first), c10 = at.Value(column.second, row.first);
    const double c01 = at.Value(column.first, row.second), c11 = at.Value(column.second, row.second);
    const bool rows = RowsSampled(refinement), columns = ColumnsSampled(refinement);
    const double left = rows ? cells.At(g * column.first, y).value : c00 + t * (c01 - c00);
    const double right = rows ? cells.At(g * column.second, y).value : c10 + t * (c11 - c10);
    const double top = columns ? cells.At(x, g * row.first).value : c00 + s * (c10 - c00);
    const double bottom = columns ? cells.At(x, g * row.second).value : c01 + s * (c11 - c01);
    const double corners = (1 - s) * (1 - t) * c00 + s * (1 - t) * c10 + (1 - s) * t * c01 + s * t * c11;
    return (1 - s) * left + s * right + (1 - t) * top + t * bottom - corners;
}

// How each cell of `cells` is drawn (from the grid alone unless `refine`,
// the grid trusted with bends up to `largestBend` steps of the ramp), each
// cell's pixels that it takes its colours from required.
template <class Sample>
std::vector<Refinement> RefinementsFor(const GridSamples<Sample>& at, const ValueScale& scale, const SceneList& list,
                                       SampledCells<Sample>& cells, bool refine, double largestBend) {
    std::vector<Refinement> refinements(static_cast<size_t>(cells.Columns()) * static_cast<size_t>(cells.Rows()));
    if (!refine) return refinements;
    ParallelFor(cells.Columns(), [&](int64_t column) {
        const auto ci = static_cast<int32_t>(column);
        for (int32_t cj = 0; cj < cells.Rows(); ++cj)
            refinements[cells.Cell(ci, cj)] = RefinementFor(at, scale, list, cells, largestBend / kRampSteps, ci, cj);
    });
    for (int32_t ci = 0; ci < cells.Columns(); ++ci)
        for (int32_t cj = 0; cj < cells.Rows(); ++cj) RequireFor(cells, refinements[cells.Cell(ci, cj)], ci, cj);
    return refinements;
}

// Turns the cells drawn from their edges that these do not describe into
// cells sampled at every pixel: where light misses a pixel of the edges (a
// thin shadow between the grid points), or where the patch misses the centre
// of a cell drawn from all four edges by more than kLargestMiss (an edge of
// the light runs through it). Whether any cell was turned.
template <class Sample>
bool ConfirmEdges(const GridSamples<Sample>& at, const ValueScale& scale, SampledCells<Sample>& cells,
                  std::vector<Refinement>& refinements, const std::vector<Between>& columns) {
    const int32_t g = at.grid.spacing;
    bool turned = false;
    for (int32_t ci = 0; ci < cells.Columns(); ++ci)
        for (int32_t cj = 0; cj < cells.Rows(); ++cj) {
            Refinement& refinement = refinements[cells.Cell(ci, cj)];
            if (refinement == Refinement::Interpolated || refinement == Refinement::EveryPixel) continue;
            if (EdgesLit(cells, refinement, g, ci, cj)) {
                if (refinement != Refinement::Edges) continue;
                const int32_t x = g * ci + g / 2, y = g * cj + g / 2;
                const double patch = EdgesValue(at, cells, refinement, x, y, columns[static_cast<size_t>(x)],
                                                BetweenGridLines(y, g, at.grid.rows));
                if (std::fabs(scale.Fraction(patch) - scale.Fraction(cells.At(x, y).value)) <= kLargestMiss) continue;
            }
            refinement = Refinement::EveryPixel;
            RequireFor(cells, refinement, ci, cj);
            turned = true;
        }
    return turned;
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

// Paints every pixel of the picture as its cell is drawn; -1 (none) where
// the picture stays as it is.
template <class Sample>
void PaintCells(platform::Canvas& canvas, const Tprgvar& settings, const GridSamples<Sample>& at,
                const SampledCells<Sample>& cells, const std::vector<Refinement>& refinements,
                const std::vector<Between>& columns, const ValueScale& scale) {
    const int32_t g = at.grid.spacing;
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    for (int32_t y = 0; y < settings.hoehe; ++y) {
        const Between row = BetweenGridLines(y, g, at.grid.rows);
        PaintRow(canvas, y, settings.breite, [&](int32_t x) -> platform::TColor {
            const Between& column = columns[static_cast<size_t>(x)];
            const Refinement refinement = refinements[cells.Cell(x / g, y / g)];
            if (refinement == Refinement::Interpolated) return InterpolatedColour(at, scale, column, row);
            if (refinement != Refinement::EveryPixel)
                return RampColour(scale.Fraction(EdgesValue(at, cells, refinement, x, y, column, row)));
            const Sample& own = cells.At(x, y);
            return own.lit ? RampColour(scale.Fraction(own.value)) : -1;
        });
    }
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
    // that bends more than the interpolation follows or ripples finer than
    // the grid), pixels are sampled: along a cell's edges, or all of its
    // pixels. The scale spans all samples.
    const GridSamples<Sample> atGrid{grid, samples, known};
    SampledCells<Sample> exact(settings.breite, settings.hoehe, grid.spacing);
    std::vector<Between> columns;
    columns.reserve(static_cast<size_t>(settings.breite));
    for (int32_t x = 0; x < settings.breite; ++x) columns.push_back(BetweenGridLines(x, grid.spacing, grid.columns));
    const ValueScale gridScale = scaleFor(samples);
    std::vector<Refinement> refinements =
        RefinementsFor(atGrid, gridScale, list, exact, everyPixelWhereCoarse, largestBend);
    const auto samplePixel = [&](int32_t x, int32_t y) {
        if (const Sample* gridPoint = atGrid.AtPixel(x, y)) return *gridPoint;
        const Sample sample = sampleAt(list, x, y);
        CheckFieldValue(sample.value, x, y);
        return sample;
    };
    const auto sampleRequired = [&] {
        exact.Allot();
        ForEachShowingProgress(exact.Columns(), what, settings, platform.Progress(), [&](int32_t ci) {
            exact.SamplePending(ci, settings.breite, settings.hoehe, samplePixel);
        });
    };
    sampleRequired();
    if (ConfirmEdges(atGrid, gridScale, exact, refinements, columns)) sampleRequired();
    std::vector<Sample> all = samples;
    all.insert(all.end(), exact.Samples().begin(), exact.Samples().end());
    const ValueScale scale = scaleFor(all);
    PaintCells(canvas, settings, atGrid, exact, refinements, columns, scale);
    for (const auto& object : list) object->Draw(canvas);
    DrawColourLegend(canvas, settings.breite, settings.hoehe, title, scale, colour);
}

void DiffusenessMap::Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                          platform::Platform& platform) const {
    DrawMap(
        list, settings, canvas, platform, "diffuseness colours", "Diffuseness 1-|F|/E",
        [](const SceneList& scene, int32_t x, int32_t y) {
            const SceneList::Field field = scene.FieldAt(x, y);
            return Sample{static_cast<float>(1 - Directedness(std::hypot(field.flow.x, field.flow.y), field.energy)),
                          field.energy > 0};
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
