// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/resource.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "SceneFixture.h"
#include "model/IterationPass.h"
#include "model/PassStore.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/Errors.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;
using namespace brevanto::objects;

namespace {

class MirrorTest : public SceneTest {
protected:
    // A beam from above travelling straight down the screen onto the mirror.
    void LightFromAbove(float strength) { Add<TObjektParallel>(100, 100, 300, 100).staerke = strength; }

    // One pass of the mirror; whether a value moved beyond the stop criterion.
    bool Pass() {
        IterationPass pass;
        return mirror->Iterate(list, pass).beyondCriterion;
    }

    TObjektSpiegel* mirror = &Add<TObjektSpiegel>(100, 300, 300, 300);
};

TEST_F(MirrorTest, BeamFromAboveIsSortedIntoMirroredAndContinuingBins) {
    settings.richtungprosel = 36;
    mirror->dirref = mirror->dirtrans = mirror->difref = mirror->diftrans = 25;
    LightFromAbove(8);  // in bin 9 against the reversed segment
    EXPECT_TRUE(Pass());
    for (const TSelListe& element : mirror->Elements().Elements()) {
        for (int j = 0; j < 36; ++j) {
            const float expected = j == 8 || j == 27 ? 2.0f : 0.0f;  // reflected, passed on
            EXPECT_FLOAT_EQ(element.dirrad[static_cast<size_t>(j)], expected) << "bin " << j;
        }
        EXPECT_FLOAT_EQ(element.difplus, 2) << "reflected diffusely back up";
        EXPECT_FLOAT_EQ(element.difminus, 2) << "transmitted diffusely below";
    }
    EXPECT_FALSE(Pass()) << "a second pass changes nothing";
}

// Regression test: light from a sun at 45 degrees arrives exactly on a bin
// boundary; with the sine rounded to float it was sorted one bin low and the
// reflection left at 39.4 instead of 50.6 degrees above the mirror.
TEST_F(MirrorTest, SunAt45DegreesIsReflectedIntoTheMirroredBin) {
    settings.richtungprosel = 32;
    mirror->dirref = 100;
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    sun.richtung = 45;
    Pass();
    // Arriving in bin 4 against the reversed segment, it leaves in
    // 47 - 4 - 32 = 11, which represents (11.5) * 360 / 32 = 129.4 degrees
    // from the segment: up and to the left, 50.6 degrees above it.
    for (const TSelListe& element : mirror->Elements().Elements())
        for (int j = 0; j < 32; ++j) EXPECT_EQ(element.dirrad[static_cast<size_t>(j)] > 0, j == 11) << "bin " << j;
}

// All coefficients 0 make a perfect absorber.
TEST_F(MirrorTest, TransmittedLightStartsLinesBelowAndReflectedTravelsBackUp) {
    LightFromAbove(8);
    EXPECT_FALSE(Pass());
    EXPECT_FALSE(Lights(*mirror, 200, 400));
    mirror->diftrans = 50;
    Pass();
    StreamLineStarts starts;
    mirror->AddStreamLineStarts(starts, list, 100, {});
    ASSERT_FALSE(starts.empty());
    for (const StreamLineStart& start : starts) EXPECT_GT(start.y, 300) << "below the mirror only";
    EXPECT_GT(FieldOf(*mirror, 200, 400).y, 0);
    mirror->dirref = 50;
    Pass();
    const FlowSum above = FieldOf(*mirror, 200, 200);
    EXPECT_LT(above.y, 0);
    EXPECT_NEAR(above.x, 0, 0.05 * std::fabs(above.y));
}

TEST_F(MirrorTest, DialogChecksEachCoefficientTheirSumAndThePoints) {
    auto answer = [this](std::string dirref, std::string x1) {
        AnswerOk({{"dirref", dirref}, {"difref", "0"}, {"dirtrans", "50"}, {"diftrans", "0"}, {"x1", x1}});
    };
    answer("50.5", "-1");
    answer("-1", "100");
    answer("50", "100");
    mirror->Edit(Context());
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"The sum must not be more than 100%.", "All points must be on the screen.",
                                        "Each coefficient must lie between 0 and 100%."}));
    EXPECT_FLOAT_EQ(mirror->dirref, 50) << "a sum of exactly 100 is accepted";
    EXPECT_EQ(mirror->x1, 100);
}

