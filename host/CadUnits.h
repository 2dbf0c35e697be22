#pragma once
// The host's answer to "what units and size is this CAD file?", used by the
// translator wizard to preselect the model units and show the part's size.
// Only the formats whose files say something useful are read: STL (size only,
// STL carries no units) and IGES (units and size).
#include <string>

// Length units of a CAD model as the host numbers them.
enum MUnitLengthType {
    kUnitLengthMillimeter = 0,
    kUnitLengthCentimeter = 1,
    kUnitLengthMeter = 2,
    kUnitLengthInch = 3,
    kUnitLengthFoot = 4,
    kUnitLengthOther = 5, // a unit the file names that none of the above is
    kUnitLengthUnknown = 6,
};

// CAD model sub-types whose files this reader understands.
constexpr int kCadTypeStl = 2;
constexpr int kCadTypeIges = 5;

// The callback the host hands to CTranslatorSheet::SetGetCADUnitsFunc. Fills
// `extents` with the model's size along x, y and z, in the model's own units,
// whenever the file gives one (STL even though its units are unknown); leaves
// them alone otherwise.
MUnitLengthType HostGetCADUnits(const char* path, int cadType, float extents[3]);

// The two readers on text already in memory, for tests and tools. Each
// returns false when the content holds no geometry it can measure.
bool MeasureStl(const std::string& bytes, float extents[3]);
// `units` gets the global section's unit flag mapped to MUnitLengthType
// (kUnitLengthUnknown when there is no global section). The size is the box
// of the part's curves, surfaces and points as placed by their matrices;
// what only gives a position or a direction (the axis of a surface of
// revolution, the location of an analytic surface), curves in a surface's
// parameter space and annotation are left out.
bool MeasureIges(const std::string& text, MUnitLengthType& units, float extents[3]);
