// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Occlusion.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "model/Geometry.h"
#include "model/Numbers.h"

namespace brevanto::model {

namespace {

// Coordinate arithmetic in double rather than in integers: exact while a
// product stays below 2^53, as every product of window coordinates does, and
// no overflow for the far-off coordinates a scene file may hold.
double Difference(int32_t a, int32_t b) { return static_cast<double>(a) - b; }

double SquaredDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    const double dx = Difference(bx, ax), dy = Difference(by, ay);
    return dx * dx + dy * dy;
}

double Degrees(double radians) { return radians * 180 / kPi; }

bool Bounded(double x) { return std::fabs(x) <= kQuickTestBound; }

// Whether the float interval test of a segment uses x: |x1 - x2| > |y1 - y2|
// as floats, ties to y.
bool XDominant(float x1, float x2, float y1, float y2) {
    return std::fabs(static_cast<double>(x1) - x2) > std::fabs(static_cast<double>(y1) - y2);
}

// The cross product (V - U) x (X - U): positive when X lies to the left of
// U -> V (x right, y up). Exact for bounded coordinates.
double Cross(SightPoint u, SightPoint v, double x, double y) {
    return Difference(v.x, u.x) * (y - u.y) - Difference(v.y, u.y) * (x - u.x);
}

// The quick tests below decide by arithmetic rather than by branches: which
// side of a line a shape lies on is as often one way as the other, and
// guessing it wrong costs the processor more than the few extra operations.

// Whether the value s, `reach` times the length of the line it is measured
// against away from it, lies strictly on its positive side and farther than
// `reach`: s^2 > reach^2 |line|^2.
bool Beyond(double s, double reachSquaredTimesLength) { return (s > 0) & (s * s > reachSquaredTimesLength); }

// The same for both of s1 and s2, on one side of the line, either one: the
// one nearer the line decides, positive only when both lie on one side.
bool BothBeyond(double s1, double s2, double reachSquaredTimesLength) {
    return Beyond(std::max(std::min(s1, s2), -std::max(s1, s2)), reachSquaredTimesLength);
}

// The same with s1 and s2 on opposite sides of the line.
bool ApartBeyond(double s1, double s2, double reachSquaredTimesLength) {
    return Beyond(std::min(-std::min(s1, s2), std::max(s1, s2)), reachSquaredTimesLength);
}

// Whether the ends of a segment, a1 and a2 the first end's cross products with
// two lines, b1 and b2 the second's, lie on opposite sides of both lines, the
// first on the same side of each. The products keep their signs: the values
// are whole numbers of at most 2^43.
bool CrossesBothEdges(double a1, double a2, double b1, double b2) {
    return (a1 * b1 < 0) & (a2 * b2 < 0) & (a1 * a2 > 0);
}

}  // namespace

SightPath::SightPath(int32_t pax, int32_t pay, int32_t pbx, int32_t pby)
    : ax(pax),
      ay(pay),
      bx(pbx),
      by(pby),
      dx(Difference(pbx, pax)),
      dy(Difference(pby, pay)),
      minX(std::min(pax, pbx)),
      minY(std::min(pay, pby)),
      maxX(std::max(pax, pbx)),
      maxY(std::max(pay, pby)) {
    bounded = Bounded(minX) && Bounded(minY) && Bounded(maxX) && Bounded(maxY);
}

Occluder Occluder::None() { return {}; }

Occluder Occluder::Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Occluder s;
    s.kind_ = Kind::Segment;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.f1x = static_cast<float>(x1);
    s.f1y = static_cast<float>(y1);
    s.f2x = static_cast<float>(x2);
    s.f2y = static_cast<float>(y2);
    s.dx = Difference(x2, x1);
    s.dy = Difference(y2, y1);
    s.vertical = x1 == x2;
    s.xDominant = XDominant(s.f1x, s.f2x, s.f1y, s.f2y);
    if (!s.vertical) {
        s.m = static_cast<float>(s.dy / s.dx);
        s.c = y1 - static_cast<double>(x1) * s.m;
    }
    auto size = [](int32_t v) { return std::fabs(static_cast<double>(v)); };
    const double largest = std::max({size(x1), size(y1), size(x2), size(y2)});
    s.bounded = Bounded(largest);
    // The rule rounds the intersection to floats near its coordinates; a
    // steep slope multiplies the rounding of x along the segment. Ample:
    // one pixel besides.
    const double ulp = std::ldexp(1.0, std::ilogb(largest + 2) - 23);
    s.margin = 1 + (std::fabs(s.m) + 2) * ulp;
    s.minX = std::min(x1, x2) - s.margin;
    s.maxX = std::max(x1, x2) + s.margin;
    s.minY = std::min(y1, y2) - s.margin;
    s.maxY = std::max(y1, y2) + s.margin;
    return s;
}