// Regression test: a mirror's coefficients from a file (difref=1e12) made the
// stream-line placement round its flux to INT32_MAX lines and add 2^31
// starting points. Made in code here, past the reader's check: the lines of
// each side stay at one per pixel of the mirror at most.
TEST_F(MirrorTest, HugeCoefficientStartsAtMostOneStreamLinePerPixel) {
    mirror->diftrans = 1e12f;
    mirror->difref = 1e12f;
    LightFromAbove(100);
    for (int pass = 0; pass < 3; ++pass) Pass();
    StreamLineStarts starts;
    mirror->AddStreamLineStarts(starts, list, 20 * 100.0f, {});
    EXPECT_GT(starts.size(), 0u);
    EXPECT_LE(starts.size(), 2u * (200 + 1)) << "two sides of a 200-pixel mirror";
}

// Regression test: coefficients outside the dialog's range (each 0 to 100 %,
// together at most 100 %) raised a conversion error on reading, which dropped
// the rest of the scene file. They are kept as stored, and the mirror tells
// what its dialog would say.
TEST_F(MirrorTest, CoefficientsFromAFileOutsideTheDialogsRangeAreKeptAndTold) {
    const auto section = [](const std::string& dirref, const std::string& difref) {
        return platform::TextFile::FromText("begin\ncolor=0\nx1=1\ny1=2\nx2=3\ny2=4\ndirref=" + dirref +
                                            "\ndirtrans=10\ndifref=" + difref + "\ndiftrans=10\nend\n");
    };
    struct Case {
        std::string dirref, difref;
        float dirrefRead, difrefRead;
        std::string problem;
    };
    for (const Case& c :
         {Case{"10", "1e12", 10, 1e12f, "Each coefficient must lie between 0 and 100%."},
          Case{"-5", "40", -5, 40, "Each coefficient must lie between 0 and 100%."},
          Case{"50", "40.5", 50, 40.5f, "The sum must not be more than 100%."}, Case{"0", "80", 0, 80, ""}}) {
        TObjektSpiegel loaded(0, 0, 0, 0);
        platform::TextFile file = section(c.dirref, c.difref);
        ASSERT_TRUE(loaded.LoadFromFile(file)) << c.dirref << " " << c.difref;
        EXPECT_EQ(loaded.dirref, c.dirrefRead);
        EXPECT_EQ(loaded.difref, c.difrefRead);
        EXPECT_EQ(loaded.ValueProblem(), c.problem) << c.dirref << " " << c.difref;
    }
}

// Regression test: each mirror was limited to 10^8 radiation values, but forty
// of them asked for 16 GB together. The scene is refused before any mirror
// allocates.
TEST_F(MirrorTest, MirrorsTogetherAreRefusedBeforeAllocatingMoreThanTheirLimit) {
    settings.sellaenge = 1;
    settings.richtungprosel = 497'000;  // 201 elements each: 99.9 million values, just under one mirror's limit
    for (int i = 0; i < 39; ++i) list.Append(std::make_unique<TObjektSpiegel>(100, 310 + i, 300, 310 + i));
    list.CleanAndNumber();
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    try {
        list.PrepareQueries(settings);
        FAIL() << "40 mirrors of 400 MB each were allocated";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("The mirrors/diffusors together would need 15983 MB"))
            << error.what();
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 100'000) << "kB allocated";
    EXPECT_EQ(mirror->Elements().elemcount, 41) << "the elements of 5 pixels stay";
    settings.richtungprosel = 102;
    EXPECT_NO_THROW(list.PrepareQueries(settings));
}

