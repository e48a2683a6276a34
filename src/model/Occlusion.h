// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace brevanto::model {

// Lines of sight and what cuts them. Every object blocks through the shape it
// reports (Tszeneobjekt::BlockingShape): a straight segment, a circle or arc,
// or the picture frame, which closes the picture. Each shape has one rule,
// Occluder::Blocks, with the exact float and double rounding of the program's
// geometry. The scene list keeps the shapes of all objects in an
// OcclusionIndex, built in the serial prepare step, which skips the shapes
// that provably cannot cut a path before it applies the rule.

// Coordinates up to this bound keep every product of the quick tests exact
// in double and every coordinate exact in float; beyond it only the rules
// apply.
inline constexpr int64_t kQuickTestBound = 1 << 20;

// A pixel at the end of a line of sight.
struct SightPoint {
    int32_t x;
    int32_t y;
};

// The path from A to B: what the rules share for every shape they test it
// against.
struct SightPath {
    SightPath(int32_t ax, int32_t ay, int32_t bx, int32_t by);

    int32_t ax, ay, bx, by;
    double dx, dy;  // B - A
    bool bounded;   // every coordinate within kQuickTestBound
    double minX, minY, maxX, maxY;
};

// The paths from p to every point within `slack` of the triangle p, q1, q2:
// what the quick test of a fan shares for every shape.
struct SightFan {
    SightFan(SightPoint p, SightPoint q1, SightPoint q2, double slack);

    SightPoint p;
    double slack;
    double minX, minY, maxX, maxY;  // the triangle's box, widened by the slack
    bool bounded;
    // The edges p -> q1, q1 -> q2, q2 -> p: a point X lies outside edge k by
    // outward(X) / |edge| with outward(X) = turn (by (X.x - ux) - bx (X.y - uy)),
    // turn = -1, 1, or 0 for a flat triangle, where either side is outside.
    struct Edge {
        double ux, uy, bx, by, length2;
    };
    Edge edges[3];
    double turn;
};

// What a quick test proves of a shape and a path, or of every path of a fan:
// the shape cuts none, it cuts all, or only the rule can tell.
enum class Verdict : uint8_t { Clear, Blocked, Unsure };

// The shape with which an object cuts lines of sight.
class Occluder {
public:
    enum class Kind : uint8_t { None, Segment, Circle, Frame };

    static Occluder None();
    // The segment from (x1, y1) to (x2, y2), end points included; it never
    // cuts a path parallel to it, not even a collinear one.
    static Occluder Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The circle around (xmitte, ymitte), or its arc from winkel1 clockwise
    // to winkel2 (degrees, 0 straight up); the pair 0/360 is the full circle.
    static Occluder Circle(int32_t xmitte, int32_t ymitte, int32_t radius, int32_t winkel1, int32_t winkel2);
    // The frame of a width x height picture: it cuts every path with an end
    // outside [0, width] x [0, height].
    static Occluder Frame(int32_t width, int32_t height);

    Kind kind() const { return kind_; }
    // Whether the quick tests apply, and the box within which the shape may
    // cut a path (its bounding box widened by the margin).
    bool QuickTestsApply() const { return bounded && (kind_ == Kind::Segment || kind_ == Kind::Circle); }
    double MinX() const { return minX; }
    double MinY() const { return minY; }
    double MaxX() const { return maxX; }
    double MaxY() const { return maxY; }
    // Whether the shape cuts the path: the rule itself.
    bool Blocks(const SightPath& path) const;
    bool Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by) const { return Blocks(SightPath(ax, ay, bx, by)); }
    // Clear only where Blocks is false (the shape lies farther than its
    // margin from the path), Blocked only where it is true (the path and the
    // segment cross deeper than the margin). Cheap: no division, no root.
    Verdict QuickTest(const SightPath& path) const;
    // The same for every path of the fan at once.
    Verdict QuickTestFan(const SightFan& fan) const;
    // The frame only: whether (x, y) lies outside the picture, where every
    // path that ends there is blocked.
    bool Outside(int32_t x, int32_t y) const;

