#pragma once
#include "model/Szeneobjekt.h"

// The radiation that enters the picture from the world around it: the frame of
// the picture glows inward by Lambert's cosine law. The frame also closes the
// picture: it blocks every line of sight with an end outside it.
class TObjektHintergrund : public Tszeneobjekt {
public:
    TObjektHintergrund();

    float staerke = 0;     // energy flow density at the frame
    bool nuroben = false;  // radiation only from above the horizon

    bool FlowDensityAt(int32_t x, int32_t y, const TSceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const TSceneList& list, int32_t exclude,
                             FlowVectorList& result) const override;
    bool Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const override;
    bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const override;
    void Edit() override;
    Extended Strength() const override;
    void AddStreamLineStarts(StreamLineStarts& starts, const TSceneList& list, float fluxPerLine) const override;
    bool LoadFromFile(platform::TextFile& file) override;
    void SaveToFile(platform::TextFile& file) const override;
};
