// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading scene files through the "File" menu commands.
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

#include "SceneFileFixture.h"
#include "objects/KindRegistry.h"
#include "platform/Colour.h"

using namespace brevanto;
using namespace brevanto::objects;

namespace {

using namespace std::string_literals;

// One section a row.
// clang-format off
const std::vector<std::string> kDefaultScene{
    "Brevanto 2.0-File", "begin", "screen", "begin", "hoehe=768", "breite=1024", "hintergrundfarbe=-16777201", "end",
    "vektorpfeile", "begin", "color=0", "gitterweite=20", "end",
    "prgvar", "begin", "sellaenge=5", "richtungprosel=102", "abbruchgenauigkeit=1", "maximaleiterationen=50", "end",
    "linien", "begin", "linienabstand=20", "iterationslaenge=2", "abbruchschwelle=0.00999999977648258", "color=0",
    "maxlaenge=1000", "end",
    "energiekreise", "begin", "color=0", "gitterweite=20", "end",
    "hintergrund", "begin", "staerke=0", "nuroben=0", "end",
    "end"};
// clang-format on

// --- Saving --------------------------------------------------------------------

TEST_F(SceneFileTest, NewSceneSavesAsTheDefault39LinesWithTheExtensionAppended) {
    ASSERT_EQ(kDefaultScene.size(), 39u);
    window.Choose("Neu1");
    // Save() reads back "<typed>.brv" unless the typed name ends in exactly ".brv".
    for (const char* typed : {"scene.BRV", "other.brv"}) EXPECT_EQ(Save(typed), FileBytes(kDefaultScene)) << typed;
    EXPECT_TRUE(headless.messages.empty());
}

// A Windows bitmap unless a PNG picture is asked for by the name typed or
// by the type chosen.
TEST_F(SceneFileTest, PictureIsSavedAsBitmapOrPngByExtensionThenType) {
    Open(FileBytes(EveryKind()));
    const auto& picture = static_cast<const platform::RasterBitmap&>(form.Picture());
    const std::vector<uint8_t> bmp = picture.BmpBytes(), png = picture.PngBytes();
    const std::string bmpBytes(bmp.begin(), bmp.end()), pngBytes(png.begin(), png.end());
    struct Case {
        const char* typed;
        size_t type;
        const char* written;
        const std::string& bytes;
    };
    for (const Case& c : {Case{"shot", 0, "shot.bmp", bmpBytes}, Case{"pic.png", 0, "pic.png", pngBytes},
                          Case{"kept.bmp", 1, "kept.bmp", bmpBytes}}) {
        headless.fileNameAnswers.push_back(PathOf(c.typed));
        headless.fileTypeAnswers.push_back(c.type);
        window.Choose("Speichern1");
        EXPECT_EQ(ReadBytes(PathOf(c.written)), c.bytes) << c.typed;
    }
    EXPECT_TRUE(headless.messages.empty());
}

// The dialogs start where the scene is: "Save" with its name, so that Enter
// saves it again without a question, "Open" in its folder, a picture beside
// it. "Cancel" in the question before another file is replaced leads back to
// the dialog, with the name chosen.
TEST_F(SceneFileTest, FileDialogsStartAtTheScenesFileAndCancelledReplaceAsksAgain) {
    Save("room");
    WriteBytes(PathOf("taken.svg"), "kept");
    headless.fileNameAnswers.push_back(PathOf("taken"));
    headless.dialogAnswers.push_back([](platform::DialogSpec&) { return platform::ModalResult::Cancel; });
    headless.fileNameAnswers.push_back(PathOf("free"));
    window.Choose("SvgExport1");
    EXPECT_EQ(ReadBytes(PathOf("taken.svg")), "kept");
    EXPECT_TRUE(std::filesystem::exists(PathOf("free.svg")));

    Save("room.brv");
    window.Choose("Load1");
    EXPECT_EQ(headless.fileDialogStarts,
              (std::vector<std::string>{"", PathOf("room.svg"), PathOf("taken.svg"), PathOf("room.brv"),
                                        std::filesystem::path(PathOf("room.brv")).parent_path().string()}));
    EXPECT_EQ(headless.shownDialogs.size(), 1u) << "the scene's own file is saved again without a question";
}

// Regression test: a save that fails part-way used to be able to leave a
// truncated scene file behind.
TEST_F(SceneFileTest, FailedSaveKeepsThePreviousFileAndNothingElseChanges) {
    const std::string previous = Save("kept");
    std::filesystem::create_directory(PathOf("kept.brv.part"));  // the writer's temporary cannot be made
    Open(FileBytes(EveryKind()));
    const std::string scene = SceneText();
    Save("kept");
    EXPECT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(PathOf("kept.brv")), previous);
    // Neither a missing file nor a cancelled dialog changes the scene.
    EXPECT_EQ(OpenFile(PathOf("absent.brv")).size(), 1u);
    for (const char* item : {"Save1", "Load1", "Speichern1"}) {
        headless.fileNameAnswers.push_back(std::nullopt);
        window.Choose(item);
    }
    EXPECT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(SceneText(), scene);
}

