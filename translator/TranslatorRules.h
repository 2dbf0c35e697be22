#pragma once
// What the translator wizard decides from the CAD model alone, apart from any
// window: which program reads the model, what it may mesh, and how the fields
// typed on the IGES page are tidied.
#include <string>
#include <string_view>

// The output choice of page 1 ("ZQMESH3D_OUTPUT_FILETYPE").
constexpr int kTranslatorSurfaceMesh = 0;
constexpr int kTranslatorTetrahedralMesh = 1;

// The translator choice: built-in IGES translator, MDL translator, none.
constexpr int kTranslatorBuiltIn = 0;
constexpr int kTranslatorMDL = 1;
constexpr int kTranslatorNone = -1;

// The mesher's input file-type token of a CAD model sub-type; "" for the types
// it cannot read.
const char* GetMeshInputFileType(int cadType);

// True when the model may be meshed with tetrahedra (ANSYS, NASTRAN bulk data
// and the universal file types).
bool CanDoTetMesh(int cadType);

// True when the 3D mesher, not the translator, reads the model: STL-like
// models are always remeshed by it, and it alone makes tetrahedra.
bool UseZQMESH3D(int cadType, int outputChoice);

// True when the mesher remeshes the surface itself (STL and CAD-to-mesh models).
bool IsSurfaceRemeshType(int cadType);

// True for the model types only the MDL translator reads.
bool IsMDLOnlyType(int cadType);

// The index of the units radio group (mm, cm, m, in) for the units the host
// found in the CAD file; -1 when the host does not know them (result 6).
int UnitsChoiceFromCADUnits(int cadUnits);

// The layer list as the translator wants it: whole numbers from a text split at
// commas, blanks and semicolons, other tokens dropped, sorted, without
// duplicates, written with single blanks ("3, 1;3 x 2" gives "1 2 3").
std::string NormalizeLayerList(std::string_view text);

// The nodal tolerance to suggest for a model length as typed: one thousandth
// of it, "%g". False (no suggestion) when a tolerance is already there or no
// length is.
bool SuggestNodalTolerance(std::string_view modelLength, std::string_view nodalTolerance, std::string& suggestion);
