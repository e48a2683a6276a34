// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SceneList.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace brevanto::model {

SceneList::SceneList(std::unique_ptr<Tszeneobjekt> background) { objects.push_back(std::move(background)); }

void SceneList::Append(std::unique_ptr<Tszeneobjekt> object) {
    objects.push_back(std::move(object));
    occlusion.Clear();
}

void SceneList::CleanAndNumber() {
    for (size_t i = objects.size(); i-- > 1;)
        if (objects[i]->IsDegenerate()) objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(i));
    int32_t number = 1;
    for (const auto& object : objects) object->number = number++;
    occlusion.Clear();
}

void SceneList::Clear(std::unique_ptr<Tszeneobjekt> background) {
    objects.clear();
    objects.push_back(std::move(background));
    occlusion.Clear();
}

void SceneList::Remove(size_t index) {
    if (index == 0 || index >= objects.size()) throw std::logic_error("the background radiation stays in the scene");
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
    occlusion.Clear();
}

void SceneList::RedrawAll(platform::Bitmap& picture, platform::Canvas& window, platform::TColor background) const {
    platform::Canvas& canvas = picture.GetCanvas();
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(background);
    canvas.FillRect(-1, -1, picture.Width() + 1, picture.Height() + 1);
    for (const auto& object : objects) object->Draw(canvas);
    window.DrawBitmap(picture);
}

void SceneList::PrepareQueries(const Tprgvar& settings) {
    const int64_t values = StoredValues(settings);
    if (values > kMostStoredValues)
        throw std::runtime_error("The mirrors/diffusors together would need " + std::to_string(values / 250'000) +
                                 " MB for their radiation values, more than the " +
                                 std::to_string(kMostStoredValues / 250'000) +
                                 " MB they may have.\rPlease choose longer pieces or fewer directions under "
                                 "Parameters, Resolution of the calculation.");
    for (const auto& object : objects) object->PrepareQueries(settings);
    occlusion.Build(Shapes());
}

std::vector<OcclusionIndex::Entry> SceneList::Shapes() const {
    std::vector<OcclusionIndex::Entry> shapes;
    for (const auto& object : objects) shapes.push_back({object->BlockingShape(), object->number});
    return shapes;
}

int64_t SceneList::StoredValues(const Tprgvar& settings) const {
    // Capped at 2^61 as it goes, so the sum never wraps.
    constexpr int64_t kCap = int64_t{1} << 61;
    int64_t values = 0;
    for (const auto& object : objects) values = std::min(values + std::min(object->StoredValues(settings), kCap), kCap);
    return values;
}

double SceneList::QueryWork(const Tprgvar& settings) const {
    double elements = 1;
    for (const auto& object : objects) elements += static_cast<double>(object->QueryElements(settings));
    return elements * (1 + std::sqrt(static_cast<double>(objects.size())));
}

FlowSum SceneList::FlowDensitySum(int32_t x, int32_t y) const {
    FlowSum sum;
    for (const auto& object : objects) {
        float fx, fy;
        if (object->FlowDensityAt(x, y, *this, fx, fy, 0)) {
            sum.x += fx;
            sum.y += fy;
        }
    }
    return sum;
}

float SceneList::EnergyDensityAt(int32_t x, int32_t y) const {
    float energy = 0;
    FlowVectorList contributions;
    for (const auto& object : objects) energy = object->AddEnergyDensity(x, y, *this, 0, energy, contributions);
    return energy;
}

SceneList::Field SceneList::FieldAt(int32_t x, int32_t y) const {
    Field field{{}, 0};
    FlowVectorList contributions;
    for (const auto& object : objects) {
        contributions.clear();
        float fx, fy;
        if (object->FlowAt(x, y, *this, 0, fx, fy, contributions)) {
            field.flow.x += fx;
            field.flow.y += fy;
        }
        field.energy = AddMagnitudes(field.energy, contributions);
    }
    return field;
}

bool SceneList::AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const {
    if (occlusion.Built()) return occlusion.AnyBlocks(ax, ay, bx, by, skipA, skipB);
    for (const auto& object : objects)
        if (object->Blocks(ax, ay, bx, by, skipA, skipB)) return true;
    return false;
}

bool SceneList::AnyNear(int32_t x, int32_t y, int32_t d) const {
    for (const auto& object : objects)
        if (object->IsNear(x, y, d, 0, 0)) return true;
    return false;
}

}  // namespace brevanto::model
