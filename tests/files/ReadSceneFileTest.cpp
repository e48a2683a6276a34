// Reading a scene file into scene data, before anything of the program's
// state changes.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "files/SceneFile.h"

namespace {

SceneFileContents Read(const std::string& bytes) {
    platform::TextFile file = platform::TextFile::FromText(bytes);
    return ReadSceneFile(file, "Brevanto 2.0", Displays{});
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
