// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/PowerShare.h"
#include "model/StopCheck.h"
#include "platform/Colour.h"

namespace brevanto::platform {
class Canvas;
class Platform;
class TextFile;
}  // namespace brevanto::platform

namespace brevanto::model {

class Occluder;
class SceneList;
class Tprgvar;
struct IterationPass;
struct PassChange;

// The largest strength (emitted energy flow density) of either sign that an
// object takes from a file or a dialog: far above what any scene needs, and
// low enough that up to 2^31 elements of a million objects sum to less than
// a float holds (3.4E38), so no field value overflows.
inline constexpr float kLargestStrength = 1e20f;

// A list built by putting each new record in front: iteration runs from the
// newest record to the oldest, the order in which the records are used.
template <class Record>
class PrependList {
public:
    void Prepend(const Record& record) { records.push_back(record); }
    auto begin() const { return records.rbegin(); }
    auto end() const { return records.rend(); }
    size_t size() const { return records.size(); }
    bool empty() const { return records.empty(); }
    void clear() { records.clear(); }
    const Record& Head() const { return records.back(); }

private:
    std::vector<Record> records;  // oldest first
};

// One energy-flow-density vector that reaches a point from one emitting
// element or beam.
struct FlowVector {
    float fx;
    float fy;
};
using FlowVectorList = PrependList<FlowVector>;

// energy + |v|, rounded to a float: one step of the energy density's sum.
inline float AddMagnitude(float energy, FlowVector v) {
    return static_cast<float>(energy + std::sqrt(static_cast<double>(v.fx) * v.fx + static_cast<double>(v.fy) * v.fy));
}
// Adds the magnitudes of the vectors one by one, in the list's order.
float AddMagnitudes(float energy, const FlowVectorList& vectors);

// Which elements of an object a point sees, one bit for each element in
// the order the object's queries visit them, all clear before it is
// recorded.
struct SightRecord {
    std::span<uint64_t> bits;
    bool recorded;
};

// A point where the stream-line display starts a line.
struct StreamLineStart {
    float x;
    float y;
};
using StreamLineStarts = PrependList<StreamLineStart>;

// A point of an object that the mouse can drag: an end point of a segment,
// the centre of a circle or a point of its arc.
struct Handle {
    int32_t x;
    int32_t y;
};

// What an object's dialog needs: the window system to show it on, and the
// settings, whose picture size bounds the points a dialog accepts.
struct EditContext {
    platform::Platform& platform;
    const Tprgvar& settings;
};

// Base of every scene object. The base operations are the neutral ones: no
// field, no contributions, never blocking, strength 0.
//
// The queries (FlowDensityAt, FlowContributionsAt, Blocks, IsNear,
// AddStreamLineStarts) are const and read nothing but the object and the
// list: whatever they need of the settings, PrepareQueries has derived and
// kept before. So they may run side by side on several threads.
class Tszeneobjekt {
public:
    virtual ~Tszeneobjekt() = default;

    std::string kind;         // kind keyword, also the scene-file keyword
    std::string description;  // shown in lists and progress texts
    int32_t number = 0;       // 1-based place in the scene list after numbering
    platform::TColor colour = 0;

