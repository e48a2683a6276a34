#include "objects/ObjektHintergrund.h"

#include <cmath>
#include <vector>

#include "model/SceneList.h"
#include "model/Stringfunktionen.h"
#include "objects/StreamLineStartPlacement.h"
#include "platform/Conversions.h"
#include "radiation/SurfaceElements.h"

using Edge = TObjektHintergrund::Edge;

namespace {

constexpr Edge kEdgesInOrder[] = {Edge::Top, Edge::Right, Edge::Bottom, Edge::Left};

bool IsHorizontal(Edge edge) { return edge == Edge::Top || edge == Edge::Bottom; }

// Scales the vector down to length `limit` when it is longer.
void Limit(float& fx, float& fy, float limit) {
    const Extended squared = static_cast<Extended>(fx) * fx + static_cast<Extended>(fy) * fy;
    if (squared > static_cast<Extended>(limit) * limit) {
        const Extended scale = limit / std::sqrt(squared);
        fx = static_cast<float>(fx * scale);
        fy = static_cast<float>(fy * scale);
    }
}

platform::DialogSpec& Dialog() {
    using platform::Control;
    static platform::DialogSpec dialog{"Background radiation",
                                       {Control::Edit("staerke", "Energy flow density"),
                                        Control::Radio("allDirections", "Radiation from all directions", true),
                                        Control::Radio("nuroben", "Radiation only from above the horizon", false),
                                        Control::Button("OK", platform::ModalResult::OK, true)},
                                       264,
                                       280};
    return dialog;
}

}  // namespace

int32_t TObjektHintergrund::Frame::Count(Edge edge) const { return IsHorizontal(edge) ? nx : ny; }

float TObjektHintergrund::Frame::ElementLength(Edge edge) const { return IsHorizontal(edge) ? lx : ly; }

void TObjektHintergrund::Frame::Centre(Edge edge, int32_t i, float& ex, float& ey) const {
    const auto along = static_cast<float>((i + 0.5) * ElementLength(edge));
    ex = IsHorizontal(edge) ? along : static_cast<float>(edge == Edge::Right ? width : 0);
    ey = IsHorizontal(edge) ? static_cast<float>(edge == Edge::Bottom ? height : 0) : along;
}

Extended TObjektHintergrund::Frame::DistanceFromEdge(Edge edge, int32_t x, int32_t y) const {
    switch (edge) {
        case Edge::Top: return y;
        case Edge::Right: return static_cast<Extended>(width) - x;
        case Edge::Bottom: return static_cast<Extended>(height) - y;
        case Edge::Left: return x;
    }
    return 0;
}

TObjektHintergrund::TObjektHintergrund() {
    kind = "rahmen";
    description = "Background radiation";
}

Extended TObjektHintergrund::Strength() const { return staerke; }

void TObjektHintergrund::PrepareQueries(const Tprgvar& settings) {
    frame.width = settings.breite;
    frame.height = settings.hoehe;
    frame.sellaenge = settings.sellaenge;
    frame.nx = StraightElementCount(static_cast<float>(settings.breite), settings.sellaenge);
    frame.ny = StraightElementCount(static_cast<float>(settings.hoehe), settings.sellaenge);
    frame.lx = StraightElementLength(static_cast<float>(settings.breite), frame.nx);
    frame.ly = StraightElementLength(static_cast<float>(settings.hoehe), frame.ny);
}

Occluder TObjektHintergrund::BlockingShape() const { return Occluder::Frame(frame.width, frame.height); }

bool TObjektHintergrund::IsNear(int32_t x, int32_t y, int32_t d, int32_t, int32_t) const {
    return x <= d || int64_t{x} >= int64_t{frame.width} - d || y <= d || int64_t{y} >= int64_t{frame.height} - d;
}