// --- Loading what was saved ----------------------------------------------------

TEST_F(SceneFileTest, EveryKindSavesLoadsAndSavesToTheSameBytes) {
    const std::string fixture = FileBytes(EveryKind());
    form.Settings().berechnet = true;
    EXPECT_TRUE(Open(fixture).empty());
    EXPECT_FALSE(form.Settings().berechnet);  // the loaded scene has no computed radiation
    EXPECT_EQ(form.Settings().hintergrundfarbe, platform::kButtonFaceColour);  // the file's -16777201
    // A kind added to the registry must be added to the fixture as well, or
    // the round trip does not cover it.
    std::set<std::string> loaded;
    for (const auto& object : form.Scene()) loaded.insert(object->kind);
    for (const KindEntry& kind : Kinds()) EXPECT_TRUE(loaded.contains(kind.keyword)) << kind.keyword;

    const std::string first = Save("first");
    EXPECT_EQ(first, fixture);
    EXPECT_TRUE(Open(first).empty());
    EXPECT_EQ(Save("second"), first);
}

// Decimal points and garbage after the final "end" read to the same scene,
// written with the separator in use.
TEST_F(SceneFileTest, DecimalPointsReadUnderTheCommaSeparator) {
    const std::string point = FileBytes(EveryKind());
    std::string comma = point;
    for (size_t i = comma.find('\n'); i + 1 < comma.size(); ++i)  // after the header, whose "2.0" is no number
        if (comma[i] == '.' && std::isdigit(static_cast<unsigned char>(comma[i + 1]))) comma[i] = ',';
    ASSERT_NE(comma, point);
    platform::SetDecimalSeparator(',');
    EXPECT_TRUE(Open(point + "garbage\r\n\x01\x02\r\n").empty());
    EXPECT_EQ(SceneText(), comma);
}

// --- Loading what does not match -----------------------------------------------

std::string CouldNotOpen(const std::string& path) { return "The file " + path + " could not be opend"; }

// A file that is not a scene file at all (empty, a folder) is refused with one message, and nothing changes.
TEST_F(SceneFileTest, FileThatIsNoSceneFileLeavesEverythingAsItWas) {
    Open(FileBytes(EveryKind()));
    form.Settings().berechnet = true;
    const std::string scene = SceneText();
    std::filesystem::create_directory(PathOf("folder.brv"));
    for (const auto& [name, bytes] :
         std::vector<std::pair<std::string, std::string>>{{"empty.brv", ""}, {"folder.brv", ""}}) {
        if (name != "folder.brv") WriteBytes(PathOf(name), bytes);
        const std::vector<std::string> messages = OpenFile(PathOf(name));
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_TRUE(messages[0].starts_with(CouldNotOpen(PathOf(name)))) << messages[0];
        EXPECT_EQ(SceneText(), scene) << name;
        EXPECT_TRUE(form.Settings().berechnet) << name;
    }
}

