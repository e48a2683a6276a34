// The time estimates against the time taken: for each scene file named on
// the command line, the computation alone and each of the three displays,
// each from the scene loaded fresh, in the headless main window as
// brevanto-cli runs it. Prints a Markdown table for docs/PERFORMANCE.md.
#include <chrono>
#include <cstdio>
#include <string>

#include "model/ParallelFor.h"
#include "platform/HeadlessPlatform.h"
#include "ui/MainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Row {
    const char* name;
    DisplayKind display;
};

void PrintRow(const std::string& scene, const Row& row) {
    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window(4096, 4096);
    MainWindow form(headless, window);
    headless.fileNameAnswers.push_back(scene);
    form.OpenScene();
    headless.unscriptedAnswer = true;
    const Clock::time_point sampling = Clock::now();
    const double estimate = form.EstimatedSeconds(form.DisplayWork(row.display));
    const double sampled = SecondsSince(sampling);
    const Clock::time_point start = Clock::now();
    form.ShowDisplay(row.display);
    const double taken = SecondsSince(start);
    const std::string name = scene.substr(scene.rfind('/') + 1);
    std::printf("| %s | %s | %.3f | %.3f | %.2f | %.3f |\n", name.c_str(), row.name, estimate, taken, estimate / taken,
                sampled);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::printf("%d threads\n\n", ThreadCount());
    std::printf("| scene | work | estimate s | taken s | ratio | sample s |\n|---|---|---|---|---|---|\n");
    for (int i = 1; i < argc; ++i)
        for (const Row& row : {Row{"computation", DisplayKind::None}, Row{"arrows", DisplayKind::Arrows},
                               Row{"stream lines", DisplayKind::StreamLines}, Row{"circles", DisplayKind::Circles}})
            PrintRow(argv[i], row);
    return 0;
}
