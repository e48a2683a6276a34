// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"
#include "objects/StraightSurface.h"

namespace brevanto::objects {

// A straight segment that sends parallel light perpendicular to itself, to
// both sides, with the same energy flow density in the whole strip it sweeps.
class TObjektParallel : public model::DeclaredFields<TObjektParallel, model::TObjektGerade> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektParallel>& Form();

    TObjektParallel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    float staerke = 0;  // energy flow density of the beam

    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    double Strength() const override;
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    std::string Summary() const override;
    // An arrow on each side of the middle, the way the beam leaves.
    void DrawSelectionMark(platform::Canvas& canvas) const override;
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    double EmittedPower(const model::Tprgvar& settings) const override;
    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;

private:
    StraightSurface surface;  // the pieces its stream lines start from
};

}  // namespace brevanto::objects