template <class Visit>
void TObjektHintergrund::ForEachContribution(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                             Visit&& visit) const {
    for (Edge edge : kEdgesInOrder) {
        if (nuroben && edge == Edge::Bottom) continue;
        const float length = frame.ElementLength(edge);
        const Extended h = frame.DistanceFromEdge(edge, x, y);
        for (int32_t i = 0; i < frame.Count(edge); ++i) {
            float ex, ey;
            frame.Centre(edge, i, ex, ey);
            // Only from above the horizon: side elements more than one element
            // length below the point do not reach it.
            if (nuroben && !IsHorizontal(edge) &&
                static_cast<Extended>(ey) > static_cast<Extended>(y) + frame.sellaenge)
                continue;
            const float dx = static_cast<float>(x - static_cast<Extended>(ex));
            const float dy = static_cast<float>(y - static_cast<Extended>(ey));
            const auto distance =
                static_cast<float>(std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
            if (distance == 0) continue;
            if (list.AnyBlocks(Round(ex), Round(ey), x, y, number, exclude)) continue;
            const Extended c = LambertFactor(staerke, length, h, distance);
            visit(static_cast<float>(dx * c), static_cast<float>(dy * c));
        }
    }
}

bool TObjektHintergrund::FlowDensityAt(int32_t x, int32_t y, const SceneList& list, float& fx, float& fy,
                                       int32_t exclude) const {
    fx = 0;
    fy = 0;
    if (staerke == 0) return false;
    ForEachContribution(x, y, list, exclude, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
    });
    if (fx == 0 && fy == 0) return false;
    Limit(fx, fy, staerke);
    return true;
}

void TObjektHintergrund::FlowContributionsAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                             FlowVectorList& result) const {
    if (staerke == 0) return;
    ForEachContribution(x, y, list, exclude, [&](float cx, float cy) {
        Limit(cx, cy, staerke);
        result.Prepend({cx, cy});
    });
}

void TObjektHintergrund::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine) const {
    constexpr int32_t kInset = 3;

    // One walk clockwise on the screen: the top edge left to right, the right
    // edge downwards, the bottom edge right to left, the left edge upwards.
    struct Piece {
        Edge edge;
        int32_t index;
    };
    std::vector<Piece> pieces;
    for (Edge edge : kEdgesInOrder) {
        const int32_t count = frame.Count(edge);
        const bool backwards = edge == Edge::Bottom || edge == Edge::Left;
        for (int32_t k = 0; k < count; ++k) pieces.push_back({edge, backwards ? count - 1 - k : k});
    }

    std::vector<float> flux;
    flux.reserve(pieces.size());
    Extended total = 0;
    for (const Piece& piece : pieces) {
        float ex, ey;
        frame.Centre(piece.edge, piece.index, ex, ey);
        int32_t probeX = 0, probeY = 0, centreX = Round(ex), centreY = Round(ey);
        switch (piece.edge) {
            case Edge::Top: probeX = centreX, probeY = kInset; break;
            case Edge::Right: probeX = Round(static_cast<Extended>(frame.width) - kInset), probeY = centreY; break;
            case Edge::Bottom: probeX = centreX, probeY = Round(static_cast<Extended>(frame.height) - kInset); break;
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
        flux.push_back(static_cast<float>(inward * frame.ElementLength(piece.edge)));
        total += flux.back();
    }

    PlaceByEqualFlux(flux, total, fluxPerLine, [&](size_t walked, Extended u) {
        const Piece& piece = pieces[walked];
        const int32_t i = piece.index;
        switch (piece.edge) {
            case Edge::Top: starts.Prepend({static_cast<float>((i + u) * frame.lx), static_cast<float>(kInset)}); break;
            case Edge::Right:
                starts.Prepend({static_cast<float>(frame.width - kInset), static_cast<float>((i + u) * frame.ly)});
                break;
            case Edge::Bottom:
                starts.Prepend({static_cast<float>((i + 1 - u) * frame.lx), static_cast<float>(frame.height - kInset)});
                break;
            case Edge::Left:
                starts.Prepend({static_cast<float>(kInset), static_cast<float>((i + 1 - u) * frame.ly)});
                break;
        }
    });
}

// The dialog shows the object's own values: showing the values last
// confirmed in it would switch off, on OK, a background read from a file.
bool TObjektHintergrund::Edit(const EditContext& context) {
    platform::DialogSpec& dialog = Dialog();
    dialog["staerke"].text = platform::ShortestFloatToStr(staerke);
    dialog["allDirections"].checked = !nuroben;
    dialog["nuroben"].checked = nuroben;
    if (context.platform.ShowModal(dialog) != platform::ModalResult::OK) return false;
    staerke = platform::StrToFloat(dialog["staerke"].text);
    nuroben = !dialog["allDirections"].checked;
    return true;
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
