// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "model/Occlusion.h"
#include "model/Settings.h"
#include "model/Szeneobjekt.h"
#include "platform/Colour.h"

namespace brevanto::platform {
class Bitmap;
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::model {

// The energy flow density of the whole scene at a point.
struct FlowSum {
    double x = 0;
    double y = 0;
};

// The ordered objects of the scene. The head is always the one background
// radiation, which the list is given when it is made or cleared; new objects
// are appended at the tail.
class SceneList {
    using Objects = std::vector<std::unique_ptr<Tszeneobjekt>>;

public:
    // Walks the objects as pointers: to const objects through a const list,
    // so that what reads the scene cannot change it.
    template <class Object>
    class Iterator {
    public:
        using difference_type = std::ptrdiff_t;
        using value_type = Object*;

        Iterator() = default;
        explicit Iterator(Objects::const_iterator at) : at(at) {}
        Object* operator*() const { return at->get(); }
        Iterator& operator++() {
            ++at;
            return *this;
        }
        Iterator operator++(int) { return Iterator(at++); }
        bool operator==(const Iterator&) const = default;

    private:
        Objects::const_iterator at;
    };

    explicit SceneList(std::unique_ptr<Tszeneobjekt> background);

    Iterator<const Tszeneobjekt> begin() const { return Iterator<const Tszeneobjekt>(objects.begin()); }
    Iterator<const Tszeneobjekt> end() const { return Iterator<const Tszeneobjekt>(objects.end()); }
    Iterator<Tszeneobjekt> begin() { return Iterator<Tszeneobjekt>(objects.cbegin()); }
    Iterator<Tszeneobjekt> end() { return Iterator<Tszeneobjekt>(objects.cend()); }
    size_t size() const { return objects.size(); }
    const Tszeneobjekt& operator[](size_t index) const { return *objects[index]; }
    Tszeneobjekt& operator[](size_t index) { return *objects[index]; }
    const Tszeneobjekt& Head() const { return *objects.front(); }
    Tszeneobjekt& Head() { return *objects.front(); }
    const Tszeneobjekt& Tail() const { return *objects.back(); }
    Tszeneobjekt& Tail() { return *objects.back(); }

    void Append(std::unique_ptr<Tszeneobjekt> object);
    // Drops every object after the head that reports IsDegenerate, then
    // numbers all objects 1, 2, 3, ... in list order.
    void CleanAndNumber();
    // Destroys every object, head included, and starts again with the new
    // background radiation.
    void Clear(std::unique_ptr<Tszeneobjekt> background);
    // Unlinks and destroys the object at index (> 0: the head stays).
    void Remove(size_t index);

    // Fills the picture with the background colour, draws every object into
    // it and copies it to the window.
    void RedrawAll(platform::Bitmap& picture, platform::Canvas& window, platform::TColor background) const;

    // Every object's Tszeneobjekt::PrepareQueries, in list order, then the
    // index of their blocking shapes. Throws, before any object allocates,
    // when the radiation values of all objects together would need more than
    // kMostStoredValues.
    void PrepareQueries(const Tprgvar& settings);

    // About 1 GB of 32-bit radiation values for all mirrors together, kept
    // twice while a computation runs (the copy restores them when it is
    // cancelled).
    static constexpr int64_t kMostStoredValues = 250'000'000;
    int64_t StoredValues(const Tprgvar& settings) const;
    // The work of one query of the field at a point (FlowDensitySum): a path
    // to every element of every object, each path costing about 1 + sqrt(n)
    // units with n objects, as the occlusion index narrows the objects that
    // may block it. As a floating-point number, since scenes from files may
    // ask for more than 64 bits hold.
    double QueryWork(const Tprgvar& settings) const;

    // Every object's flow density at (x, y) summed in list order, no object
    // excepted from blocking: the field the displays show.
    FlowSum FlowDensitySum(int32_t x, int32_t y) const;

    // The energy density at (x, y): the sum of the magnitudes of every
    // individual flow vector reaching the point, so radiation crossing from
    // opposite directions adds up where the net flow cancels. Summed in list
    // order as a 32-bit float, the precision the circles are scaled with.
    float EnergyDensityAt(int32_t x, int32_t y) const;

    // FlowDensitySum and EnergyDensityAt at once (Tszeneobjekt::FlowAt).
    struct Field {
        FlowSum flow;
        float energy;
    };
    Field FieldAt(int32_t x, int32_t y) const;

    // Whether any object blocks the path from A to B.
    bool AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const;
    // The paths between p and every point of the run, in ranges of the run
    // with the objects that may block them (OcclusionIndex::ForEachFan).
    template <FanOrder order = FanOrder::Forwards, class Visit>
    void ForEachFan(const SightRun& run, SightPoint p, int32_t skipA, int32_t skipB, Visit&& visit) const {
        if (occlusion.Built()) return occlusion.ForEachFan<order>(run, p, skipA, skipB, visit);
        OcclusionIndex current;
        current.Build(Shapes());
        current.ForEachFan<order>(run, p, skipA, skipB, visit);
    }
    // Whether any object comes within distance d of (x, y).
    bool AnyNear(int32_t x, int32_t y, int32_t d) const;

private:
    std::vector<OcclusionIndex::Entry> Shapes() const;

    Objects objects;
    // The blocking shapes as the last prepare step found them; cleared when
    // the list changes, and until the next prepare step the queries ask the
    // objects themselves.
    OcclusionIndex occlusion;
};

}  // namespace brevanto::model
