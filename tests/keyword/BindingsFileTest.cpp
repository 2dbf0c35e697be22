// The file side of the keyword bindings: the reading rule and file form of
// each value type, and the present flag that decides what a save keeps.
#include <gtest/gtest.h>

#include "BindingsDemoDialog.h"
#include "keyword/ValueRange.h"
#include "support/TestSupport.h"

#include <filesystem>

namespace {
// Any non-null window will do: the file side never touches the page.
CWnd* const kPage = reinterpret_cast<CWnd*>(0x1000);
} // namespace

TEST(BindingsFile, EachTypeReadsByItsRuleAndWritesItsForm)
{
    wiztest::ScratchDir dir;
    std::string longList(1020, ' ');
    for (std::size_t i = 0; i < longList.size(); i += 2)
        longList[i] = '1';
    wiztest::WriteBytes(dir / "in.kw", "T: a b\nW: -2.9\nD: 1.5e-5\nS: on\nC: automatic\n"
                                       "L: 1, 2;3 \\\n4\nP: 0 1e7 \\\n2.5\tx \\\n7\nLONG: " + longList + "12345 9\n");
    CKeywordBindings bindings;
    bindings.SetCurrentPage(kPage);
    std::string text;
    int whole = 0;
    double real = 0;
    bool on = true;
    CChoiceField choice{"NONE", "AUTOMATIC"};
    std::vector<double> list, longOne;
    CDoublePairList pairs;
    bindings.Bind("T", 1, -1, kBindText, &text);
    bindings.Bind("W", 2, -1, kBindWhole, &whole);
    bindings.Bind("D", 3, -1, kBindDouble, &real);
    bindings.Bind("S", 4, -1, kBindSwitch, &on);
    bindings.Bind("C", 5, -1, kBindChoice, &choice);
    bindings.Bind("L", 6, -1, kBindList, &list);
    bindings.Bind("P", 7, -1, kBindPairs, &pairs);
    bindings.Bind("LONG", 8, -1, kBindList, &longOne);
    ASSERT_TRUE(bindings.LoadValues(dir / "in.kw"));

    EXPECT_EQ(text, "a b");
    EXPECT_EQ(whole, -2) << "atoi stops at the dot";
    EXPECT_DOUBLE_EQ(real, 1.5e-5);
    EXPECT_FALSE(on) << "only exactly ON is on";
    EXPECT_EQ(choice.m_index, -1) << "tokens match case-sensitively";
    EXPECT_EQ(list, (std::vector<double>{1, 2, 3, 4}));
    // Two by two; a non-number reads 0 and a missing second number is 0.
    EXPECT_EQ(pairs, (CDoublePairList{{0, 1e7}, {2.5, 0}, {7, 0}}));
    // Only the first 1023 characters are read: the item across the limit is cut, the next one lost.
    ASSERT_EQ(longOne.size(), 511u);
    EXPECT_EQ(longOne.back(), 123);

    choice.m_index = 1;
    ASSERT_TRUE(bindings.SaveValues(dir / "in.kw"));
    const std::string expected = "T: a b\nW: -2\nD: 1.5E-5\nS: OFF\nC: AUTOMATIC\nL: 1 \\\n2 \\\n3 \\\n4\n"
                                 "P: 0 1e+07 \\\n2.5 0 \\\n7 0\nLONG: 1 \\\n1";
    EXPECT_EQ(demo::Unix(wiztest::ReadBytes(dir / "in.kw")).substr(0, expected.size()), expected);
    choice.m_index = 2; // outside the list: an empty value, which the file drops
    ASSERT_TRUE(bindings.SaveValues(dir / "in.kw"));
    EXPECT_EQ(wiztest::ReadBytes(dir / "in.kw").find("C:"), std::string::npos);
}

