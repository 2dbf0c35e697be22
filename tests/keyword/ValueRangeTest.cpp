#include "keyword/ValueRange.h"

#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using Paths = std::vector<std::string>;

static CValueRange R(const char* text) { return CValueRange::Parse(text); }

TEST(ValueRange, ParsesTheTrickyTexts)
{
    const int I = CValueRange::kInclusive, X = CValueRange::kExclusive, N = CValueRange::kNoBound;
    EXPECT_EQ(R("[1:100]"), CValueRange(1, I, 100, I));
    EXPECT_EQ(R("(0:)"), CValueRange(0, X, 0, N));
    EXPECT_EQ(R("(:1]"), CValueRange(0, N, 1, I));
    EXPECT_EQ(R("   [ -1.5e3 :  2.5 )"), CValueRange(-1500, I, 2.5, X)); // blanks skipped
    EXPECT_EQ(R("[1:"), CValueRange(1, I, 0, N));     // no closing bracket: no upper bound
    EXPECT_EQ(R("[1:2)]"), CValueRange(1, I, 2, X));  // ")" is looked for before "]"
    EXPECT_EQ(R("[1:]5)"), CValueRange(1, I, 0, X));  // ... even after a "]", which reads as 0
    EXPECT_EQ(R("<3:4>]"), CValueRange(3, I, 4, I));  // any opening but "(" is inclusive
    EXPECT_EQ(R("[\t:5]"), CValueRange(0, I, 5, I));  // a tab is no blank: it starts a bound
    EXPECT_EQ(R("[  :  ]"), CValueRange());
    for (const char* empty : {"", ":5]", "  :5]", "[5", "[1 2]"}) {
        EXPECT_FALSE(R(empty).HasBounds()) << empty;
        EXPECT_TRUE(R(empty).Contains(-1e300) && R(empty).Contains(1e300)) << empty;
    }
    EXPECT_FALSE(CValueRange::Parse(static_cast<const char*>(nullptr)).HasBounds());
}

TEST(ValueRange, BoundKindsDecideContains)
{
    EXPECT_TRUE(R("[0:)").Contains(0) && R("[0:)").Contains(1e300) && R("(0:)").Contains(1e-300));
    EXPECT_FALSE(R("[0:)").Contains(-1e-300) || R("(0:)").Contains(0) || R("(:1]").Contains(1.0000001));
    EXPECT_TRUE(R("[1:2]").Contains(1) && R("[1:2]").Contains(2));
    EXPECT_FALSE(R("(1:2)").Contains(1) || R("(1:2)").Contains(2) || R("[1:2]").Contains(std::nan("")));
}

TEST(ValueRange, TextAndCaptions)
{
    EXPECT_EQ(R("[0:)").ToText() + R("(:100]").ToText() + R("[0.001:1]").ToText(), "[0:)(:100][0.001:1]");
    EXPECT_EQ(R("(1:2)").ToText() + R("[5").ToText(), "(1:2)");
    EXPECT_EQ(CValueRange::FormatBound(123456.789), "123457");     // "%g" fits in 7
    EXPECT_EQ(CValueRange::FormatBound(-123456.7), "-123457");     // exactly 7 stays "%g"
    EXPECT_EQ(CValueRange::FormatBound(0.000123456), "0.0001235"); // 11 characters: "%.4g"
    EXPECT_EQ(CValueRange::FormatBound(1234567), "1.235e+06");
    for (const char* text : {"[0:)", "(-2.5:7]", "(:1e-05)", "[1e+20:1e+21]"})
        EXPECT_EQ(R(R(text).ToText().c_str()), R(text)) << text;

    EXPECT_EQ(GetRangeCaption(R("[20:300]"), 2, 1), "[68:572] deg.F");
    EXPECT_EQ(GetRangeCaption(R("[20:300]"), 2, 0), "[20:300] deg.C");
    EXPECT_EQ(GetRangeCaption(R("(0:0.0254]"), 0, 0), "(0:25.4] mm");
    EXPECT_EQ(GetRangeCaption(CValueRange(), 9, 0), "kPa");
    EXPECT_EQ(GetRangeCaption(R("[0:1]"), 35, 1), "[0:1] ");
    EXPECT_EQ(GetRangeCaption(CValueRange(), 35, 0), "");
    EXPECT_EQ(GetRangeCaption(R("[0:1]"), 55, 0), "[0:1] "); // outside the table: no unit
}

