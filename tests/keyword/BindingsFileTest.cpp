// The file side of the keyword bindings: what LoadValues reads into each kind
// of variable, what SaveValues writes back, and the present-flag rules that
// decide which keywords survive a save.
#include <gtest/gtest.h>

#include "keyword/KeywordBindings.h"
#include "keyword/ValueRange.h"
#include "support/TestSupport.h"

namespace {

// Any non-null window pointer will do: the file side never touches the page.
CWnd* const kPage = reinterpret_cast<CWnd*>(0x1000);

struct AllTypes {
    std::string text;
    int whole = 0;
    double real = 0;
    bool on = false;
    CChoiceField choice{"NONE", "AUTOMATIC", "SPECIFIED"};
    std::vector<double> list;
    CDoublePairList pairs;

    void BindTo(CKeywordBindings& bindings)
    {
        bindings.SetCurrentPage(kPage);
        bindings.Bind("K_TEXT", 10, -1, kBindText, &text);
        bindings.Bind("K_WHOLE", 11, -1, kBindWhole, &whole);
        bindings.Bind("K_REAL", 12, -1, kBindDouble, &real, 2);
        bindings.Bind("K_SWITCH", 13, -1, kBindSwitch, &on);
        bindings.Bind("K_CHOICE", 14, -1, kBindChoice, &choice);
        bindings.Bind("K_LIST", 15, -1, kBindList, &list, 0);
        bindings.Bind("K_PAIRS", 16, -1, kBindPairs, &pairs, 1, 11);
    }
};

std::string Normalized(const std::string& bytes)
{
    std::string out;
    for (char c : bytes)
        if (c != '\r')
            out += c;
    return out;
}

} // namespace

TEST(BindingsFile, EveryTypeReadsByItsRuleAndWritesItsFileForm)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "in.kw";
    wiztest::WriteBytes(path,
                        "K_TEXT: hello world\n"
                        "K_WHOLE: 2.9\n"
                        "K_REAL: 1.5e-5\n"
                        "K_SWITCH: ON\n"
                        "K_CHOICE: SPECIFIED\n"
                        "K_LIST: 1, 2;3 \\\n4\n"
                        "K_PAIRS: 0 1e7 \\\n2.5 3e7 \\\n7\n");
    CKeywordBindings bindings;
    AllTypes v;
    v.BindTo(bindings);
    bindings.LoadValues(path);

    EXPECT_EQ(v.text, "hello world");
    EXPECT_EQ(v.whole, 2); // atoi stops at the dot
    EXPECT_DOUBLE_EQ(v.real, 1.5e-5);
    EXPECT_TRUE(v.on);
    EXPECT_EQ(v.choice.m_index, 2);
    EXPECT_EQ(v.list, (std::vector<double>{1, 2, 3, 4}));
    // An odd count leaves the last pair's second number at 0.
    EXPECT_EQ(v.pairs, (CDoublePairList{{0, 1e7}, {2.5, 3e7}, {7, 0}}));
    for (const char* kw : {"K_TEXT", "K_WHOLE", "K_REAL", "K_SWITCH", "K_CHOICE", "K_LIST", "K_PAIRS"})
        EXPECT_TRUE(bindings.IsPresent(kw)) << kw;

    const std::string out = dir / "out.kw";
    bindings.SaveValues(out);
    EXPECT_EQ(Normalized(wiztest::ReadBytes(out)),
              "K_TEXT: hello world\n"
              "K_WHOLE: 2\n"
              "K_REAL: 1.5E-5\n"
              "K_SWITCH: ON\n"
              "K_CHOICE: SPECIFIED\n"
              "K_LIST: 1 \\\n2 \\\n3 \\\n4\n"
              "K_PAIRS: 0 1e+07 \\\n2.5 3e+07 \\\n7 0\n");

    // What was written reads back to the same values.
    CKeywordBindings again;
    AllTypes w;
    w.BindTo(again);
    again.LoadValues(out);
    EXPECT_EQ(w.list, v.list);
    EXPECT_EQ(w.pairs, v.pairs);
    EXPECT_DOUBLE_EQ(w.real, v.real);
}

