// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "HeadlessFixture.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "radiation/Calculation.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;
using namespace brevanto::objects;

// A scene on an 800 x 600 picture, headed by a dark background radiation, for
// the tests of the object kinds and of what uses them.
class SceneTest : public HeadlessSceneTest {
protected:
    SceneTest() {
        list.CleanAndNumber();
        list.PrepareQueries(settings);
    }
    ~SceneTest() override { SetThreadCount(0); }

    // Appends with the number the next numbering would give and prepares the queries.
    template <class Kind, class... Args>
    Kind& Add(Args... args) {
        auto object = std::make_unique<Kind>(args...);
        Kind& added = *object;
        list.Append(std::move(object));
        added.number = static_cast<int32_t>(list.size());
        list.PrepareQueries(settings);
        return added;
    }
    // The object's own field at the point; (0, 0) where it sends nothing.
    FlowSum FieldOf(const Tszeneobjekt& object, int32_t x, int32_t y) const {
        float fx = 0, fy = 0;
        object.FlowDensityAt(x, y, list, fx, fy, 0);
        return {fx, fy};
    }
    bool Lights(const Tszeneobjekt& object, int32_t x, int32_t y) const {
        float fx, fy;
        return object.FlowDensityAt(x, y, list, fx, fy, 0);
    }
    // Numbers the objects, balances the mirrors as the main window does before
    // a display, and prepares the queries.
    void Compute() {
        list.CleanAndNumber();
        settings.berechnet = false;
        Calculate(list, settings, window, headless.Progress());
        list.PrepareQueries(settings);
    }

    SceneList list{NewBackground()};
    platform::HeadlessWindow window{800, 600};
};
