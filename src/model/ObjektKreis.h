// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
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

// A range of arc angles in whole degrees, lo < hi (or lo = hi for an empty one).
struct AngleRange {
    int32_t lo;
    int32_t hi;
    // In 64 bits: the angles of a file or dialog may lie anywhere in 32 bits.
    int64_t Span() const { return int64_t{hi} - lo; }
};

// The covered angles of a circle or arc cut into one or two ranges of
// increasing angle, in the order [winkel1, ...] first.
struct AngleRanges {
    std::array<AngleRange, 2> ranges;
    size_t count;
    const AngleRange* begin() const { return ranges.data(); }
    const AngleRange* end() const { return ranges.data() + count; }
};

// The arc angles a circle or arc covers, in the one form that everything
// reads: from `from` clockwise to `to`, both within 0..360 and never equal;
// the full circle is 0..360.
struct ArcAngles {
    int32_t from;
    int32_t to;
    bool IsFullCircle() const { return from == 0 && to == 360; }
};

// Base of every circular scene object: a circle or an arc around (xmitte,
// ymitte). Arc angles are whole degrees, 0 straight up and growing clockwise
// on the screen: the point at angle t is (xmitte + radius sin t,
// ymitte - radius cos t). The object covers the angles from winkel1
// clockwise to winkel2, which may be any whole numbers and are kept as
// entered; Arc() says what they cover.
class TObjektKreis : public Tszeneobjekt {
public:
    // The first point is the centre, the second lies on the circle.
    TObjektKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    int32_t xmitte;
    int32_t ymitte;
    int32_t radius;
    int32_t winkel1 = 0;
    int32_t winkel2 = 360;

    // A span of 360 degrees or more (winkel2 - winkel1 >= 360) is the full
    // circle. Otherwise both angles count modulo 360, and equal ones are the
    // full circle too; a pair within 0..360 stays as it is, any other is
    // reduced into [0, 360).
    ArcAngles Arc() const;
    bool IsFullCircle() const { return Arc().IsFullCircle(); }
    // Arc()'s angles as ranges of increasing angle: [from, to] when
    // to > from, otherwise [from, 360] and [0, to].
    AngleRanges Ranges() const;

    void Draw(platform::Canvas& canvas) const override;
    bool IsDegenerate() const override;
    // Makes (x, y) a point of the circle; the mouse-up that ends the drag
    // clears berechnet.
    void SetEndPoint(int32_t x, int32_t y) override;
    Occluder BlockingShape() const override;
    // Whether some point of the circle or arc lies closer to (x, y) than d.
    bool IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const override;
    // "centre (x, y), radius r", and the arc's angles unless it is the full
    // circle.
    std::string Summary() const override;
    // The centre, which moves the whole circle, and the middle of the arc,
    // which sets the radius.
    std::vector<Handle> Handles() const override;
    void MoveHandle(size_t index, int32_t x, int32_t y) override;
    void MoveBy(int32_t dx, int32_t dy) override;

    // The fields of the geometry, in the order of the scene file: keys
    // "xmitte", "ymitte", "radius", "winkel1", "winkel2", labelled "Center X",
    // "Center Y", "Radius", "Start angle", "End angle". A negative radius is
    // refused.
    template <class Kind>
    static std::vector<typename FieldTable<Kind>::Field> GeometryFields() {
        return {{{"xmitte", "Center X"}, &TObjektKreis::xmitte},
                {{"ymitte", "Center Y"}, &TObjektKreis::ymitte},
                {{"radius", "Radius", {}, RadiusProblem}, &TObjektKreis::radius},
                {{"winkel1", "Start angle"}, &TObjektKreis::winkel1},
                {{"winkel2", "End angle"}, &TObjektKreis::winkel2}};
    }
    // Where "Radius" stands among the geometry fields of a dialog.
    enum class RadiusField { BeforeCentre, AfterCentre };
    // The controls of the geometry: radius and centre in the given order,
    // then `angleHeading` over the two angles and a note on what they mean.
    static std::vector<platform::Control> CoordinateControls(const FieldList& fields, RadiusField radiusField,
                                                             const std::string& angleHeading);

private:
    static std::string RadiusProblem(double radius);
};

}  // namespace brevanto::model
