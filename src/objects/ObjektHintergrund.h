// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>
#include "model/DeclaredFields.h"

#include "model/Occlusion.h"
#include "model/Szeneobjekt.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::objects {

// The radiation that enters the picture from the world around it: the frame of
// the picture glows inward by Lambert's cosine law. The frame also closes the
// picture: it blocks every line of sight with an end outside it.
class TObjektHintergrund : public model::DeclaredFields<TObjektHintergrund, model::Tszeneobjekt> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektHintergrund>& Form();

    TObjektHintergrund();

    float staerke = 0;     // energy flow density at the frame
    bool nuroben = false;  // radiation only from above the horizon

    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    // The magnitudes straight from the elements, last to first: the order
    // of FlowContributionsAt's list, without building it.
    float AddEnergyDensity(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float energy,
                           model::FlowVectorList& scratch) const override;
    bool FlowAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float& fx, float& fy,
                model::FlowVectorList& contributions) const override;
    // The frame closes the picture: it blocks every path with an end outside.
    model::Occluder BlockingShape() const override;
    bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const override;
    double Strength() const override;
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    std::string Summary() const override;
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    double EmittedPower(const model::Tprgvar& settings) const override;

    enum class Edge { Top, Right, Bottom, Left };

    // The picture's border cut into surface elements: nx on each horizontal
    // edge, ny on each vertical one.
    struct Frame {
        int32_t width = 0;
        int32_t height = 0;
        int32_t nx = 0;
        int32_t ny = 0;
        float lx = 0;  // element lengths
        float ly = 0;
        int32_t sellaenge = 1;  // how far below a point's horizon the sides still reach it
        // Per edge, in the order of Edge: the element centres, counted from
        // the left or the top, and the same rounded to pixels.
        std::array<std::vector<radiation::FloatPoint>, 4> centres;
        std::array<model::SightRun, 4> runs;

        int32_t Count(Edge edge) const;
        float ElementLength(Edge edge) const;
        // Distance of (x, y) from the edge's line.
        double DistanceFromEdge(Edge edge, int32_t x, int32_t y) const;
    };

private:
    // What the elements of one edge share as seen from a point: h is the
    // point's distance from the edge's line.
    struct ElementSight {
        bool horizontal;
        float length;
        double h;
    };
    // The difference from an element's centre to the point.
    struct Difference {
        double dx, dy;
    };
    // Calls visitEdge(sight, differences) for each edge, in the order top,
    // right, bottom, left (or the reverse), with the elements that see
    // (x, y): their differences, none with both rounded to 0 as floats, in
    // the order of the edge (or the reverse).
    template <model::FanOrder order = model::FanOrder::Forwards, class VisitEdge>
    void ForEachEdgeSeeing(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                           VisitEdge&& visitEdge) const;
    // Which distance Lambert's law takes: the summed field's, from both
    // differences rounded to floats, or the single vectors', which keep a
    // side element's dy unrounded.
    enum class DistanceRule { SummedField, SingleVectors };
    // The Lambert factors of one edge's elements, two at a time:
    // visit(k, next, factors) for elements k and next = k + 1; the last one
    // alone comes with next = k.
    template <class Visit>
    void ForEachFactorPair(const ElementSight& sight, std::span<const Difference> seen, DistanceRule rule,
                           Visit&& visit) const;
    // The Lambert factor of each of one edge's elements.
    void Factors(const ElementSight& sight, std::span<const Difference> seen, DistanceRule rule,
                 std::vector<double>& factors) const;
    // The vector one element sends, limited to staerke.
    model::FlowVector Contribution(Difference d, double factor) const;

    Frame frame;
};

}  // namespace brevanto::objects
