// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/StreamLines.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "model/ColourChoice.h"
#include "model/FieldRange.h"
#include "model/Numbers.h"
#include "model/ParallelFor.h"
#include "model/TextParts.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::display {

using namespace model;

namespace {

// A single line that has been this far from its start and comes back closer
// has closed a loop.
constexpr double kLoopRadius = 10;

float LargestStrength(const SceneList& list) {
    double largest = 0;
    for (const auto& object : list) largest = std::max(largest, object->Strength());
    return static_cast<float>(largest);
}

// The pen moves to the first point and draws to each of the others.
void DrawPath(platform::Canvas& canvas, const std::vector<TLinien::Point>& path) {
    canvas.BeginShape();
    canvas.MoveToExact(path.front().x, path.front().y);
    for (size_t i = 1; i < path.size(); ++i) canvas.LineToExact(path[i].x, path[i].y);
}

// Brings the lines drawn into the picture onto the window: only the part
// they touched, and at most every kInterval, so that copying never costs
// more than the tracing; the rest when it goes.
class WindowRefresh {
public:
    WindowRefresh(const platform::Bitmap& picture, platform::Canvas& window) : picture(picture), window(window) {}
    WindowRefresh(const WindowRefresh&) = delete;
    WindowRefresh& operator=(const WindowRefresh&) = delete;
    ~WindowRefresh() { Copy(); }

    // The points landed on the nearest pixels of the picture.
    void Drawn(const std::vector<TLinien::Point>& path) {
        for (const TLinien::Point& point : path) {
            left = std::min(left, Round(point.x));
            top = std::min(top, Round(point.y));
            right = std::max(right, Round(point.x));
            bottom = std::max(bottom, Round(point.y));
        }
        if (std::chrono::steady_clock::now() - copied >= kInterval) Copy();
    }

private:
    static constexpr std::chrono::milliseconds kInterval{30};

    void Copy() {
        // A line covers the pixels between its points, the last one included.
        if (left <= right) window.DrawBitmapPart(picture, left, top, SaturatingAdd(right, 1), SaturatingAdd(bottom, 1));
        left = top = INT32_MAX;
        right = bottom = INT32_MIN;
        copied = std::chrono::steady_clock::now();
    }

    const platform::Bitmap& picture;
    platform::Canvas& window;
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    std::chrono::steady_clock::time_point copied = std::chrono::steady_clock::now();
};

}  // namespace

bool TLinien::CheckParameters(bool fullSet, platform::Platform& platform) const {
    std::string reason;
    // Only the full set divides the flux into lines.
    if (fullSet && linienabstand < 1)
        reason = "the minimum distance between lines is smaller than 1.";
    else if (!(iterationslaenge > 0))
        reason = "the length of the stream-line elements is not positive.";
    if (reason.empty()) return true;
    platform.ShowMessage("No stream-lines are drawn, because " + reason);
    return false;
}

// Steps of length h along S / |S| from the current point, which is held as
// floats (and kept so in the line) and handed to the objects rounded to the
// nearest pixel. A step that an object blocks is replaced by a tenth step; if
// that is blocked too, it is the line's last. The walked length counts full
// steps.
std::vector<TLinien::Point> TLinien::Trace(const SceneList& list, float maxS, float x, float y, bool closedLoopTest,
                                           size_t mostSteps) const {
    const double threshold = static_cast<double>(abbruchschwelle) * maxS;
    const double h = iterationslaenge;
    const float startX = x;
    const float startY = y;
    double walked = 0;
    double fromStart = 0;
    bool leftStart = false;
    std::vector<Point> path{{x, y}};
    while (true) {
        const int32_t px = Round(x);
        const int32_t py = Round(y);
        const FlowSum flow = list.FlowDensitySum(px, py);
        const double sx = flow.x, sy = flow.y;
        const double strength = std::sqrt(sx * sx + sy * sy);
        CheckFieldValue(strength, px, py);
        // Exactly zero flow has no direction, whatever the threshold says.
        if (threshold > strength || strength == 0) return path;
        const double stepX = sx / strength * h;
        const double stepY = sy / strength * h;
        auto nx = static_cast<float>(x + stepX);
        auto ny = static_cast<float>(y + stepY);
        bool last = false;
        if (list.AnyBlocks(px, py, Round(nx), Round(ny), 0, 0)) {
            nx = static_cast<float>(x + stepX / 10);
            ny = static_cast<float>(y + stepY / 10);
            last = list.AnyBlocks(px, py, Round(nx), Round(ny), 0, 0);
        }
        walked += h;
        path.push_back({nx, ny});
        // A step below the float resolution of the position would repeat
        // forever without moving.
        const bool moved = nx != x || ny != y;
        x = nx;
        y = ny;
        if (closedLoopTest) {
            const double before = fromStart;
            fromStart = std::hypot(static_cast<double>(x) - startX, static_cast<double>(y) - startY);
            if (fromStart > kLoopRadius) leftStart = true;
            if (leftStart && fromStart < kLoopRadius && fromStart > before) return path;
        }
        if (last || !moved || walked > maxlaenge || path.size() > mostSteps) return path;
    }
}

