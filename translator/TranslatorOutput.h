#pragma once
// The input file of the program that translates or meshes a CAD model: the
// wizard's keywords completed with the job's own, cut down to the keywords of
// that program, under the suffix it reads.
#include "units/Units.h"

#include <string>

class MKeywordFile;

// Suffixes of the two programs' input files.
constexpr const char* kMesherInputSuffix = ".092";
constexpr const char* kTranslatorInputSuffix = ".081";

struct CTranslatorJob {
    int cadType = 0;
    int outputChoice = 0;      // 0 surface mesh, 1 tetrahedral mesh
    int translatorChoice = -1; // 0 built-in IGES, 1 MDL, -1 none
    int remeshMode = 0;        // 0 number of elements, 1 edge length
    UnitSystem unitSystem = 0;
    std::string cadFile;    // path of the CAD model's file
    std::string outputBase; // where the results go; its extension, if any, is replaced
};

// Completes `file` for the mesher or the translator, whichever the job uses,
// removes the other program's keywords, and returns the path the file must be
// written to (the output base with the program's suffix).
std::string CompleteTranslatorInput(MKeywordFile& file, const CTranslatorJob& job);
