// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiation/Calculation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "model/IterationPass.h"
#include "model/PassStore.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"
#include "platform/Window.h"

namespace brevanto::radiation {

using namespace model;

std::string OrdinalSuffix(int32_t k) {
    const int32_t last = k % 10, lastTwo = k % 100;
    if (last == 1 && lastTwo != 11) return "st";
    if (last == 2 && lastTwo != 12) return "nd";
    if (last == 3 && lastTwo != 13) return "rd";
    return "th";
}

namespace {

const std::string kRadiationTooLarge =
    "The radiation could not be computed, because it grows beyond what a number can hold: a mirror/diffusor "
    "whose coefficients add up to more than 100% sends out more light than it receives, or a strength is too high.";

// The window is repainted no more often than this while a pass runs: often
// enough for the eye, rarely enough to cost nothing beside the elements.
constexpr std::chrono::milliseconds kShareInterval{50};

// Shows the share of a pass's elements refilled so far. Called on the thread
// that shows the window; the elements may be counted on any.
class PassShare {
public:
    PassShare(platform::ShownProgress& progress, const IterationPass& pass, int64_t elements)
        : progress(progress), pass(pass), elements(std::max<int64_t>(elements, 1)) {}

    void Show() {
        const auto now = std::chrono::steady_clock::now();
        if (now - shown < kShareInterval) return;
        shown = now;
        progress.SetShare(static_cast<double>(pass.elementsDone.load(std::memory_order_relaxed)) /
                          static_cast<double>(elements));
    }

private:
    platform::ShownProgress& progress;
    const IterationPass& pass;
    int64_t elements;
    std::chrono::steady_clock::time_point shown = std::chrono::steady_clock::now();
};

std::string PassName(int32_t passes) { return platform::IntToStr(passes) + OrdinalSuffix(passes) + " iteration"; }

// The pass and, from the second on, how far the last one moved the values
// against the stop criterion, so that the user sees the balance converge.
std::string PassText(const Tprgvar& settings, int32_t passes, const std::optional<PassChange>& last) {
    std::string text = settings.titel + " is calculating the radiositys:\r" + PassName(passes);
    if (!last) return text;
    const std::string change = std::isfinite(last->largestPercent)
                                   ? platform::FloatToStr(last->largestPercent, 4) + " %"
                                   : std::string("a value left or reached 0");
    return text + "\rLargest change in the last pass: " + change + " (stop criterion " +
           platform::FloatToStr(settings.abbruchgenauigkeit, 5) + " %)";
}

CalculationResult RunPasses(SceneList& list, const Tprgvar& settings, platform::Window& mainWindow,
                            platform::ShownProgress& progress) {
    int64_t elements = 0;
    for (const auto& object : list) elements += object->PassElements();
    int32_t passes = 0;
    std::optional<PassChange> last;
    PassStore store(PassStore::kMostBytes);
    while (!last || last->beyondCriterion) {
        ++passes;
        progress.SetText(PassText(settings, passes, last), 0);
        mainWindow.SetCaption(settings.titel + " , " + PassName(passes));
        IterationPass pass;
        pass.store = &store;
        PassShare share(progress, pass, elements);
        pass.stop = [&] {
            progress.StopIfCancelled();
            share.Show();
        };
        PassChange change;
        // Every object takes its turn in every pass, also after one changed.
        for (const auto& object : list) {
            progress.StopIfCancelled();
            change.Add(object->Iterate(list, pass));
        }
        last = change;
        if (passes >= settings.maximaleiterationen) break;
    }
    return {passes, !last->beyondCriterion};
}

}  // namespace

CalculationResult Calculate(SceneList& list, Tprgvar& settings, platform::Window& mainWindow,
                            platform::ProgressWindow& progressWindow) {
    if (settings.berechnet) return {};
    settings.CheckResolution();
    list.PrepareQueries(settings);
    platform::ShownProgress progress(progressWindow);
    std::vector<std::function<void()>> restorers;
    for (const auto& object : list)
        if (std::function<void()> restorer = object->RadiationRestorer()) restorers.push_back(std::move(restorer));
    settings.berechnet = true;
    try {
        for (const auto& object : list) object->ForgetRadiation();
        const CalculationResult result = RunPasses(list, settings, mainWindow, progress);
        // Coefficients above 100% from a scene file let the radiation grow
        // pass by pass; what outgrew the floats is no result to show.
        if (!std::all_of(list.begin(), list.end(), [](const auto& object) { return object->RadiationIsFinite(); }))
            throw std::runtime_error(kRadiationTooLarge);
        mainWindow.SetCaption(settings.titel);
        return result;
    } catch (...) {
        // The values of a broken-off pass are not the balance: they go back
        // to what they were, and the next display must compute again.
        for (std::function<void()>& restore : restorers) restore();
        settings.berechnet = false;
        mainWindow.SetCaption(settings.titel);
        throw;
    }
}

std::string NotConvergedNote(int32_t passes) {
    return "Not converged: the iteration stopped at its limit of " + platform::IntToStr(passes) +
           " passes before the stop criterion was met.";
}

namespace {
// Fewer passes than this finish soon enough, whatever stops them.
constexpr int32_t kPassesWorthANote = 1000;

bool KeepsRadiation(const SceneList& list, const Tprgvar& settings) {
    for (const auto& object : list)
        if (object->StoredValues(settings) > 0) return true;
    return false;
}
}  // namespace

double CalculationWork(const SceneList& list, const Tprgvar& settings, int32_t passes) {
    if (settings.berechnet) return 0;
    settings.CheckResolution();
    double gathering = 0;
    for (const auto& object : list)
        if (object->StoredValues(settings) > 0) gathering += static_cast<double>(object->QueryElements(settings));
    // Every object takes its turn in every pass, also those that keep nothing.
    return (gathering > 0 ? std::max(passes, 1) : 1) *
           (gathering * list.QueryWork(settings) + static_cast<double>(list.size()));
}

std::string EndlessIterationNote(const SceneList& list, const Tprgvar& settings) {
    if (settings.abbruchgenauigkeit > 0 || settings.maximaleiterationen < kPassesWorthANote ||
        !KeepsRadiation(list, settings))
        return {};
    return "The iteration stops only after " + platform::IntToStr(settings.maximaleiterationen) +
           " passes, because its stop criterion is " + platform::FloatToStr(settings.abbruchgenauigkeit, 5) +
           " %: no pass ends it earlier unless nothing changes at all.";
}

}  // namespace brevanto::radiation
