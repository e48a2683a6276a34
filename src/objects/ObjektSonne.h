// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/DeclaredFields.h"
#include "model/Szeneobjekt.h"

namespace brevanto::objects {

// Parallel light from far away over the whole picture. It has no position,
// is not drawn, and points are shaded by objects between them and the border
// in the direction of the sun.
class TObjektSonne : public model::DeclaredFields<TObjektSonne, model::Tszeneobjekt> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektSonne>& Form();

    TObjektSonne();

    float richtung = 0;  // degrees: 0 above the picture, 90 to the right
    float staerke = 0;

    void Draw(platform::Canvas& canvas) const override;
    // A small sun inside the border where the light comes from, with a ray
    // the way it travels.
    void DrawWindowMark(platform::Canvas& canvas, int32_t breite, int32_t hoehe) const override;
    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    double Strength() const override;
    bool IsDegenerate() const override;
    std::string Summary() const override;
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    double EmittedPower(const model::Tprgvar& settings) const override;

private:
    // The picture through whose border the light enters.
    int32_t breite = 0;
    int32_t hoehe = 0;
};

}  // namespace brevanto::objects
