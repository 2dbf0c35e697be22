// Reading a keyword file through a binding table without showing a page: one
// finding per fault, in display units, labelled from the page's template; and
// two files compared as the table reads them.
#include <gtest/gtest.h>

#include "BindingsDemoDialog.h"
#include "keyword/DeckCheck.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Check(const CKeywordBindings& bindings, const std::string& text)
{
    MKeywordFile deck;
    deck.MergeText(text);
    return CheckDeck(bindings, deck);
}

// The demo dialog's table with the ranges a solver file would give it.
class DeckCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetUnitSystem(kUnitsMetric);
        dialog = std::make_unique<demo::CBindingsDemoDialog>();
        CKeywordBindings& b = dialog->bindings;
        b.SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "[180:320]");
        b.SetRangeText("DEMO_CAVITY_COUNT_RANGE", "[1:64]");
        b.SetRangeText("DEMO_LAYERS_RANGE", "(0:0.01]");
        b.SetRangeText("DEMO_COOLING_TIME_RANGE", "(0:)");
        b.SetRangeText("DEMO_PROFILE_RANGE", "[0:2e8]");
        b.SetRangeText("DEMO_PROFILE_RANGE2", "[0:10]");
    }
    CKeywordBindings& Bindings() { return dialog->bindings; }

    CWinApp app;
    std::unique_ptr<demo::CBindingsDemoDialog> dialog;
};

} // namespace

TEST_F(DeckCheck, CleanDeckAndUnboundKeywordsGiveNoFinding)
{
    const std::string deck = "DEMO_NAME: part\nDEMO_CAVITY_COUNT: 4\nDEMO_MOLD_TEMPERATURE: 2.4E+2\n"
                             "DEMO_COOLING: OFF\nDEMO_FILL_CONTROL: VELOCITY\nDEMO_MODE: SPECIFIED\n"
                             "DEMO_LAYERS: 0.001 \\\n0.002\nDEMO_PROFILE: 1e+07 0 \\\n2e7 3\n"
                             "NOT_BOUND: junk\nNOT_BOUND_NUMBER: 1e999\n";
    EXPECT_EQ(Check(Bindings(), deck), std::vector<std::string>{});
}

TEST_F(DeckCheck, OneLinePerFaultWithValueRangeAndLabel)
{
    const std::vector<std::string> lines = Check(Bindings(),
                                                 "DEMO_MOLD_TEMPERATURE: 480\n"
                                                 "DEMO_CAVITY_COUNT: 2.5\n"
                                                 "DEMO_COOLING: on\n"
                                                 "DEMO_FILL_CONTROL: automatic\n"
                                                 "DEMO_LAYERS: 0.001 x 0.02\n"
                                                 "DEMO_PROFILE: 1e7 0 \\\n3e8 20 \\\n4\n"
                                                 "DEMO_NAME:\n"
                                                 "DEMO_COOLING_TIME: soon\n");
    const std::vector<std::string> expected = {
        "DEMO_MOLD_TEMPERATURE: 480 deg.C is out of range [180:320] deg.C (Mold temperature)",
        "DEMO_CAVITY_COUNT: '2.5' is not a whole number (Cavity count)",
        "DEMO_COOLING: 'on' is neither ON nor OFF (Cooling)",
        "DEMO_FILL_CONTROL: 'automatic' is not one of PRESSURE, VELOCITY, AUTOMATIC (Fill control)",
        "DEMO_LAYERS: item 2: 'x' is not a number (Layer thicknesses)",
        "DEMO_LAYERS: item 3: 20 mm is out of range (0:10] mm (Layer thicknesses)",
        // Grids have no caption of their own: no label.
        "DEMO_PROFILE: pair 2, first value: 300 MPa is out of range [0:200] MPa",
        "DEMO_PROFILE: pair 2, second value: 20 sec is out of range [0:10] sec",
        "DEMO_PROFILE: pair 3 has no second value",
        "DEMO_NAME: no value (Name)",
        // "Specify ..." captions name no field, as on the page.
        "DEMO_COOLING_TIME: 'soon' is not a number",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(DeckCheck, ValuesAndRangesInTheTablesUnitSystem)
{
    app.SetUnitSystem(kUnitsEnglish);
    demo::CBindingsDemoDialog english; // the table takes the system when built
    english.bindings.SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "[20:300]");
    EXPECT_EQ(Check(english.bindings, "DEMO_MOLD_TEMPERATURE: 310\n"),
              std::vector<std::string>{"DEMO_MOLD_TEMPERATURE: 590 deg.F is out of range [68:572] deg.F "
                                       "(Mold temperature)"});
    // A whole number has no unit to convert; the bound is as the page checks it.
    english.bindings.SetRangeText("DEMO_CAVITY_COUNT_RANGE", "(0:)");
    EXPECT_EQ(Check(english.bindings, "DEMO_CAVITY_COUNT: 0\n"),
              std::vector<std::string>{"DEMO_CAVITY_COUNT: 0 is out of range (0:) (Cavity count)"});
}

TEST_F(DeckCheck, RangesAreReadWhenCheckingSoDerivedRangesCount)
{
    EXPECT_TRUE(Check(Bindings(), "DEMO_MOLD_TEMPERATURE: 330\n").size() == 1);
    // A wizard sets a range from another value after the range files are read.
    Bindings().SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "[200:340]");
    EXPECT_TRUE(Check(Bindings(), "DEMO_MOLD_TEMPERATURE: 330\n").empty());
    // Bounds are kept as written: exclusive bounds reject their own value.
    Bindings().SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "(200:340)");
    EXPECT_EQ(Check(Bindings(), "DEMO_MOLD_TEMPERATURE: 340\n").size(), 1u);
    EXPECT_TRUE(Check(Bindings(), "DEMO_MOLD_TEMPERATURE: 339.999\n").empty());
}