void TLinien::Draw(const SceneList& list, const Tprgvar& settings, platform::Bitmap& picture, platform::Canvas& window,
                   platform::Platform& platform) const {
    platform::Canvas& canvas = picture.GetCanvas();
    canvas.SetPenColor(colour);
    if (!CheckParameters(true, platform)) return;
    const float maxS = LargestStrength(list);
    if (maxS == 0) {
        platform.ShowMessage("No stream-lines are drawn, because there are no light-sources.");
        return;
    }
    platform::ShownProgress progress(platform.Progress());
    const StopCheck stop = [&] { progress.StopIfCancelled(); };
    const auto announce = [&](const Tszeneobjekt& object) {
        progress.SetText(settings.titel + " is calculating the starting points for the stream lines for:\r" +
                             platform::IntToStr(object.number) + " : " + object.description,
                         static_cast<double>(object.number - 1) / static_cast<double>(list.size()));
        stop();
    };
    // All lines are traced side by side; each is drawn, in the order of the
    // starts, as soon as it and every line before it are traced. A cancelled
    // drawing keeps the lines drawn.
    const std::vector<StreamLineStart> ordered = Starts(list, announce, stop);
    const auto count = static_cast<int64_t>(ordered.size());
    std::vector<std::vector<Point>> paths(ordered.size());
    WindowRefresh refresh(picture, window);
    ParallelForInOrder(
        count,
        [&](int64_t k) {
            const StreamLineStart& start = ordered[static_cast<size_t>(k)];
            paths[static_cast<size_t>(k)] = Trace(list, maxS, start.x, start.y, false);
        },
        [&](int64_t k) {
            DrawPath(canvas, paths[static_cast<size_t>(k)]);
            refresh.Drawn(paths[static_cast<size_t>(k)]);
            std::vector<Point>().swap(paths[static_cast<size_t>(k)]);
            progress.SetText(settings.titel + " is drawing the stream lines:\r" + platform::IntToStr(k + 1) + " of " +
                                 platform::IntToStr(count),
                             static_cast<double>(k + 1) / static_cast<double>(count));
        },
        stop);
}

std::vector<StreamLineStart> TLinien::Starts(const SceneList& list,
                                             const std::function<void(const Tszeneobjekt&)>& announce,
                                             const StopCheck& stop) const {
    const float fluxPerLine = FluxPerLine(list);
    StreamLineStarts starts;
    for (const auto& object : list) {
        announce(*object);
        object->AddStreamLineStarts(starts, list, fluxPerLine, stop);
    }
    return {starts.begin(), starts.end()};
}

TLinien::LineSample TLinien::Sample(const SceneList& list, std::chrono::milliseconds budget) const {
    const float maxS = LargestStrength(list);
    if (linienabstand < 1 || !(iterationslaenge > 0) || maxS == 0) return {};
    const auto begun = std::chrono::steady_clock::now();
    const std::vector<StreamLineStart> starts = Starts(list, [](const Tszeneobjekt&) {}, {});
    if (starts.empty()) return {};
    const double fullSteps = std::max<double>(maxlaenge, 0) / iterationslaenge + 1;
    // The lines of the sample spread evenly over the starts, so that the
    // lines of every object with many are among them.
    constexpr size_t kTraced = 16;
    const size_t wanted = std::min(kTraced, starts.size());
    double steps = 0;
    size_t traced = 0;
    for (; traced < wanted && (traced == 0 || std::chrono::steady_clock::now() - begun < budget); ++traced) {
        const StreamLineStart& start = starts[traced * starts.size() / wanted];
        const size_t taken = Trace(list, maxS, start.x, start.y, false, kSampleSteps).size() - 1;
        steps += taken >= kSampleSteps ? fullSteps : static_cast<double>(taken);
    }
    return {static_cast<double>(starts.size()), steps / static_cast<double>(traced)};
}

