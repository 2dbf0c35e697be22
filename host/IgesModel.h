#pragma once
// The part an IGES file describes, measured from its entities.
#include "host/CadBox.h"
#include "host/IgesReader.h"

namespace cad {

// Adds to `box` what bounds the part's shape, in the file's model space
// (before the global scale): the curves, surfaces and points reached from
// the entities that nothing else owns, each placed by its own matrix and its
// parents'. Positions and directions (the axis of a surface of revolution,
// the location of an analytic surface), curves in a surface's parameter
// space and annotation are left out. The work is bounded by a multiple of
// the file's size, whatever its entities point to.
void MeasureIgesShape(const CIgesSections& sections, const CIgesGlobal& global, CBox& box);

} // namespace cad
