// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/ObjektGerade.h"
#include "objects/StraightSurface.h"

// A straight segment that sends parallel light perpendicular to itself, to
// both sides, with the same energy flow density in the whole strip it sweeps.
class TObjektParallel : public TObjektGerade {
public:
    TObjektParallel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    float staerke = 0;  // energy flow density of the beam

    bool FlowDensityAt(int32_t x, int32_t y, const SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                             FlowVectorList& result) const override;
    bool Edit(const EditContext& context) override;
    double Strength() const override;
    void AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                             const StopCheck& stop) const override;
    std::string ValueProblem() const override;
    std::string Summary() const override;
    // An arrow on each side of the middle, the way the beam leaves.
    void DrawSelectionMark(platform::Canvas& canvas) const override;
    bool LoadFromFile(platform::TextFile& file) override;
    void SaveToFile(platform::TextFile& file) const override;
    void PrepareQueries(const Tprgvar& settings) override;
    int64_t QueryElements(const Tprgvar& settings) const override;
    double EmittedPower(const Tprgvar& settings) const override;
    ReceivingSurface ReceivingProbes(const Tprgvar& settings) const override;

private:
    StraightSurface surface;  // the pieces its stream lines start from
};
