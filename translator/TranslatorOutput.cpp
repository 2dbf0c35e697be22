#include "translator/TranslatorOutput.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "translator/TranslatorRules.h"

std::string CompleteTranslatorInput(MKeywordFile& file, const CTranslatorJob& job)
{
    if (job.translatorChoice != kTranslatorNone)
        file.SetValue("TRANS_PROGRAM", job.translatorChoice == kTranslatorMDL ? "zqpsi" : "");

    // English is the only system the programs write in inches; SI and
    // metric both mean metric to them.
    const bool imperial = job.unitSystem == 1;
    const std::string base = CFilePath(job.outputBase).WithoutExtension();
    if (UseZQMESH3D(job.cadType, job.outputChoice)) {
        file.SetValue("ZQMESH3D_MESH_INPUT_FILENAME", job.cadFile);
        file.SetValue("ZQMESH3D_INPUT_FILETYPE", GetMeshInputFileType(job.cadType));
        file.SetValue("ZQMESH3D_SURFACE_REMESH", IsSurfaceRemeshType(job.cadType) ? "ON" : "OFF");
        file.SetValue("ZQMESH3D_SURFACE_EDGE_CONTROL", job.remeshMode == 1 ? "ON" : "OFF");
        file.SetValue("ZQMESH3D_OUTPUT_BOUNDARY_ONLY", job.outputChoice == kTranslatorSurfaceMesh ? "ON" : "OFF");
        file.SetValue("ZQMESH3D_MESH_OUTPUT_FILENAME", base);
        file.SetValue("ZQMESH3D_OUTPUT_UNITS", imperial ? "IMPERIAL" : "METRIC");
        file.KeepKeywordsWithPrefix("ZQMESH3D");
        return base + kMesherInputSuffix;
    }
    file.SetValue("TRANS_INPUT_MODEL", job.cadFile);
    file.SetValue("TRANS_OUTPUT_MODEL", base + ".zql");
    file.SetValue("TRANS_SYSTEM_UNITS", imperial ? "I" : "M");
    file.RemoveKeywordsWithPrefix("ZQMESH3D");
    return base + kTranslatorInputSuffix;
}
