// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <vector>
#include "model/DeclaredFields.h"

#include "model/ObjektGerade.h"
#include "model/PassStore.h"
#include "objects/StraightSurface.h"
#include "radiation/MirrorElements.h"

namespace brevanto::objects {

// A straight segment that reflects and transmits what falls on it, each part
// split into a direct (specular) and a diffuse (Lambertian) share. What it
// sends out is refilled in every iteration pass.
class TObjektSpiegel : public model::DeclaredFields<TObjektSpiegel, model::TObjektGerade> {
public:
    // How the kind is edited and stored.
    static model::KindForm<TObjektSpiegel>& Form();

    TObjektSpiegel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Percentages of the incoming radiation; their sum is at most 100.
    float dirref = 0;    // direct reflectivity
    float dirtrans = 0;  // direct transmittance
    float difref = 0;    // diffuse reflectivity
    float diftrans = 0;  // diffuse transmittance

    model::PassChange Iterate(const model::SceneList& list, model::IterationPass& pass) override;
    int64_t PassElements() const override;
    std::function<void()> RadiationRestorer() override;
    void ForgetRadiation() override;
    bool RadiationIsFinite() const override;
    bool FlowDensityAt(int32_t x, int32_t y, const model::SceneList& list, float& fx, float& fy,
                       int32_t exclude) const override;
    void FlowContributionsAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                             model::FlowVectorList& result) const override;
    void FlowContributionsSeenAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude,
                                 model::FlowVectorList& result, model::SightRecord& sight) const override;
    // The magnitudes element by element, last to first: the order of
    // FlowContributionsAt's list, with only one element's vectors listed at
    // a time.
    float AddEnergyDensity(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float energy,
                           model::FlowVectorList& scratch) const override;
    bool FlowAt(int32_t x, int32_t y, const model::SceneList& list, int32_t exclude, float& fx, float& fy,
                model::FlowVectorList& contributions) const override;
    void AddStreamLineStarts(model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                             const model::StopCheck& stop) const override;
    std::string Summary() const override;
    // Brings the element list up to date: a change of the end points or of
    // the resolution rebuilds it, all radiation 0 again.
    void PrepareQueries(const model::Tprgvar& settings) override;
    int64_t QueryElements(const model::Tprgvar& settings) const override;
    int64_t StoredValues(const model::Tprgvar& settings) const override;
    model::ReceivingSurface ReceivingProbes(const model::Tprgvar& settings) const override;
    std::optional<model::SentLight> SentPower() const override;

    const radiation::MirrorElements& Elements() const { return elements; }
    radiation::MirrorElements& Elements() { return elements; }

