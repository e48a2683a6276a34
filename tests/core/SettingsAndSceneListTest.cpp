#include "TestScene.h"
#include "model/SceneList.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektSonne.h"
#include "platform/Errors.h"

namespace {

using SettingsTest = SceneTest;

TEST_F(SettingsTest, FreshSettingsHoldTheDefaults) {
    const Tprgvar& settings = prgvar();
    EXPECT_EQ(settings.sellaenge, 5);
    EXPECT_EQ(settings.richtungprosel, 102);
    EXPECT_EQ(settings.maximaleiterationen, 50);
    EXPECT_EQ(settings.abbruchgenauigkeit, 1.0f);
    EXPECT_FALSE(settings.berechnet);
    EXPECT_EQ(settings.titel, "Brevanto 2.0");
    EXPECT_EQ(settings.hoehe, 600);
    EXPECT_EQ(settings.breite, 800);
}

TEST_F(SettingsTest, SectionReadsBackAsWritten) {
    Tprgvar written(1, 2, 3);
    written.sellaenge = 7;
    written.richtungprosel = 36;
    written.abbruchgenauigkeit = 0.01f;
    written.maximaleiterationen = 3;
    platform::TextFile file;
    written.SaveSettings(file);
    EXPECT_EQ(file.Text(),
              "prgvar\r\nbegin\r\nsellaenge=7\r\nrichtungprosel=36\r\nabbruchgenauigkeit=0.00999999977648258\r\n"
              "maximaleiterationen=3\r\nend\r\n");
    auto reading = platform::TextFile::FromText(file.Text());
    ASSERT_EQ(reading.ReadLine(), "prgvar");
    ASSERT_TRUE(prgvar().LoadSettings(reading));
    EXPECT_EQ(prgvar().sellaenge, 7);
    EXPECT_EQ(prgvar().richtungprosel, 36);
    EXPECT_EQ(prgvar().abbruchgenauigkeit, 0.01f);
    EXPECT_EQ(prgvar().maximaleiterationen, 3);
}

TEST_F(SettingsTest, MisspeltKeyStopsTheSectionThere) {
    auto file = platform::TextFile::FromText(
        "begin\r\nsellaenge=9\r\nrichtungsprosel=4\r\nabbruchgenauigkeit=2\r\nmaximaleiterationen=3\r\nend\r\n");
    EXPECT_FALSE(prgvar().LoadSettings(file));
    EXPECT_EQ(prgvar().sellaenge, 9);
    EXPECT_EQ(prgvar().richtungprosel, 102);
    EXPECT_EQ(prgvar().abbruchgenauigkeit, 1.0f);
    EXPECT_EQ(file.ReadLine(), "abbruchgenauigkeit=2") << "no further line was read";
}

TEST_F(SettingsTest, MalformedNumberIsAConversionErrorAndZeroIsStoredAsRead) {
    auto bad = platform::TextFile::FromText("begin\r\nsellaenge=five\r\n");
    EXPECT_THROW(prgvar().LoadSettings(bad), platform::ConversionError);
    auto zero = platform::TextFile::FromText(
        "begin\r\nsellaenge=0\r\nrichtungprosel=102\r\nabbruchgenauigkeit=1\r\nmaximaleiterationen=50\r\nend\r\n");
    EXPECT_TRUE(prgvar().LoadSettings(zero));
    EXPECT_THROW(prgvar().CheckResolution(), std::runtime_error) << "the computation refuses it instead";
}

using SceneListTest = SceneTest;

TEST_F(SceneListTest, CleanAndNumberDropsDegenerateObjectsButNeverTheHead) {
    TSceneList list;
    list.Append(std::make_unique<TObjektAbsorber>(1, 1, 5, 5));
    list.Append(std::make_unique<TObjektAbsorber>(7, 7, 7, 7));
    list.Append(std::make_unique<TObjektSonne>());  // strength 0: degenerate
    list.Append(std::make_unique<TObjektAbsorber>(2, 2, 9, 9));
    list.CleanAndNumber();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, "rahmen");
    EXPECT_EQ(static_cast<TObjektAbsorber&>(list[2]).x1, 2) << "the objects behind move up";
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].number, static_cast<int32_t>(i + 1));
}

TEST_F(SceneListTest, RedrawAllPaintsTheBackgroundAndEveryObject) {
    TSceneList list;
    auto absorber = std::make_unique<TObjektAbsorber>(10, 10, 50, 10);
    absorber->colour = 0x0000FF;
    list.Append(std::move(absorber));
    prgvar().hintergrundfarbe = 0xFFFFFF;
    platform::RasterBitmap picture(100, 50);
    list.RedrawAll(picture, window.GetCanvas());
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(99, 49), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(30, 10), 0x0000FF);
    EXPECT_EQ(picture.Pixel(50, 10), 0xFFFFFF) << "a line stops short of its end point";
}

}  // namespace
