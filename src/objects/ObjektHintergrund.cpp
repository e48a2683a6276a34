#include "objects/ObjektHintergrund.h"

#include <cmath>
#include <vector>

#include "model/Programvar.h"
#include "model/SceneList.h"
#include "model/Stringfunktionen.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

namespace {

enum class Edge { Top, Right, Bottom, Left };

// The frame cut into elements: nx on each horizontal edge, ny on each
// vertical one, recomputed from the picture size and sellaenge.
struct Frame {
    int32_t width;
    int32_t height;
    int32_t nx;
    int32_t ny;
    float lx;
    float ly;

    Frame() {
        const Tprgvar& settings = prgvar();
        width = settings.breite;
        height = settings.hoehe;
        nx = Trunc(static_cast<Extended>(width) / settings.sellaenge + 1.0);
        ny = Trunc(static_cast<Extended>(height) / settings.sellaenge + 1.0);
        lx = static_cast<float>(static_cast<Extended>(width) / nx);
        ly = static_cast<float>(static_cast<Extended>(height) / ny);
    }

    int32_t Count(Edge edge) const { return edge == Edge::Top || edge == Edge::Bottom ? nx : ny; }
    float ElementLength(Edge edge) const { return edge == Edge::Top || edge == Edge::Bottom ? lx : ly; }

    // Centre of element i of an edge, i counted from the left or the top.
    void Centre(Edge edge, int32_t i, float& ex, float& ey) const {
        const bool horizontal = edge == Edge::Top || edge == Edge::Bottom;
        const auto along = static_cast<float>((i + 0.5) * (horizontal ? lx : ly));
        ex = horizontal ? along : static_cast<float>(edge == Edge::Right ? width : 0);
        ey = horizontal ? static_cast<float>(edge == Edge::Bottom ? height : 0) : along;
    }

    // Distance of (x, y) from the edge's line.
    Extended DistanceFromEdge(Edge edge, int32_t x, int32_t y) const {
        switch (edge) {
            case Edge::Top: return y;
            case Edge::Right: return static_cast<Extended>(width) - x;
            case Edge::Bottom: return static_cast<Extended>(height) - y;
            case Edge::Left: return x;
        }
        return 0;
    }
};

constexpr Edge kEdgesInOrder[] = {Edge::Top, Edge::Right, Edge::Bottom, Edge::Left};

// Scales the vector down to length `limit` when it is longer.
void Limit(float& fx, float& fy, float limit) {
    const Extended squared = static_cast<Extended>(fx) * fx + static_cast<Extended>(fy) * fy;
    if (squared > static_cast<Extended>(limit) * limit) {
        const Extended scale = limit / std::sqrt(squared);
        fx = static_cast<float>(fx * scale);
        fy = static_cast<float>(fy * scale);
    }
}

// Shows what was last confirmed in it, not the object's values.
platform::DialogSpec& Dialog() {
    using platform::Control;
    static platform::DialogSpec dialog = [] {
        platform::DialogSpec spec{"Background radiation",
                                  {Control::Edit("Strength", "Energy flow density"),
                                   Control::Radio("AllDirections", "Radiation from all directions", true),
                                   Control::Radio("AboveHorizon", "Radiation only from above the horizon", false),
                                   Control::Button("OK", platform::ModalResult::OK, true)},
                                  264,
                                  280};
        spec["Strength"].text = std::string("0");
        return spec;
    }();
    return dialog;
}

// Calls visit(fx, fy) for the contribution of every frame element that sees
// (x, y), in the order top, right, bottom, left.
template <class Visit>
void ForEachContribution(const TObjektHintergrund& frame, int32_t x, int32_t y, const TSceneList& list,
                         int32_t exclude, Visit&& visit) {
    const Frame geometry;
    const int32_t horizon = prgvar().sellaenge;
    for (Edge edge : kEdgesInOrder) {
        if (frame.nuroben && edge == Edge::Bottom) continue;
        const float length = geometry.ElementLength(edge);
        const Extended h = geometry.DistanceFromEdge(edge, x, y);
        for (int32_t i = 0; i < geometry.Count(edge); ++i) {
            float ex, ey;
            geometry.Centre(edge, i, ex, ey);
            // Only from above the horizon: side elements more than one element
            // length below the point do not reach it.
            if (frame.nuroben && (edge == Edge::Left || edge == Edge::Right) &&
                static_cast<Extended>(ey) > static_cast<Extended>(y) + horizon)
                continue;
            const float dx = static_cast<float>(x - static_cast<Extended>(ex));
            const float dy = static_cast<float>(y - static_cast<Extended>(ey));
            const auto distance = static_cast<float>(std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
            if (distance == 0) continue;
            if (list.AnyBlocks(Round(ex), Round(ey), x, y, frame.number, exclude)) continue;
            const Extended c = 0.5 * frame.staerke * length * h / (static_cast<Extended>(distance) * distance * distance);
            visit(static_cast<float>(dx * c), static_cast<float>(dy * c));
        }
    }
}

}  // namespace

TObjektHintergrund::TObjektHintergrund() {
    kind = "rahmen";
    description = "Background radiation";
}

Extended TObjektHintergrund::Strength() const { return staerke; }

bool TObjektHintergrund::Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const {
    if (number == skipA || number == skipB) return false;
    const Tprgvar& settings = prgvar();
    auto outside = [&](int32_t x, int32_t y) { return x < 0 || x > settings.breite || y < 0 || y > settings.hoehe; };
    return outside(ax, ay) || outside(bx, by);
}

bool TObjektHintergrund::IsNear(int32_t x, int32_t y, int32_t d, int32_t, int32_t) const {
    const Tprgvar& settings = prgvar();
    return x <= d || int64_t{x} >= int64_t{settings.breite} - d || y <= d ||
           int64_t{y} >= int64_t{settings.hoehe} - d;
}

bool TObjektHintergrund::FlowDensityAt(int32_t x, int32_t y, const TSceneList& list, float& fx, float& fy,
                                       int32_t exclude) const {
    fx = 0;
    fy = 0;
    if (staerke == 0) return false;
    ForEachContribution(*this, x, y, list, exclude, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
    });
    if (fx == 0 && fy == 0) return false;
    Limit(fx, fy, staerke);
    return true;
}

