#include "objects/MirrorCoefficients.h"

#include "model/Extended.h"

namespace {
bool InPercent(float value) { return value >= 0 && value <= 100; }
}  // namespace

std::string MirrorCoefficientProblem(float dirref, float dirtrans, float difref, float diftrans) {
    if (!InPercent(dirref) || !InPercent(dirtrans) || !InPercent(difref) || !InPercent(diftrans))
        return "Each coefficient must lie between 0 and 100%.";
    if (static_cast<Extended>(dirref) + dirtrans + difref + diftrans > 100)
        return "The sum must not be more than 100%.";
    return {};
}

bool ReadMirrorCoefficients(KeyReader& reader, float& dirref, float& dirtrans, float& difref, float& diftrans) {
    float read[4] = {};
    if (!(reader.Float("dirref=", read[0]) && reader.Float("dirtrans=", read[1]) && reader.Float("difref=", read[2]) &&
          reader.Float("diftrans=", read[3])))
        return false;
    dirref = read[0];
    dirtrans = read[1];
    difref = read[2];
    diftrans = read[3];
    return true;
}
