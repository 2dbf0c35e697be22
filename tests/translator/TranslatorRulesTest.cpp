#include "host/CadUnits.h"
#include "translator/TranslatorRules.h"

#include <gtest/gtest.h>

TEST(TranslatorRules, CadTypesDecideProgramAndMeshKinds)
{
    // The mesher's input token of each CAD type, whether the type can be
    // meshed into tetrahedra, and whether its surface mesh goes through the
    // 3D mesher (STL-like models); a tetrahedral mesh always does.
    const struct { int type; const char* token; bool tet; bool surfaceByMesher; } table[] = {
        {0, "", false, false},
        {1, "", false, false},
        {2, "STEREOLITHOGRAPHY", false, true},
        {3, "ANSYS_PREP_7", true, false},
        {4, "QUVEX", false, false},
        {5, "IGES", false, false},
        {6, "NASTRAN", false, false},
        {7, "PATRAN_NEUTRAL", false, false},
        {8, "NASTRAN_BULK_DATA_FORMAT", true, false},
        {9, "IDEAS_UNIVERSAL", true, false},
        {10, "IDEAS_UNIVERSAL", true, false},
        {11, "CAD_TO_TESSARIN", false, true},
        {12, "", false, false},
        {13, "", false, false},
        {14, "", false, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.type);
        EXPECT_STREQ(GetMeshInputFileType(row.type), row.token);
        EXPECT_EQ(CanDoTetMesh(row.type), row.tet);
        EXPECT_EQ(UseZQMESH3D(row.type, kTranslatorSurfaceMesh), row.surfaceByMesher);
        EXPECT_TRUE(UseZQMESH3D(row.type, kTranslatorTetrahedralMesh));
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