// The largest memory this process has used so far, in MB.
long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Regression test: the whole file used to be read into memory before its first
// line was checked, so opening a 200 MB file of anything took 200 MB and more.
// The files are sparse, so making them writes almost nothing to the disk.
TEST_F(SceneFileTest, LargeFileIsRefusedAtItsFirstUnusableLineWithoutReadingTheRest) {
    constexpr long kSize = 200L << 20;
    // Another first line, or one line of 200 MB: not a scene file.
    for (const std::string& first : {"Brevanto 1.0-File\r\n"s, ""s}) {
        WriteBytes(PathOf("large.brv"), first);
        std::filesystem::resize_file(PathOf("large.brv"), kSize);
        const long before = PeakMegabytes();
        const std::vector<std::string> messages = OpenFile(PathOf("large.brv"));
        ASSERT_EQ(messages.size(), 1u) << first;
        EXPECT_TRUE(messages[0].starts_with(CouldNotOpen(PathOf("large.brv")))) << messages[0];
        EXPECT_LT(PeakMegabytes() - before, 50) << "MB more memory used for " << first;
        EXPECT_EQ(SceneText(), FileBytes(kDefaultScene)) << "the scene as it was";
    }
}

// A line that does not match, a file ending early or a picture larger than
// the screen: the scene is emptied, the settings are the defaults with the size the
// window took, and the one message is the final one, saying where the file
// went wrong.
TEST_F(SceneFileTest, MismatchEmptiesTheSceneWithOnlyTheFinalMessage) {
    const std::string lowResolution = ", because the resolution of Your screen is not high enough";
    std::vector<std::pair<std::string, std::string>> files{
        {With(kDefaultScene, {{"hoehe=768", "hoehe=5000"}, {"hintergrundfarbe=-16777201", "hintergrundfarbe=0"}}),
         lowResolution},
        {With(kDefaultScene, {{"gitterweite=20", "gitterweit=20"}}),
         "\rIn line 12, a line beginning with \"gitterweite=\" was expected, but it reads \"gitterweit=20\"."},
        {FileBytes({kDefaultScene.begin(), kDefaultScene.begin() + 10}),
         "\rIn line 11, a line beginning with \"color=\" was expected, but the file ends before it."}};
    for (const auto& [bytes, reason] : files) {
        Open(FileBytes(EveryKind()));
        const std::vector<std::string> messages = Open(bytes);
        ASSERT_EQ(messages.size(), 1u) << bytes;
        EXPECT_TRUE(messages[0].starts_with(CouldNotOpen(PathOf("scene.brv")) + reason)) << messages[0];
        EXPECT_EQ(SceneText(), FileBytes(kDefaultScene)) << bytes;
    }
}

// An object section that fails says "Fehler hier!" before the final message;
// the objects before it, and the one failing half-way, stay.
TEST_F(SceneFileTest, BrokenObjectSectionKeepsTheObjectsBeforeIt) {
    const std::vector<std::string> lines = EveryKind();
    for (const auto& [bytes, kept] : std::vector<std::pair<std::string, size_t>>{
             {With(lines, {{"spiegel", "laser"}}), 2}, {With(lines, {{"x2=600", "x2:600"}}), 3}}) {
        const std::vector<std::string> messages = Open(bytes);
        ASSERT_EQ(messages.size(), 2u) << kept;
        EXPECT_EQ(messages[0], "Fehler hier!");
        EXPECT_TRUE(messages[1].starts_with(CouldNotOpen(PathOf("scene.brv")) + "\rIn line ")) << messages[1];
        EXPECT_EQ(form.Scene().size(), kept);
    }
}