TEST(BindingsFile, ReadingRulesThatAreEasyToGetWrong)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "in.kw";
    // A 1100-character list: only the first 1023 characters are read, so the
    // last item (which starts past them) is dropped and the one across the
    // limit is cut.
    std::string longList;
    while (longList.size() < 1020)
        longList += "1 ";
    longList.resize(1020);
    longList += "12345 9";
    wiztest::WriteBytes(path,
                        "K_SWITCH: on\n"
                        "K_CHOICE: automatic\n"
                        "K_WHOLE: -2.9\n"
                        "K_LIST: " + longList + "\n");
    CKeywordBindings bindings;
    AllTypes v;
    v.on = true;
    v.BindTo(bindings);
    bindings.LoadValues(path);
    EXPECT_FALSE(v.on) << "only exactly ON is on";
    EXPECT_EQ(v.choice.m_index, -1) << "tokens match case-sensitively";
    EXPECT_EQ(v.whole, -2);
    ASSERT_FALSE(v.list.empty());
    EXPECT_EQ(v.list.back(), 123);
    EXPECT_EQ(v.list.size(), 511u);

    // A choice outside its list writes an empty value, which the file drops.
    v.choice.m_index = 7;
    bindings.SaveValues(path);
    EXPECT_EQ(Normalized(wiztest::ReadBytes(path)).find("K_CHOICE"), std::string::npos);
}

TEST(BindingsFile, PresentFlagDecidesWhatSaveKeepsAndRemoves)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "job.kw";
    wiztest::WriteBytes(path, "UNBOUND_A: keep me\nK_SHOWN: 5\nK_FILE: 1\nUNBOUND_B: 2 \\\n3\n");

    CKeywordBindings bindings;
    int noControl = 42, shown = 0, fromFile = 0, neverLoaded = 9;
    // Control-less bindings need no page and are present from the start.
    EXPECT_TRUE(bindings.Bind("K_NOCONTROL", -1, -1, kBindWhole, &noControl));
    EXPECT_FALSE(bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown)) << "a control needs a page";
    EXPECT_FALSE(bindings.IsBound("K_SHOWN"));
    bindings.SetCurrentPage(kPage);
    EXPECT_TRUE(bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown));
    EXPECT_TRUE(bindings.Bind("K_FILE", 21, -1, kBindWhole, &fromFile));
    EXPECT_TRUE(bindings.Bind("K_NEVER", 22, -1, kBindWhole, &neverLoaded));
    EXPECT_TRUE(bindings.IsPresent("K_NOCONTROL"));
    EXPECT_FALSE(bindings.IsPresent("K_NEVER"));

    // Keywords are exact and case-sensitive.
    EXPECT_FALSE(bindings.IsBound("k_file"));
    EXPECT_FALSE(bindings.SetBindingPage("k_file", kPage));

    bindings.LoadValues(path);
    EXPECT_EQ(fromFile, 1);
    EXPECT_EQ(neverLoaded, 9) << "absent keywords keep their value";
    EXPECT_FALSE(bindings.IsPresent("K_NEVER"));

    // Binding again resets the flag by the control rule.
    EXPECT_TRUE(bindings.Bind("K_SHOWN", 20, -1, kBindWhole, &shown));
    EXPECT_FALSE(bindings.IsPresent("K_SHOWN"));

    noControl = 43;
    bindings.SaveValues(path);
    EXPECT_EQ(Normalized(wiztest::ReadBytes(path)),
              "UNBOUND_A: keep me\nK_FILE: 1\nUNBOUND_B: 2 \\\n3\nK_NOCONTROL: 43\n");
}

TEST(BindingsFile, RangeStoreMergesFilesAndTakesWizardSetRanges)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "a.rng", "T_RANGE: [0:10]\nT_RANGE2: (1:2)\nP_RANGE: [5:)\n");
    wiztest::WriteBytes(dir / "b.rng", "T_RANGE: [20:120]\n");
    CKeywordBindings bindings;
    bindings.MergeRanges(dir / "a.rng");
    bindings.MergeRanges(dir / "b.rng"); // the later file wins
    bindings.MergeRanges(dir / "missing.rng");

    CValueRange range;
    bindings.GetRange("T", range);
    EXPECT_EQ(range, CValueRange(20, 1, 120, 1));
    bindings.GetRange2("T", range);
    EXPECT_EQ(range, CValueRange(1, 2, 2, 2));
    bindings.GetRange("ABSENT", range);
    EXPECT_FALSE(range.HasBounds());

    bindings.SetRangeText("P_RANGE", "(:3]");
    bindings.GetRange("P", range);
    EXPECT_EQ(range, CValueRange(0, 0, 3, 1));
}
