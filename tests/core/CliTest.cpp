// The command-line tool: its arguments, what it prints and the files it writes.
#include <cstdio>
#include <sys/wait.h>

#include "SceneFileFixture.h"
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "objects/ObjektParallel.h"

namespace {

using Render = CliOptions::Render;

// --- Arguments ------------------------------------------------------------------

TEST(CliArguments, EveryOptionIsTaken) {
    const CliOptions options = ParseCliArguments({"--passes", "in.brv", "--probe", "1,-2", "--probe", "30,40", "--field",
                                                  "f.csv", "--render", "circles", "--out", "p.png", "--save", "s.brv"});
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.scene, "in.brv");
    ASSERT_EQ(options.probes.size(), 2u);
    EXPECT_EQ(options.probes[0].x, 1);
    EXPECT_EQ(options.probes[0].y, -2);
    EXPECT_EQ(options.probes[1].x, 30);
    EXPECT_EQ(options.field, "f.csv");
    EXPECT_EQ(options.render, Render::Circles);
    EXPECT_EQ(options.out, "p.png");
    EXPECT_EQ(options.save, "s.brv");
    EXPECT_TRUE(options.passes);
}

TEST(CliArguments, RenderKindsByName) {
    for (const auto& [name, kind] : std::vector<std::pair<std::string, Render>>{
             {"arrows", Render::Arrows}, {"streamlines", Render::StreamLines}, {"circles", Render::Circles},
             {"scene", Render::Scene}})
        EXPECT_EQ(ParseCliArguments({"s.brv", "--render", name, "--out", "p.bmp"}).render, kind) << name;
}

TEST(CliArguments, HelpWinsOverEverythingElse) {
    EXPECT_TRUE(ParseCliArguments({"--help"}).help);
    EXPECT_TRUE(ParseCliArguments({"--probe", "--help"}).help);
}

TEST(CliArguments, WrongCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> wrong{
        {},
        {"--passes"},
        {"a.brv", "b.brv"},
        {"s.brv", "--probe"},
        {"s.brv", "--probe", "1"},
        {"s.brv", "--probe", "1,2,3"},
        {"s.brv", "--probe", "x,1"},
        {"s.brv", "--probe", "1.5,2"},
        {"s.brv", "--probe", ",2"},
        {"s.brv", "--probe", "99999999999,1"},
        {"s.brv", "--render", "lines", "--out", "p.bmp"},
        {"s.brv", "--render", "arrows"},
        {"s.brv", "--out", "p.bmp"},
        {"s.brv", "--field", "a.csv", "--field", "b.csv"},
        {"s.brv", "--save"},
        {"s.brv", "--frobnicate"},
        {"s.brv", "-p"},
    };
    for (const auto& arguments : wrong) {
        std::string line;
        for (const auto& argument : arguments) line += argument + " ";
        EXPECT_THROW(ParseCliArguments(arguments), CliUsageError) << line;
    }
}

TEST(CliRun, UsageErrorExitsWithTwoAndTheUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"s.brv", "--render", "lines", "--out", "p.bmp"}, out, err), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("\"lines\""), std::string::npos);
    EXPECT_NE(err.str().find(CliUsage()), std::string::npos);
}

TEST(CliRun, HelpPrintsTheUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"--help"}, out, err), 0);
    EXPECT_EQ(out.str(), CliUsage());
    EXPECT_TRUE(err.str().empty());
}

// --- Running on a scene -------------------------------------------------------

// Scenes are made with the main window and written with the program's writer.
class CliSceneTest : public SceneFileTest {
protected:
    static constexpr float kStaerke = 40.0f;

    // A parallel emitter from (100, 200) to (300, 200): its beam fills the strip
    // 100 <= x <= 300, upward above the segment and downward below it.
    std::string ParallelScene() {
        auto emitter = std::make_unique<TObjektParallel>(100, 200, 300, 200);
        emitter->staerke = kStaerke;
        form->SceneList().Append(std::move(emitter));
        Save("parallel");
        return PathOf("parallel.brv");
    }

    // Runs the tool; `out` and `err` receive what it prints.
    int Run(const std::vector<std::string>& arguments) {
        out.str("");
        err.str("");
        const int status = RunCli(arguments, out, err);
        platform::SetCurrentPlatform(&headless);  // the tool had its own
        return status;
    }

