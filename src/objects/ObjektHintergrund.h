#pragma once
#include <cstdint>

#include "model/Szeneobjekt.h"

// The radiation that enters the picture from the world around it: the frame of
// the picture glows inward by Lambert's cosine law. The frame also closes the
// picture: it blocks every line of sight with an end outside it.
class TObjektHintergrund : public Tszeneobjekt {
public:
    TObjektHintergrund();

    float staerke = 0;     // energy flow density at the frame
    bool nuroben = false;  // radiation only from above the horizon

    bool FlowDensityAt(int32_t x, int32_t y, const SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                             FlowVectorList& result) const override;
    // The frame closes the picture: it blocks every path with an end outside.
    Occluder BlockingShape() const override;
    bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const override;
    bool Edit(const EditContext& context) override;
    Extended Strength() const override;
    void AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine) const override;
    bool LoadFromFile(platform::TextFile& file) override;
    void SaveToFile(platform::TextFile& file) const override;
    void PrepareQueries(const Tprgvar& settings) override;

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

        int32_t Count(Edge edge) const;
        float ElementLength(Edge edge) const;
        // Centre of element i of an edge, i counted from the left or the top.
        void Centre(Edge edge, int32_t i, float& ex, float& ey) const;
        // Distance of (x, y) from the edge's line.
        Extended DistanceFromEdge(Edge edge, int32_t x, int32_t y) const;
    };

private:
    // Calls visit(fx, fy) for the contribution of every frame element that
    // sees (x, y), in the order top, right, bottom, left.
    template <class Visit>
    void ForEachContribution(int32_t x, int32_t y, const SceneList& list, int32_t exclude, Visit&& visit) const;

    Frame frame;
};
