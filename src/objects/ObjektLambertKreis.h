// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>
#include "model/DeclaredFields.h"

#include "model/ObjektKreis.h"
#include "radiation/ArcElements.h"

namespace brevanto::objects {

// A circle or arc that emits from both faces by Lambert's cosine law. It does
// not react to the light falling on it, but it blocks it.
class TObjektLambertKreis : public model::DeclaredFields<TObjektLambertKreis, model::TObjektKreis> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektLambertKreis>& Form();

    TObjektLambertKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Added to the elements of each range: at least one per range, so that
    // every range emits.
    static constexpr int32_t kExtraElements = 1;

    float staerke = 0;  // emitted energy flow density at the surface

    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    bool FlowAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float& fx, float& fy,
                model::FlowVectorList& contributions) const override;
    double Strength() const override;
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    // The circle's own problem first, then this kind's.
    std::string Summary() const override;
    // Cuts the current circle or arc into elements for the resolution.
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    double EmittedPower(const model::Tprgvar& settings) const override;
    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;

private:
    // Calls visit(cx, cy) for the non-zero contribution of every element
    // that sees (x, y), the range [0, winkel2] of an arc first.
    template <class Visit>
    void ForEachElementContribution(int32_t px, int32_t py, const model::SceneList& list, int32_t exclude,
                                    Visit&& visit) const;
    // The sum of the elements' contributions at (x, y) as FlowDensityAt
    // gives it; whether it is not zero.
    bool ClampAtSurface(int32_t px, int32_t py, float& fx, float& fy) const;

    model::AngleRanges ranges{};
    std::vector<radiation::ArcPiece> pieces;  // in the order of the ranges
};

}  // namespace brevanto::objects