    // One pass of the radiation balance over the object's surface elements,
    // each counted in `pass` once refilled; how far the values moved.
    virtual PassChange Iterate(const SceneList& list, IterationPass& pass);
    // The elements one pass of Iterate refills, as prepared for the queries.
    // An object that refills none sends the same radiation in every pass of
    // a computation, so what others gather from it may be kept from the
    // first pass (PassStore).
    virtual int64_t PassElements() const;
    // A copy of the radiation values Iterate changes, which puts them back
    // when called: a computation that is broken off leaves them as they
    // were. Empty for kinds that keep none.
    virtual std::function<void()> RadiationRestorer();
    // Sets every radiation value Iterate keeps back to 0, as in a scene
    // loaded fresh; nothing for kinds that keep none.
    virtual void ForgetRadiation();
    // Whether every radiation value Iterate keeps is a finite number: a
    // mirror whose coefficients add up to more than 100% multiplies its
    // light in every pass. True for kinds that keep none.
    virtual bool RadiationIsFinite() const;
    // Sets the pen colour; kinds that draw call this first.
    virtual void Draw(platform::Canvas& canvas) const;
    // The energy flow density this object sends to (x, y), occlusion tested
    // against every object; exclude is the number of one object that must not
    // block (0: none). True when the vector is not zero.
    virtual bool FlowDensityAt(int32_t x, int32_t y, const SceneList& list, float& fx, float& fy,
                               int32_t exclude) const;
    // The same radiation split into one vector per emitting element, each put
    // in front of `result`.
    virtual void FlowContributionsAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                     FlowVectorList& result) const;
    // FlowContributionsAt with the lines of sight decided once: the first
    // call records in `sight` which elements the point sees, later calls at
    // the same point with the same exclude take them from there (the scene
    // must not have moved). Kinds that keep no record ignore `sight`.
    virtual void FlowContributionsSeenAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                         FlowVectorList& result, SightRecord& sight) const;
    // energy plus the magnitudes of the vectors FlowContributionsAt gives,
    // added in the order of its list (AddMagnitudes); `scratch` is room for
    // that list.
    virtual float AddEnergyDensity(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float energy,
                                   FlowVectorList& scratch) const;
    // FlowDensityAt and FlowContributionsAt at once, each line of sight
    // tested once: the same results as the two.
    virtual bool FlowAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float& fx, float& fy,
                        FlowVectorList& contributions) const;
    // Whether the object cuts the straight path from A to B: its blocking
    // shape decides. Never when its number is skipA or skipB.
    bool Blocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const;
    // The shape with which the object cuts lines of sight; none for the base.
    virtual Occluder BlockingShape() const;
    // Whether (x, y) lies within distance d of the object.
    virtual bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const;
    // Opens the object's dialog and applies its values; true when it was
    // confirmed with OK. The caller clears berechnet: any edit may change
    // the radiation.
    virtual bool Edit(const EditContext& context);
    // Moves the second defining point while the mouse drags.
    virtual void SetEndPoint(int32_t x, int32_t y);
    virtual double Strength() const;
    // Puts this object's stream-line starting points in front of `starts`,
    // spaced so that each line carries fluxPerLine.
    virtual void AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                     const StopCheck& stop) const;
    virtual bool IsDegenerate() const;
    // What the object's dialog would refuse in the values it holds (a scene
    // file may hold such values, and they are kept as stored), as a short
    // sentence; empty when the dialog would accept them all.
    virtual std::string ValueProblem() const;
    // The object's section of the scene file after its kind line; false
    // when a line does not match. The kinds read and write theirs from
    // their field tables (DeclaredFields); the base reads none.
    virtual bool LoadFromFile(platform::TextFile& file);
    // The object's section of the scene file, its kind line included. The
    // base raises "Could not save".
    virtual void SaveToFile(platform::TextFile& file) const;

    // Where the object lies and what it sends out or passes on, in one short
    // line for the object list; empty by default.
    virtual std::string Summary() const;

    // What the window shows of the object over the picture, beside what Draw
    // draws into it: a mark for an object that has no place in the picture.
    // Pictures and files never hold it. Nothing by default.
    virtual void DrawWindowMark(platform::Canvas& canvas, int32_t breite, int32_t hoehe) const;
    // What the window shows beside the handles while the object is selected,
    // in the handles' colour (the pen is set): which way it sends its light,
    // where that is not plain to see. Nothing by default.
    virtual void DrawSelectionMark(platform::Canvas& canvas) const;

    // The object's handles, none for an object without a place (the sun and
    // the background radiation); MoveHandle moves one of them, MoveBy the
    // whole object.
    virtual std::vector<Handle> Handles() const;
    virtual void MoveHandle(size_t index, int32_t x, int32_t y);
    virtual void MoveBy(int32_t dx, int32_t dy);
    // The point of the object nearest to (x, y), in whole pixels, onto
    // which a point dragged near it snaps; none by default.
    virtual std::optional<Handle> NearestOutlinePoint(int32_t x, int32_t y) const;

    // Derives from the settings and the current geometry what the queries
    // need (element counts and positions, the picture frame, the stop
    // criterion) and brings caches up to date. Runs in one serial step before
    // every computation and display.
    virtual void PrepareQueries(const Tprgvar& settings);

    // What the object will cost with these settings, known before
    // PrepareQueries and counted in 64 bits, so that a computation can be
    // estimated (and refused) before it starts. QueryElements: the elements a
    // query at a point visits, each of whose paths is tested against every
    // object. StoredValues: the radiation values the object keeps.
    virtual int64_t QueryElements(const Tprgvar& settings) const;
    virtual int64_t StoredValues(const Tprgvar& settings) const;

    // The object's share in the energy balance (measure/EnergyBalance), for
    // the computed radiation and these settings. EmittedPower: what its own
    // light carries into the picture. ReceivingProbes: where it receives and
    // whose light counts there; none for what receives nothing. SentPower:
    // what a mirror/diffusor sends on, none for the others. The base emits,
    // receives and sends nothing.
    virtual double EmittedPower(const Tprgvar& settings) const;
    virtual ReceivingSurface ReceivingProbes(const Tprgvar& settings) const;
    virtual std::optional<SentLight> SentPower() const;

protected:
    // "S = " and the strength, for the kinds' summaries.
    static std::string StrengthSummary(float staerke);
};

}  // namespace brevanto::model
