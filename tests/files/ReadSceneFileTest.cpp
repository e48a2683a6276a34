// Reading a scene file into scene data, before anything of the program's
// state changes.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "files/SceneFile.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegelKreis.h"

namespace {

SceneFileContents Read(const std::string& bytes) {
    platform::TextFile file = platform::TextFile::FromText(bytes);
    return ReadSceneFile(file, "Brevanto 2.0", Displays{});
}

TEST(ReadSceneFileTest, WholeFileIsReadWithoutAProblem) {
    const SceneFileContents contents = Read(FileBytes(EveryKind()));
    EXPECT_TRUE(contents.isSceneFile && contents.screenRead && contents.stateReplaced);
    EXPECT_FALSE(contents.problem);
    EXPECT_EQ(contents.breite, 1024);
    EXPECT_EQ(contents.settings.sellaenge, 4);
    EXPECT_EQ(contents.displays.vektorpfeile.gitterweite, 25);
    ASSERT_EQ(contents.list.size(), 9u);
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
        {"gitterweite=25", "gitterweit=25", Kind::WrongLine, 12, "a line beginning with \"gitterweite=\""},
        {"lambert", "laser", Kind::WrongObject, 39, "a kind of object or \"end\""},
        {"sellaenge=4", "sellaenge=4x", Kind::BadNumber, 16, "a line beginning with \"sellaenge=\""},
    };
    for (const Case& c : cases) {
        const SceneFileContents contents = Read(With(EveryKind(), {{c.from, c.to}}));
        ASSERT_TRUE(contents.problem) << c.to;
        EXPECT_EQ(contents.problem->kind, c.kind) << c.to;
        EXPECT_EQ(contents.problem->line, c.line) << c.to;
        EXPECT_EQ(contents.problem->expected, c.expected) << c.to;
        EXPECT_EQ(contents.problem->found, c.to);
    }
}

}  // namespace
