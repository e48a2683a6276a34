#pragma once
#include "display/GridDisplay.h"
#include "model/SceneList.h"
#include "platform/Canvas.h"

// Arrows of the energy flow density on a square grid: each arrow starts at
// its grid point and points along the summed flow density S there, scaled so
// that the strongest arrow of the picture is 0.7 grid spacings long. Arrows
// that would cross an object are left out.
class TVektorpfeile : public GridDisplay {
public:
    // Sums the field at every grid point and draws the arrows. The scene must
    // be computed and its queries prepared (SceneList::PrepareQueries).
    // Returns the flow density that an arrow one grid spacing long stands
    // for, 0 when no arrow was drawn.
    double Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                platform::Platform& platform) const;
    // The dialog "Arrows of energy flow density".
    void Edit(platform::Platform& platform);
    // The section "vektorpfeile", its keyword line included.
    void SaveToFile(platform::TextFile& file) const;
};
