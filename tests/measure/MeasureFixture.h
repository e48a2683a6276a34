#pragma once
#include <memory>

#include "HeadlessFixture.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "radiation/Berechnen.h"

// A scene on an 800 x 600 picture with a dark frame, computed the way the
// main window computes it before it measures.
class MeasuredSceneTest : public HeadlessSceneTest {
protected:
    ~MeasuredSceneTest() override { SetThreadCount(0); }

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        list.Append(std::move(object));
        return added;
    }
    // Numbers the objects, balances the mirrors and prepares the queries.
    void Compute() {
        list.CleanAndNumber();
        settings.berechnet = false;
        Calculate(list, settings, window, headless.Progress());
        list.PrepareQueries(settings);
    }

    platform::HeadlessWindow window{800, 600};
    SceneList list{NewBackground()};
};
