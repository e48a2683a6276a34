#pragma once
#include <memory>
#include <vector>

#include "model/Szeneobjekt.h"
#include "platform/Bitmap.h"

class TObjektHintergrund;

// The energy flow density of the whole scene at a point.
struct FlowSum {
    Extended x = 0;
    Extended y = 0;
};

// The ordered objects of the scene. The head is always the one background
// radiation; new objects are appended at the tail.
class TSceneList {
public:
    using Objects = std::vector<std::unique_ptr<Tszeneobjekt>>;

    TSceneList();  // only the head, a new background radiation

    Objects::const_iterator begin() const { return objects.begin(); }
    Objects::const_iterator end() const { return objects.end(); }
    size_t size() const { return objects.size(); }
    Tszeneobjekt& operator[](size_t index) const { return *objects[index]; }
    TObjektHintergrund& Background() const;
    Tszeneobjekt& Tail() const { return *objects.back(); }

    void Append(std::unique_ptr<Tszeneobjekt> object);
    // Drops every object after the head that reports IsDegenerate, then
    // numbers all objects 1, 2, 3, ... in list order.
    void CleanAndNumber();
    // Destroys every object, head included, and starts again with a new
    // background radiation.
    void Clear();
    // Unlinks and destroys the object at index (> 0: the head stays).
    void Remove(size_t index);

    // Fills the picture with the background colour, draws every object into
    // it and copies it to the window.
    void RedrawAll(platform::Bitmap& picture, platform::Canvas& window) const;

    // Brings every object's caches up to date; see Tszeneobjekt::PrepareQueries.
    void PrepareQueries() const;

    // Every object's flow density at (x, y) summed in list order, no object
    // excepted from blocking: the field the displays show.
    FlowSum FlowDensitySum(int32_t x, int32_t y) const;

    // Whether any object blocks the path from A to B.
    bool AnyBlocks(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t skipA, int32_t skipB) const;

private:
    Objects objects;
};
