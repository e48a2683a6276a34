// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/FieldTable.h"
#include "model/Szeneobjekt.h"
#include "platform/Dialog.h"

namespace brevanto::platform {
class FieldReader;
}

namespace brevanto::model {

// Base of every straight scene object: a segment between two window points.
// Its normal N = (y2 - y1, x1 - x2) points into the plus side, on the screen
// the left-hand side when walking from point 1 to point 2.
class TObjektGerade : public Tszeneobjekt {
public:
    TObjektGerade(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;

    void Draw(platform::Canvas& canvas) const override;
    bool IsDegenerate() const override;
    // Moves point 2; the mouse-up that ends the drag clears berechnet.
    void SetEndPoint(int32_t x, int32_t y) override;
    // Within the rectangle of half-width d around the segment, extended by d
    // beyond both ends. skipA and skipB do not matter for straight objects.
    bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const override;
    // The segment cuts the path A-B, end points included. Parallel paths
    // never count, even collinear ones.
    Occluder BlockingShape() const override;

    // "(x1, y1) to (x2, y2)".
    std::string Summary() const override;

    // The two end points.
    std::vector<Handle> Handles() const override;
    void MoveHandle(size_t index, int32_t x, int32_t y) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    // The foot of the perpendicular from (x, y), or the nearer end point.
    std::optional<Handle> NearestOutlinePoint(int32_t x, int32_t y) const override;

    // The segment length L = |N|.
    float Length() const;

    // The fields of the two points, keys "x1" ... "y2", labelled "X1" ...
    // "Y2" followed by `labelSuffix`: X1 and Y1 on one row, X2 and Y2 on the
    // next.
    template <class Kind>
    static std::vector<typename FieldTable<Kind>::Field> CoordinateFields(const std::string& labelSuffix) {
        return {{{"x1", "X1" + labelSuffix}, &TObjektGerade::x1},
                {{"y1", "Y1" + labelSuffix, {}, {}, true}, &TObjektGerade::y1},
                {{"x2", "X2" + labelSuffix}, &TObjektGerade::x2},
                {{"y2", "Y2" + labelSuffix, {}, {}, true}, &TObjektGerade::y2}};
    }
    // Their controls, in that order.
    static std::vector<platform::Control> CoordinateControls(const FieldList& fields);
    // Refuses each point off the screen with the message, at the field of a
    // coordinate that lies off.
    void RequireOnScreen(platform::FieldReader& fields, const Tprgvar& settings, const std::string& message) const;
};

}  // namespace brevanto::model
