#include "host/CadUnits.h"
#include "keyword/KeywordFile.h"
#include "translator/TranslatorOutput.h"
#include "translator/TranslatorRules.h"

#include <gtest/gtest.h>

TEST(TranslatorRules, CadTypesDecideProgramAndMeshKinds)
{
    EXPECT_STREQ(GetMeshInputFileType(2), "STEREOLITHOGRAPHY");
    EXPECT_STREQ(GetMeshInputFileType(8), "NASTRAN_BULK_DATA_FORMAT");
    EXPECT_STREQ(GetMeshInputFileType(9), GetMeshInputFileType(10));
    EXPECT_STREQ(GetMeshInputFileType(11), "CAD_TO_TESSARIN");
    EXPECT_STREQ(GetMeshInputFileType(12), "");
    EXPECT_STREQ(GetMeshInputFileType(1), "");

    for (int type = 0; type <= 14; ++type) {
        const bool tet = type == 3 || type == 8 || type == 9 || type == 10;
        EXPECT_EQ(CanDoTetMesh(type), tet) << type;
        // STL-like models always go to the mesher; others only for tetrahedra.
        EXPECT_EQ(UseZQMESH3D(type, kTranslatorSurfaceMesh), type == 2 || type == 11) << type;
        EXPECT_TRUE(UseZQMESH3D(type, kTranslatorTetrahedralMesh)) << type;
    }

    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthUnknown), -1);
    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthMillimeter), 0);
    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthCentimeter), 1);
    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthInch), 3);
    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthMeter), 2);
    EXPECT_EQ(UnitsChoiceFromCADUnits(kUnitLengthFoot), 2);
}

TEST(TranslatorRules, LayerListAndNodalTolerance)
{
    EXPECT_EQ(NormalizeLayerList("3, 1;3 x 2"), "1 2 3");
    EXPECT_EQ(NormalizeLayerList(""), "");
    EXPECT_EQ(NormalizeLayerList(" ,;; "), "");
    // Signs, decimals and letters are not layer numbers; leading zeros are.
    EXPECT_EQ(NormalizeLayerList("-4 +5 2.0 7a 010 10"), "10");
    EXPECT_EQ(NormalizeLayerList("99999999999999999999 5"), "5");
    EXPECT_EQ(NormalizeLayerList("20 100 3"), "3 20 100"); // numeric, not text, order

    std::string tol;
    EXPECT_TRUE(SuggestNodalTolerance("250", "", tol));
    EXPECT_EQ(tol, "0.25");
    EXPECT_TRUE(SuggestNodalTolerance("1e6", "", tol));
    EXPECT_EQ(tol, "1000");
    tol = "keep";
    EXPECT_FALSE(SuggestNodalTolerance("250", "0.1", tol));
    EXPECT_FALSE(SuggestNodalTolerance("", "", tol));
    EXPECT_EQ(tol, "keep");
}

TEST(TranslatorOutput, MesherInputKeepsOnlyItsKeywords)
{
    MKeywordFile file;
    file.MergeText("ZQMESH3D_SURFACE_ELEMENT_AIM: 5000\nTRANS_FILE_UNITS: MODEL_UNITS_MM\n"
                   "IGS_TRANS_MESH_DIV: 15\nZQMESH3D_UNITS: MILLIMETERS\n");
    CTranslatorJob job;
    job.cadType = 2;
    job.remeshMode = 1;
    job.unitSystem = 1;
    job.cadFile = "/p/part.stl";
    job.outputBase = "/p/part_1.stl";
    EXPECT_EQ(CompleteTranslatorInput(file, job), "/p/part_1.092");
    EXPECT_EQ(file.GetValue("ZQMESH3D_INPUT_FILETYPE"), "STEREOLITHOGRAPHY");
    EXPECT_EQ(file.GetValue("ZQMESH3D_SURFACE_REMESH"), "ON");
    EXPECT_EQ(file.GetValue("ZQMESH3D_SURFACE_EDGE_CONTROL"), "ON");
    EXPECT_EQ(file.GetValue("ZQMESH3D_OUTPUT_BOUNDARY_ONLY"), "ON");
    EXPECT_EQ(file.GetValue("ZQMESH3D_MESH_OUTPUT_FILENAME"), "/p/part_1");
    EXPECT_EQ(file.GetValue("ZQMESH3D_MESH_INPUT_FILENAME"), "/p/part.stl");
    EXPECT_EQ(file.GetValue("ZQMESH3D_OUTPUT_UNITS"), "IMPERIAL");
    EXPECT_FALSE(file.HasKeyword("TRANS_FILE_UNITS"));
    EXPECT_FALSE(file.HasKeyword("IGS_TRANS_MESH_DIV"));
    EXPECT_EQ(file.GetValue("ZQMESH3D_SURFACE_ELEMENT_AIM"), "5000");

    // Tetrahedra of a bulk data model: no surface remesh, full volume output.
    MKeywordFile tet;
    job = CTranslatorJob();
    job.cadType = 8;
    job.outputChoice = kTranslatorTetrahedralMesh;
    job.unitSystem = -1; // SI is metric to the mesher
    job.outputBase = "C:\\proj.v2\\bulk";
    EXPECT_EQ(CompleteTranslatorInput(tet, job), "C:\\proj.v2\\bulk.092");
    EXPECT_EQ(tet.GetValue("ZQMESH3D_SURFACE_REMESH"), "OFF");
    EXPECT_EQ(tet.GetValue("ZQMESH3D_OUTPUT_BOUNDARY_ONLY"), "OFF");
    EXPECT_EQ(tet.GetValue("ZQMESH3D_OUTPUT_UNITS"), "METRIC");
}

TEST(TranslatorOutput, TranslatorInputNamesItsProgram)
{
    MKeywordFile file;
    file.MergeText("ZQMESH3D_UNITS: INCHES\nTRANS_FILE_UNITS: MODEL_UNITS_IN\nIGS_USE_RIBS: ON\n");
    CTranslatorJob job;
    job.cadType = 5;
    job.translatorChoice = kTranslatorMDL;
    job.cadFile = "/p/cover.igs";
    job.outputBase = "/p/cover_1.igs";
    EXPECT_EQ(CompleteTranslatorInput(file, job), "/p/cover_1.081");
    EXPECT_EQ(file.GetValue("TRANS_PROGRAM"), "zqpsi");
    EXPECT_EQ(file.GetValue("TRANS_INPUT_MODEL"), "/p/cover.igs");
    EXPECT_EQ(file.GetValue("TRANS_OUTPUT_MODEL"), "/p/cover_1.zql");
    EXPECT_EQ(file.GetValue("TRANS_SYSTEM_UNITS"), "M");
    EXPECT_EQ(file.GetValue("IGS_USE_RIBS"), "ON");
    EXPECT_FALSE(file.HasKeyword("ZQMESH3D_UNITS"));

    // The built-in translator is the default program: its name is not written.
    MKeywordFile builtIn;
    job.translatorChoice = kTranslatorBuiltIn;
    job.unitSystem = 1;
    CompleteTranslatorInput(builtIn, job);
    EXPECT_EQ(builtIn.ToText().find("TRANS_PROGRAM"), std::string::npos);
    EXPECT_EQ(builtIn.GetValue("TRANS_SYSTEM_UNITS"), "I");
}