// Cancel in the middle of a pass: the mirrors that already took their turn
// send what they sent before the computation started, not half a balance.
TEST_F(MirrorTest, CancelledComputationLeavesEveryMirrorAsItWas) {
    mirror->dirref = mirror->difref = 40;
    LightFromAbove(8);
    Add<TObjektSpiegelKreis>(200, 200, 240, 200);
    Compute();

    const auto mirrorsLight = [&] {
        std::vector<double> light;
        for (const auto& object : list)
            if (object->StoredValues(settings) > 0)
                for (const auto& [x, y] : {std::pair{150, 250}, {200, 350}, {260, 210}, {200, 120}}) {
                    const FlowSum field = FieldOf(*object, x, y);
                    light.insert(light.end(), {field.x, field.y});
                }
        return light;
    };
    const std::vector<double> before = mirrorsLight();
    static_cast<TObjektParallel&>(list[2]).staerke = 80;
    settings.berechnet = false;
    int checks = 0;
    headless.cancelWhen = [&] { return ++checks == 6; };  // in the second pass
    EXPECT_THROW(Calculate(list, settings, window, headless.Progress()), platform::Stopped);
    EXPECT_FALSE(settings.berechnet);
    EXPECT_EQ(mirrorsLight(), before);
}

// The progress window shows a pass done when every element of every mirror
// was counted once, whichever thread refilled it.
TEST_F(MirrorTest, PassCountsEveryElementOnceOnAnyNumberOfThreads) {
    mirror->dirref = mirror->difref = 40;
    LightFromAbove(8);
    auto& ring = Add<TObjektSpiegelKreis>(200, 200, 240, 200);
    ring.difref = 50;
    list.PrepareQueries(settings);
    for (const int threads : {1, 4}) {
        SetThreadCount(threads);
        for (Tszeneobjekt* object : {static_cast<Tszeneobjekt*>(mirror), static_cast<Tszeneobjekt*>(&ring)}) {
            IterationPass pass;
            object->Iterate(list, pass);
            EXPECT_GT(object->PassElements(), 1);
            EXPECT_EQ(pass.elementsDone.load(), object->PassElements()) << threads << " threads";
        }
    }
}

// The first pass keeps what each element received from the objects whose
// radiation no pass changes; later passes take it from there. Whatever the
// store's bound lets it keep (all, some elements, nothing), the values are
// the bytes of passes that find out everything again.
TEST_F(MirrorTest, WhatPassesKeepGivesTheBytesOfFindingItOutAgain) {
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    mirror->dirref = 40;
    mirror->difref = 20;
    mirror->dirtrans = 10;
    mirror->diftrans = 10;
    Add<TObjektLambert>(150, 100, 250, 140).staerke = 30;
    auto& second = Add<TObjektSpiegel>(350, 120, 420, 380);
    second.dirref = 60;
    second.diftrans = 30;
    Add<TObjektAbsorber>(200, 200, 330, 250);
    Add<TObjektParallel>(500, 500, 600, 450).staerke = 5;
    const auto values = [&](int64_t bound, bool stored) {
        for (TObjektSpiegel* m : {mirror, &second}) m->ForgetRadiation();
        PassStore store(bound);
        for (int passes = 0; passes < 4; ++passes)
            for (const auto& object : list) {
                IterationPass pass;
                if (stored) pass.store = &store;
                object->Iterate(list, pass);
            }
        std::vector<uint32_t> bits;
        for (TObjektSpiegel* m : {mirror, &second})
            for (const TSelListe& element : m->Elements().Elements()) {
                for (float value : element.dirrad) bits.push_back(std::bit_cast<uint32_t>(value));
                bits.push_back(std::bit_cast<uint32_t>(element.difplus));
                bits.push_back(std::bit_cast<uint32_t>(element.difminus));
            }
        return bits;
    };
    const std::vector<uint32_t> everyPassAnew = values(0, false);
    EXPECT_EQ(values(PassStore::kMostBytes, true), everyPassAnew) << "all kept";
    EXPECT_EQ(values(0, true), everyPassAnew) << "nothing kept";
    SetThreadCount(4);
    EXPECT_EQ(values(200'000, true), everyPassAnew) << "some elements kept";
}

}  // namespace
