#include "host/CadUnits.h"
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