TEST(DeckCheckKinds, PairsThatShareTheSecondRangeAndListsPastTheReadLimit)
{
    CWnd* const page = reinterpret_cast<CWnd*>(0x1000); // never touched: no companion
    CKeywordBindings bindings;
    bindings.SetCurrentPage(page);
    CDoublePairList pressures;
    std::vector<double> list;
    bindings.Bind("X_PRESSURE_AT_A_NODE", 1, -1, kBindPairs, &pressures, kQuantityPressureMPa,
                  kQuantityPressureMPa, kBindPairSharesSecondRange);
    bindings.Bind("X_LIST", 2, -1, kBindList, &list);
    bindings.SetRangeText("X_PRESSURE_AT_A_NODE_RANGE", "[0:1e9]");
    bindings.SetRangeText("X_PRESSURE_AT_A_NODE_RANGE2", "[0:1e6]");
    EXPECT_EQ(Check(bindings, "X_PRESSURE_AT_A_NODE: 2e6 5e5\n"),
              std::vector<std::string>{"X_PRESSURE_AT_A_NODE: pair 1, first value: 2 MPa is out of range [0:1] MPa"});

    std::string longList;
    for (int i = 0; i < 300; ++i)
        longList += "1234 ";
    const std::vector<std::string> lines = Check(bindings, "X_LIST: " + longList + "\n");
    ASSERT_EQ(lines.size(), 1u);
    // 204 items of five characters end by character 1020; the 205th crosses the limit.
    EXPECT_EQ(lines[0], "X_LIST: the list is read only up to its first 1023 characters: items from 205 on are cut or lost");
    EXPECT_TRUE(Check(bindings, "X_LIST: " + longList.substr(0, 1020) + "\n").empty());
}

TEST(DeckCheckKinds, WholeNumbersThatDoNotFitAndValuesThatAreNotNumbers)
{
    CWnd* const page = reinterpret_cast<CWnd*>(0x1000);
    CKeywordBindings bindings;
    bindings.SetCurrentPage(page);
    int whole = 0;
    double real = 0;
    bindings.Bind("W", 1, -1, kBindWhole, &whole);
    bindings.Bind("R", 2, -1, kBindDouble, &real);
    const std::vector<std::string> lines =
        Check(bindings, "W: 99999999999\nR: 1.5x\nR2: 1\n");
    EXPECT_EQ(lines, (std::vector<std::string>{"W: '99999999999' is too large for a whole-number field",
                                               "R: '1.5x' is not a number"}));
    EXPECT_EQ(Check(bindings, "W: abc\nR: inf\n"),
              (std::vector<std::string>{"W: 'abc' is not a number", "R: 'inf' is not a number"}));
    EXPECT_EQ(whole, 0) << "checking leaves the variables alone";
}

TEST_F(DeckCheck, FieldLabelsComeFromTheTemplateAsThePageCleansThem)
{
    const auto label = [&](const char* keyword) { return GetFieldLabel(*Bindings().FindBinding(keyword)); };
    EXPECT_EQ(label("DEMO_MOLD_TEMPERATURE"), "Mold temperature");
    EXPECT_EQ(label("DEMO_CAVITY_COUNT"), "Cavity count");
    EXPECT_EQ(label("DEMO_COOLING"), "Cooling") << "a check box is its own caption";
    EXPECT_EQ(label("DEMO_COOLING_TIME"), "");
    EXPECT_EQ(label("DEMO_MODE"), "") << "no companion";
    EXPECT_EQ(label("DEMO_VERSION"), "") << "no page";
    EXPECT_EQ(CKeywordBindings::LabelOfCaption("  A && B:", false), "A && B");
    EXPECT_EQ(CKeywordBindings::LabelOfCaption("&Mold temperature:", true), "&Mold temperature");
}

TEST_F(DeckCheck, DiffShowsBoundValuesInDisplayUnitsAndIgnoresHowTheyAreWritten)
{
    MKeywordFile before, after;
    before.MergeText("DEMO_MOLD_TEMPERATURE: 240\nDEMO_LAYERS: 0.001 0.002\nDEMO_CAVITY_COUNT: 4\n"
                     "UNBOUND: 1.0\nGONE: x\nDEMO_PROFILE: 1e7 0\n");
    after.MergeText("DEMO_MOLD_TEMPERATURE: 2.4E+2\nDEMO_LAYERS: 0.001 \\\n0.003\nDEMO_CAVITY_COUNT: 04\n"
                    "UNBOUND: 1\nDEMO_PROFILE: 1e7 0 \\\n2e7 1\nNEW: y\n");
    std::vector<std::string> lines;
    for (const SDeckChange& change : DiffDecks(before, after, &Bindings()))
        lines.push_back(FormatChange(change));
    const std::vector<std::string> expected = {
        "~ DEMO_LAYERS: 1 2 mm -> 1 3 mm",
        "~ UNBOUND: 1.0 -> 1",
        "- GONE: x",
        "~ DEMO_PROFILE: 10 0 (MPa, sec) -> 10 0; 20 1 (MPa, sec)",
        "+ NEW: y",
    };
    EXPECT_EQ(lines, expected);
    // Without a table every difference of text is a change, shown as written.
    const std::vector<SDeckChange> plain = DiffDecks(before, after, nullptr);
    ASSERT_EQ(plain.size(), 7u);
    EXPECT_EQ(FormatChange(plain[0]), "~ DEMO_MOLD_TEMPERATURE: 240 -> 2.4E+2");
    EXPECT_TRUE(DiffDecks(before, before, &Bindings()).empty());
}
