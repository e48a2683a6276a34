#include "cli/CliRun.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/CliOptions.h"
#include "files/SceneFile.h"
#include "model/ParallelFor.h"
#include "platform/Errors.h"
#include "platform/HeadlessPlatform.h"
#include "platform/SafeFileWrite.h"
#include "ui/MainWindow.h"

namespace {

// Ten significant digits and always ".", whatever the locale.
std::string Number(Extended value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
    return std::string(text, result.ptr);
}

struct FieldValue {
    Extended fx = 0;  // energy flow density vector
    Extended fy = 0;
    Extended e = 0;  // energy density: the sum of the magnitudes
};

// The field at a point as the arrows and circles displays sum it.
FieldValue FieldAt(const SceneList& list, int32_t x, int32_t y) {
    const SceneList::Field field = list.FieldAt(x, y);
    return {field.flow.x, field.flow.y, field.energy};
}

std::string FieldLine(int32_t x, int32_t y, const FieldValue& value, char separator) {
    return std::to_string(x) + separator + std::to_string(y) + separator + Number(value.fx) + separator +
           Number(value.fy) + separator + Number(value.e);
}

// The field on the arrows' grid: X = g, 2g, ... up to the picture width, the
// same for Y, row by row.
std::string FieldCsv(const SceneList& list, const Tprgvar& settings, int32_t gitterweite) {
    if (gitterweite < 1) throw std::runtime_error("The grid spacing of the arrows must be at least 1 pixel.");
    // The rows side by side, each line written in its place.
    std::vector<int32_t> rows;
    for (int64_t y = gitterweite; y <= settings.hoehe; y += gitterweite) rows.push_back(static_cast<int32_t>(y));
    std::vector<std::string> lines(rows.size());
    ParallelFor(static_cast<int64_t>(rows.size()), [&](int64_t row) {
        const int32_t py = rows[static_cast<size_t>(row)];
        std::string& text = lines[static_cast<size_t>(row)];
        for (int64_t x = gitterweite; x <= settings.breite; x += gitterweite) {
            const auto px = static_cast<int32_t>(x);
            text += FieldLine(px, py, FieldAt(list, px, py), ',') + '\n';
        }
    });
    std::string csv = "x,y,fx,fy,e\n";
    for (const std::string& text : lines) csv += text;
    return csv;
}

void (MainWindow::*RenderCommand(CliOptions::Render render))() {
    switch (render) {
        case CliOptions::Render::Arrows: return &MainWindow::DrawArrows;
        case CliOptions::Render::StreamLines: return &MainWindow::DrawStreamLines;
        case CliOptions::Render::Circles: return &MainWindow::DrawCircles;
        case CliOptions::Render::Scene: return &MainWindow::ClearDisplays;
    }
    throw std::logic_error("unknown picture kind");
}

std::vector<uint8_t> PictureBytes(const platform::RasterBitmap& picture, std::string fileName) {
    std::transform(fileName.begin(), fileName.end(), fileName.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return fileName.ends_with(".png") ? picture.PngBytes() : picture.BmpBytes();
}

// Runs one step the way a menu command runs: an error ends it with a message.
// Every message the program showed goes to `err`; true when there was none.
template <class Action>
bool Step(platform::HeadlessPlatform& headless, std::ostream& err, Action&& action) {
    platform::ReportingErrors(headless, action);
    for (std::string message : headless.messages) {
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << '\n';
    }
    const bool quiet = headless.messages.empty();
    headless.messages.clear();
    return quiet;
}

int RunScene(const CliOptions& options, platform::HeadlessPlatform& headless, std::ostream& out, std::ostream& err) {
    platform::HeadlessWindow window(kCliScreenSize, kCliScreenSize);
    MainWindow form(headless, window);
    const SceneList& list = form.Scene();
    headless.fileNameAnswers.push_back(options.scene);
    if (!Step(headless, err, [&] { form.OpenScene(); })) return 1;

    int32_t passes = 0;
    if (!Step(headless, err, [&] { passes = form.PrepareScene(); })) return 1;

    for (const CliOptions::Point& probe : options.probes)
        out << "probe " << FieldLine(probe.x, probe.y, FieldAt(list, probe.x, probe.y), ' ') << '\n';
    if (options.field && !Step(headless, err, [&] {
            platform::ReplaceFileContents(
                *options.field, FieldCsv(list, form.Settings(), form.DisplaySettings().vektorpfeile.gitterweite));
        }))
        return 1;
    if (options.render) {
        // A display that shows a message instead (no light source) was not drawn.
        if (!Step(headless, err, [&] { (form.*RenderCommand(*options.render))(); })) return 1;
        if (!Step(headless, err, [&] {
                const std::vector<uint8_t> bytes = PictureBytes(window.Surface(), options.out);
                platform::ReplaceFileContents(options.out, std::string(bytes.begin(), bytes.end()));
            }))
            return 1;
    }
    if (options.save &&
        !Step(headless, err, [&] { SaveScene(*options.save, form.Settings(), form.DisplaySettings(), list); }))
        return 1;
    if (options.passes) out << "passes " << passes << '\n';
    return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CliOptions options;
    try {
        options = ParseCliArguments(arguments);
    } catch (const CliUsageError& error) {
        err << "brevanto-cli: " << error.what() << "\n\n" << CliUsage();
        return 2;
    }
    if (options.help) {
        out << CliUsage();
        return 0;
    }
    platform::HeadlessPlatform headless;
    return RunScene(options, headless, out, err);
}
