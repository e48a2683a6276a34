// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace brevanto::cli {

using namespace model;
using namespace ui;

namespace {

const std::array<std::pair<const char*, DisplayKind>, 6> kRenderKinds{{
    {"arrows", DisplayKind::Arrows},
    {"streamlines", DisplayKind::StreamLines},
    {"circles", DisplayKind::Circles},
    {"scene", DisplayKind::None},
    {"diffuseness", DisplayKind::Diffuseness},
    {"densitymap", DisplayKind::EnergyDensityMap},
}};

const std::string kProbeWanted = "--probe wants two whole pixel coordinates X,Y";
const std::string kLineWanted =
    "--line wants the whole pixel coordinates of its ends, X1,Y1,X2,Y2, and after them the samples, :N, from 1 to "
    "1000000 (10 if not given)";

// The error for a text that is not what an option wants.
CliUsageError Unwanted(const std::string& wanted, const std::string& text) {
    return CliUsageError(wanted + ", not \"" + text + "\"");
}

// Whole numbers separated by commas, exactly `count` of them; `wanted` says
// what the option wants when the text is something else.
std::vector<int32_t> WholeNumbers(const std::string& text, size_t count, const std::string& wanted) {
    std::vector<int32_t> numbers;
    const char* at = text.data();
    const char* end = at + text.size();
    while (numbers.size() < count) {
        int32_t value = 0;
        const auto [rest, error] = std::from_chars(at, end, value);
        const bool last = numbers.size() + 1 == count;
        if (error != std::errc() || (last ? rest != end : rest == end || *rest != ',')) throw Unwanted(wanted, text);
        numbers.push_back(value);
        at = rest + 1;
    }
    return numbers;
}

ParameterSweep SweepOption(const std::string& text) {
    try {
        return ParseParameterSweep(text);
    } catch (const std::invalid_argument& problem) {
        throw CliUsageError("--sweep wants KEY=FROM:TO:STEP, KEY being sun.richtung, N.staerke, N.dx or N.dy, but \"" +
                            text + "\": " + problem.what());
    }
}

CliOptions::Point ProbePoint(const std::string& text) {
    const std::vector<int32_t> point = WholeNumbers(text, 2, kProbeWanted);
    return {point[0], point[1]};
}

MeasuringLine LineOption(const std::string& text) {
    const size_t colon = text.find(':');
    const std::vector<int32_t> ends = WholeNumbers(text.substr(0, colon), 4, kLineWanted);
    MeasuringLine line{ends[0], ends[1], ends[2], ends[3]};
    if (colon != std::string::npos) {
        line.samples = WholeNumbers(text.substr(colon + 1), 1, kLineWanted)[0];
        if (line.samples < 1 || line.samples > MeasuringLine::kMostSamples) throw Unwanted(kLineWanted, text);
    }
    return line;
}

double Seconds(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end || !(value > 0) || value > 1e9)
        throw Unwanted("--max-seconds wants a number of seconds above 0", text);
    return value;
}

DisplayKind RenderKind(const std::string& text) {
    for (const auto& [name, kind] : kRenderKinds)
        if (text == name) return kind;
    throw Unwanted("--render wants arrows, streamlines, circles, diffuseness, densitymap or scene", text);
}

// The options that take no value: each switches on what it names.
constexpr std::array<std::pair<const char*, bool CliOptions::*>, 7> kSwitches{{
    {"--passes", &CliOptions::passes},
    {"--legends", &CliOptions::legends},
    {"--log-arrows", &CliOptions::logarithmicArrows},
    {"--polar", &CliOptions::polar},
    {"--balance", &CliOptions::balance},
    {"--verify", &CliOptions::verify},
    {"--progress", &CliOptions::progress},
}};

// Switches on what `argument` names; false when it is no switch.
bool SetSwitch(const std::string& argument, CliOptions& options) {
    for (const auto& [name, member] : kSwitches)
        if (argument == name) {
            options.*member = true;
            return true;
        }
    return false;
}

// Throws CliUsageError unless the options go together: a scene file comes
// with everything but the verification alone, --render with --out, --polar
// with --probe.
void CheckTogether(const CliOptions& options, bool sceneGiven, bool outGiven) {
    // The verification scenes are built in; everything else reads the scene.
    const bool sceneWanted = !options.probes.empty() || !options.lines.empty() || options.sweep || options.field ||
                             options.render || outGiven || options.save || options.passes || options.balance;
    if (!sceneGiven && (sceneWanted || !options.verify)) throw CliUsageError("no scene file given");
    if (options.render.has_value() != outGiven) throw CliUsageError("--render and --out go together");
    if (options.polar && options.probes.empty()) throw CliUsageError("--polar goes with --probe");
}

template <class Value>
void SetOnce(std::optional<Value>& option, Value value, const std::string& name) {
    if (option) throw CliUsageError(name + " is given twice");
    option = std::move(value);
}

}  // namespace