// A value that does not convert gives one message quoting it. Until the screen
// section has been read nothing changes; after it the scene is replaced
// without computed radiation, and an object stays with what it read.
TEST_F(SceneFileTest, ConversionErrorIsOneMessageQuotingTheValue) {
    for (const auto& [bytes, value, kept, computed] : std::vector<std::tuple<std::string, std::string, size_t, bool>>{
             {With(kDefaultScene, {{"gitterweite=20", "gitterweite=20 "}}), "20 ", 1, false},
             {With(kDefaultScene, {{"hoehe=768", "hoehe=300"}, {"breite=1024", "breite=4x0"}}), "4x0", 9, true},
             {With(EveryKind(), {{"staerke=100", "staerke=1e99"}}), "1e99", 2, false}}) {
        Open(FileBytes(EveryKind()));
        form.Settings().berechnet = true;
        const std::vector<std::string> messages = Open(bytes);
        ASSERT_EQ(messages.size(), 1u) << value;
        EXPECT_NE(messages[0].find(value), std::string::npos) << messages[0];
        EXPECT_EQ(form.Scene().size(), kept) << value;
        EXPECT_EQ(form.Settings().berechnet, computed) << value;
        EXPECT_EQ(window.ClientHeight(), 768) << value;
        EXPECT_EQ(form.Settings().hoehe, 768) << value;
    }
}

// Regression test: a number that did not convert in the arrows' section also
// reset the stream lines' and the circles' settings, which come later.
TEST_F(SceneFileTest, ConversionErrorInOneDisplaySectionKeepsTheDisplaysAfterIt) {
    Open(FileBytes(EveryKind()));
    const std::vector<std::string> messages = Open(With(EveryKind(), {{"gitterweite=25", "gitterweite=2x"}}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("In line 12 of the file"), std::string::npos) << messages[0];
    EXPECT_EQ(form.DisplaySettings().vektorpfeile.colour, 255) << "read before the bad number";
    EXPECT_EQ(form.DisplaySettings().linien.linienabstand, 15);
    EXPECT_EQ(form.DisplaySettings().linien.maxlaenge, 800);
    EXPECT_EQ(form.DisplaySettings().energiekreise.gitterweite, 30);
}

// Regression test: after a reading error the window took the file as the
// scene's, with no unsaved changes, so "Save" replaced the whole file with
// the part that had been read. Now such a scene has no file and counts as
// unsaved; a file that is no scene file leaves the scene and its file as
// they were.
TEST_F(SceneFileTest, SceneReadInPartHasNoFileAndCountsAsUnsaved) {
    const std::vector<std::string> lines = EveryKind();
    struct Case {
        const char* what;
        std::string bytes;
        bool replaced;  // whether the scene was replaced, as far as read
    };
    const Case cases[] = {
        {"a conversion error part-way", With(lines, {{"x2=600", "x2=6x0"}}), true},
        {"a wrong line in a section", With(lines, {{"gitterweite=25", "gitterweit=25"}}), true},
        {"an unknown kind", With(lines, {{"spiegel", "laser"}}), true},
        {"a wrong line in an object", With(lines, {{"x2=600", "x2:600"}}), true},
        {"a file ending early", FileBytes({lines.begin(), lines.begin() + 60}), true},
        {"no final \"end\"", FileBytes({lines.begin(), lines.end() - 1}), true},
        {"a picture larger than the screen", With(lines, {{"hoehe=768", "hoehe=5000"}}), true},
        {"a conversion error in the screen section", With(lines, {{"breite=1024", "breite=1x"}}), false},
        {"a wrong header", With(lines, {{"Brevanto 2.0-File", "Brevanto 1.0-File"}}), false},
    };
    const std::string good = PathOf("good.brv");
    for (const Case& c : cases) {
        WriteBytes(good, FileBytes(lines));
        ASSERT_TRUE(OpenFile(good).empty());
        EXPECT_FALSE(Open(c.bytes).empty()) << c.what;
        if (c.replaced) {
            EXPECT_EQ(form.SceneFile(), "") << c.what;
            EXPECT_TRUE(form.HasUnsavedChanges()) << c.what;
        } else {
            EXPECT_EQ(form.SceneFile(), good) << c.what;
            EXPECT_FALSE(form.HasUnsavedChanges()) << c.what;
        }
        // Saving under the damaged file's name asks before it replaces it.
        headless.fileNameAnswers.push_back(PathOf("scene.brv"));
        headless.dialogAnswers.push_back([](platform::DialogSpec&) { return platform::ModalResult::Cancel; });
        window.Choose("Save1");
        EXPECT_TRUE(headless.dialogAnswers.empty()) << c.what << ": not asked";
        headless.dialogAnswers.clear();
        EXPECT_EQ(ReadBytes(PathOf("scene.brv")), c.bytes) << c.what;
    }
}

// Regression test: a coefficient sum above 100% stopped the reading, dropped
// the objects after it, and "Save" then wrote the truncated scene over the
// file. The file now opens whole as the scene's file, with one message that
// names the lines, and saves to the same bytes.
TEST_F(SceneFileTest, ValuesTheDialogsRefuseOpenWholeWithOneWarning) {
    const std::string bytes = With(EveryKind(), {{"difref=40", "difref=80"}, {"dirref=0.5", "dirref=-1"}});
    const std::vector<std::string> messages = Open(bytes);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The file " + PathOf("scene.brv") +
                               " holds values that the dialogs would not accept; they are kept as stored:"
                               "\rLines 48-59 (Straight mirror/diffusor): Each coefficient must lie between 0 and 100%."
                               "\rLines 93-105 (Circular mirror): The sum must not be more than 100%.");
    EXPECT_EQ(form.Scene().size(), 9u);
    EXPECT_EQ(form.SceneFile(), PathOf("scene.brv"));
    EXPECT_FALSE(form.HasUnsavedChanges());
    EXPECT_EQ(SceneText(), bytes);
}