void TObjektHintergrund::FlowContributionsAt(int32_t x, int32_t y, const TSceneList& list, int32_t exclude,
                                             FlowVectorList& result) const {
    if (staerke == 0) return;
    ForEachContribution(*this, x, y, list, exclude, [&](float cx, float cy) {
        Limit(cx, cy, staerke);
        result.Prepend({cx, cy});
    });
}

void TObjektHintergrund::AddStreamLineStarts(StreamLineStarts& starts, const TSceneList& list,
                                             float fluxPerLine) const {
    const Frame geometry;
    constexpr int32_t kInset = 3;

    // One walk clockwise on the screen: the top edge left to right, the right
    // edge downwards, the bottom edge right to left, the left edge upwards.
    struct Piece {
        Edge edge;
        int32_t index;
        float flux;
    };
    std::vector<Piece> pieces;
    for (Edge edge : kEdgesInOrder) {
        const int32_t count = geometry.Count(edge);
        const bool backwards = edge == Edge::Bottom || edge == Edge::Left;
        for (int32_t k = 0; k < count; ++k) pieces.push_back({edge, backwards ? count - 1 - k : k, 0});
    }

    Extended total = 0;
    for (Piece& piece : pieces) {
        float ex, ey;
        geometry.Centre(piece.edge, piece.index, ex, ey);
        int32_t probeX = 0, probeY = 0, centreX = Round(ex), centreY = Round(ey);
        switch (piece.edge) {
            case Edge::Top: probeX = centreX, probeY = kInset; break;
            case Edge::Right: probeX = Round(static_cast<Extended>(geometry.width) - kInset), probeY = centreY; break;
            case Edge::Bottom: probeX = centreX, probeY = Round(static_cast<Extended>(geometry.height) - kInset); break;
            case Edge::Left: probeX = kInset, probeY = centreY; break;
        }
        Extended inward = 0;
        for (const auto& object : list) {
            float fx, fy;
            if (!object->FlowDensityAt(probeX, probeY, list, fx, fy, 0)) continue;
            switch (piece.edge) {
                case Edge::Top: inward += fy; break;
                case Edge::Right: inward -= fx; break;
                case Edge::Bottom: inward -= fy; break;
                case Edge::Left: inward += fx; break;
            }
        }
        if (inward < 0 || list.AnyBlocks(centreX, centreY, probeX, probeY, number, 0)) inward = 0;
        piece.flux = static_cast<float>(inward * geometry.ElementLength(piece.edge));
        total += piece.flux;
    }

    const int32_t lines = Round(total / fluxPerLine);
    if (lines <= 0) return;
    const Extended share = total / lines;
    Extended sum = 0;
    int32_t k = 0;
    for (const Piece& piece : pieces) {
        while (k < lines && (k + 0.5) * share < sum + piece.flux) {
            const Extended u = ((k + 0.5) * share - sum) / piece.flux;
            const int32_t i = piece.index;
            switch (piece.edge) {
                case Edge::Top:
                    starts.Prepend({static_cast<float>((i + u) * geometry.lx), static_cast<float>(kInset)});
                    break;
                case Edge::Right:
                    starts.Prepend({static_cast<float>(geometry.width - kInset), static_cast<float>((i + u) * geometry.ly)});
                    break;
                case Edge::Bottom:
                    starts.Prepend({static_cast<float>((i + 1 - u) * geometry.lx), static_cast<float>(geometry.height - kInset)});
                    break;
                case Edge::Left:
                    starts.Prepend({static_cast<float>(kInset), static_cast<float>((i + 1 - u) * geometry.ly)});
                    break;
            }
            ++k;
        }
        sum += piece.flux;
    }
}

void TObjektHintergrund::Edit() {
    Tszeneobjekt::Edit();
    platform::DialogSpec& dialog = Dialog();
    if (platform::CurrentPlatform().ShowModal(dialog) != platform::ModalResult::OK) return;
    staerke = platform::StrToFloat(dialog["Strength"].text);
    nuroben = !dialog["AllDirections"].checked;
}

bool TObjektHintergrund::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Float("staerke=", staerke) && reader.Boolean("nuroben=", nuroben) &&
           reader.Keyword("end");
}

void TObjektHintergrund::SaveToFile(platform::TextFile& file) const {
    file.WriteLine("hintergrund");
    file.WriteLine("begin");
    file.WriteLine("staerke=" + platform::FloatToStr(staerke));
    file.WriteLine(nuroben ? "nuroben=1" : "nuroben=0");
    file.WriteLine("end");
}