CliOptions ParseCliArguments(const std::vector<std::string>& arguments) {
    CliOptions options;
    if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) {
        options.help = true;
        return options;
    }
    if (std::find(arguments.begin(), arguments.end(), "--version") != arguments.end()) {
        options.version = true;
        return options;
    }
    std::optional<std::string> scene;
    std::optional<std::string> out;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 == arguments.size()) throw CliUsageError(argument + " needs a value");
            return arguments[++i];
        };
        if (SetSwitch(argument, options)) continue;
        if (argument == "--probe")
            options.probes.push_back(ProbePoint(value()));
        else if (argument == "--line")
            options.lines.push_back(LineOption(value()));
        else if (argument == "--sweep")
            SetOnce(options.sweep, SweepOption(value()), argument);
        else if (argument == "--field")
            SetOnce(options.field, value(), argument);
        else if (argument == "--render")
            SetOnce(options.render, RenderKind(value()), argument);
        else if (argument == "--out")
            SetOnce(out, value(), argument);
        else if (argument == "--save")
            SetOnce(options.save, value(), argument);
        else if (argument == "--max-seconds")
            SetOnce(options.maxSeconds, Seconds(value()), argument);
        else if (argument.starts_with("-") && argument.size() > 1)
            throw CliUsageError("unknown option " + argument);
        else
            SetOnce(scene, argument, "the scene file");
    }
    CheckTogether(options, scene.has_value(), out.has_value());
    options.scene = scene.value_or("");
    options.out = out.value_or("");
    return options;
}

const std::string& CliUsage() {
    static const std::string usage =
        "Usage: brevanto-cli SCENE.brv [options]\n"
        "       brevanto-cli --verify\n"
        "Loads a Brevanto 2.0 scene file, computes its radiation field and reports on it.\n"
        "\n"
        "Options, carried out in this order:\n"
        "  --probe X,Y       print \"probe X Y FX FY E\": the energy flow density vector\n"
        "                    (FX, FY) and the energy density E at the pixel (X, Y);\n"
        "                    may be given several times\n"
        "  --line X1,Y1,X2,Y2[:N]\n"
        "                    print for N points (10 if not given) at the middles of N\n"
        "                    equal pieces of the line \"line K S X Y IRR+ IRR- E\": K the\n"
        "                    line's number from 1, S the distance along it, IRR+ the\n"
        "                    irradiance crossing it from the left of its direction\n"
        "                    as seen on the screen to its right, IRR- the other way,\n"
        "                    E the energy density; then \"linetotal K P+ P-\", the\n"
        "                    power crossing it each way. May be given several times.\n"
        "  --polar           after each probe print \"polar X Y S0 ... S35\": Sk sums the\n"
        "                    magnitudes of the light arriving at (X, Y) that travels\n"
        "                    in the directions 10k to 10(k + 1) degrees (0 along +x,\n"
        "                    counter-clockwise on the screen)\n"
        "  --field FILE.csv  write x,y,fx,fy,e for every point of the arrows' grid\n"
        "  --render KIND     draw arrows, streamlines, circles, diffuseness,\n"
        "                    densitymap or scene (the objects alone) as the program's\n"
        "                    window shows it ...\n"
        "  --out FILE        ... into FILE: a PNG picture when FILE ends in .png,\n"
        "                    vector graphics when it ends in .svg, a Windows bitmap\n"
        "                    otherwise\n"
        "  --legends         ... with the display's legend in a corner\n"
        "  --log-arrows      ... arrows whose lengths grow with the logarithm of the flow\n"
        "                    density, over three decades below the strongest\n"
        "  --save FILE.brv   write the scene back (zero-size objects left out)\n"
        "  --passes          print \"passes N\", the iteration passes the computation ran\n"
        "  --balance         print the energy balance: \"balance N KIND emitted received\n"
        "                    reflected transmitted absorbed\" per object, \"frame P\"\n"
        "                    for what leaves through the picture frame and\n"
        "                    \"imbalance PERCENT\"\n"
        "  --sweep KEY=FROM:TO:STEP\n"
        "                    give the scene each value from FROM to TO in steps of\n"
        "                    STEP, compute it and print \"sweep VALUE\", then P+ P- of\n"
        "                    each --line and the power each absorber absorbs, in list\n"
        "                    order. KEY: sun.richtung (the first sun's direction),\n"
        "                    N.staerke (object N's strength), N.dx or N.dy (object N\n"
        "                    moved by VALUE pixels); N counts from 1, the background\n"
        "                    radiation's number\n"
        "  --verify          compute the built-in scenes with known answers and print\n"
        "                    \"verify NAME computed exact difference% tolerance% ok|FAIL\"\n"
        "                    per case; a case outside its tolerance gives exit status 1\n"
        "  --max-seconds S   stop when the run has taken S seconds, or at once when it\n"
        "                    is estimated to take more than twice as long\n"
        "  --progress        show what is being computed on standard error\n"
        "  --help            print this text\n"
        "  --version         print the version and the licence\n"
        "\n"
        "Pictures may be up to " +
        std::to_string(kCliScreenSize) + " x " + std::to_string(kCliScreenSize) +
        " pixels.\n"
        "Exit status: 0 done; 1 the scene could not be loaded, computed or drawn, a\n"
        "file could not be written (the program's messages go to standard error) or a\n"
        "verification case failed; 2 the command line is wrong; 3 the time of\n"
        "--max-seconds was not enough.\n";
    return usage;
}

}  // namespace brevanto::cli
