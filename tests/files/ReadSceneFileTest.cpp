// Reading a scene file into scene data, before anything of the program's
// state changes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/SceneFile.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegelKreis.h"

namespace {

platform::TextFile EveryKind() {
    const std::string path = BREVANTO_SOURCE_DIR "/tests/data/every-kind.brv";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing test fixture " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return platform::TextFile::FromText(text.str());
}

// The fixture with the first line equal to `from` replaced by `to`.
platform::TextFile EveryKindWith(const std::string& from, const std::string& to) {
    std::string text;
    bool replaced = false;
    const platform::TextFile original = EveryKind();
    for (const std::string& line : original.Lines()) {
        const bool match = !replaced && line == from;
        replaced = replaced || match;
        text += (match ? to : line) + "\r\n";
    }
    if (!replaced) throw std::logic_error("no line " + from);
    return platform::TextFile::FromText(text);
}

SceneFileContents Read(platform::TextFile file, const Displays& current = {}) {
    return ReadSceneFile(file, "Brevanto 2.0", current);
}

TEST(ReadSceneFileTest, WholeFileIsReadWithoutAProblem) {
    const SceneFileContents contents = Read(EveryKind());
    EXPECT_TRUE(contents.isSceneFile && contents.screenRead && contents.stateReplaced);
    EXPECT_FALSE(contents.problem);
    EXPECT_EQ(contents.breite, 1024);
    EXPECT_EQ(contents.settings.sellaenge, 4);
    EXPECT_EQ(contents.displays.vektorpfeile.gitterweite, 25);
    EXPECT_EQ(contents.list.size(), 9u);
    EXPECT_FLOAT_EQ(dynamic_cast<const TObjektLambert&>(contents.list[1]).staerke, 100);
    const auto& mirror = dynamic_cast<const TObjektSpiegelKreis&>(contents.list[7]);
    EXPECT_EQ((std::array{mirror.xmitte, mirror.ymitte, mirror.radius, mirror.winkel1, mirror.winkel2}),
              (std::array{250, 450, 80, 300, 120}));
    EXPECT_EQ((std::array{mirror.dirref, mirror.dirtrans, mirror.difref, mirror.diftrans}),
              (std::array{10.0f, 0.25f, 40.0f, 20.0f}))
        << "in the file's order";
}

// Each problem names its line, what belongs there and what is there.
TEST(ReadSceneFileTest, ProblemSaysWhereAndWhat) {
    struct Case {
        std::string from, to;
        SceneFileProblem::Kind kind;
        size_t line;
        std::string expected;
    };
    using Kind = SceneFileProblem::Kind;
    const Case cases[] = {
        {"Brevanto 2.0-File", "Brevanto 1.0-File", Kind::WrongLine, 1, "\"Brevanto 2.0-File\""},
        {"gitterweite=25", "gitterweit=25", Kind::WrongLine, 12, "a line beginning with \"gitterweite=\""},
        {"lambert", "laser", Kind::WrongObject, 39, "a kind of object or \"end\""},
        {"x2=200", "x2:200", Kind::WrongObject, 44, "a line beginning with \"x2=\""},
        {"sellaenge=4", "sellaenge=4x", Kind::BadNumber, 16, "a line beginning with \"sellaenge=\""},
    };
    for (const Case& c : cases) {
        const SceneFileContents contents = Read(EveryKindWith(c.from, c.to));
        ASSERT_TRUE(contents.problem) << c.to;
        EXPECT_EQ(contents.problem->kind, c.kind) << c.to;
        EXPECT_EQ(contents.problem->line, c.line) << c.to;
        EXPECT_EQ(contents.problem->expected, c.expected) << c.to;
        EXPECT_EQ(contents.problem->found, c.to);
    }
}

// A number that does not convert stops reading: the displays it had not
// reached keep the values they had before the load.
TEST(ReadSceneFileTest, BadNumberLeavesTheSectionsAfterItAsTheyWere) {
    Displays current;
    current.linien.linienabstand = 7;
    current.energiekreise.gitterweite = 33;
    const SceneFileContents contents = Read(EveryKindWith("gitterweite=25", "gitterweite=2x"), current);
    ASSERT_TRUE(contents.problem);
    EXPECT_EQ(contents.problem->kind, SceneFileProblem::Kind::BadNumber);
    EXPECT_TRUE(contents.stateReplaced);
    EXPECT_EQ(contents.displays.vektorpfeile.colour, 255) << "read before the bad number";
    EXPECT_EQ(contents.displays.linien.linienabstand, 7);
    EXPECT_EQ(contents.displays.energiekreise.gitterweite, 33);
}

}  // namespace