Occluder Occluder::Circle(int32_t xmitte, int32_t ymitte, int32_t radius, int32_t winkel1, int32_t winkel2) {
    Occluder s;
    s.kind_ = Kind::Circle;
    s.x1 = xmitte;
    s.y1 = ymitte;
    s.x2 = radius;
    s.y2 = winkel1;
    s.w2 = winkel2;
    const double r = radius;
    s.bounded = radius >= 0 && Bounded(xmitte + r) && Bounded(xmitte - r) && Bounded(ymitte + r) && Bounded(ymitte - r);
    s.margin = 1;
    s.minX = xmitte - r - s.margin;
    s.maxX = xmitte + r + s.margin;
    s.minY = ymitte - r - s.margin;
    s.maxY = ymitte + r + s.margin;
    return s;
}

Occluder Occluder::Frame(int32_t width, int32_t height) {
    Occluder s;
    s.kind_ = Kind::Frame;
    s.x2 = width;
    s.y2 = height;
    return s;
}

bool Occluder::Blocks(const SightPath& path) const {
    switch (kind_) {
        case Kind::None: return false;
        case Kind::Segment: return SegmentCuts(path);
        case Kind::Circle: return CircleCuts(path);
        case Kind::Frame: return Outside(path.ax, path.ay) || Outside(path.bx, path.by);
    }
    return false;
}

bool Occluder::Outside(int32_t x, int32_t y) const { return x < 0 || x > x2 || y < 0 || y > y2; }

// The lines through the segment and the path meet at (xs, ys), held as
// floats; the point must lie within both on the coordinate of larger extent.
// Slopes are rounded to floats first, and the point computed from them.
bool Occluder::SegmentCuts(const SightPath& path) const {
    const float fax = static_cast<float>(path.ax), fay = static_cast<float>(path.ay);
    const float fbx = static_cast<float>(path.bx), fby = static_cast<float>(path.by);
    const bool pathVertical = path.ax == path.bx;
    const bool pathXDominant = XDominant(fax, fbx, fay, fby);
    if (vertical) {
        if (pathVertical) return false;
        const float xs = f1x;
        const auto ys = static_cast<float>(Difference(x1, path.ax) * path.dy / path.dx + path.ay);
        if (!Between(f1y, f2y, ys)) return false;
        return pathXDominant ? Between(fax, fbx, xs) : Between(fay, fby, ys);
    }
    if (pathVertical) {
        const float xs = fax;
        const auto ys = static_cast<float>(Difference(path.ax, x1) * dy / dx + y1);
        if (!Between(fay, fby, ys)) return false;
        return xDominant ? Between(f1x, f2x, xs) : Between(f1y, f2y, ys);
    }
    const auto pathSlope = static_cast<float>(path.dy / path.dx);
    if (m == pathSlope) return false;  // parallel, even collinear
    // xs = (y1 - x1 m - ay + ax m') / (m' - m), with c = y1 - x1 m.
    const auto xs = static_cast<float>((c - path.ay + static_cast<double>(path.ax) * pathSlope) /
                                       (static_cast<double>(pathSlope) - m));
    const auto ys = static_cast<float>((static_cast<double>(xs) - x1) * m + y1);
    const bool onSegment = xDominant ? Between(f1x, f2x, xs) : Between(f1y, f2y, ys);
    return onSegment && (pathXDominant ? Between(fax, fbx, xs) : Between(fay, fby, ys));
}

