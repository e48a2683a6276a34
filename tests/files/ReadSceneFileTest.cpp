// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a scene file into scene data, before anything of the program's
// state changes.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;
using namespace brevanto::files;

namespace {

SceneFileContents Read(const std::string& bytes) {
    platform::TextFile file = platform::TextFile::FromText(bytes);
    return ReadSceneFile(file, Displays{});
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

// Regression test: a value that its dialog would refuse (a coefficient sum
// above 100%, a strength beyond kLargestStrength) stopped reading there, and
// every object after it was dropped. Now the file reads whole, and each such
// object is named with its lines.
TEST(ReadSceneFileTest, ValuesTheDialogsRefuseAreKeptAndNamedWithTheirLines) {
    struct Case {
        LineEdits edits;
        std::vector<SceneFileWarning> warnings;
    };
    const std::string sum = "The sum must not be more than 100%.";
    const std::string each = "Each coefficient must lie between 0 and 100%.";
    const std::string strength = "The energy flow density must lie between -1E20 and 1E20.";
    const Case cases[] = {
        {{{"difref=40", "difref=80"}}, {{93, 105, "Circular mirror", sum}}},
        {{{"staerke=100", "staerke=1E25"}}, {{39, 47, "Straight lambert-like emitter", strength}}},
        {{{"staerke=0.300000011920929", "staerke=-1E25"}, {"dirref=0.5", "dirref=-1"}, {"staerke=50", "staerke=1E21"}},
         {{34, 38, "Background radiation", strength},
          {48, 59, "Straight mirror/diffusor", each},
          {60, 68, "Straight emitter of parallel light", strength}}},
        {{{"staerke=20", "staerke=3E38"}, {"staerke=25.5", "staerke=2E20"}},
         {{77, 82, "Sun", strength}, {83, 92, "Circular lambert-like emitter", strength}}},
    };
    for (const Case& c : cases) {
        const SceneFileContents contents = Read(With(EveryKind(), c.edits));
        const std::string what = c.edits.front().second;
        EXPECT_FALSE(contents.problem) << what << ": " << contents.problem->found;
        EXPECT_EQ(contents.list.size(), 9u) << what;  // the background radiation and one of each kind
        ASSERT_EQ(contents.warnings.size(), c.warnings.size()) << what;
        for (size_t i = 0; i < c.warnings.size(); ++i) {
            EXPECT_EQ(contents.warnings[i].firstLine, c.warnings[i].firstLine) << what;
            EXPECT_EQ(contents.warnings[i].lastLine, c.warnings[i].lastLine) << what;
            EXPECT_EQ(contents.warnings[i].description, c.warnings[i].description) << what;
            EXPECT_EQ(contents.warnings[i].problem, c.warnings[i].problem) << what;
        }
    }
    EXPECT_TRUE(Read(FileBytes(EveryKind())).warnings.empty());
}

// Regression test: the header was made of the window's title, so a program
// showing another version could not read the files it had written.
TEST(ReadSceneFileTest, HeaderDoesNotFollowTheTitle) {
    Tprgvar settings(0, 0, 0);
    settings.titel = "Brevanto 2.1";
    const platform::TextFile written = SceneFileText(settings, Displays{}, SceneList(NewBackground()));
    const std::string text = written.Text();
    EXPECT_TRUE(text.starts_with("Brevanto 2.0-File\r\n")) << text.substr(0, 40);
    const SceneFileContents contents = Read(text);
    EXPECT_TRUE(contents.isSceneFile);
    EXPECT_FALSE(contents.problem);
}

}  // namespace
