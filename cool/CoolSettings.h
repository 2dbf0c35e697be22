#pragma once
// The keyword binding tables of the cooling wizard, one per page or dialog,
// each in the order of its fields. A table is data: the sheet registers the
// tables of its variant, in this order: 3D A to E then H, 2D F, G, H.
#include <span>

#include "keyword/KeywordBindings.h"

class CCoolWizard;

using CCoolRow = CBindingRow<CCoolWizard>;
using CCoolRows = std::span<const CCoolRow>;

extern const CCoolRows kCoolAnalysisTypeRows;    // A: analysis type page
extern const CCoolRows kCoolMoldModelRows;       // B: mold model and boundary conditions
extern const CCoolRows kCoolProcessRows;         // C: process times and temperatures
extern const CCoolRows kCoolNetworkRows;         // D: cooling network
extern const CCoolRows kCoolAdvanced3DRows;      // E: 3D advanced options
extern const CCoolRows kCool2DBoundaryRows;      // F: 2D boundary conditions and temperatures
extern const CCoolRows kCoolAdvanced2DRows;      // G: 2D advanced options
extern const CCoolRows kCoolDescriptionRows;     // H: description, both variants