// The circle test: one end inside or on the circle and the other outside or
// on it, or both outside with the foot of the perpendicular from the centre
// C strictly between them and within the radius. An arc needs one of the
// path's points on the circle at a covered angle as well.
bool Occluder::CircleCuts(const SightPath& path) const {
    const int32_t ax = path.ax, ay = path.ay, bx = path.bx, by = path.by;
    const int32_t xmitte = x1, ymitte = y1, radius = x2;
    if (ax == bx && ay == by) return false;
    const auto dA = static_cast<float>(std::sqrt(SquaredDistance(ax, ay, xmitte, ymitte)) - radius);
    const auto dB = static_cast<float>(std::sqrt(SquaredDistance(bx, by, xmitte, ymitte)) - radius);
    // The product in double: two tiny floats must not underflow to 0.
    bool cut;
    if (static_cast<double>(dA) * dB <= 0) {
        cut = true;
    } else if (dA < 0) {
        cut = false;  // both ends inside
    } else {
        const double abx = Difference(bx, ax), aby = Difference(by, ay);
        const double acx = Difference(ax, xmitte), acy = Difference(ay, ymitte);
        const double bcx = Difference(bx, xmitte), bcy = Difference(by, ymitte);
        const double h = std::fabs(abx * acy - aby * acx) / std::sqrt(abx * abx + aby * aby);
        cut = !(radius < h) && (abx * acx + aby * acy) * (abx * bcx + aby * bcy) < 0;
    }
    if (!cut) return false;
    if (y2 == 0 && w2 == 360) return true;  // the full circle
    // The path is t A + (1 - t) B; with D = A - B and q = D.(B - C) it meets
    // the circle where |D|^2 t^2 + 2 q t + |B - C|^2 - r^2 = 0.
    const double dx = Difference(ax, bx), dy = Difference(ay, by);
    const double bcx = Difference(bx, xmitte), bcy = Difference(by, ymitte);
    const double dd = dx * dx + dy * dy;
    const double q = dx * bcx + dy * bcy;
    const double r = radius;
    const double root = std::sqrt(std::max<double>(0, 4 * q * q - 4 * dd * (bcx * bcx + bcy * bcy - r * r)));
    for (const double t : {(root - 2 * q) / 2 / dd, (-2 * q - root) / 2 / dd}) {
        if (t <= 0 || t >= 1) continue;
        const double px = t * ax + (1 - t) * bx - xmitte, py = t * ay + (1 - t) * by - ymitte;
        // DirectionAngle lies in [0, 2 pi), so phi starts in [90, 450).
        double phi = Degrees(DirectionAngle(px, py)) + 90;
        if (phi >= 360) phi -= 360;
        if (ArcCovers(phi)) return true;
    }
    return false;
}

bool Occluder::ArcCovers(double phi) const {
    const int32_t winkel1 = y2, winkel2 = w2;
    if (winkel2 > winkel1) return winkel1 <= phi && phi <= winkel2;
    return phi < winkel2 || phi > winkel1;
}

// The rule's segment intersection differs from the exact one by a fraction
// of a pixel across both lines: float slopes turn each line by less than
// 2^-24 of its length, and the rounding of xs and ys to floats moves the
// point along the segment by at most (|m| + 2) ulp. So where the rule
// answers true, the path comes within the margin of the segment; and where
// both pairs of ends lie on opposite sides of the other line, each farther
// than the margin, the computed point lies within both on either
// coordinate and the rule answers true (float slopes that come out equal
// would need ends closer than that). A circle is cut only by a path that
// reaches it.
Verdict Occluder::QuickTest(const SightPath& path) const {
    if (kind_ == Kind::None) return Verdict::Clear;
    if (kind_ == Kind::Frame || !bounded || !path.bounded) return Verdict::Unsure;
    if ((path.maxX < minX) | (path.minX > maxX) | (path.maxY < minY) | (path.minY > maxY)) return Verdict::Clear;
    const double pathLength = path.dx * path.dx + path.dy * path.dy;
    auto side = [&](double x, double y) { return path.dx * (y - path.ay) - path.dy * (x - path.ax); };
    if (kind_ == Kind::Circle) {
        // The path's line passes the centre farther than radius + margin.
        const double reach = x2 + margin;
        const double s = side(x1, y1);
        if (s * s > reach * reach * pathLength) return Verdict::Clear;
        // Both ends inside the circle, farther than the margin.
        const double inner = x2 - margin;
        return inner > 0 && SquaredDistance(path.ax, path.ay, x1, y1) < inner * inner &&
                       SquaredDistance(path.bx, path.by, x1, y1) < inner * inner
                   ? Verdict::Clear
                   : Verdict::Unsure;
    }
    const double s1 = side(x1, y1), s2 = side(x2, y2);
    const double pathReach = margin * margin * pathLength;
    if (BothBeyond(s1, s2, pathReach)) return Verdict::Clear;
    auto across = [&](double x, double y) { return dx * (y - y1) - dy * (x - x1); };
    const double a1 = across(path.ax, path.ay), a2 = across(path.bx, path.by);
    const double segmentReach = margin * margin * (dx * dx + dy * dy);
    if (BothBeyond(a1, a2, segmentReach)) return Verdict::Clear;
    // Both tests without a guessed branch between them, as the box's above.
    const bool pathApart = ApartBeyond(s1, s2, pathReach), segmentApart = ApartBeyond(a1, a2, segmentReach);
    return (pathApart & segmentApart) ? Verdict::Blocked : Verdict::Unsure;
}

