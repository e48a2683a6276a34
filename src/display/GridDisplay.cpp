// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/GridDisplay.h"

#include "model/ColourChoice.h"
#include "model/ParallelFor.h"
#include "model/TextParts.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::display {

using namespace model;

bool GridDisplay::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Int("color=", colour) && reader.Int("gitterweite=", gitterweite) &&
           reader.Keyword("end");
}

void GridDisplay::SaveSection(platform::TextFile& file, const std::string& keyword) const {
    file.WriteLine(keyword);
    file.WriteLine("begin");
    file.WriteLine("color=" + platform::IntToStr(colour));
    file.WriteLine("gitterweite=" + platform::IntToStr(gitterweite));
    file.WriteLine("end");
}

bool GridDisplay::EditSpacingAndColour(platform::DialogSpec& dialog, platform::Platform& platform) {
    dialog["gitterweite"].text = platform::IntToStr(gitterweite);
    while (platform.ShowModal(dialog) == platform::ModalResult::OK) {
        // Malformed text reads as 0 and is refused with the rest.
        platform::FieldReader fields(dialog, platform::FieldReader::Conversion::Lenient);
        const int32_t spacing = fields.Int("gitterweite");
        fields.Require(spacing >= 1, "gitterweite", "The pixel width must be a whole number of at least 1.");
        if (fields.Refused(platform)) continue;
        gitterweite = spacing;
        ApplyColourChoice(dialog["color"], colour);
        return true;
    }
    return false;
}

double GridDisplay::Work(const SceneList& list, const Tprgvar& settings) const {
    return static_cast<double>(GridFor(settings).PointCount()) * list.QueryWork(settings);
}

Grid GridDisplay::GridFor(const Tprgvar& settings) const {
    if (gitterweite < 1) return {gitterweite, 0, 0};
    return {gitterweite, settings.breite / gitterweite, settings.hoehe / gitterweite};
}

bool GridDisplay::CheckGrid(const Grid& grid, const std::string& what, platform::Platform& platform) const {
    std::string reason;
    if (grid.spacing < 1)
        reason = "the pixel width is smaller than 1";
    else if (grid.columns < 1 || grid.rows < 1)
        reason = "the pixel width is larger than the picture";
    if (reason.empty()) return true;
    platform.ShowMessage("No " + what + " are drawn, because " + reason + ".");
    return false;
}

void GridDisplay::ForEachPoint(const Grid& grid, const std::string& what, const Tprgvar& settings,
                               platform::ProgressWindow& progressWindow,
                               const std::function<void(int32_t, int32_t)>& computePoint) const {
    ForEachShowingProgress(grid.columns, what, settings, progressWindow, [&](int32_t column) {
        for (int32_t j = 1; j <= grid.rows; ++j) computePoint(column + 1, j);
    });
}

void GridDisplay::ForEachShowingProgress(int32_t count, const std::string& what, const Tprgvar& settings,
                                         platform::ProgressWindow& progressWindow,
                                         const std::function<void(int32_t)>& work) const {
    platform::ShownProgress progress(progressWindow);
    const StopCheck stop = [&] { progress.StopIfCancelled(); };
    // Before k the progress shows those before it as done.
    auto showDone = [&](int32_t done) {
        const int64_t percent = static_cast<int64_t>(done) * 100 / count;
        progress.SetText(
            settings.titel + " is calculating the " + what + ".\rProgress: " + platform::IntToStr(percent) + "%",
            static_cast<double>(done) / count);
    };
    showDone(0);
    // One pass over all, so that the threads start once; the progress
    // follows k in order as they finish.
    ParallelForInOrder(
        count, [&](int64_t k) { work(static_cast<int32_t>(k)); },
        [&](int64_t k) {
            if (k + 1 < count) showDone(static_cast<int32_t>(k) + 1);
        },
        stop);
}

}  // namespace brevanto::display
