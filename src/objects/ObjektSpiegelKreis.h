// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>
#include "model/DeclaredFields.h"

#include "model/ObjektKreis.h"
#include "radiation/CircularMirrorElements.h"

namespace brevanto::objects {

// A circle or arc that reflects and transmits what falls on either face, each
// part split into a direct (specular) and a diffuse (Lambertian) share. What
// it sends out is refilled in every iteration pass from what every object,
// itself included, sends to it.
class TObjektSpiegelKreis : public model::DeclaredFields<TObjektSpiegelKreis, model::TObjektKreis> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektSpiegelKreis>& Form();

    TObjektSpiegelKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Percentages of the incoming radiation; their sum is at most 100.
    float dirref = 0;    // direct reflectivity
    float dirtrans = 0;  // direct transmittance
    float difref = 0;    // diffuse reflectivity
    float diftrans = 0;  // diffuse transmittance

    // One pass over the elements in order, each refilled from what reaches
    // the points 3 pixels off its faces. New values replace the old ones at
    // once, so later elements, the mirror's own light included, see them.
    model::PassChange Iterate(const model::SceneList& list, model::IterationPass& pass) override;
    int64_t PassElements() const override;
    std::function<void()> RadiationRestorer() override;
    void ForgetRadiation() override;
    bool RadiationIsFinite() const override;
    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    bool FlowAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float& fx, float& fy,
                model::FlowVectorList& contributions) const override;
    // Drops the radiation once confirmed, so that the next computation starts
    // afresh from the new geometry.
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    // The circle's own problem first, then this kind's.
    std::string Summary() const override;
    // Builds the elements anew when the resolution or the geometry changed.
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    // Per element a reflected and a transmitted value per direction bin,
    // and the diffuse exitance of its two faces.
    int64_t StoredValues(const model::Tprgvar& settings) const override;
    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;
    std::optional<model::SentLight> SentPower() const override;

    const radiation::CircularMirrorElements& Elements() const { return elements; }
    radiation::CircularMirrorElements& Elements() { return elements; }

private:
    // Refills element i of range k; how far its values moved.
    model::PassChange GatherRadiation(size_t k, size_t i, const model::SceneList& list);
    // Sorts a vector arriving at the face (0 inner, 1 outer) of the element
    // into the gathered bins and diffuse exitances; returns the directed
    // radiation it added. The tangent points towards growing arc angle.
    double Receive(const model::FlowVector& v, const radiation::ArcElement& element, size_t face, float tangentX,
                   float tangentY, float (&diffuse)[2]);
    // Calls visit(vx, vy) for every vector that an element seeing (x, y)
    // sends there: diffuse, transmitted beams, reflected beams.
    template <class Visit>
    void ForEachContribution(int32_t px, int32_t py, const model::SceneList& list, int32_t exclude,
                             Visit&& visit) const;

    radiation::CircularMirrorElements elements;
    float abbruchgenauigkeit = 0;
    std::vector<float> reflected;  // what the element being refilled gathers, per bin
    std::vector<float> transmitted;
};

}  // namespace brevanto::objects