private:
    // A vector an element received from an object whose radiation no pass
    // changes, with its bin against the reversed segment.
    struct SteadyVector {
        model::FlowVector v;
        int32_t bin;
    };
    // What an element gathered before the first object whose radiation
    // passes change: the sums as they stood there.
    struct GatheredSums {
        std::vector<float> dirrad;
        float difplus = 0;
        float difminus = 0;
        double total = 0;
    };
    // What an element found out in the first pass: the sums gathered from
    // the objects whose radiation no pass changes before the first that
    // changes (`before`), what it received from such objects after that, in
    // the order it gathered it (ends[k] vectors came before the k-th object
    // whose radiation changes), and which elements of those others it sees.
    struct SteadyIncoming {
        GatheredSums before;
        std::vector<SteadyVector> vectors;
        std::vector<uint32_t> ends;
        std::vector<uint64_t> sight;
        bool tried = false;  // recorded once, kept only within the store's bound
        bool kept = false;
    };
    // An object whose radiation passes change, and where its bits lie in
    // SteadyIncoming::sight.
    struct ChangingObject {
        const model::Tszeneobjekt* object;
        size_t firstWord;
        size_t words;
    };
    // Adds the vector v, travelling in bin b against the reversed segment,
    // to the sums: its directed shares, and what it brings to each face.
    void Receive(const model::FlowVector& v, int32_t b, GatheredSums& sums) const;
    // Receive for each vector in the list's order, its bin found first;
    // each with its bin appended to `record` as well, if there is one.
    void ReceiveAll(const model::FlowVectorList& incoming, GatheredSums& sums, std::vector<SteadyVector>* record) const;
    // What `other` sends to the centre, its lines of sight recorded in
    // `sight` or taken from there; `incoming` is room for its vectors.
    void GatherSeen(model::SightPoint centre, const model::SceneList& list, const ChangingObject& other,
                    std::vector<uint64_t>& sight, bool recorded, model::FlowVectorList& incoming,
                    GatheredSums& sums) const;
    // The three ways of GatherRadiation: every other object asked anew; the
    // same while recording `steady`, which is kept if the store's bound
    // allows; from what `steady` kept and the objects that change.
    void GatherAnew(model::SightPoint centre, const model::SceneList& list, GatheredSums& sums) const;
    void GatherRecording(model::SightPoint centre, const model::SceneList& list,
                         const std::vector<ChangingObject>& changing, SteadyIncoming& steady, model::PassStore& store,
                         GatheredSums& sums) const;
    void GatherKept(model::SightPoint centre, const model::SceneList& list, const std::vector<ChangingObject>& changing,
                    SteadyIncoming& steady, GatheredSums& sums) const;
    // Refills one element from what the other objects send to its centre;
    // how far its values moved. `changing` are the other objects whose
    // radiation passes change, in list order. With `steady`, what the others
    // send and which of their elements the centre sees are recorded in the
    // first pass and taken from there afterwards, in the same order, so the
    // sums keep their bytes.
    model::PassChange GatherRadiation(radiation::TSelListe& element, const model::SceneList& list,
                                      const std::vector<ChangingObject>& changing, SteadyIncoming* steady,
                                      model::PassStore* store) const;
    // Calls visit(i, window) for every element i, in order (or the reverse),
    // that no object blocks from (x, y), with the bins it covers as seen
    // from there.
    template <model::FanOrder order = model::FanOrder::Forwards, class Visit>
    void ForEachElementSeeing(int32_t px, int32_t py, const model::SceneList& list, int32_t exclude,
                              Visit&& visit) const;
    // Elements seen from one point, waiting for their windows: computed one
    // after another, the library's arc sines and cosines of different
    // elements overlap in the processor instead of waiting on each other.
    struct SeenElements {
        static constexpr size_t kRoom = 16;
        std::array<size_t, kRoom> elements;
        size_t count = 0;
    };
    // Adds element i, visiting the batch when it is full.
    template <class Visit>
    void AddSeen(SeenElements& seen, size_t i, int32_t px, int32_t py, Visit& visit) const;
    // Visits and empties the batch, in its order.
    template <class Visit>
    void VisitSeen(SeenElements& seen, int32_t px, int32_t py, Visit& visit) const;
    // What element i sends to (x, y): visitDiffuse(vx, vy, k) for the face
    // the point lies on, visitDirected(vx, vy, value) for every bin of the
    // window it covers as seen from there.
    template <class VisitDiffuse, class VisitDirected>
    void ForEachRadiationOfElement(size_t i, int32_t px, int32_t py, radiation::BinWindow window,
                                   VisitDiffuse&& visitDiffuse, VisitDirected&& visitDirected) const;
    // Prepends the vectors of element i that carry radiation to `result`.
    void PrependContributionsOfElement(size_t i, int32_t px, int32_t py, radiation::BinWindow window,
                                       model::FlowVectorList& result) const;

    // The direction bin u represents, |t| long: t = (x2 - x1, y2 - y1) turned
    // by psi = (u + 1/2) 2 pi / bins, (cos psi tx + sin psi ty, -sin psi tx +
    // cos psi ty); u counts on past a full turn.
    struct BinDirection {
        double x;
        double y;
    };
    BinDirection Direction(int32_t unreduced, float tx, float ty) const;
    // The element end points and the bin directions, for the current elements.
    void PrepareDirections(int32_t bins);

    radiation::MirrorElements elements;
    model::SightRun run;                                     // the element centres rounded to pixels
    std::vector<std::array<radiation::FloatPoint, 2>> ends;  // each element's end points
    std::vector<BinDirection> directions;                    // by unreduced bin, two turns
    StraightSurface surface;                                 // the pieces its stream lines start from
    float abbruchgenauigkeit = 0;
};

}  // namespace brevanto::objects