private:
    bool SegmentCuts(const SightPath& path) const;
    bool CircleCuts(const SightPath& path) const;
    bool CutsEveryPath(const SightFan& fan, double a1, double a2, double b1, double b2) const;
    bool ArcCovers(double phi) const;

    Kind kind_ = Kind::None;
    // Segment: the end points; circle: centre (x1, y1), radius x2, arc
    // angles y2 and w2; frame: width x2, height y2.
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, w2 = 0;
    // Segment: as the rule rounds them. The slope m = (y2 - y1) / (x2 - x1)
    // as a float, and c = y1 - x1 m, with which the rule intersects lines.
    float f1x = 0, f1y = 0, f2x = 0, f2y = 0;
    float m = 0;
    double c = 0;
    double dx = 0, dy = 0;
    bool vertical = false;
    bool xDominant = false;
    // The quick tests: the distance within which the shape may still cut a
    // path although the exact geometry says it does not (float rounding of
    // the rule), and the bounding box widened by it.
    bool bounded = false;
    double margin = 0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// The points at the far ends of a fan of lines of sight, in order: the
// rounded centres of one run of surface elements. Between two of its points
// lie all points between them in the run, up to the slack.
struct SightRun {
    std::vector<SightPoint> points;
    // For an arc: its radius and the angle (radians) from one element to the
    // next. A straight run has radius 0.
    double radius = 0;
    double angleStep = 0;

    // How far the points first ... last may lie from the segment between the
    // first and the last: rounding to pixels, and the bulge of an arc.
    double Slack(size_t first, size_t last) const;
};

// The order in which OcclusionIndex::ForEachFan visits a run's ranges, and
// its callers the points of each range.
enum class FanOrder { Forwards, Backwards };

// The index of the k-th point (k = first ... last) of a range in the order.
template <FanOrder order>
size_t InFanOrder(size_t k, size_t first, size_t last) {
    return order == FanOrder::Forwards ? k : first + last - k;
}

// Room for the candidate lists of one query: the calling thread's own
// buffer, kept from query to query so that busy scenes do not allocate for
// every point, or a buffer of its own while the thread's is taken.
class CandidateScratch {
public:
    explicit CandidateScratch(size_t room);
    ~CandidateScratch();
    CandidateScratch(const CandidateScratch&) = delete;
    CandidateScratch& operator=(const CandidateScratch&) = delete;
    uint32_t* data() const { return buffer; }

private:
    std::unique_ptr<uint32_t[]> own;
    uint32_t* buffer;
    bool borrowed = false;
};

// The shapes of the scene's objects, built in the serial prepare step and
// read by the queries from any thread.
class OcclusionIndex {
public:
    struct Entry {
        Occluder shape;
        int32_t number;
    };

    // The shapes that may cut a given set of paths, by their index.
    class Candidates {
    public:
        Candidates(const OcclusionIndex& index, std::span<const uint32_t> entries) : index(index), entries(entries) {}
        bool empty() const { return entries.empty(); }
        // Whether any of them cuts the path from A to B.
        bool Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by) const;

    private:
        const OcclusionIndex& index;
        std::span<const uint32_t> entries;
    };

    void Build(std::vector<Entry> entries);
    void Clear();
    bool Built() const { return built; }

    // Whether any shape whose number is neither skipA nor skipB cuts the path.
    bool AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const;

    // The fan of paths between p and every point of the run: calls
    // visit(first, last, candidates) for consecutive ranges of the run's
    // points, in order (from the last range to the first with
    // FanOrder::Backwards), with the shapes that may cut a path between p and a
    // point of the range (none excepted but skipA and skipB). Each path is
    // then decided by candidates.Blocks, in whichever direction the caller's
    // rule takes it. A range whose every path a shape surely cuts is left
    // out: its points are not visited.
    template <FanOrder order = FanOrder::Forwards, class Visit>
    void ForEachFan(const SightRun& run, SightPoint p, int32_t skipA, int32_t skipB, Visit&& visit) const;

