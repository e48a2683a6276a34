// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "model/Geometry.h"
#include "model/Numbers.h"
#include "model/Occlusion.h"

using namespace brevanto;
using namespace brevanto::model;

namespace {

// The plain definitions of the rules, computed from scratch for every path
// exactly as they are written down: what the prepared shapes and the quick
// tests must reproduce.
double Difference(int32_t a, int32_t b) { return static_cast<double>(a) - b; }

bool PlainSegmentBlocks(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ax, int32_t ay, int32_t bx,
                        int32_t by) {
    if (x2 == x1) {
        if (ax == bx) return false;
        const float xs = static_cast<float>(x1);
        const auto ys = static_cast<float>(Difference(x1, ax) * Difference(by, ay) / Difference(bx, ax) + ay);
        if (!Between(static_cast<float>(y1), static_cast<float>(y2), ys)) return false;
        return OnSegmentDominant(ax, bx, xs, ay, by, ys);
    }
    if (ax == bx) {
        const float xs = static_cast<float>(ax);
        const auto ys = static_cast<float>(Difference(ax, x1) * Difference(y2, y1) / Difference(x2, x1) + y1);
        if (!Between(static_cast<float>(ay), static_cast<float>(by), ys)) return false;
        return OnSegmentDominant(x1, x2, xs, y1, y2, ys);
    }
    const auto m1 = static_cast<float>(Difference(y2, y1) / Difference(x2, x1));
    const auto m2 = static_cast<float>(Difference(by, ay) / Difference(bx, ax));
    if (m1 == m2) return false;
    const auto xs = static_cast<float>((y1 - static_cast<double>(x1) * m1 - ay + static_cast<double>(ax) * m2) /
                                       (static_cast<double>(m2) - m1));
    const auto ys = static_cast<float>((static_cast<double>(xs) - x1) * m1 + y1);
    return OnSegmentDominant(x1, x2, xs, y1, y2, ys) && OnSegmentDominant(ax, bx, xs, ay, by, ys);
}

bool PlainCircleBlocks(int32_t xm, int32_t ym, int32_t radius, int32_t w1, int32_t w2, int32_t ax, int32_t ay,
                       int32_t bx, int32_t by) {
    if (ax == bx && ay == by) return false;
    auto distance = [&](int32_t x, int32_t y) {
        return std::sqrt(Difference(x, xm) * Difference(x, xm) + Difference(y, ym) * Difference(y, ym));
    };
    const auto dA = static_cast<float>(distance(ax, ay) - radius);
    const auto dB = static_cast<float>(distance(bx, by) - radius);
    bool cut;
    if (static_cast<double>(dA) * dB <= 0) {
        cut = true;
    } else if (dA < 0) {
        cut = false;
    } else {
        const double abx = Difference(bx, ax), aby = Difference(by, ay);
        const double acx = Difference(ax, xm), acy = Difference(ay, ym);
        const double bcx = Difference(bx, xm), bcy = Difference(by, ym);
        const double h = std::fabs(abx * acy - aby * acx) / std::sqrt(abx * abx + aby * aby);
        cut = !(radius < h) && (abx * acx + aby * acy) * (abx * bcx + aby * bcy) < 0;
    }
    if (!cut) return false;
    if (w1 == 0 && w2 == 360) return true;
    const double dx = Difference(ax, bx), dy = Difference(ay, by);
    const double bcx = Difference(bx, xm), bcy = Difference(by, ym);
    const double dd = dx * dx + dy * dy, q = dx * bcx + dy * bcy, r = radius;
    const double root = std::sqrt(std::max<double>(0, 4 * q * q - 4 * dd * (bcx * bcx + bcy * bcy - r * r)));
    for (const double t : {(root - 2 * q) / 2 / dd, (-2 * q - root) / 2 / dd}) {
        if (t <= 0 || t >= 1) continue;
        double phi = DirectionAngle(t * ax + (1 - t) * bx - xm, t * ay + (1 - t) * by - ym) * 180 / kPi + 90;
        if (phi >= 360) phi -= 360;
        if (w2 > w1 ? (w1 <= phi && phi <= w2) : (phi < w2 || phi > w1)) return true;
    }
    return false;
}

struct Segment {
    int32_t x1, y1, x2, y2;
};

// Random segments and paths of the kinds that test rounding: nearly
// parallel ones, paths collinear with or ending on a segment's lattice
// points, steep segments, and plain ones.
class CaseMaker {
public:
    explicit CaseMaker(unsigned seed) : random(seed) {}

