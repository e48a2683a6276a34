// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRun.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <ostream>

#include "cli/CliOptions.h"
#include "files/FileNames.h"
#include "files/SceneFile.h"
#include "measure/EnergyBalance.h"
#include "measure/LineReading.h"
#include "measure/Verification.h"
#include "model/FieldRange.h"
#include "model/LightMeter.h"
#include "model/ParallelFor.h"
#include "model/ProgramVersion.h"
#include "platform/Conversions.h"
#include "platform/Errors.h"
#include "platform/HeadlessPlatform.h"
#include "platform/SafeFileWrite.h"
#include "ui/MainWindow.h"

namespace brevanto::cli {

using namespace model;
using namespace display;
using namespace files;
using namespace measure;
using namespace ui;

namespace {

// Ten significant digits and always ".", whatever the locale.
std::string Number(double value) { return platform::NumberWithPoint(value, 10); }

struct FieldValue {
    double fx = 0;  // energy flow density vector
    double fy = 0;
    double e = 0;  // energy density: the sum of the magnitudes
};

// The field at a point as the arrows and circles displays sum it. A value
// beyond what a float holds is no result: it is reported, never printed.
FieldValue FieldAt(const SceneList& list, int32_t x, int32_t y) {
    const SceneList::Field field = list.FieldAt(x, y);
    const FieldValue value{field.flow.x, field.flow.y, field.energy};
    for (double component : {value.fx, value.fy, value.e}) CheckFieldValue(component, x, y);
    return value;
}

std::string FieldLine(int32_t x, int32_t y, const FieldValue& value, char separator) {
    return std::to_string(x) + separator + std::to_string(y) + separator + Number(value.fx) + separator +
           Number(value.fy) + separator + Number(value.e);
}

// The rows of --line: each sample, then the power crossing each way.
std::string LineRows(size_t number, const LineReading& reading) {
    const std::string k = std::to_string(number);
    std::string rows;
    for (const LineSample& sample : reading.samples) {
        for (double value : {sample.plus, sample.minus, sample.energy}) CheckFieldValue(value, sample.px, sample.py);
        rows += "line " + k + ' ' + Number(sample.along) + ' ' + Number(sample.x) + ' ' + Number(sample.y) + ' ' +
                Number(sample.plus) + ' ' + Number(sample.minus) + ' ' + Number(sample.energy) + '\n';
    }
    return rows + "linetotal " + k + ' ' + Number(reading.powerPlus) + ' ' + Number(reading.powerMinus) + '\n';
}

// The field on the arrows' grid: X = g, 2g, ... up to the picture width, the
// same for Y, row by row.
std::string FieldCsv(const SceneList& list, const Tprgvar& settings, int32_t gitterweite,
                     const platform::ProgressWindow& progress) {
    if (gitterweite < 1) throw std::runtime_error("The grid spacing of the arrows must be at least 1 pixel.");
    // The rows side by side, each line written in its place.
    std::vector<int32_t> rows;
    for (int64_t y = gitterweite; y <= settings.hoehe; y += gitterweite) rows.push_back(static_cast<int32_t>(y));
    std::vector<std::string> lines(rows.size());
    const StopCheck stop = [&] {
        if (progress.Cancelled()) throw platform::Stopped();
    };
    ParallelFor(
        static_cast<int64_t>(rows.size()),
        [&](int64_t row) {
            const int32_t py = rows[static_cast<size_t>(row)];
            std::string& text = lines[static_cast<size_t>(row)];
            for (int64_t x = gitterweite; x <= settings.breite; x += gitterweite) {
                const auto px = static_cast<int32_t>(x);
                text += FieldLine(px, py, FieldAt(list, px, py), ',') + '\n';
            }
        },
        stop);
    std::string csv = "x,y,fx,fy,e\n";
    for (const std::string& text : lines) csv += text;
    return csv;
}

// "polar X Y S0 ... S35": the light meter's sectors.
std::string PolarLine(const platform::Measurement& measured) {
    std::string line = "polar " + std::to_string(measured.x) + ' ' + std::to_string(measured.y);
    for (const platform::Measurement::Sector& sector : measured.sectors) line += ' ' + Number(sector.energy);
    return line;
}

void PrintBalance(const EnergyBalance& balance, std::ostream& out) {
    std::vector<double> numbers{balance.leaving, balance.imbalance};
    for (const ObjectBalance& object : balance.objects)
        numbers.insert(numbers.end(),
                       {object.emitted, object.received, object.reflected, object.transmitted, object.absorbed});
    if (!std::all_of(numbers.begin(), numbers.end(), [](double number) { return std::isfinite(number); }))
        throw std::runtime_error(
            "The energy balance is too large to compute: the strengths of the scene are too high.");
    for (const ObjectBalance& object : balance.objects)
        out << "balance " << object.number << ' ' << object.kind << ' ' << Number(object.emitted) << ' '
            << Number(object.received) << ' ' << Number(object.reflected) << ' ' << Number(object.transmitted) << ' '
            << Number(object.absorbed) << '\n';
    out << "frame " << Number(balance.leaving) << '\n';
    out << "imbalance " << Number(balance.imbalance) << '\n';
}

// The grid points of the field CSV.
double FieldPoints(const Tprgvar& settings, int32_t gitterweite) {
    if (gitterweite < 1) return 0;
    return static_cast<double>(std::max(settings.breite / gitterweite, 0)) * std::max(settings.hoehe / gitterweite, 0);
}

// The work of everything the options ask for after the computation, in the
// units of SceneList::QueryWork: a probe or a field point queries the flow
// and the energy density.
double OptionsWork(const CliOptions& options, const MainWindow& form) {
    const SceneList& list = form.Scene();
    const Tprgvar& settings = form.Settings();
    const Displays& displays = form.DisplaySettings();
    double points = static_cast<double>(options.probes.size());
    for (const MeasuringLine& line : options.lines) points += line.samples;
    if (options.field) points += FieldPoints(settings, displays.vektorpfeile.gitterweite);
    double work = 2 * points * list.QueryWork(settings);
    if (options.render) work += form.DisplayWork(*options.render);
    if (options.balance) work += BalanceWork(list, settings);
    return work;
}

// The picture the window shows, as its "Save as Picture" writes it (without
// the marks the window shows over it), in the format the file name's
// extension names.
void WritePicture(MainWindow& form, const std::string& fileName) {
    if (EndsWithNoCase(fileName, ".svg")) return form.WriteSvg(fileName);
    const auto& picture = dynamic_cast<const platform::RasterBitmap&>(form.Picture());
    const std::vector<uint8_t> bytes = EndsWithNoCase(fileName, ".png") ? picture.PngBytes() : picture.BmpBytes();
    platform::ReplaceFileContents(fileName, std::string(bytes.begin(), bytes.end()));
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

// --sweep: the scene computed at each value, and a row of the power crossing
// each --line each way and the power each absorber absorbs.
void PrintSweep(MainWindow& form, const CliOptions& options, std::ostream& out) {
    form.RunSweep(*options.sweep, options.lines, [&](double value, const std::vector<double>& powers) {
        std::string row = "sweep " + Number(value);
        for (const double power : powers) row += ' ' + Number(power);
        out << row << '\n' << std::flush;
    });
}

constexpr int kTooLong = 3;
// The estimates lie within this factor of the time taken.
constexpr double kEstimateSpread = 2;

// The exit status of a step that failed: 3 when the time limit stopped it.
int Failed(const CliOptions& options, platform::HeadlessPlatform& headless, std::ostream& err) {
    if (!headless.Progress().Cancelled()) return 1;
    err << "brevanto-cli: stopped after the " << Number(*options.maxSeconds) << " s of --max-seconds.\n";
    return kTooLong;
}

// Whatever the estimate, the tool computes: the user asked for it, and
// --max-seconds bounds it. The deadline stops work that runs too long; only
// work estimated at more than kEstimateSpread times the limit, beyond what
// the estimate may be off, is refused at once. 0 to go on, else the exit
// status.
int LimitTime(const CliOptions& options, MainWindow& form, platform::HeadlessPlatform& headless, std::ostream& err) {
    if (!options.maxSeconds) return 0;
    double seconds = 0;
    if (!Step(headless, err, [&] { seconds = form.EstimatedSeconds(OptionsWork(options, form)); })) return 1;
    if (seconds > kEstimateSpread * *options.maxSeconds) {
        err << "brevanto-cli: this would take about " << Number(std::round(seconds)) << " s, more than the "
            << Number(*options.maxSeconds) << " s of --max-seconds.\n";
        return kTooLong;
    }
    headless.deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(*options.maxSeconds));
    return 0;
}

// The rows of --probe (with --polar) and --line.
std::string ProbeRows(const CliOptions& options, const SceneList& list, const platform::ProgressWindow& progress) {
    std::string rows;
    for (const CliOptions::Point& probe : options.probes) {
        if (progress.Cancelled()) throw platform::Stopped();
        rows += "probe " + FieldLine(probe.x, probe.y, FieldAt(list, probe.x, probe.y), ' ') + '\n';
        if (options.polar) rows += PolarLine(MeasureLight(list, probe.x, probe.y)) + '\n';
    }
    for (size_t k = 0; k < options.lines.size(); ++k)
        rows += LineRows(k + 1, MeasureAlong(list, options.lines[k], [&] {
                             if (progress.Cancelled()) throw platform::Stopped();
                         }));
    return rows;
}

// --field, --render with --out and --save. 0 when everything is written,
// else the exit status.
int WriteFiles(const CliOptions& options, MainWindow& form, platform::HeadlessPlatform& headless, std::ostream& err) {
    const SceneList& list = form.Scene();
    if (options.field && !Step(headless, err, [&] {
            platform::ReplaceFileContents(
                *options.field,
                FieldCsv(list, form.Settings(), form.DisplaySettings().vektorpfeile.gitterweite, headless.Progress()));
        }))
        return Failed(options, headless, err);
    if (options.render) {
        if (options.legends != form.LegendsShown()) form.ToggleLegends();
        if (options.logarithmicArrows != form.ArrowsLogarithmic()) form.ToggleLogarithmicArrows();
        // A display that shows a message instead (no light source) was not drawn.
        if (!Step(headless, err, [&] { form.ShowDisplay(*options.render); })) return Failed(options, headless, err);
        if (!Step(headless, err, [&] { WritePicture(form, options.out); })) return 1;
    }
    if (options.save && !Step(headless, err, [&] {
            SaveScene(*options.save, form.Settings(), form.DisplaySettings(), list, form.MeasuringLines());
        }))
        return 1;
    return 0;
}

// --passes, --balance and --sweep; the exit status.
int PrintResults(const CliOptions& options, MainWindow& form, int32_t passes, platform::HeadlessPlatform& headless,
                 std::ostream& out, std::ostream& err) {
    if (options.passes) out << "passes " << passes << '\n';
    if (options.balance && !Step(headless, err, [&] {
            const StopCheck stop = [&] {
                if (headless.Progress().Cancelled()) throw platform::Stopped();
            };
            PrintBalance(BalanceOf(form.Scene(), form.Settings(), stop), out);
        }))
        return Failed(options, headless, err);
    if (options.sweep && !Step(headless, err, [&] { PrintSweep(form, options, out); }))
        return Failed(options, headless, err);
    return 0;
}

int RunScene(const CliOptions& options, platform::HeadlessPlatform& headless, std::ostream& out, std::ostream& err) {
    // The window takes the size of the scene's picture; its pixels are
    // held only once something is drawn.
    platform::HeadlessWindow window(kCliScreenSize, kCliScreenSize);
    MainWindow form(headless, window);
    headless.fileNameAnswers.push_back(options.scene);
    // A file read whole becomes the scene's file; what it says of values its
    // dialogs would refuse is a warning, and the tool computes all the same.
    Step(headless, err, [&] { form.OpenScene(); });
    if (form.SceneFile().empty()) return 1;

    // What the window would have asked is told.
    headless.unscriptedAnswer = true;
    if (const int status = LimitTime(options, form, headless, err); status != 0) return status;
    if (options.progress)
        headless.onProgressText = [&err](std::string text) {
            std::replace(text.begin(), text.end(), '\r', ' ');
            err << text << '\n';
        };

    int32_t passes = 0;
    const bool prepared = Step(headless, err, [&] { passes = form.PrepareScene(OptionsWork(options, form)).value(); });
    for (std::string question : headless.questions) {
        std::replace(question.begin(), question.end(), '\r', '\n');
        err << "brevanto-cli: " << question << " Yes.\n";
    }
    if (!prepared) return Failed(options, headless, err);

    std::string probes;
    if (!Step(headless, err, [&] { probes = ProbeRows(options, form.Scene(), headless.Progress()); }))
        return Failed(options, headless, err);
    // A file written next may be standard output itself: what was printed
    // goes first.
    out << probes << std::flush;
    if (const int status = WriteFiles(options, form, headless, err); status != 0) return status;
    return PrintResults(options, form, passes, headless, out, err);
}

// The built-in scenes at the default resolution; 1 when a case fails.
int RunVerification(std::ostream& out) {
    const Tprgvar defaults(0, 0, 0);
    int status = 0;
    for (const VerificationCase& c : Verify(defaults.sellaenge, defaults.richtungprosel)) {
        out << "verify " << c.name << ' ' << Number(c.computed) << ' ' << Number(c.exact) << ' ' << Number(c.difference)
            << ' ' << Number(c.tolerance) << ' ' << (c.Passed() ? "ok" : "FAIL") << '\n';
        if (!c.Passed()) status = 1;
    }
    return status;
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
    if (options.version) {
        out << "brevanto-cli (Brevanto) " << kProgramVersion << "\n" << kLicenceNotice << "\n";
        return 0;
    }
    if (!options.scene.empty()) {
        platform::HeadlessPlatform headless;
        if (const int status = RunScene(options, headless, out, err); status != 0) return status;
    }
    return options.verify ? RunVerification(out) : 0;
}

}  // namespace brevanto::cli