SightFan::SightFan(SightPoint pp, SightPoint q1, SightPoint q2, double pslack)
    : p(pp),
      slack(pslack),
      minX(std::min({pp.x, q1.x, q2.x}) - pslack),
      minY(std::min({pp.y, q1.y, q2.y}) - pslack),
      maxX(std::max({pp.x, q1.x, q2.x}) + pslack),
      maxY(std::max({pp.y, q1.y, q2.y}) + pslack),
      bounded(Bounded(minX) && Bounded(maxX) && Bounded(minY) && Bounded(maxY)),
      turn(0) {
    const double cross = Cross(pp, q1, q2.x, q2.y);
    turn = cross > 0 ? -1 : cross < 0 ? 1 : 0;
    const SightPoint corners[3] = {pp, q1, q2};
    for (int k = 0; k < 3; ++k) {
        const SightPoint u = corners[k], v = corners[(k + 1) % 3];
        const double bx = Difference(v.x, u.x), by = Difference(v.y, u.y);
        edges[k] = {static_cast<double>(u.x), static_cast<double>(u.y), bx, by, bx * bx + by * by};
    }
}

Verdict Occluder::QuickTestFan(const SightFan& fan) const {
    switch (kind_) {
        case Kind::None: return Verdict::Clear;
        case Kind::Frame:
            // Every path has p as an end; otherwise every end of the fan's
            // paths inside the picture.
            if (Outside(fan.p.x, fan.p.y)) return Verdict::Blocked;
            return fan.minX < 0 || fan.maxX > x2 || fan.minY < 0 || fan.maxY > y2 ? Verdict::Unsure : Verdict::Clear;
        default: break;
    }
    if (!bounded || !fan.bounded) return Verdict::Unsure;
    if ((fan.maxX < minX) | (fan.minX > maxX) | (fan.maxY < minY) | (fan.minY > maxY)) return Verdict::Clear;
    // Shapes wholly outside one edge of the triangle, beyond margin + slack
    // (a zero edge has every side 0 and clears nothing).
    const double reach = margin + fan.slack + (kind_ == Kind::Circle ? x2 : 0);
    const double reach2 = reach * reach;
    bool outside = false;
    // The sides of the segment's ends, kept for CutsEveryPath.
    double firstSide[3], secondSide[3];
    for (int k = 0; k < 3; ++k) {
        const SightFan::Edge& e = fan.edges[k];
        auto side = [&](double x, double y) { return e.bx * (y - e.uy) - e.by * (x - e.ux); };
        const double limit = reach2 * e.length2;
        const double s1 = side(x1, y1);
        if (kind_ == Kind::Circle) {
            const double out = fan.turn != 0 ? fan.turn * s1 : std::fabs(s1);
            outside |= Beyond(out, limit);
            continue;
        }
        const double s2 = side(x2, y2);
        // A flat triangle is a segment: both ends on one side of it.
        outside |= fan.turn != 0 ? Beyond(std::min(fan.turn * s1, fan.turn * s2), limit) : BothBeyond(s1, s2, limit);
        firstSide[k] = s1;
        secondSide[k] = s2;
    }
    if (outside) return Verdict::Clear;
    if (kind_ != Kind::Segment) return Verdict::Unsure;
    // The edge q2 -> p turns the other way from p -> q2.
    const double a1 = firstSide[0], a2 = -firstSide[2], b1 = secondSide[0], b2 = -secondSide[2];
    return CrossesBothEdges(a1, a2, b1, b2) && CutsEveryPath(fan, a1, a2, b1, b2) ? Verdict::Blocked : Verdict::Unsure;
}