    int32_t Int(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(random); }

    Segment Object() {
        if (Int(0, 2) == 0) {  // steep: one pixel across, far along
            const int32_t x = Int(0, 1900), y = Int(0, 1000);
            return {x, y, x + Int(-1, 1), y + Int(-1500, 1500)};
        }
        return {Int(-20, 1940), Int(-20, 1100), Int(-20, 1940), Int(-20, 1100)};
    }

    // A point of the segment's line at a whole pixel between its ends.
    void PointOn(const Segment& s, int32_t& x, int32_t& y) {
        const int32_t dx = s.x2 - s.x1, dy = s.y2 - s.y1;
        const int32_t steps = std::max(1, std::gcd(std::abs(dx), std::abs(dy)));
        const int32_t k = Int(0, steps);
        x = s.x1 + dx / steps * k;
        y = s.y1 + dy / steps * k;
    }

    Segment PathFor(const Segment& s) {
        Segment p{Int(-20, 1940), Int(-20, 1100), Int(-20, 1940), Int(-20, 1100)};
        switch (Int(0, 3)) {
            case 0:  // nearly parallel: the segment's ends moved a little
                p = {s.x1 + Int(-3, 3), s.y1 + Int(-3, 3), s.x2 + Int(-3, 3), s.y2 + Int(-3, 3)};
                break;
            case 1:  // collinear, overlapping or not
                PointOn(s, p.x1, p.y1);
                PointOn(s, p.x2, p.y2);
                if (Int(0, 1)) p.x2 += 3 * (s.x2 - s.x1), p.y2 += 3 * (s.y2 - s.y1);
                break;
            case 2:  // touching: ending on the segment
                PointOn(s, p.x1, p.y1);
                break;
            default: break;
        }
        return p;
    }

private:
    std::mt19937 random;
};

TEST(OcclusionTest, PreparedRulesAndQuickTestsAgreeWithThePlainDefinition) {
    CaseMaker make(20240611);
    int blocked = 0, skipped = 0, proven = 0;
    for (int n = 0; n < 100000; ++n) {
        const Segment s = make.Object();
        const Segment p = make.PathFor(s);
        const bool plain = PlainSegmentBlocks(s.x1, s.y1, s.x2, s.y2, p.x1, p.y1, p.x2, p.y2);
        const Occluder shape = Occluder::Segment(s.x1, s.y1, s.x2, s.y2);
        const SightPath path(p.x1, p.y1, p.x2, p.y2);
        ASSERT_EQ(shape.Blocks(path), plain) << "segment " << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2
                                             << " path " << p.x1 << "," << p.y1 << " " << p.x2 << "," << p.y2;
        const Verdict verdict = shape.QuickTest(path);
        if (verdict != Verdict::Unsure) {
            ASSERT_EQ(plain, verdict == Verdict::Blocked)
                << "quick test wrong for segment " << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2 << " path "
                << p.x1 << "," << p.y1 << " " << p.x2 << "," << p.y2;
            ++(plain ? proven : skipped);
        }
        blocked += plain;

        const int32_t radius = make.Int(1, 300);
        const int32_t w1 = make.Int(0, 3) == 0 ? 0 : make.Int(0, 359);
        const int32_t w2 = w1 == 0 && make.Int(0, 1) ? 360 : make.Int(0, 360);
        const Occluder circle = Occluder::Circle(s.x1, s.y1, radius, w1, w2);
        const bool plainCircle = PlainCircleBlocks(s.x1, s.y1, radius, w1, w2, p.x1, p.y1, p.x2, p.y2);
        ASSERT_EQ(circle.Blocks(path), plainCircle);
        const Verdict circleVerdict = circle.QuickTest(path);
        if (circleVerdict != Verdict::Unsure) {
            ASSERT_EQ(plainCircle, circleVerdict == Verdict::Blocked);
        }
    }
    // The cases cover both answers, and the quick tests decide many.
    EXPECT_GT(blocked, 10000);
    EXPECT_GT(skipped, 20000);
    EXPECT_GT(proven, 5000);
}

// Long, nearly parallel segments and paths out to the bound of the quick
// tests, steep and flat ones among them: where the float slopes and the
// float intersection round most.
TEST(OcclusionTest, ProvenCutsHoldForLongNearlyParallelLinesFarOut) {
    CaseMaker make(31);
    constexpr int32_t kFar = static_cast<int32_t>(kQuickTestBound);
    int proven = 0;
    for (int n = 0; n < 200000; ++n) {
        Segment s{make.Int(-kFar, kFar), make.Int(-kFar, kFar), make.Int(-kFar, kFar), make.Int(-kFar, kFar)};
        if (n % 3 == 0) s.x2 = s.x1 + make.Int(-3, 3);  // steep
        if (n % 3 == 1) s.y2 = s.y1 + make.Int(-3, 3);  // flat
        const int32_t jitter = n % 2 == 0 ? 4 : 4000;
        auto near = [&](int32_t v) { return std::clamp(v + make.Int(-jitter, jitter), -kFar, kFar); };
        // The path from near one end to near the other, or from a point
        // beside the segment's middle across it.
        Segment p{near(s.x1), near(s.y1), near(s.x2), near(s.y2)};
        if (n % 5 == 0) std::swap(p.x1, p.x2);
        const Occluder shape = Occluder::Segment(s.x1, s.y1, s.x2, s.y2);
        const SightPath path(p.x1, p.y1, p.x2, p.y2);
        const bool plain = PlainSegmentBlocks(s.x1, s.y1, s.x2, s.y2, p.x1, p.y1, p.x2, p.y2);
        ASSERT_EQ(shape.Blocks(path), plain);
        const Verdict verdict = shape.QuickTest(path);
        if (verdict == Verdict::Unsure) continue;
        ASSERT_EQ(plain, verdict == Verdict::Blocked)
            << "quick test wrong for segment " << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2 << " path " << p.x1
            << "," << p.y1 << " " << p.x2 << "," << p.y2;
        proven += plain;
    }
    EXPECT_GT(proven, 20000);
}

TEST(OcclusionTest, FanCullingSkipsOnlyShapesThatBlockNoPathOfTheFan) {
    CaseMaker make(7);
    int culled = 0, proven = 0;
    for (int n = 0; n < 2000; ++n) {
        // A run of rounded points along a segment, or around an arc.
        SightRun run;
        const bool arc = make.Int(0, 2) == 0;
        const int32_t count = make.Int(1, 60);
        const Segment along = make.Object();
        const int32_t cx = make.Int(100, 1800), cy = make.Int(100, 1000), r = make.Int(5, 400);
        const double start = make.Int(0, 359) * kPi / 180;
        if (arc) {
            run.radius = r;
            run.angleStep = make.Int(1, 60) * kPi / 180 / count;
        }
        for (int32_t i = 0; i < count; ++i) {
            const double f = (i + 0.5) / count;
            const double x =
                arc ? cx + r * std::sin(start + run.angleStep * (i + 0.5)) : along.x1 + (along.x2 - along.x1) * f;
            const double y =
                arc ? cy - r * std::cos(start + run.angleStep * (i + 0.5)) : along.y1 + (along.y2 - along.y1) * f;
            run.points.push_back({Round(static_cast<float>(x)), Round(static_cast<float>(y))});
        }
        const SightPoint p{make.Int(-20, 1940), make.Int(-20, 1100)};
        for (int k = 0; k < 20; ++k) {
            Segment s = make.PathFor({p.x, p.y, run.points[0].x, run.points[0].y});
            const size_t first = static_cast<size_t>(make.Int(0, count - 1));
            const size_t last = static_cast<size_t>(make.Int(static_cast<int32_t>(first), count - 1));
            if (k % 2 == 0) {
                // Across the fan, the ends just beside its edges, near the
                // run or not: where its slack and margin count.
                const SightPoint q1 = run.points[first], q2 = run.points[last];
                const double f = k % 4 == 0 ? make.Int(970, 1030) / 1000.0 : make.Int(50, 110) / 100.0;
                const double ux = q2.x - q1.x, uy = q2.y - q1.y;
                const double u = std::max<double>(1, std::sqrt(ux * ux + uy * uy));
                const double d = make.Int(-30, 80) / 10.0;
                s = {Round(p.x + f * (q1.x - p.x) - d * ux / u), Round(p.y + f * (q1.y - p.y) - d * uy / u),
                     Round(p.x + f * (q2.x - p.x) + d * ux / u), Round(p.y + f * (q2.y - p.y) + d * uy / u)};
            }
            const Occluder segment = Occluder::Segment(s.x1, s.y1, s.x2, s.y2);
            const Occluder circle = Occluder::Circle(s.x1, s.y1, make.Int(1, 100), 0, 360);
            const SightFan fan(p, run.points[first], run.points[last], run.Slack(first, last));
            const Verdict segmentVerdict = segment.QuickTestFan(fan);
            const Verdict circleVerdict = circle.QuickTestFan(fan);
            culled += segmentVerdict == Verdict::Clear;
            proven += segmentVerdict == Verdict::Blocked;
            for (size_t i = first; i <= last; ++i)
                for (const bool outward : {false, true}) {
                    const SightPoint a = outward ? p : run.points[i], b = outward ? run.points[i] : p;
                    if (segmentVerdict != Verdict::Unsure) {
                        ASSERT_EQ(PlainSegmentBlocks(s.x1, s.y1, s.x2, s.y2, a.x, a.y, b.x, b.y),
                                  segmentVerdict == Verdict::Blocked)
                            << "quick test of the fan wrong for element " << i;
                    }
                    // What the fan's test proves it proves for each path.
                    if (segmentVerdict == Verdict::Blocked) {
                        ASSERT_EQ(segment.QuickTest(SightPath(a.x, a.y, b.x, b.y)), Verdict::Blocked)
                            << "fan element " << i;
                    }
                    if (circleVerdict != Verdict::Unsure) {
                        ASSERT_EQ(circle.Blocks(a.x, a.y, b.x, b.y), circleVerdict == Verdict::Blocked);
                    }
                }
        }
    }
    EXPECT_GT(culled, 5000);
    EXPECT_GT(proven, 1000);
}

// Whether any shape not numbered skipA or skipB cuts the path, each asked in turn.
bool PlainAnyBlocks(const std::vector<OcclusionIndex::Entry>& entries, SightPoint a, SightPoint b, int32_t skipA,
                    int32_t skipB) {
    for (const auto& entry : entries)
        if (entry.number != skipA && entry.number != skipB && entry.shape.Blocks(a.x, a.y, b.x, b.y)) return true;
    return false;
}

// Checks the index's fan from p to the run against every shape asked in turn;
// returns how many of the run's points were left out as surely blocked.
size_t CheckFan(const OcclusionIndex& index, const std::vector<OcclusionIndex::Entry>& entries, const SightRun& run,
                SightPoint p, int32_t skipA, int32_t skipB) {
    auto plain = [&](SightPoint a, SightPoint b, int32_t skip1, int32_t skip2) {
        return PlainAnyBlocks(entries, a, b, skip1, skip2);
    };
    size_t next = 0, leftOut = 0;
    index.ForEachFan(run, p, skipA, skipB, [&](size_t first, size_t last, const OcclusionIndex::Candidates& c) {
        ASSERT_GE(first, next) << "ranges in order";
        // The points left out: a shape cuts every path to them.
        for (; next < first; ++next, ++leftOut) {
            ASSERT_TRUE(plain(p, run.points[next], skipA, skipB));
            ASSERT_TRUE(plain(run.points[next], p, skipA, skipB));
        }
        next = last + 1;
        // A query asked while the fan's lists are in use leaves them as they are.
        ASSERT_EQ(index.AnyBlocks(run.points[first].x, run.points[first].y, p.x, p.y, 0, 0),
                  plain(run.points[first], p, 0, 0));
        for (size_t i = first; i <= last; ++i) {
            const SightPoint q = run.points[i];
            ASSERT_EQ(c.Blocks(p.x, p.y, q.x, q.y), plain(p, q, skipA, skipB));
            ASSERT_EQ(c.Blocks(q.x, q.y, p.x, p.y), plain(q, p, skipA, skipB));
        }
    });
    for (; next < run.points.size(); ++next, ++leftOut) {
        EXPECT_TRUE(plain(p, run.points[next], skipA, skipB));
        EXPECT_TRUE(plain(run.points[next], p, skipA, skipB));
    }
    return leftOut;
}

// A frame and up to `most` random segments, circles, arcs and shapes that
// block nothing, numbered from 1.
std::vector<OcclusionIndex::Entry> RandomShapes(CaseMaker& make, int32_t most) {
    std::vector<OcclusionIndex::Entry> entries{{Occluder::Frame(1920, 1080), 1}};
    const int32_t objects = make.Int(1, most);
    for (int32_t k = 0; k < objects; ++k) {
        const Segment s = make.Object();
        const int32_t number = k + 2;
        if (make.Int(0, 4) == 0)
            entries.push_back({Occluder::Circle(s.x1, s.y1, make.Int(1, 80), make.Int(0, 359), 360), number});
        else if (make.Int(0, 9) == 0)
            entries.push_back({Occluder::None(), number});
        else
            entries.push_back(
                {Occluder::Segment(s.x1, s.y1, s.x1 + make.Int(-100, 100), s.y1 + make.Int(-100, 100)), number});
    }
    return entries;
}

SightRun StraightRun(CaseMaker& make, int32_t most) {
    SightRun run;
    const Segment along = make.Object();
    const int32_t count = make.Int(1, most);
    for (int32_t i = 0; i < count; ++i)
        run.points.push_back({Round(along.x1 + (along.x2 - along.x1) * ((i + 0.5) / count)),
                              Round(along.y1 + (along.y2 - along.y1) * ((i + 0.5) / count))});
    return run;
}

TEST(OcclusionTest, IndexAnswersAsEveryShapeAskedInTurn) {
    CaseMaker make(99);
    for (int n = 0; n < 200; ++n) {
        const std::vector<OcclusionIndex::Entry> entries = RandomShapes(make, 40);
        OcclusionIndex index;
        index.Build(entries);
        const SightRun run = StraightRun(make, 400);
        const SightPoint p{make.Int(-5, 1925), make.Int(-5, 1085)};
        const int32_t skipA = make.Int(0, static_cast<int32_t>(entries.size())), skipB = make.Int(0, 3);
        CheckFan(index, entries, run, p, skipA, skipB);
        for (int k = 0; k < 50; ++k) {
            const Segment s = make.PathFor(make.Object());
            EXPECT_EQ(index.AnyBlocks(s.x1, s.y1, s.x2, s.y2, skipA, skipB),
                      PlainAnyBlocks(entries, {s.x1, s.y1}, {s.x2, s.y2}, skipA, skipB));
        }
    }
}

// The fans of neighbouring points, as the displays' grids and the stream
// lines ask for them: the shape that cut all of one fan is asked first for
// the next, which must not change an answer, also when the skipped objects
// change from fan to fan, or the shapes change under the same run.
TEST(OcclusionTest, NeighbouringFansAnswerAsEveryShapeAskedInTurn) {
    CaseMaker make(2024);
    OcclusionIndex index;
    size_t leftOut = 0;
    for (int n = 0; n < 60; ++n) {
        const std::vector<OcclusionIndex::Entry> entries = RandomShapes(make, n % 2 == 0 ? 150 : 5);
        index.Build(entries);
        const std::vector<SightRun> runs{StraightRun(make, 60), StraightRun(make, 60)};
        SightPoint p{make.Int(0, 1920), make.Int(0, 1080)};
        for (int k = 0; k < 200; ++k) {
            const int32_t step = make.Int(1, 20);
            p = make.Int(0, 1) == 0 ? SightPoint{p.x, p.y + step} : SightPoint{p.x + step, p.y - step};
            const int32_t skipA = make.Int(0, 2) == 0 ? make.Int(0, static_cast<int32_t>(entries.size())) : 0;
            for (const SightRun& run : runs) leftOut += CheckFan(index, entries, run, p, skipA, 0);
        }
        if (n % 3 == 0) index.Clear();
    }
    EXPECT_GT(leftOut, 10000u);
}

}  // namespace
