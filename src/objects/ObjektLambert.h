// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"
#include "objects/StraightSurface.h"

namespace brevanto::objects {

// A straight segment that emits on both sides by Lambert's cosine law.
class TObjektLambert : public model::DeclaredFields<TObjektLambert, model::TObjektGerade> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektLambert>& Form();

    TObjektLambert(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    float staerke = 0;  // emitted energy flow density

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
    double Strength() const override;
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    std::string Summary() const override;
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    double EmittedPower(const model::Tprgvar& settings) const override;
    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;

private:
    // Calls visit(cx, cy) for the unblocked contribution of every element, in
    // element order (or the reverse).
    template <model::FanOrder order = model::FanOrder::Forwards, class Visit>
    void ForEachElementContribution(int32_t px, int32_t py, const model::SceneList& list, int32_t exclude,
                                    Visit&& visit) const;

    // The summed field: true when it is not zero; longer than staerke (right
    // at the surface) it becomes the normal of that length.
    bool ClampAtSurface(float& fx, float& fy) const;

    StraightSurface surface;
};

}  // namespace brevanto::objects