TEST(RangeFiles, PathsAndMergeOrder)
{
    EXPECT_EQ(GetSolverRangeFiles("/opt/data/", "zqflow"), (Paths{"/opt/data/zqflow.rng", "zqflow.rng"}));
    EXPECT_EQ(GetWarpRangeFiles("D:\\data\\"), (Paths{"D:\\data\\warp.rng", "warp.rng"}));
    EXPECT_EQ(GetTranslatorRangeFiles("d/"), (Paths{"d/zqtrans.rng", "d/zqmesh3d.rng"}));
    EXPECT_EQ(GetMachineRangeFiles("d/"), (Paths{"d/zqlipc.rng"}));
    EXPECT_EQ(GetMachineDefaultsFile("d/") + GetRangeKeyword("A") + GetSecondRangeKeyword("B"),
              "d/zqlipc.defA_RANGEB_RANGE2");
    EXPECT_TRUE(UsesSecondRangeForBoth("3DFLOW_PRESSURE_AT_A_NODE_LIST"));
    EXPECT_FALSE(UsesSecondRangeForBoth("3DFLOW_PRESSURE"));

    wiztest::ScratchDir dir;
    const std::string data = dir.Path().string() + "/";
    wiztest::WriteBytes(data + "zqtrans.rng", "T_RANGE: [0:1]\nSHARED_RANGE: [0:10]\n");
    wiztest::WriteBytes(data + "zqmesh3d.rng", "# mesher\nSHARED_RANGE: (:5)\n");
    MKeywordFile store;
    EXPECT_TRUE(MergeRangeFiles(store, GetTranslatorRangeFiles(data)));
    EXPECT_TRUE(MergeRangeFiles(store, {data + "missing.rng"}));
    EXPECT_EQ(store.GetValue("SHARED_RANGE") + store.GetValue("T_RANGE"), "(:5)[0:1]"); // later file wins

    // A copy in the current directory overrides the installed solver file.
    wiztest::WriteBytes(data + "solver.rng", "X_RANGE: [0:1]\n");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::create_directory(dir.Path() / "job");
    std::filesystem::current_path(dir.Path() / "job");
    wiztest::WriteBytes("solver.rng", "X_RANGE: [2:3]\n");
    MKeywordFile solver;
    EXPECT_TRUE(MergeRangeFiles(solver, GetSolverRangeFiles(data, "solver")));
    std::filesystem::current_path(cwd);
    EXPECT_EQ(solver.GetValue("X_RANGE"), "[2:3]");

    // Translator defaults lie under the input node's own values.
    wiztest::WriteBytes(data + "zqmesh3d.def", "A: mesh\nB: mesh\nC: mesh\n");
    wiztest::WriteBytes(data + "zqtrans.def", "B: trans\nC: trans\n");
    wiztest::WriteBytes(data + "node.kwd", "C: node\n");
    MKeywordFile working, fresh;
    EXPECT_TRUE(MergeTranslatorDefaults(working, data, data + "node.kwd"));
    EXPECT_TRUE(MergeTranslatorDefaults(fresh, data, ""));
    EXPECT_EQ(working.GetValue("A") + working.GetValue("B") + working.GetValue("C"), "meshtransnode");
    EXPECT_EQ(fresh.GetValue("C"), "trans");
}

TEST(RangeFiles, AbsentReadsAsEmptyButUnreadableFails)
{
    wiztest::ScratchDir dir;
    const std::string data = dir.Path().string() + "/";
    wiztest::WriteBytes(data + "zqmesh3d.def", "A: mesh\n");
    MKeywordFile file;
    EXPECT_TRUE(MergeIfPresent(file, data + "absent.def"));
    EXPECT_TRUE(MergeIfPresent(file, data + "no/such/folder/absent.def"));
    EXPECT_TRUE(LoadIfPresent(file, data + "zqmesh3d.def/below-a-file")); // a file on the way: absent too
    EXPECT_TRUE(IsAbsentFile(data + "absent.def"));

    // A folder where a file belongs exists, and cannot be read.
    std::filesystem::create_directory(data + "zqtrans.def");
    std::filesystem::create_directory(data + "zqtrans.rng");
    for (const CResult& failed : {MergeIfPresent(file, data + "zqtrans.def"), LoadIfPresent(file, data + "zqtrans.def"),
                                  MergeTranslatorDefaults(file, data, ""),
                                  MergeRangeFiles(file, GetTranslatorRangeFiles(data))}) {
        EXPECT_FALSE(failed);
        EXPECT_NE(failed.GetMessage().find(data + "zqtrans."), std::string::npos) << failed.GetMessage();
    }
    std::filesystem::remove(data + "zqtrans.def");
    std::filesystem::create_directory(data + "node.kwd");
    EXPECT_FALSE(MergeTranslatorDefaults(file, data, data + "node.kwd"));
    EXPECT_TRUE(MergeTranslatorDefaults(file, data, data + "gone.kwd"));
}