    std::ostringstream out;
    std::ostringstream err;
};

struct Probe {
    int x, y;
    double fx, fy, e;
};

std::vector<Probe> Probes(const std::string& printed) {
    std::vector<Probe> probes;
    std::istringstream lines(printed);
    std::string word;
    Probe probe{};
    while (lines >> word)
        if (word == "probe" && lines >> probe.x >> probe.y >> probe.fx >> probe.fy >> probe.e) probes.push_back(probe);
    return probes;
}

TEST_F(CliSceneTest, ParallelBeamPointsAwayFromTheEmitterOnBothSides) {
    ASSERT_EQ(Run({ParallelScene(), "--probe", "150,100", "--probe", "150,300", "--probe", "50,100"}), 0) << err.str();
    const std::vector<Probe> probes = Probes(out.str());
    ASSERT_EQ(probes.size(), 3u) << out.str();
    // The beam's density is the stored float; the printed ten digits hold it
    // far closer than this.
    const double tolerance = 1e-6 * kStaerke;
    const std::vector<Probe> expected{{150, 100, 0, -kStaerke, kStaerke}, {150, 300, 0, kStaerke, kStaerke},
                                      {50, 100, 0, 0, 0}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(probes[i].x, expected[i].x);
        EXPECT_EQ(probes[i].y, expected[i].y);
        EXPECT_NEAR(probes[i].fx, expected[i].fx, tolerance) << i;
        EXPECT_NEAR(probes[i].fy, expected[i].fy, tolerance) << i;
        EXPECT_NEAR(probes[i].e, expected[i].e, tolerance) << i;
    }
    EXPECT_TRUE(err.str().empty());
}

TEST_F(CliSceneTest, NumbersUseThePointWhateverTheSeparator) {
    const std::string scene = ParallelScene();
    platform::SetDecimalSeparator(',');
    ASSERT_EQ(Run({scene, "--probe", "150,100"}), 0) << err.str();
    EXPECT_EQ(out.str(), "probe 150 100 0 -40 40\n");
}

TEST_F(CliSceneTest, PassesCountsTheIterationPasses) {
    ASSERT_EQ(Run({ParallelScene(), "--passes"}), 0) << err.str();
    EXPECT_EQ(out.str(), "passes 1\n");  // no mirror: the first pass changes nothing
}

TEST_F(CliSceneTest, FieldHoldsTheArrowsGrid) {
    const std::string scene = ParallelScene();
    ASSERT_EQ(Run({scene, "--field", PathOf("field.csv"), "--probe", "160,100"}), 0) << err.str();
    std::istringstream csv(ReadBytes(PathOf("field.csv")));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "x,y,fx,fy,e");
    std::vector<std::string> rows;
    while (std::getline(csv, line)) rows.push_back(line);
    // Columns X = 20 .. 1020 and rows Y = 20 .. 760.
    ASSERT_EQ(rows.size(), (1024u / 20) * (768u / 20));
    EXPECT_TRUE(rows.front().starts_with("20,20,"));
    EXPECT_TRUE(rows[1].starts_with("40,20,"));
    EXPECT_TRUE(rows.back().starts_with("1020,760,"));
    std::string probe = out.str().substr(std::string("probe ").size());
    probe.pop_back();
    std::replace(probe.begin(), probe.end(), ' ', ',');
    EXPECT_NE(std::find(rows.begin(), rows.end(), probe), rows.end()) << probe;
}

bool IsBitmapOf(const std::string& bytes, int width, int height) {
    const auto number = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) value |= uint32_t(uint8_t(bytes.at(at + i))) << (8 * i);
        return static_cast<int32_t>(value);
    };
    return bytes.size() > 54 && bytes.starts_with("BM") && number(2) == static_cast<int32_t>(bytes.size()) &&
           number(18) == width && std::abs(number(22)) == height;
}

