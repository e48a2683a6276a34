#include "model/SceneList.h"

#include <stdexcept>

#include "model/Programvar.h"
#include "objects/ObjektHintergrund.h"

TSceneList::TSceneList() { objects.push_back(std::make_unique<TObjektHintergrund>()); }

TObjektHintergrund& TSceneList::Background() const { return static_cast<TObjektHintergrund&>(*objects.front()); }

void TSceneList::Append(std::unique_ptr<Tszeneobjekt> object) { objects.push_back(std::move(object)); }

void TSceneList::CleanAndNumber() {
    for (size_t i = objects.size(); i-- > 1;)
        if (objects[i]->IsDegenerate()) objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(i));
    int32_t number = 1;
    for (const auto& object : objects) object->number = number++;
}

void TSceneList::Clear() {
    objects.clear();
    objects.push_back(std::make_unique<TObjektHintergrund>());
}

void TSceneList::Remove(size_t index) {
    if (index == 0 || index >= objects.size()) throw std::logic_error("the background radiation stays in the scene");
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
}

void TSceneList::RedrawAll(platform::Bitmap& picture, platform::Canvas& window) const {
    platform::Canvas& canvas = picture.GetCanvas();
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(prgvar().hintergrundfarbe);
    canvas.FillRect(-1, -1, picture.Width() + 1, picture.Height() + 1);
    for (const auto& object : objects) object->Draw(canvas);
    window.DrawBitmap(picture);
}

void TSceneList::PrepareQueries() const {
    for (const auto& object : objects) object->PrepareQueries();
}

FlowSum TSceneList::FlowDensitySum(int32_t x, int32_t y) const {
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

bool TSceneList::AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const {
    for (const auto& object : objects)
        if (object->Blocks(ax, ay, bx, by, skipA, skipB)) return true;
    return false;
}
