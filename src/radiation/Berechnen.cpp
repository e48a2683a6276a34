#include "radiation/Berechnen.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Conversions.h"

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

CalculationResult RunPasses(const SceneList& list, const Tprgvar& settings, platform::Window& mainWindow,
                            platform::ShownProgress& progress) {
    const StopCheck stop = [&] { progress.StopIfCancelled(); };
    int32_t passes = 0;
    bool again = true;
    while (again) {
        ++passes;
        const std::string pass = platform::IntToStr(passes) + OrdinalSuffix(passes) + " iteration";
        progress.SetText(settings.titel + " is calculating the radiositys:\r" + pass,
                         static_cast<double>(passes - 1) / std::max(1, settings.maximaleiterationen));
        mainWindow.SetCaption(settings.titel + " , " + pass);
        again = false;
        // Every object takes its turn in every pass, also after one changed.
        for (const auto& object : list) {
            progress.StopIfCancelled();
            if (object->Iterate(list, stop)) again = true;
        }
        if (passes >= settings.maximaleiterationen) break;
    }
    return {passes, !again};
}

}  // namespace

CalculationResult Calculate(const SceneList& list, Tprgvar& settings, platform::Window& mainWindow,
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

Extended CalculationWork(const SceneList& list, const Tprgvar& settings) {
    if (settings.berechnet) return 0;
    settings.CheckResolution();
    Extended gathering = 0;
    for (const auto& object : list)
        if (object->StoredValues(settings) > 0) gathering += static_cast<Extended>(object->QueryElements(settings));
    const Extended passes = gathering > 0 ? std::max(settings.maximaleiterationen, 1) : 1;
    // Every object takes its turn in every pass, also those that keep nothing.
    return passes * (gathering * list.QueryWork(settings) + static_cast<Extended>(list.size()));
}

std::string EndlessIterationNote(const SceneList& list, const Tprgvar& settings) {
    if (settings.abbruchgenauigkeit > 0 || settings.maximaleiterationen < kPassesWorthANote ||
        !KeepsRadiation(list, settings))
        return {};
    return "The iteration stops only after " + platform::IntToStr(settings.maximaleiterationen) +
           " passes, because its stop criterion is " + platform::FloatToStr(settings.abbruchgenauigkeit, 5) +
           " %: no pass ends it earlier unless nothing changes at all.";
}
