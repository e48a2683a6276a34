#include "objects/StraightSurface.h"

void StraightSurface::Prepare(const TObjektGerade& object, int32_t sellaenge) {
    length = object.Length();
    count = StraightElementCount(length, sellaenge);
    elementLength = StraightElementLength(length, count);
    centres.resize(static_cast<size_t>(count));
    run.points.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const FloatPoint centre = StraightElementCentre(object.x1, object.y1, object.x2, object.y2, i, count);
        centres[static_cast<size_t>(i)] = centre;
        run.points[static_cast<size_t>(i)] = {Round(centre.x), Round(centre.y)};
    }
}