TEST(BindingsFile, PresentFlagDecidesWhatSaveKeepsAndRemoves)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "job.kw";
    wiztest::WriteBytes(path, "UNBOUND_A: keep me\nK_SHOWN: 5\nK_FILE: 1\nUNBOUND_B: 2 \\\n3\n");
    CKeywordBindings bindings;
    int noControl = 42, shown = 0, fromFile = 0, never = 9;
    EXPECT_TRUE(bindings.Bind("K_NOCONTROL", -1, -1, kBindWhole, &noControl)) << "needs no page";
    EXPECT_FALSE(bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown)) << "a control needs a page";
    EXPECT_FALSE(bindings.IsBound("K_SHOWN"));
    bindings.SetCurrentPage(kPage);
    EXPECT_TRUE(bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown));
    bindings.Bind("K_FILE", 21, -1, kBindWhole, &fromFile);
    bindings.Bind("K_NEVER", 22, -1, kBindWhole, &never);
    EXPECT_FALSE(bindings.SetBindingPage("k_file", kPage)) << "keywords are case-sensitive";

    ASSERT_TRUE(bindings.LoadValues(path));
    EXPECT_EQ(fromFile, 1);
    EXPECT_EQ(never, 9);
    EXPECT_FALSE(bindings.IsPresent("K_NEVER"));
    // Binding again resets the flag by the control rule.
    bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown);
    noControl = 43;
    ASSERT_TRUE(bindings.SaveValues(path));
    EXPECT_EQ(demo::Unix(wiztest::ReadBytes(path)), "UNBOUND_A: keep me\nK_FILE: 1\nUNBOUND_B: 2 \\\n3\nK_NOCONTROL: 43\n");

    // Ranges: the later file wins; the wizard may set one itself.
    wiztest::WriteBytes(dir / "a.rng", "K_FILE_RANGE: [0:10]\nK_FILE_RANGE2: (1:2)\n");
    wiztest::WriteBytes(dir / "b.rng", "K_FILE_RANGE: [20:120]\n");
    EXPECT_TRUE(bindings.MergeRanges(dir / "a.rng"));
    EXPECT_TRUE(bindings.MergeRanges(dir / "b.rng"));
    bindings.SetRangeText("K_SHOWN_RANGE", "(:3]");
    CValueRange range;
    bindings.GetRange("K_FILE", range);
    EXPECT_EQ(range, CValueRange(20, 1, 120, 1));
    bindings.GetRange2("K_FILE", range);
    EXPECT_EQ(range, CValueRange(1, 2, 2, 2));
    bindings.GetRange("K_SHOWN", range);
    EXPECT_EQ(range, CValueRange(0, 0, 3, 1));
    bindings.GetRange("K_NEVER", range);
    EXPECT_FALSE(range.HasBounds());
}

namespace {
struct RowOwner {
    int aim = 5000;
    double length = 0.001;
    std::string filter;
    bool tetrahedral = false;
};
const CBindingRow<RowOwner> kOwnerRows[] = {
    {"R_AIM", 30, 31, &RowOwner::aim, kQuantityDimensionless, kQuantityDimensionless, kBindPageDefault},
    {"R_LENGTH", 32, 33, &RowOwner::length, kQuantityLength, kQuantityDimensionless, kBindPageDefault,
     [](const RowOwner& o) { return o.tetrahedral; }},
    {"R_FILTER", 34, 35, &RowOwner::filter}, // a check box governs it: no page default
};
} // namespace

TEST(BindingsFile, TableRowsRegisterInOrderWithPageDefaults)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "job.kw";
    wiztest::WriteBytes(path, "R_AIM: 9000\n");
    RowOwner owner;
    CKeywordBindings bindings;
    bindings.SetCurrentPage(kPage);
    bindings.BindRows(owner, kOwnerRows);
    EXPECT_FALSE(bindings.IsBound("R_LENGTH")) << "its row does not apply to this owner";
    ASSERT_EQ(bindings.GetBindingCount(), 2u);
    EXPECT_EQ(bindings.ListBindings()[0].keyword, "R_AIM");
    EXPECT_EQ(bindings.ListBindings()[1].keyword, "R_FILTER");
    EXPECT_TRUE(bindings.IsPresent("R_AIM"));
    EXPECT_FALSE(bindings.IsPresent("R_FILTER"));
    ASSERT_TRUE(bindings.LoadValues(path));
    EXPECT_EQ(owner.aim, 9000) << "a file's value wins over the page's";

    owner.tetrahedral = true;
    CKeywordBindings again;
    again.SetCurrentPage(kPage);
    again.BindRows(owner, kOwnerRows);
    EXPECT_EQ(again.FormatValue("R_LENGTH"), "0.001") << "held in SI";
    ASSERT_TRUE(again.SaveValues(path));
    EXPECT_EQ(demo::Unix(wiztest::ReadBytes(path)), "R_AIM: 9000\nR_LENGTH: 0.001\n");
}

