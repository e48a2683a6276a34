#pragma once
#include "model/ObjektGerade.h"
#include "radiation/SelListe.h"

// A straight segment that reflects and transmits what falls on it, each part
// split into a direct (specular) and a diffuse (Lambertian) share. What it
// sends out is refilled in every iteration pass.
class TObjektSpiegel : public TObjektGerade {
public:
    TObjektSpiegel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Percentages of the incoming radiation; their sum is at most 100.
    float dirref = 0;    // direct reflectivity
    float dirtrans = 0;  // direct transmittance
    float difref = 0;    // diffuse reflectivity
    float diftrans = 0;  // diffuse transmittance

    bool Iterate(const TSceneList& list) override;
    bool FlowDensityAt(int32_t x, int32_t y, const TSceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const TSceneList& list, int32_t exclude,
                             FlowVectorList& result) const override;
    void Edit() override;
    void AddStreamLineStarts(StreamLineStarts& starts, const TSceneList& list, float fluxPerLine) const override;
    bool LoadFromFile(platform::TextFile& file) override;
    void SaveToFile(platform::TextFile& file) const override;
    void PrepareQueries() override;

    const TSelListeCache& Elements() const { return elements; }
    TSelListeCache& Elements() { return elements; }

private:
    // Refills one element from what the other objects send to its centre;
    // true when a value changed beyond the stop criterion.
    bool GatherRadiation(TSelListe& element, const TSceneList& list) const;

    TSelListeCache elements;
};