// Whether every path of the fan and the segment lie as QuickTest's Blocked
// asks. The paths end at Q = (1 - t) q1 + t q2 + v, |v| <= slack. Across the
// segment's line: p beyond the margin on one side, q1 and q2 beyond margin +
// slack on the other. Across a path's line, E's cross product
// (Q - p) x (E - p) = (1 - t) c1 + t c2 + v x (E - p) must exceed margin |Q - p|
// in size, with c1 and c2 those of the edges p -> q1 and p -> q2: so each end
// E of the segment lies on one side of both edges, the ends on opposite ones,
// with |c1| and |c2| beyond slack |E - p| + margin (max |qk - p| + slack).
// a1, a2 are c1, c2 of the first end, b1, b2 of the second, on the sides
// that CrossesBothEdges asks for.
bool Occluder::CutsEveryPath(const SightFan& fan, double a1, double a2, double b1, double b2) const {
    const double sign = a1 > 0 ? 1 : -1;
    const double px = fan.p.x, py = fan.p.y;
    const SightFan::Edge &toFirst = fan.edges[0], &fromLast = fan.edges[2];
    auto across = [&](double x, double y) { return dx * (y - y1) - dy * (x - x1); };
    const double segmentLength2 = dx * dx + dy * dy;
    const double sp = across(px, py);
    const double s1 = across(px + toFirst.bx, py + toFirst.by), s2 = across(fromLast.ux, fromLast.uy);
    const double far = (margin + fan.slack) * (margin + fan.slack) * segmentLength2;
    if (!ApartBeyond(sp, s1, far) || !ApartBeyond(sp, s2, far) || !(sp * sp > margin * margin * segmentLength2))
        return false;
    const double reach = margin * (std::sqrt(std::max(toFirst.length2, fromLast.length2)) + fan.slack);
    const double reachFirst = fan.slack * std::sqrt(SquaredDistance(x1, y1, fan.p.x, fan.p.y)) + reach;
    const double reachSecond = fan.slack * std::sqrt(SquaredDistance(x2, y2, fan.p.x, fan.p.y)) + reach;
    return std::min(sign * a1, sign * a2) > reachFirst && std::min(-sign * b1, -sign * b2) > reachSecond;
}

double SightRun::Slack(size_t first, size_t last) const {
    // Rounding moves each point, and the ends of the chord, by at most
    // sqrt(1/2) pixel; a float centre is off by far less than the rest.
    constexpr double kRounding = 1.6;
    if (radius == 0) return kRounding;
    // The arc between two points bulges r (1 - cos(angle / 2)) from their
    // chord; its float centres lie within a small fraction of a pixel of it.
    const double angle = angleStep * static_cast<double>(last - first);
    if (!(angle < kPi)) return 2 * radius + kRounding;
    return radius * (1 - std::cos(angle / 2)) + kRounding + 0.2 + radius * 1e-6;
}

namespace {

struct ThreadScratch {
    std::vector<uint32_t> buffer;
    bool taken = false;
};

thread_local ThreadScratch threadScratch;

std::atomic<uint64_t> indexGenerations{0};

// The entry that last cut every path of a fan from some point to a run, on
// this thread: neighbouring grid points and the steps of a stream line ask
// for fans to the same run one after another, and a shape that cut all of
// one fan mostly cuts all of the next. Its quick test proves that before the
// tree is searched; any other verdict leaves the search as it was. One slot
// per run address, naming its run and index; 4096 of them (96 KB a thread),
// since runs that share a slot evict each other at every point, and a busy
// scene queries some hundreds of runs at each.
struct Blocker {
    uint64_t generation = 0;
    const SightRun* run = nullptr;
    uint32_t entry = 0;
};
constexpr int kBlockerSlotBits = 12;
thread_local std::array<Blocker, size_t{1} << kBlockerSlotBits> lastBlockers;

// The runs are members of objects allocated one after another: the slot
// mixes all bits of the address.
size_t BlockerSlot(const SightRun* run) {
    return static_cast<size_t>((uint64_t{reinterpret_cast<uintptr_t>(run)} * 0x9E3779B97F4A7C15) >>
                               (64 - kBlockerSlotBits));
}

}  // namespace

