// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Szeneobjekt.h"

#include <stdexcept>

#include "model/IterationPass.h"
#include "model/Occlusion.h"
#include "platform/Canvas.h"
#include "platform/Conversions.h"

namespace brevanto::model {

PassChange Tszeneobjekt::Iterate(const SceneList&, IterationPass&) { return {}; }

int64_t Tszeneobjekt::PassElements() const { return 0; }

void Tszeneobjekt::Draw(platform::Canvas& canvas) const {
    canvas.BeginShape();
    canvas.SetPenColor(colour);
}

std::function<void()> Tszeneobjekt::RadiationRestorer() { return {}; }

bool Tszeneobjekt::FlowDensityAt(int32_t, int32_t, const SceneList&, float& fx, float& fy, int32_t) const {
    fx = 0;
    fy = 0;
    return false;
}

void Tszeneobjekt::FlowContributionsAt(int32_t, int32_t, const SceneList&, int32_t, FlowVectorList&) const {}

void Tszeneobjekt::FlowContributionsSeenAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                           FlowVectorList& result, SightRecord&) const {
    FlowContributionsAt(x, y, list, exclude, result);
}

float AddMagnitudes(float energy, const FlowVectorList& vectors) {
    for (const FlowVector& v : vectors) energy = AddMagnitude(energy, v);
    return energy;
}

float Tszeneobjekt::AddEnergyDensity(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float energy,
                                     FlowVectorList& scratch) const {
    scratch.clear();
    FlowContributionsAt(x, y, list, exclude, scratch);
    return AddMagnitudes(energy, scratch);
}

bool Tszeneobjekt::FlowAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float& fx, float& fy,
                          FlowVectorList& contributions) const {
    const bool flow = FlowDensityAt(x, y, list, fx, fy, exclude);
    FlowContributionsAt(x, y, list, exclude, contributions);
    return flow;
}

bool Tszeneobjekt::Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const {
    return number != skipA && number != skipB && BlockingShape().Blocks(ax, ay, bx, by);
}

Occluder Tszeneobjekt::BlockingShape() const { return Occluder::None(); }

bool Tszeneobjekt::IsNear(int32_t, int32_t, int32_t, int32_t, int32_t) const { return false; }

bool Tszeneobjekt::Edit(const EditContext&) { return false; }

void Tszeneobjekt::SetEndPoint(int32_t, int32_t) {}

double Tszeneobjekt::Strength() const { return 0.0; }

void Tszeneobjekt::AddStreamLineStarts(StreamLineStarts&, const SceneList&, float, const StopCheck&) const {}

bool Tszeneobjekt::IsDegenerate() const { return false; }

std::string Tszeneobjekt::ValueProblem() const { return {}; }

void Tszeneobjekt::ForgetRadiation() {}

bool Tszeneobjekt::RadiationIsFinite() const { return true; }

bool Tszeneobjekt::LoadFromFile(platform::TextFile&) { return false; }

void Tszeneobjekt::SaveToFile(platform::TextFile&) const { throw std::runtime_error("Could not save"); }

std::string Tszeneobjekt::Summary() const { return {}; }

std::string Tszeneobjekt::StrengthSummary(float staerke) { return "S = " + platform::ShortestFloatToStr(staerke); }

void Tszeneobjekt::DrawWindowMark(platform::Canvas&, int32_t, int32_t) const {}

void Tszeneobjekt::DrawSelectionMark(platform::Canvas&) const {}

std::vector<Handle> Tszeneobjekt::Handles() const { return {}; }

std::optional<Handle> Tszeneobjekt::NearestOutlinePoint(int32_t, int32_t) const { return std::nullopt; }

void Tszeneobjekt::MoveHandle(size_t, int32_t, int32_t) {}

void Tszeneobjekt::MoveBy(int32_t, int32_t) {}

void Tszeneobjekt::PrepareQueries(const Tprgvar&) {}

int64_t Tszeneobjekt::QueryElements(const Tprgvar&) const { return 0; }

int64_t Tszeneobjekt::StoredValues(const Tprgvar&) const { return 0; }
double Tszeneobjekt::EmittedPower(const Tprgvar&) const { return 0; }

ReceivingSurface Tszeneobjekt::ReceivingProbes(const Tprgvar&) const { return {}; }

std::optional<SentLight> Tszeneobjekt::SentPower() const { return std::nullopt; }

}  // namespace brevanto::model
