#pragma once
#include "display/GitterDarstellung.h"
#include "model/SceneList.h"
#include "platform/Canvas.h"

// Filled circles of the energy density on a square grid. The energy density
// at a point is E = sum of |f| over every individual flow vector reaching it,
// so radiation crossing from opposite directions adds up even where the net
// flow cancels. The disc radius is proportional to E, 0.4 grid spacings for
// the largest; discs that would touch an object are left out.
class TEnergiekreise : public TGitterDarstellung {
public:
    // Collects the energy density at every grid point and draws the discs.
    // The scene must be computed and prepared for queries.
    void Draw(const TSceneList& list, platform::Canvas& canvas) const;
    // The dialog "Circles of energy density".
    void Edit();
    // The section "energiekreise", its keyword line included.
    void SaveToFile(platform::TextFile& file) const;
};