CandidateScratch::CandidateScratch(size_t room) {
    if (threadScratch.taken) {
        own.reset(new uint32_t[room]);
        buffer = own.get();
        return;
    }
    if (threadScratch.buffer.size() < room) threadScratch.buffer.resize(room);
    threadScratch.taken = borrowed = true;
    buffer = threadScratch.buffer.data();
}

CandidateScratch::~CandidateScratch() {
    if (borrowed) threadScratch.taken = false;
}

void OcclusionIndex::Build(std::vector<Entry> newEntries) {
    entries = std::move(newEntries);
    order.clear();
    rest.clear();
    for (uint32_t e = 0; e < entries.size(); ++e) {
        if (entries[e].shape.kind() == Occluder::Kind::None) continue;
        (entries[e].shape.QuickTestsApply() ? order : rest).push_back(e);
    }
    tree.clear();
    if (!order.empty()) BuildTree(0, 0, static_cast<uint32_t>(order.size()));
    built = true;
    generation = ++indexGenerations;
}

void OcclusionIndex::Clear() {
    entries.clear();
    order.clear();
    rest.clear();
    tree.clear();
    built = false;
    generation = ++indexGenerations;
}

// Each node halves its shapes at the median of their box centres along the
// longer side of its box.
void OcclusionIndex::BuildTree(size_t node, uint32_t first, uint32_t last) {
    if (tree.size() <= node) tree.resize(node + 1, Node{0, 0, -1, -1, 0, 0});
    Node box{1e300, 1e300, -1e300, -1e300, first, last};
    for (uint32_t k = first; k < last; ++k) {
        const Occluder& s = entries[order[k]].shape;
        box.minX = std::min(box.minX, s.MinX());
        box.minY = std::min(box.minY, s.MinY());
        box.maxX = std::max(box.maxX, s.MaxX());
        box.maxY = std::max(box.maxY, s.MaxY());
    }
    tree[node] = box;
    if (last - first <= kNodeLeaf) return;
    const bool alongX = box.maxX - box.minX >= box.maxY - box.minY;
    auto centre = [&](uint32_t e) {
        const Occluder& s = entries[e].shape;
        return alongX ? s.MinX() + s.MaxX() : s.MinY() + s.MaxY();
    };
    const uint32_t middle = first + (last - first) / 2;
    std::nth_element(order.begin() + first, order.begin() + middle, order.begin() + last, [&](uint32_t a, uint32_t b) {
        return centre(a) < centre(b) || (centre(a) == centre(b) && a < b);
    });
    BuildTree(2 * node + 1, first, middle);
    BuildTree(2 * node + 2, middle, last);
}

// Adds entry e to the `count` candidates in `out` unless it is skipped or
// cuts no path of the fan; returns the new count, or kBlocked.
size_t OcclusionIndex::Take(uint32_t e, const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out,
                            size_t count) const {
    const Entry& entry = entries[e];
    if (entry.number == skipA || entry.number == skipB) return count;
    switch (entry.shape.QuickTestFan(fan)) {
        case Verdict::Clear: return count;
        case Verdict::Blocked: out[0] = e; return kBlocked;
        case Verdict::Unsure: break;
    }
    out[count] = e;
    return count + 1;
}

size_t OcclusionIndex::Gather(const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out) const {
    size_t count = 0;
    for (uint32_t e : rest)
        if ((count = Take(e, fan, skipA, skipB, out, count)) == kBlocked) return kBlocked;
    if (tree.empty()) return count;
    if (!fan.bounded) {
        for (uint32_t e : order)
            if ((count = Take(e, fan, skipA, skipB, out, count)) == kBlocked) return kBlocked;
        return count;
    }
    return GatherTree(0, fan, skipA, skipB, out, count);
}

