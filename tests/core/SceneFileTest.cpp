// Writing and reading scene files through the "File" menu commands.
#include <cctype>
#include <filesystem>
#include <set>

#include "SceneFileFixture.h"
#include "files/FileNames.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "platform/Colour.h"

namespace {

const std::string kDataDir = BREVANTO_SOURCE_DIR "/tests/data/";

std::string Fixture(const std::string& name) {
    const std::string path = kDataDir + name;
    if (!std::filesystem::exists(path)) throw std::runtime_error("missing test fixture " + path);
    return ReadBytes(path);
}

const std::vector<std::string> kDefaultScene{
    "Brevanto 2.0-File", "begin", "screen", "begin", "hoehe=768", "breite=1024", "hintergrundfarbe=-16777201", "end",
    "vektorpfeile", "begin", "color=0", "gitterweite=20", "end",
    "prgvar", "begin", "sellaenge=5", "richtungprosel=102", "abbruchgenauigkeit=1", "maximaleiterationen=50", "end",
    "linien", "begin", "linienabstand=20", "iterationslaenge=2", "abbruchschwelle=0.00999999977648258", "color=0",
    "maxlaenge=1000", "end",
    "energiekreise", "begin", "color=0", "gitterweite=20", "end",
    "hintergrund", "begin", "staerke=0", "nuroben=0", "end",
    "end"};

// The default scene with `line` (0-based) replaced by `text`.
std::string DefaultWith(size_t line, const std::string& text) {
    std::vector<std::string> lines = kDefaultScene;
    lines.at(line) = text;
    return FileBytes(lines);
}

// The default scene with object sections inserted before the final "end".
std::string DefaultWithObjects(const std::vector<std::string>& objectLines) {
    std::vector<std::string> lines(kDefaultScene.begin(), kDefaultScene.end() - 1);
    lines.insert(lines.end(), objectLines.begin(), objectLines.end());
    lines.push_back("end");
    return FileBytes(lines);
}

const std::vector<std::string> kLambert{"lambert", "begin", "color=255", "x1=100", "y1=200",
                                        "x2=300",  "y2=200", "staerke=10", "end"};

std::string CouldNotOpen(const std::string& path) { return "The file " + path + " could not be opend"; }

// --- Saving -------------------------------------------------------------

TEST_F(SceneFileTest, NewSceneSavesAsTheDefault39Lines) {
    form->Neu1Click();
    const std::string bytes = Save("scene");
    ASSERT_EQ(kDefaultScene.size(), 39u);
    EXPECT_EQ(bytes, FileBytes(kDefaultScene));
    EXPECT_EQ(headless.fileFilters, std::vector<std::string>{"Brevanto 2.0-Files (*.brv)|*.brv"});
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(SceneFileTest, FloatsAreWrittenWithTheLocaleSeparator) {
    platform::SetDecimalSeparator(',');
    EXPECT_EQ(Save(), DefaultWith(24, "abbruchschwelle=0,00999999977648258"));
}

TEST_F(SceneFileTest, SavingChangesNothingInTheProgram) {
    Open(DefaultWithObjects(kLambert));
    prgvar().berechnet = true;
    Save();
    EXPECT_TRUE(prgvar().berechnet);
    EXPECT_EQ(form->SceneList().size(), 2u);
}

TEST_F(SceneFileTest, ExtensionIsAppendedUnlessTheNameEndsInExactlyIt) {
    EXPECT_EQ(WithExtension("scene", ".brv"), "scene.brv");
    EXPECT_EQ(WithExtension("scene.brv", ".brv"), "scene.brv");
    EXPECT_EQ(WithExtension("scene.BRV", ".brv"), "scene.BRV.brv");
    EXPECT_EQ(WithExtension("brv", ".brv"), "brv.brv");
    EXPECT_EQ(WithExtension("", ".bmp"), ".bmp");

    for (const char* typed : {"scene", "scene.BRV"}) {
        headless.fileNameAnswers.push_back(PathOf(typed));
        form->Save1Click();
    }
    EXPECT_TRUE(std::filesystem::exists(PathOf("scene.brv")));
    EXPECT_TRUE(std::filesystem::exists(PathOf("scene.BRV.brv")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("scene")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("scene.BRV")));
}

TEST_F(SceneFileTest, CancelledDialogsDoNothing) {
    Open(DefaultWithObjects(kLambert));
    headless.fileNameAnswers.push_back(std::nullopt);
    form->Save1Click();
    headless.fileNameAnswers.push_back(std::nullopt);
    form->Load1Click();
    headless.fileNameAnswers.push_back(std::nullopt);
    form->Speichern1Click();
    EXPECT_EQ(form->SceneList().size(), 2u);
    EXPECT_TRUE(headless.messages.empty());
    // Only the scene opened above is in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

// Regression test: a save that fails part-way used to be able to leave a
// truncated scene file behind.
TEST_F(SceneFileTest, FailedSaveReportsAndKeepsThePreviousFile) {
    const std::string previous = Save("kept");
    std::filesystem::create_directory(PathOf("kept.brv.part"));  // the writer's temporary cannot be made
    Open(DefaultWithObjects(kLambert));
    headless.fileNameAnswers.push_back(PathOf("kept"));
    form->Save1Click();
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(PathOf("kept.brv")), previous);
}

TEST_F(SceneFileTest, PictureIsSavedAsBitmapWithItsExtension) {
    Open(DefaultWithObjects(kLambert));
    for (const char* typed : {"shot", "shot.BMP", "pic.bmp"}) {
        headless.fileNameAnswers.push_back(PathOf(typed));
        form->Speichern1Click();
    }
    EXPECT_EQ(headless.fileFilters.back(), "Bitmap-Files (*.bmp)|*.bmp");
    const auto& picture = static_cast<const platform::RasterBitmap&>(form->Picture());
    const std::vector<uint8_t> expected = picture.BmpBytes();
    for (const char* written : {"shot.bmp", "shot.BMP.bmp", "pic.bmp"})
        EXPECT_EQ(ReadBytes(PathOf(written)), std::string(expected.begin(), expected.end())) << written;
    EXPECT_TRUE(headless.messages.empty());
}

// --- Loading what was saved -------------------------------------------------

TEST_F(SceneFileTest, EveryKindSavesLoadsAndSavesToTheSameBytes) {
    const std::string fixture = Fixture("every-kind.brv");
    EXPECT_TRUE(Open(fixture).empty());
    const std::string first = Save("first");
    EXPECT_EQ(first, fixture);
    EXPECT_TRUE(Open(first).empty());
    EXPECT_EQ(Save("second"), first);
}

TEST_F(SceneFileTest, FixtureHoldsEveryKindTheRegistryKnows) {
    // A kind added to the registry must be added to the fixture as well, or
    // the round trip above does not cover it.
    Open(Fixture("every-kind.brv"));
    std::set<std::string> loaded;
    for (const auto& object : form->SceneList()) loaded.insert(object->kind);
    for (const char* kind : {"lambert", "spiegel", "parallel", "absorber", "sonne", "lambertkreis", "spiegelkreis",
                             "absorberkreis"})
        if (CreateObjectOfKind(kind, 0, 0, 0, 0)) {
            EXPECT_TRUE(loaded.contains(kind)) << kind;
        }
}

TEST_F(SceneFileTest, LoadedSceneReplacesTheWholeState) {
    form->SetDrawingMode("lambert");
    prgvar().berechnet = true;
    EXPECT_TRUE(Open(Fixture("every-kind.brv")).empty());
    const Tprgvar& settings = prgvar();
    EXPECT_FALSE(settings.berechnet);
    EXPECT_TRUE(settings.zeichenmodus.empty());
    EXPECT_EQ(settings.sellaenge, 4);
    EXPECT_EQ(settings.richtungprosel, 90);
    EXPECT_EQ(settings.maximaleiterationen, 30);
    EXPECT_FLOAT_EQ(settings.abbruchgenauigkeit, 0.5f);
    EXPECT_EQ(form->Displays().vektorpfeile.gitterweite, 25);
    EXPECT_EQ(form->Displays().energiekreise.gitterweite, 30);
    EXPECT_EQ(form->Displays().linien.maxlaenge, 800);
    EXPECT_TRUE(form->SceneList().Background().nuroben);
}

TEST_F(SceneFileTest, PictureSizeAndColourComeFromTheFile) {
    std::vector<std::string> lines = kDefaultScene;
    lines[4] = "hoehe=300";
    lines[5] = "breite=400";
    lines[6] = "hintergrundfarbe=16777215";
    EXPECT_TRUE(Open(FileBytes(lines)).empty());
    EXPECT_EQ(window.ClientWidth(), 400);
    EXPECT_EQ(window.ClientHeight(), 300);
    EXPECT_EQ(form->Picture().Width(), 400);
    EXPECT_EQ(form->Picture().Height(), 300);
    EXPECT_EQ(window.Color(), 0xFFFFFF);
    EXPECT_EQ(prgvar().hoehe, 300);
    EXPECT_EQ(prgvar().breite, 400);
    EXPECT_EQ(prgvar().hintergrundfarbe, 0xFFFFFF);
    // The redraw after loading shows the new background at once.
    EXPECT_EQ(window.Surface().Pixel(399, 299), 0xFFFFFF);
}

TEST_F(SceneFileTest, SystemColoursLoadAndSaveUnchanged) {
    std::vector<std::string> lambert = kLambert;
    lambert[2] = "color=-16777201";
    EXPECT_TRUE(Open(DefaultWithObjects(lambert)).empty());
    EXPECT_EQ(prgvar().hintergrundfarbe, platform::kButtonFaceColour);
    EXPECT_EQ(form->SceneList()[1].colour, platform::kButtonFaceColour);
    EXPECT_EQ(Save(), DefaultWithObjects(lambert));
}

TEST_F(SceneFileTest, EitherSeparatorReadsToTheSameScene) {
    std::string point = Fixture("every-kind.brv");
    std::string comma = point;
    // After the header, whose "2.0" is no number.
    for (size_t i = comma.find('\n'); i + 1 < comma.size(); ++i)
        if (comma[i] == '.' && std::isdigit(static_cast<unsigned char>(comma[i + 1]))) comma[i] = ',';
    ASSERT_NE(comma, point);
    for (char locale : {'.', ','}) {
        platform::SetDecimalSeparator(locale);
        for (const std::string* bytes : {&point, &comma}) {
            EXPECT_TRUE(Open(*bytes).empty());
            platform::SetDecimalSeparator('.');
            EXPECT_EQ(SceneText(), point) << "locale '" << locale << "'";
            platform::SetDecimalSeparator(locale);
        }
    }
}

TEST_F(SceneFileTest, LinesAfterTheFinalEndAreNeverRead) {
    EXPECT_TRUE(Open(DefaultWithObjects(kLambert) + "garbage\r\n\x01\x02\r\n").empty());
    EXPECT_EQ(form->SceneList().size(), 2u);
}

TEST_F(SceneFileTest, LinesMayEndInLineFeedAlone) {
    std::string bytes = DefaultWithObjects(kLambert);
    std::erase(bytes, '\r');
    EXPECT_TRUE(Open(bytes).empty());
    EXPECT_EQ(form->SceneList().size(), 2u);
}

// --- Loading what does not match ---------------------------------------------

TEST_F(SceneFileTest, MissingBeginAfterHeaderEmptiesSceneWithOnlyTheFinalMessage) {
    Open(Fixture("every-kind.brv"));
    std::vector<std::string> lines = kDefaultScene;
    lines.erase(lines.begin() + 1);
    const auto messages = Open(FileBytes(lines));
    EXPECT_EQ(messages, std::vector<std::string>{CouldNotOpen(PathOf("scene.brv"))});
    EXPECT_EQ(form->SceneList().size(), 1u);
    EXPECT_EQ(form->Displays().vektorpfeile.gitterweite, 20);
    EXPECT_EQ(prgvar().sellaenge, 5);
    EXPECT_FLOAT_EQ(form->SceneList().Background().staerke, 0.0f);
    // Every setting is at its default, the picture size following the window.
    EXPECT_EQ(SceneText(), FileBytes(kDefaultScene));
}

TEST_F(SceneFileTest, MissingFinalEndKeepsTheObjectsAndSaysFehlerHier) {
    std::string bytes = DefaultWithObjects(kLambert);
    bytes.resize(bytes.size() - std::string("end\r\n").size());
    const auto messages = Open(bytes);
    EXPECT_EQ(messages, (std::vector<std::string>{"Fehler hier!", CouldNotOpen(PathOf("scene.brv"))}));
    ASSERT_EQ(form->SceneList().size(), 2u);
    EXPECT_EQ(form->SceneList()[1].kind, "lambert");
}

TEST_F(SceneFileTest, UnknownKindKeepsTheObjectsBeforeIt) {
    std::vector<std::string> objects = kLambert;
    for (const char* line : {"laser", "begin", "end"}) objects.push_back(line);
    objects.insert(objects.end(), kLambert.begin(), kLambert.end());
    const auto messages = Open(DefaultWithObjects(objects));
    EXPECT_EQ(messages, (std::vector<std::string>{"Fehler hier!", CouldNotOpen(PathOf("scene.brv"))}));
    EXPECT_EQ(form->SceneList().size(), 2u);
}

TEST_F(SceneFileTest, ObjectThatFailsHalfWayStaysWithWhatItRead) {
    std::vector<std::string> lambert = kLambert;
    lambert[5] = "x2:300";
    EXPECT_EQ(Open(DefaultWithObjects(lambert)).front(), "Fehler hier!");
    ASSERT_EQ(form->SceneList().size(), 2u);
    const auto& object = static_cast<const TObjektLambert&>(form->SceneList()[1]);
    EXPECT_EQ(object.colour, 255);
    EXPECT_EQ(object.x1, 100);
    EXPECT_EQ(object.y1, 200);
    EXPECT_EQ(object.x2, 0);
    EXPECT_FLOAT_EQ(object.staerke, 0.0f);
}

TEST_F(SceneFileTest, NurobenTakesOnlyZeroOrOne) {
    for (const char* value : {"2", "", " 1", "1 ", "01", "true", "-1"}) {
        const auto messages = Open(DefaultWith(36, std::string("nuroben=") + value));
        EXPECT_EQ(messages, std::vector<std::string>{CouldNotOpen(PathOf("scene.brv"))}) << "'" << value << "'";
    }
    EXPECT_TRUE(Open(DefaultWith(36, "nuroben=1")).empty());
    EXPECT_TRUE(form->SceneList().Background().nuroben);
}

TEST_F(SceneFileTest, KeywordsAreComparedExactly) {
    for (const auto& [line, text] : std::vector<std::pair<size_t, std::string>>{
             {0, "Brevanto 1.0-File"}, {0, "brevanto 2.0-File"}, {0, "Brevanto 2.0-File "}, {2, "Screen"},
             {8, "vektorpfeile "}, {13, "Prgvar"}, {20, "linie"}, {28, "energiekreise\t"}, {33, "rahmen"},
             {4, "hoehe"}, {4, "Hoehe=768"}, {6, "hintergrundfarbe:1"}, {7, "ende"}})
        EXPECT_EQ(Open(DefaultWith(line, text)), std::vector<std::string>{CouldNotOpen(PathOf("scene.brv"))})
            << line << ": " << text;
}

TEST_F(SceneFileTest, PictureLargerThanTheScreenGivesTheResolutionMessage) {
    Open(DefaultWithObjects(kLambert));
    std::vector<std::string> lines = kDefaultScene;
    lines[4] = "hoehe=5000";
    lines[6] = "hintergrundfarbe=16777215";
    const auto messages = Open(FileBytes(lines));
    EXPECT_EQ(messages, std::vector<std::string>{CouldNotOpen(PathOf("scene.brv")) +
                                                 ", because the resolution of Your screen is not high enough"});
    // The window keeps what it could take; the scene and settings are the
    // defaults, and picture and settings follow the window.
    EXPECT_EQ(window.ClientHeight(), kScreenHeight);
    EXPECT_EQ(form->Picture().Height(), kScreenHeight);
    EXPECT_EQ(prgvar().hoehe, kScreenHeight);
    EXPECT_EQ(prgvar().hintergrundfarbe, platform::kButtonFaceColour);
    EXPECT_EQ(form->SceneList().size(), 1u);
}

TEST_F(SceneFileTest, NegativePictureSizeGivesTheResolutionMessage) {
    const auto messages = Open(DefaultWith(5, "breite=-1024"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].ends_with("not high enough"));
}

// --- Numbers that do not convert ---------------------------------------------

TEST_F(SceneFileTest, BlankAfterAnIntegerIsAConversionError) {
    Open(DefaultWithObjects(kLambert));
    const auto messages = Open(DefaultWith(11, "gitterweite=20 "));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("20 "), std::string::npos) << messages[0];
    EXPECT_NE(messages[0], "Fehler hier!");
    // The load stopped after the scene was replaced; the program goes on.
    EXPECT_EQ(form->SceneList().size(), 1u);
    EXPECT_FALSE(prgvar().berechnet);
    Save();
    EXPECT_EQ(headless.messages.size(), 1u);
}

TEST_F(SceneFileTest, ConversionErrorInTheScreenSectionChangesNothing) {
    Open(DefaultWithObjects(kLambert));
    const std::string before = SceneText();
    std::vector<std::string> lines = kDefaultScene;
    lines[4] = "hoehe=300";
    lines[5] = "breite=4x0";
    EXPECT_EQ(Open(FileBytes(lines)).size(), 1u);
    EXPECT_EQ(SceneText(), before);
    EXPECT_EQ(window.ClientHeight(), kScreenHeight);
}

TEST_F(SceneFileTest, ConversionErrorInAnObjectKeepsItWithoutFurtherMessages) {
    std::vector<std::string> lambert = kLambert;
    lambert[7] = "staerke=1e99";
    const auto messages = Open(DefaultWithObjects(lambert));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0], "Fehler hier!");
    EXPECT_EQ(form->SceneList().size(), 2u);
}

TEST_F(SceneFileTest, MissingFileIsReportedAndChangesNothing) {
    Open(DefaultWithObjects(kLambert));
    const std::string before = SceneText();
    EXPECT_EQ(OpenFile(PathOf("absent.brv")).size(), 1u);
    EXPECT_EQ(SceneText(), before);
}

}  // namespace
