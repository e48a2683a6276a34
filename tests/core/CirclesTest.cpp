#include "DisplayTestSupport.h"
#include "display/Energiekreise.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektParallel.h"

namespace {

class CirclesTest : public DisplayTest {
protected:
    CirclesTest() : DisplayTest(1000, 400) {}

    static std::string Disc(int x, int y, int r) {
        return "ellipse " + std::to_string(x - r) + " " + std::to_string(y - r) + " " + std::to_string(x + r) + " " +
               std::to_string(y + r);
    }
    bool HasDisc(int x, int y, int r) const {
        return std::find(canvas.calls.begin(), canvas.calls.end(), Disc(x, y, r)) != canvas.calls.end();
    }
    bool HasAnyDiscAt(int x, int y) const {
        for (int r = 1; r <= circles.gitterweite; ++r)
            if (HasDisc(x, y, r)) return true;
        return false;
    }

    TEnergiekreise circles;
};

TEST_F(CirclesTest, LargestDiscHasFourTenthsOfTheSpacing) {
    Add(std::make_unique<UniformField>(3.0f, -4.0f));
    circles.colour = 0x00FFFF;
    circles.Draw(list, canvas);

    // Round(0.4 * 20) = 8 everywhere, a box 16 pixels wide; the discs whose
    // radius reaches the frame (X = 1000, Y = 400) are left out.
    EXPECT_EQ(std::vector<std::string>(canvas.calls.begin(), canvas.calls.begin() + 3),
              (std::vector<std::string>{"pen 65535", "brush 65535", "brush solid"}));
    EXPECT_TRUE(HasDisc(20, 20, 8));
    EXPECT_TRUE(HasDisc(980, 380, 8));
    EXPECT_FALSE(HasAnyDiscAt(1000, 20));
    EXPECT_FALSE(HasAnyDiscAt(20, 400));
    EXPECT_EQ(CallsStartingWith(canvas, "ellipse").size(), 49u * 19u);
    EXPECT_EQ(headless.progressTexts.front(), "Brevanto 2.0 is calculating the circles.\rProgress: 0%");
}

TEST_F(CirclesTest, OpposingBeamsGiveTwiceTheEnergyDensityOfOne) {
    // Between the two parallel emitters both beams cross each point in
    // opposite directions; outside the pair only the nearer one arrives.
    Add(std::make_unique<TObjektParallel>(110, 110, 110, 290)).staerke = 5;
    Add(std::make_unique<TObjektParallel>(290, 110, 290, 290)).staerke = 5;
    circles.Draw(list, canvas);

    // E = 10 between (the largest: radius 8), E = 5 outside (radius 4).
    EXPECT_TRUE(HasDisc(200, 200, 8));
    EXPECT_TRUE(HasDisc(120, 120, 8));
    EXPECT_TRUE(HasDisc(60, 200, 4));
    EXPECT_TRUE(HasDisc(400, 200, 4));
    // Above and below the pair no beam reaches.
    EXPECT_FALSE(HasAnyDiscAt(200, 60));
}

TEST_F(CirclesTest, DiscNearAnObjectIsLeftOut) {
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    // 5 pixels from the points of column 500 and 15 from those of 520.
    Add(std::make_unique<TObjektAbsorber>(505, 0, 505, 400));
    circles.Draw(list, canvas);

    EXPECT_FALSE(HasAnyDiscAt(500, 200));
    EXPECT_TRUE(HasDisc(520, 200, 8));
    EXPECT_TRUE(HasDisc(480, 200, 8));
}

TEST_F(CirclesTest, ZeroRadiusDrawsNothing) {
    // E = 1 here and 20 there: Round(8 / 20) = 0 for the weak points.
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    Add(std::make_unique<UniformField>(19.0f, 0.0f)).NarrowTo(0, 0, 500, 400);
    circles.Draw(list, canvas);

    EXPECT_TRUE(HasDisc(500, 200, 8));
    EXPECT_TRUE(CallsStartingWith(canvas, "ellipse 519 ").empty());
    EXPECT_TRUE(CallsStartingWith(canvas, "ellipse 520 ").empty());
}

TEST_F(CirclesTest, SceneWithoutLightShowsMessageAndDrawsNothing) {
    circles.Draw(list, canvas);
    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"No circles are drawn, because there are no light sources."});
    EXPECT_TRUE(CallsStartingWith(canvas, "ellipse").empty());
}

TEST_F(CirclesTest, UnusableSpacingFromAFileShowsWhyAndDrawsNothing) {
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    circles.gitterweite = 0;
    circles.Draw(list, canvas);
    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"No circles are drawn, because the pixel width is smaller than 1."});
    EXPECT_TRUE(CallsStartingWith(canvas, "ellipse").empty());
}

TEST_F(CirclesTest, DialogReadsLenientlyAndRefusesBelowOne) {
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Circles of energy density");
        EXPECT_EQ(dialog["Edit1"].caption, "Pixel width");
        EXPECT_EQ(dialog["Edit1"].text, "20");
        dialog["Edit1"].text = "-4";
        dialog["ComboBox1"].selected = 4;
        return platform::ModalResult::OK;
    });
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        dialog["Edit1"].text = "+12";
        return platform::ModalResult::OK;
    });
    circles.Edit();

    EXPECT_EQ(headless.messages, std::vector<std::string>{"The pixel width must be a whole number of at least 1."});
    EXPECT_EQ(circles.gitterweite, 12);
    EXPECT_EQ(circles.colour, 0x00FFFF);  // yellow, still selected on the second showing
}

}  // namespace