size_t OcclusionIndex::GatherFan(const SightRun& run, const SightFan& fan, int32_t skipA, int32_t skipB,
                                 uint32_t* out) const {
    Blocker& last = lastBlockers[BlockerSlot(&run)];
    // The entry is checked against the size too: a moved-from index keeps its
    // generation but not its entries.
    if (last.generation == generation && last.run == &run && last.entry < entries.size()) {
        const Entry& entry = entries[last.entry];
        if (entry.number != skipA && entry.number != skipB && entry.shape.QuickTestFan(fan) == Verdict::Blocked)
            return kBlocked;
    }
    const size_t count = Gather(fan, skipA, skipB, out);
    if (count == kBlocked) last = {generation, &run, out[0]};
    return count;
}

size_t OcclusionIndex::GatherTree(size_t node, const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out,
                                  size_t count) const {
    const Node& box = tree[node];
    bool outside = (fan.maxX < box.minX) | (fan.minX > box.maxX) | (fan.maxY < box.minY) | (fan.minY > box.maxY);
    // The whole box outside one edge of the triangle, beyond the slack (the
    // box holds the shapes' margins already). A flat triangle has no inside.
    const double reach2 = fan.slack * fan.slack;
    if (fan.turn != 0)
        for (const SightFan::Edge& e : fan.edges) {
            // How far outside the edge a point lies, nx (x - ux) + ny (y - uy):
            // least at the corner towards the inside, which decides for all four.
            const double nx = -fan.turn * e.by, ny = fan.turn * e.bx;
            const double s =
                nx * ((nx > 0 ? box.minX : box.maxX) - e.ux) + ny * ((ny > 0 ? box.minY : box.maxY) - e.uy);
            outside |= Beyond(s, reach2 * e.length2);
        }
    if (outside) return count;
    if (box.last - box.first <= kNodeLeaf) {
        for (uint32_t k = box.first; k < box.last; ++k)
            if ((count = Take(order[k], fan, skipA, skipB, out, count)) == kBlocked) return kBlocked;
        return count;
    }
    // The child nearer to p first: near p the fan is narrow, a shape there
    // cuts all of it more often, and such a shape ends the search.
    auto distance2 = [&](const Node& n) {
        const double dx = std::max(std::max(n.minX - fan.p.x, double{0}), fan.p.x - n.maxX);
        const double dy = std::max(std::max(n.minY - fan.p.y, double{0}), fan.p.y - n.maxY);
        return dx * dx + dy * dy;
    };
    const bool secondNearer = distance2(tree[2 * node + 2]) < distance2(tree[2 * node + 1]);
    const size_t nearer = 2 * node + 1 + secondNearer, farther = 2 * node + 2 - secondNearer;
    count = GatherTree(nearer, fan, skipA, skipB, out, count);
    if (count == kBlocked) return kBlocked;
    return GatherTree(farther, fan, skipA, skipB, out, count);
}

bool OcclusionIndex::Candidates::Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by) const {
    if (entries.empty()) return false;
    const SightPath path(ax, ay, bx, by);
    for (uint32_t e : entries) {
        const Occluder& shape = index.entries[e].shape;
        switch (shape.QuickTest(path)) {
            case Verdict::Clear: break;
            case Verdict::Blocked: return true;
            case Verdict::Unsure:
                if (shape.Blocks(path)) return true;
                break;
        }
    }
    return false;
}

bool OcclusionIndex::AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const {
    // The path as a fan of one line from A to B.
    const CandidateScratch room(entries.size());
    uint32_t* candidates = room.data();
    const size_t count = Gather(SightFan({ax, ay}, {bx, by}, {bx, by}, 0), skipA, skipB, candidates);
    if (count == kBlocked) return true;
    return Candidates(*this, {candidates, count}).Blocks(ax, ay, bx, by);
}

size_t OcclusionIndex::Cull(std::span<const uint32_t> from, const SightRun& run, SightPoint p, size_t first,
                            size_t last, uint32_t* out) const {
    const SightFan fan(p, run.points[first], run.points[last], run.Slack(first, last));
    size_t count = 0;
    for (uint32_t e : from) switch (entries[e].shape.QuickTestFan(fan)) {
            case Verdict::Clear: break;
            case Verdict::Blocked: return kBlocked;
            case Verdict::Unsure: out[count++] = e; break;
        }
    return count;
}

}  // namespace brevanto::model
