#include "cli/CliRun.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/CliOptions.h"
#include "files/SceneFile.h"
#include "model/Programvar.h"
#include "platform/Errors.h"
#include "platform/HeadlessPlatform.h"
#include "platform/SafeFileWrite.h"
#include "radiation/Berechnen.h"
#include "ui/Brevanto.h"

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
    Extended e = 0;   // energy density: the sum of the magnitudes
};

// The field at a point as the arrows and circles displays sum it.
FieldValue FieldAt(const TSceneList& list, int32_t x, int32_t y) {
    const FlowSum flow = list.FlowDensitySum(x, y);
    FieldValue value{flow.x, flow.y, 0};
    for (const auto& object : list) {
        FlowVectorList contributions;
        object->FlowContributionsAt(x, y, list, 0, contributions);
        for (const TFlowVector& vector : contributions) value.e += std::hypot(Extended{vector.fx}, Extended{vector.fy});
    }
    return value;
}

std::string FieldLine(int32_t x, int32_t y, const FieldValue& value, char separator) {
    return std::to_string(x) + separator + std::to_string(y) + separator + Number(value.fx) + separator +
           Number(value.fy) + separator + Number(value.e);
}

// The field on the arrows' grid: X = g, 2g, ... up to the picture width, the
// same for Y, row by row.
std::string FieldCsv(const TSceneList& list, int32_t gitterweite) {
    if (gitterweite < 1) throw std::runtime_error("The grid spacing of the arrows must be at least 1 pixel.");
    const Tprgvar& settings = prgvar();
    std::string csv = "x,y,fx,fy,e\n";
    for (int64_t y = gitterweite; y <= settings.hoehe; y += gitterweite)
        for (int64_t x = gitterweite; x <= settings.breite; x += gitterweite) {
            const auto px = static_cast<int32_t>(x), py = static_cast<int32_t>(y);
            csv += FieldLine(px, py, FieldAt(list, px, py), ',') + '\n';
        }
    return csv;
}

void (TForm1::*RenderCommand(CliOptions::Render render))() {
    switch (render) {
        case CliOptions::Render::Arrows: return &TForm1::Vektorpfeile1Click;
        case CliOptions::Render::StreamLines: return &TForm1::Stromlinien1Click;
        case CliOptions::Render::Circles: return &TForm1::Kreise1Click;
        case CliOptions::Render::Scene: return &TForm1::Darstellungsformen1Click;
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
    platform::ReportingErrors(action);
    for (std::string message : headless.messages) {
        std::replace(message.begin(), message.end(), '\r', '\n');
        err << message << '\n';
    }
    const bool quiet = headless.messages.empty();
    headless.messages.clear();
    return quiet;
}

int RunScene(const CliOptions& options, platform::HeadlessPlatform& headless, std::ostream& out,
             std::ostream& err) {
    platform::HeadlessWindow window(kCliScreenSize, kCliScreenSize);
    TForm1 form(headless, window);
    TSceneList& list = form.SceneList();
    headless.fileNameAnswers.push_back(options.scene);
    if (!Step(headless, err, [&] { form.Load1Click(); })) return 1;

    const size_t captionsBefore = window.Captions().size();
    const bool computed = Step(headless, err, [&] {
        list.CleanAndNumber();
        Calculate(list, window);
        list.PrepareQueries();
    });
    if (!computed) return 1;
    // Calculate names each pass it runs in the caption.
    const std::string passCaption = prgvar().titel + " , ";
    const auto passes = std::count_if(window.Captions().begin() + static_cast<std::ptrdiff_t>(captionsBefore),
                                      window.Captions().end(),
                                      [&](const std::string& caption) { return caption.starts_with(passCaption); });

    for (const CliOptions::Point& probe : options.probes)
        out << "probe " << FieldLine(probe.x, probe.y, FieldAt(list, probe.x, probe.y), ' ') << '\n';
    if (options.field && !Step(headless, err, [&] {
            platform::ReplaceFileContents(*options.field, FieldCsv(list, form.Displays().vektorpfeile.gitterweite));
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
    if (options.save && !Step(headless, err, [&] { SaveScene(*options.save, list, form.Displays()); })) return 1;
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
    platform::SetCurrentPlatform(&headless);
    try {
        const int status = RunScene(options, headless, out, err);
        platform::SetCurrentPlatform(nullptr);
        return status;
    } catch (...) {
        platform::SetCurrentPlatform(nullptr);
        throw;
    }
}
