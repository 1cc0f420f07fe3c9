#pragma once
// Snapping a window that is being moved to the edges of the screen's work
// area (the screen without panels and task bars).
#include "support/Geometria.h"

namespace numbrix {

// How close (in pixels) an edge must come to the work area's edge to snap.
constexpr int kDistanciaMagnetica = 16;
// Least time between two readings of the work area while a window moves.
constexpr int kIntervaloMagneticoMs = 222;

// The proposed window rectangle, moved so that its top edge lies on the work
// area's top when it is within `distancia` pixels of it (otherwise its bottom
// edge on the bottom, under the same condition); the same for left, else
// right. The window never changes size.
TRectI AjustarMagnetico(const TRectI& propuesto, const TRectI& areaTrabajo, int distancia = kDistanciaMagnetica);

}  // namespace numbrix
