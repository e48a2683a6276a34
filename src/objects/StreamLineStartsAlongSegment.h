#pragma once
#include "model/ObjektGerade.h"

// Stream-line starting points along a straight object, on both sides: each
// side gets Round(flux leaving it / fluxPerLine) lines, placed 3 pixels off
// the surface where the running flux reaches the middle of each line's share.
// The flux leaving a piece is the normal component of the other objects'
// field 3 pixels off it (and of the object's own field when `countOwnField`),
// plus `ownEmission` per unit length; plus-side points are put first.
void AddStreamLineStartsAlongSegment(const TObjektGerade& object, StreamLineStarts& starts, const TSceneList& list,
                                     float fluxPerLine, float ownEmission, bool countOwnField);
