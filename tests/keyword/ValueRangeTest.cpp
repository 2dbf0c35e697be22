#include "keyword/ValueRange.h"

#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

CValueRange R(const char* text) { return CValueRange::Parse(text); }

void ExpectRange(const char* text, double low, int lowKind, double high, int highKind)
{
    const CValueRange r = R(text);
    EXPECT_EQ(r.m_lowKind, lowKind) << text;
    EXPECT_EQ(r.m_highKind, highKind) << text;
    if (lowKind)
        EXPECT_EQ(r.m_low, low) << text;
    if (highKind)
        EXPECT_EQ(r.m_high, high) << text;
}

} // namespace

TEST(ValueRange, ParsesTheTrickyTexts)
{
    const int I = CValueRange::kInclusive, X = CValueRange::kExclusive, N = CValueRange::kNoBound;
    ExpectRange("[1:100]", 1, I, 100, I);
    ExpectRange("(0:)", 0, X, 0, N);
    ExpectRange("(:1]", 0, N, 1, I);
    ExpectRange("[ 1 : 2 ]", 1, I, 2, I);
    ExpectRange("   [-1.5e3:2.5)", -1500, I, 2.5, X);
    ExpectRange("[1:", 1, I, 0, N);        // no closing bracket: no upper bound
    ExpectRange("[1:2)]", 1, I, 2, X);     // ")" is looked for before "]"
    ExpectRange("[1:]5)", 1, I, 0, X);     // ")" wins over an earlier "]", which then reads as 0
    ExpectRange("<3:4>]", 3, I, 4, I);     // any opening character but "(" is inclusive
    ExpectRange("[\t:5]", 0, I, 5, I);     // a tab is not skipped: it starts a bound that reads 0
    ExpectRange("[  :  ]", 0, N, 0, N);
    for (const char* empty : {"", ":5]", "  :5]", "[5", "5", "[1 2]"}) {
        const CValueRange r = R(empty);
        EXPECT_FALSE(r.HasBounds()) << empty;
        EXPECT_TRUE(r.Contains(-1e300) && r.Contains(1e300)) << empty;
    }
    EXPECT_FALSE(CValueRange::Parse(static_cast<const char*>(nullptr)).HasBounds());
    EXPECT_TRUE(CValueRange().Contains(std::nan("")));
}

TEST(ValueRange, BoundKindsDecideContains)
{
    const CValueRange atLeast0 = R("[0:)");
    EXPECT_TRUE(atLeast0.Contains(0));
    EXPECT_TRUE(atLeast0.Contains(1e300));
    EXPECT_FALSE(atLeast0.Contains(-1e-300));
    EXPECT_FALSE(R("(0:)").Contains(0));
    EXPECT_TRUE(R("(0:)").Contains(1e-300));
    const CValueRange closed = R("[1:2]"), open = R("(1:2)");
    EXPECT_TRUE(closed.Contains(1) && closed.Contains(2));
    EXPECT_FALSE(open.Contains(1) || open.Contains(2));
    EXPECT_TRUE(open.Contains(1.5));
    EXPECT_FALSE(R("(:1]").Contains(1.0000001));
    EXPECT_FALSE(closed.Contains(std::nan("")));
}

TEST(ValueRange, TextUsesShortBounds)
{
    EXPECT_EQ(R("[0:)").ToText(), "[0:)");
    EXPECT_EQ(R("(:100]").ToText(), "(:100]");
    EXPECT_EQ(R("[0.001:1]").ToText(), "[0.001:1]");
    EXPECT_EQ(R("(1:2)").ToText(), "(1:2)");
    EXPECT_EQ(R("[5").ToText(), "");
    EXPECT_EQ(CValueRange::FormatBound(123456.789), "123457");    // "%g" fits in 7
    EXPECT_EQ(CValueRange::FormatBound(-123456.7), "-123457");    // exactly 7 stays "%g"
    EXPECT_EQ(CValueRange::FormatBound(0.000123456), "0.0001235"); // 11 characters: "%.4g"
    EXPECT_EQ(CValueRange::FormatBound(1234567), "1.235e+06");
    EXPECT_EQ(CValueRange::FormatBound(1e-5), "1e-05");
    // Text read back gives the same range when the bounds are short.
    for (const char* text : {"[0:)", "(-2.5:7]", "(:1e-05)", "[1e+20:1e+21]"})
        EXPECT_EQ(R(R(text).ToText().c_str()), R(text)) << text;
}