double TLinien::Work(const SceneList& list, const Tprgvar& settings, const LineSample& sample) const {
    if (linienabstand < 1 || !(iterationslaenge > 0)) return 0;
    double pieces = 0;  // probed on both sides to place the starting points
    for (const auto& object : list) pieces += 2 * static_cast<double>(object->QueryElements(settings));
    return (pieces + sample.lines * sample.steps) * list.QueryWork(settings);
}

float TLinien::FluxPerLine(const SceneList& list) const {
    return static_cast<float>(static_cast<double>(linienabstand) * LargestStrength(list));
}

void TLinien::TraceLine(const SceneList& list, platform::Bitmap& picture, platform::Canvas& window,
                        platform::Platform& platform, int32_t x, int32_t y) const {
    if (!CheckParameters(false, platform)) return;
    const float maxS = LargestStrength(list);
    platform::Canvas& canvas = picture.GetCanvas();
    canvas.SetPenColor(colour);
    const std::vector<Point> path = Trace(list, maxS, static_cast<float>(x), static_cast<float>(y), true);
    DrawPath(canvas, path);
    WindowRefresh(picture, window).Drawn(path);
}

void TLinien::Edit(platform::Platform& shown) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Stream-lines",
        {Control::Edit("linienabstand", "Minimum distance between lines"), Control::Label("pixels").Beside(),
         Control::Edit("iterationslaenge", "Length of stream-line elements"), Control::Label("pixels").Beside(),
         Control::Edit("abbruchschwelle", "Percentage of maximum energy flow density where stream-lines stop"),
         Control::Label("%").Beside(), Control::Edit("maxlaenge", "Maximum length"), Control::Label("pixels").Beside(),
         ColourCombo("black"), Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    dialog["linienabstand"].text = platform::IntToStr(linienabstand);
    dialog["iterationslaenge"].text = platform::FloatToStr(iterationslaenge, 5);
    dialog["abbruchschwelle"].text = platform::FloatToStr(abbruchschwelle, 5);
    dialog["maxlaenge"].text = platform::IntToStr(maxlaenge);
    while (shown.ShowModal(dialog) == platform::ModalResult::OK) {
        platform::FieldReader fields(dialog);
        const int32_t distance = fields.Int("linienabstand");
        const float step = fields.Float("iterationslaenge");
        const float threshold = fields.Float("abbruchschwelle");
        const int32_t length = fields.Int("maxlaenge");
        fields.Require(distance >= 1, "linienabstand", "The distance must be positive.");
        fields.Require(step > 0, "iterationslaenge", "The length must be positive.");
        if (fields.Refused(shown)) continue;
        linienabstand = distance;
        iterationslaenge = step;
        abbruchschwelle = threshold;
        maxlaenge = length;
        ApplyColourChoice(dialog["color"], colour);
        return;
    }
}

void TLinien::SaveToFile(platform::TextFile& file) const {
    using platform::FloatToStr;
    using platform::IntToStr;
    file.WriteLine("linien");
    file.WriteLine("begin");
    file.WriteLine("linienabstand=" + IntToStr(linienabstand));
    file.WriteLine("iterationslaenge=" + FloatToStr(iterationslaenge));
    file.WriteLine("abbruchschwelle=" + FloatToStr(abbruchschwelle));
    file.WriteLine("color=" + IntToStr(colour));
    file.WriteLine("maxlaenge=" + IntToStr(maxlaenge));
    file.WriteLine("end");
}

bool TLinien::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Int("linienabstand=", linienabstand) &&
           reader.Float("iterationslaenge=", iterationslaenge) && reader.Float("abbruchschwelle=", abbruchschwelle) &&
           reader.Int("color=", colour) && reader.Int("maxlaenge=", maxlaenge) && reader.Keyword("end");
}

}  // namespace brevanto::display