// Damaged files derived from every kind on a small picture (so that each
// redraw is quick): each gives a short message without a crash, and window,
// picture and settings agree on the size afterwards.
TEST_F(SceneFileTest, DamagedFilesAreReportedWithoutACrash) {
    const std::vector<std::string> intact =
        Edited(EveryKind(), {{"hoehe=768", "hoehe=60"},
                             {"breite=1024", "breite=80"},
                             {"hintergrundfarbe=-16777201", "hintergrundfarbe=16777215"}});
    ASSERT_TRUE(Open(FileBytes(intact)).empty());
    EXPECT_EQ(form.Picture().Width(), 80);
    EXPECT_EQ(window.Surface().Pixel(79, 59), 0xFFFFFF);  // the file's size and colour, redrawn at once

    // Random bytes and cut or garbled lines are the fuzz targets' part; here
    // the longest lines and values outside every range.
    std::vector<std::string> corpus;
    corpus.push_back(With(intact, {{"richtung=135.5", "richtung=" + std::string(10'000'000, '7')}}));
    for (const auto& [line, outOfRange] : LineEdits{{"hoehe=60", "hoehe=99999999999"}, {"x1=100", "x1=$1FFFFFFFF"}})
        corpus.push_back(With(intact, {{line, outOfRange}}));

    for (size_t i = 0; i < corpus.size(); ++i) {
        const std::string what = "file " + std::to_string(i) + " of " + std::to_string(corpus[i].size()) + " bytes";
        const std::vector<std::string> messages = Open(corpus[i]);
        ASSERT_FALSE(messages.empty()) << what;
        EXPECT_LT(messages.front().size(), 1000u) << what;
        const std::pair size(window.ClientWidth(), window.ClientHeight());
        EXPECT_EQ(std::pair(form.Picture().Width(), form.Picture().Height()), size) << what;
        EXPECT_EQ(std::pair(form.Settings().breite, form.Settings().hoehe), size) << what;
        EXPECT_EQ(form.Scene()[0].kind, "rahmen") << what;
    }
}

}  // namespace