TEST(ValueRange, CaptionsShowRangeAndUnit)
{
    EXPECT_EQ(GetRangeCaption(R("[20:300]"), 2, 1), "[68:572] deg.F");
    EXPECT_EQ(GetRangeCaption(R("[20:300]"), 2, 0), "[20:300] deg.C");
    EXPECT_EQ(GetRangeCaption(R("(0:0.0254]"), 0, 0), "(0:25.4] mm");
    EXPECT_EQ(GetRangeCaption(R("[0:)"), 0, -1), "[0:) m");
    EXPECT_EQ(GetRangeCaption(CValueRange(), 9, 0), "kPa");
    EXPECT_EQ(GetRangeCaption(R("[0:1]"), 35, 1), "[0:1] ");
    EXPECT_EQ(GetRangeCaption(CValueRange(), 35, 0), "");
    EXPECT_EQ(GetRangeCaption(R("[0:1]"), 55, 0), "[0:1] "); // outside the table: no unit
    // The stored range stays in SI.
    const CValueRange r = R("[1:2]");
    GetRangeCaption(r, 0, 0);
    EXPECT_EQ(r.m_high, 2);
}

TEST(RangeFiles, PathsAndMergeOrder)
{
    EXPECT_EQ(GetSolverRangeFiles("/opt/data/", "zqflow"),
              (std::vector<std::string>{"/opt/data/zqflow.rng", "zqflow.rng"}));
    EXPECT_EQ(GetWarpRangeFiles("D:\\data\\"), (std::vector<std::string>{"D:\\data\\warp.rng", "warp.rng"}));
    EXPECT_EQ(GetTranslatorRangeFiles("d/"), (std::vector<std::string>{"d/zqtrans.rng", "d/zqmesh3d.rng"}));
    EXPECT_EQ(GetMachineRangeFiles("d/"), (std::vector<std::string>{"d/zqlipc.rng"}));
    EXPECT_EQ(GetMachineDefaultsFile("d/"), "d/zqlipc.def");
    EXPECT_EQ(GetRangeKeyword("A_B"), "A_B_RANGE");
    EXPECT_EQ(GetSecondRangeKeyword("A_B"), "A_B_RANGE2");
    EXPECT_TRUE(UsesSecondRangeForBoth("3DFLOW_PRESSURE_AT_A_NODE_LIST"));
    EXPECT_FALSE(UsesSecondRangeForBoth("3DFLOW_PRESSURE"));

    wiztest::ScratchDir dir;
    const std::string data = dir.Path().string() + "/";
    wiztest::WriteBytes(data + "zqtrans.rng", "T_RANGE: [0:1]\nSHARED_RANGE: [0:10]\n");
    wiztest::WriteBytes(data + "zqmesh3d.rng", "# mesher\nSHARED_RANGE: (:5)\nM_RANGE: [1:)\n");
    MKeywordFile store;
    MergeRangeFiles(store, GetTranslatorRangeFiles(data));
    MergeRangeFiles(store, {data + "missing.rng"}); // absent files are skipped
    EXPECT_EQ(store.GetValue("SHARED_RANGE"), "(:5)"); // the later file wins
    EXPECT_EQ(store.GetValue("T_RANGE"), "[0:1]");
    EXPECT_EQ(CValueRange::Parse(store.GetValue("M_RANGE")), CValueRange(1, 1, 0, 0));

    // The local copy of a solver range file overrides the installed one.
    wiztest::WriteBytes(data + "solver.rng", "X_RANGE: [0:1]\n");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::create_directory(dir.Path() / "job");
    std::filesystem::current_path(dir.Path() / "job");
    wiztest::WriteBytes("solver.rng", "X_RANGE: [2:3]\n");
    MKeywordFile solver;
    MergeRangeFiles(solver, GetSolverRangeFiles(data, "solver"));
    std::filesystem::current_path(cwd);
    EXPECT_EQ(solver.GetValue("X_RANGE"), "[2:3]");
}

TEST(RangeFiles, TranslatorDefaultsLieUnderTheNodeValues)
{
    wiztest::ScratchDir dir;
    const std::string data = dir.Path().string() + "/";
    wiztest::WriteBytes(data + "zqmesh3d.def", "A: mesh\nB: mesh\nC: mesh\n");
    wiztest::WriteBytes(data + "zqtrans.def", "B: trans\nC: trans\n");
    wiztest::WriteBytes(data + "node.kwd", "C: node\n");
    MKeywordFile working;
    MergeTranslatorDefaults(working, data, data + "node.kwd");
    EXPECT_EQ(working.GetValue("A"), "mesh");
    EXPECT_EQ(working.GetValue("B"), "trans");
    EXPECT_EQ(working.GetValue("C"), "node");
    MKeywordFile fresh;
    MergeTranslatorDefaults(fresh, data, "");
    EXPECT_EQ(fresh.GetValue("C"), "trans");
}