TEST_F(CliSceneTest, ArrowsPictureIsABitmapThatDiffersFromTheScene) {
    const std::string scene = ParallelScene();
    ASSERT_EQ(Run({scene, "--render", "arrows", "--out", PathOf("arrows.bmp")}), 0) << err.str();
    ASSERT_EQ(Run({scene, "--render", "scene", "--out", PathOf("scene.bmp")}), 0) << err.str();
    const std::string arrows = ReadBytes(PathOf("arrows.bmp"));
    const std::string plain = ReadBytes(PathOf("scene.bmp"));
    EXPECT_TRUE(IsBitmapOf(arrows, 1024, 768));
    EXPECT_TRUE(IsBitmapOf(plain, 1024, 768));
    EXPECT_NE(arrows, plain);
}

TEST_F(CliSceneTest, PngWhenTheNameSaysSo) {
    ASSERT_EQ(Run({ParallelScene(), "--render", "circles", "--out", PathOf("circles.PNG")}), 0) << err.str();
    EXPECT_TRUE(ReadBytes(PathOf("circles.PNG")).starts_with("\x89PNG\r\n\x1a\n"));
}

TEST_F(CliSceneTest, SaveWritesTheSceneBack) {
    const std::string scene = ParallelScene();
    ASSERT_EQ(Run({scene, "--save", PathOf("copy.brv")}), 0) << err.str();
    EXPECT_EQ(ReadBytes(PathOf("copy.brv")), ReadBytes(scene));
}

TEST_F(CliSceneTest, DamagedSceneExitsWithOneAndTheMessages) {
    const std::string scene = ParallelScene();
    std::string bytes = ReadBytes(scene);
    bytes.resize(bytes.size() - std::string("end\r\n").size());
    WriteBytes(PathOf("damaged.brv"), bytes);
    EXPECT_EQ(Run({PathOf("damaged.brv"), "--probe", "150,100"}), 1);
    EXPECT_EQ(err.str(), "Fehler hier!\nThe file " + PathOf("damaged.brv") + " could not be opend\n");
    EXPECT_TRUE(out.str().empty());

    EXPECT_EQ(Run({PathOf("absent.brv")}), 1);
    EXPECT_NE(err.str().find("absent.brv"), std::string::npos);
}

TEST_F(CliSceneTest, SceneLargerThanTheToolsScreenCannotBeLoaded) {
    std::string bytes = ReadBytes(ParallelScene());
    const std::string height = "hoehe=768";
    bytes.replace(bytes.find(height), height.size(), "hoehe=" + std::to_string(kCliScreenSize + 1));
    WriteBytes(PathOf("tall.brv"), bytes);
    EXPECT_EQ(Run({PathOf("tall.brv")}), 1);
    EXPECT_NE(err.str().find("resolution of Your screen"), std::string::npos);
}

TEST_F(CliSceneTest, DisplayThatCannotBeDrawnExitsWithOne) {
    Save("dark");
    EXPECT_EQ(Run({PathOf("dark.brv"), "--render", "arrows", "--out", PathOf("dark.bmp")}), 1);
    EXPECT_EQ(err.str(), "No arrows are drawn, because there is no light-source.\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf("dark.bmp")));
}

// Each example opens, computes and draws its arrows; saving it again gives
// the same bytes, so it is just as the program writes it.
TEST_F(CliSceneTest, EveryExampleIsDrawnAndIsAsTheProgramWritesIt) {
    const std::filesystem::path examples = BREVANTO_SOURCE_DIR "/examples";
    std::vector<std::filesystem::path> scenes;
    for (const auto& entry : std::filesystem::directory_iterator(examples))
        if (entry.path().extension() == ".brv") scenes.push_back(entry.path());
    EXPECT_GE(scenes.size(), 4u);
    for (const auto& scene : scenes) {
        const std::string picture = PathOf("example.bmp");
        const std::string copy = PathOf("example.brv");
        ASSERT_EQ(Run({scene.string(), "--render", "arrows", "--out", picture, "--save", copy}), 0)
            << scene << ": " << err.str();
        EXPECT_TRUE(IsBitmapOf(ReadBytes(picture), 1024, 768)) << scene;
        EXPECT_EQ(ReadBytes(copy), ReadBytes(scene.string())) << scene;
    }
}

TEST_F(CliSceneTest, BuiltToolRunsFromTheShell) {
    const std::string command =
        std::string(BREVANTO_CLI_PATH) + " '" + ParallelScene() + "' --probe 150,300 --passes 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string printed;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) printed += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(printed, "probe 150 300 0 40 40\npasses 1\n");
}

}  // namespace
