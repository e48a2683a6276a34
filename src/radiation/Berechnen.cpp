#include "radiation/Berechnen.h"

#include "model/Programvar.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

std::string OrdinalSuffix(int32_t k) {
    const int32_t last = k % 10, lastTwo = k % 100;
    if (last == 1 && lastTwo != 11) return "st";
    if (last == 2 && lastTwo != 12) return "nd";
    if (last == 3 && lastTwo != 13) return "rd";
    return "th";
}

namespace {
void RunPasses(const TSceneList& list, platform::Window& mainWindow, platform::ProgressWindow& progress) {
    const Tprgvar& settings = prgvar();
    bool again = true;
    for (int32_t k = 1; again; ++k) {
        const std::string pass = platform::IntToStr(k) + OrdinalSuffix(k) + " iteration";
        progress.SetText(settings.titel + " is calculating the radiositys:\r" + pass);
        progress.Repaint();
        mainWindow.SetCaption(settings.titel + " , " + pass);
        again = false;
        // Every object takes its turn in every pass, also after one changed.
        for (const auto& object : list)
            if (object->Iterate(list)) again = true;
        if (k >= settings.maximaleiterationen) again = false;
    }
}
}  // namespace

void Calculate(const TSceneList& list, platform::Window& mainWindow) {
    Tprgvar& settings = prgvar();
    if (settings.berechnet) return;
    settings.CheckResolution();
    list.PrepareQueries();
    platform::ProgressWindow& progress = platform::CurrentPlatform().Progress();
    progress.Show();
    settings.berechnet = true;
    auto finish = [&] {
        mainWindow.SetCaption(settings.titel);
        progress.Close();
    };
    try {
        RunPasses(list, mainWindow, progress);
    } catch (...) {
        // The values of a broken-off pass are not the balance: the next
        // display must compute again.
        settings.berechnet = false;
        finish();
        throw;
    }
    finish();
}