private:
    // What Cull and Gather return when one shape cuts every path of the fan.
    static constexpr size_t kBlocked = SIZE_MAX;

    // The entries that are not skipped and may cut a path of the fan to
    // run.points[first ... last], written to `out`; returns their count, or
    // kBlocked.
    size_t Cull(std::span<const uint32_t> from, const SightRun& run, SightPoint p, size_t first, size_t last,
                uint32_t* out) const;
    template <FanOrder order, class Visit>
    void Split(const SightRun& run, SightPoint p, size_t first, size_t last, std::span<const uint32_t> candidates,
               uint32_t* scratch, Visit& visit) const;

    // A bounding volume hierarchy over the bounded shapes, so that a fan
    // visits only the shapes near it: node k covers tree[k].first ...
    // tree[k].last of `order`, its children are 2k + 1 and 2k + 2, and a
    // node of at most kNodeLeaf shapes has none.
    struct Node {
        double minX, minY, maxX, maxY;
        uint32_t first, last;
    };
    void BuildTree(size_t node, uint32_t first, uint32_t last);
    // Appends to `out` the entries of the tree below `node` that may cut a
    // path of the fan, and every other entry that may; returns the new count,
    // or kBlocked.
    size_t Take(uint32_t e, const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out, size_t count) const;
    // On kBlocked, out[0] is the entry that cuts every path.
    size_t Gather(const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out) const;
    // Gather for the fan to run, asking first the entry that cut every path
    // of the calling thread's last fan to the same run.
    size_t GatherFan(const SightRun& run, const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out) const;
    size_t GatherTree(size_t node, const SightFan& fan, int32_t skipA, int32_t skipB, uint32_t* out,
                      size_t count) const;

    std::vector<Entry> entries;
    std::vector<uint32_t> order;  // the bounded entries, as the tree sorts them
    std::vector<uint32_t> rest;   // the others: frames, far-off shapes
    std::vector<Node> tree;
    bool built = false;
    // Different for every Build and Clear of every index, so that a thread's
    // remembered blockers name entries of this index only.
    uint64_t generation = 0;
    static constexpr uint32_t kNodeLeaf = 4;

    static constexpr size_t kLeaf = 16;  // ranges this short are not split further
};

template <FanOrder order, class Visit>
void OcclusionIndex::Split(const SightRun& run, SightPoint p, size_t first, size_t last,
                           std::span<const uint32_t> candidates, uint32_t* scratch, Visit& visit) const {
    if (candidates.empty() || last - first < kLeaf) {
        visit(first, last, Candidates(*this, candidates));
        return;
    }
    const size_t middle = first + (last - first) / 2;
    auto half = [&](size_t from, size_t to) {
        const size_t count = Cull(candidates, run, p, from, to, scratch);
        if (count != kBlocked) Split<order>(run, p, from, to, {scratch, count}, scratch + count, visit);
    };
    if constexpr (order == FanOrder::Forwards) {
        half(first, middle);
        half(middle + 1, last);
    } else {
        half(middle + 1, last);
        half(first, middle);
    }
}

template <FanOrder order, class Visit>
void OcclusionIndex::ForEachFan(const SightRun& run, SightPoint p, int32_t skipA, int32_t skipB, Visit&& visit) const {
    if (run.points.empty()) return;
    // The candidates of each level of the split, each a subset of the level
    // above.
    const size_t levels = static_cast<size_t>(std::bit_width(run.points.size())) + 2;
    const CandidateScratch room(entries.size() * (levels + 1) + 1);
    uint32_t* scratch = room.data();
    const size_t last = run.points.size() - 1;
    const size_t count =
        GatherFan(run, SightFan(p, run.points[0], run.points[last], run.Slack(0, last)), skipA, skipB, scratch);
    if (count == kBlocked) return;
    Split<order>(run, p, 0, last, {scratch, count}, scratch + count, visit);
}

}  // namespace brevanto::model