TEST(BindingsFile, SaveReportsAFailedWrite)
{
    wiztest::ScratchDir dir;
    std::filesystem::create_directory(dir / "job.kw");
    CKeywordBindings bindings;
    int version = 3;
    bindings.Bind("V", -1, -1, kBindWhole, &version);
    const CResult saved = bindings.SaveValues(dir / "job.kw");
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.GetMessage().find("job.kw"), std::string::npos) << saved.GetMessage();
}

TEST(BindingsFile, AbsentFilesAreEmptyUnreadableOnesFail)
{
    wiztest::ScratchDir dir;
    CKeywordBindings bindings;
    int version = 3;
    bindings.Bind("V", -1, -1, kBindWhole, &version);
    // A new analysis has no file yet: nothing to load, no ranges.
    EXPECT_TRUE(bindings.LoadValues(dir / "absent.kw"));
    EXPECT_TRUE(bindings.MergeRanges(dir / "absent.rng"));
    EXPECT_EQ(version, 3);

    // One that exists and cannot be read fails, and a save does not write
    // over what it could not read.
    std::filesystem::create_directory(dir / "folder.kw");
    for (const CResult& failed : {bindings.LoadValues(dir / "folder.kw"), bindings.MergeRanges(dir / "folder.kw"),
                                  bindings.SaveValues(dir / "folder.kw")}) {
        EXPECT_FALSE(failed);
        EXPECT_NE(failed.GetMessage().find("folder.kw"), std::string::npos) << failed.GetMessage();
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.kw"));
}

TEST(BindingsFile, ManyKeywordsKeepTheirOrderRecordsAndValues)
{
    // More keywords than the first index holds, with names that share
    // prefixes and are given in strings that are gone after each Bind.
    const int count = 1500;
    std::vector<int> values(count, -1);
    CKeywordBindings bindings;
    bindings.SetCurrentPage(kPage);
    for (int i = 0; i < count; ++i) {
        std::string name = "K" + std::to_string(i);
        ASSERT_TRUE(bindings.Bind(name, 100 + i, -1, kBindWhole, &values[i]));
        name.assign(name.size(), '#');
    }
    ASSERT_EQ(bindings.GetBindingCount(), std::size_t(count));

    // Bound again after the index grew: the record is replaced in place.
    int other = 0;
    ASSERT_TRUE(bindings.Bind("K3", 9999, 77, kBindWhole, &other));
    ASSERT_EQ(bindings.GetBindingCount(), std::size_t(count));
    const auto places = bindings.ListBindings();
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(places[i].keyword, "K" + std::to_string(i)) << "registration order";
    EXPECT_EQ(places[3].controlId, 9999);
    EXPECT_EQ(places[3].companionId, 77);
    EXPECT_FALSE(bindings.IsBound("K1500"));
    EXPECT_FALSE(bindings.IsBound("K"));

    wiztest::ScratchDir dir;
    std::string text;
    for (int i = 0; i < count; i += 7)
        text += "K" + std::to_string(i) + ": " + std::to_string(i * 2) + "\n";
    wiztest::WriteBytes(dir / "in.kw", text);
    ASSERT_TRUE(bindings.LoadValues(dir / "in.kw"));
    for (int i = 0; i < count; ++i) {
        const int* variable = i == 3 ? &other : &values[i];
        ASSERT_EQ(*variable, i % 7 == 0 ? i * 2 : (i == 3 ? 0 : -1)) << "K" << i;
        ASSERT_EQ(bindings.IsPresent("K" + std::to_string(i)), i % 7 == 0) << "K" << i;
    }
    ASSERT_TRUE(bindings.SaveValues(dir / "in.kw"));
    EXPECT_EQ(demo::Unix(wiztest::ReadBytes(dir / "in.kw")), text) << "present ones only, in their order";
}
