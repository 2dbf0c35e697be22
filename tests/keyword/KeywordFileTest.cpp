#include "keyword/KeywordFile.h"

#include "keyword/Location.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cstring>
#include <memory>
#include <vector>
#include <sys/stat.h>

namespace {

std::string Parse(const std::string& text, MKeywordFile& file)
{
    file.MergeText(text);
    return file.ToText();
}

} // namespace

TEST(KeywordFile, ReadingRules)
{
    MKeywordFile f;
    const std::string text = "# comment: not a keyword\n"
                             "\n"
                             "KEY: a\n"
                             "KEY:value-ignored-later\n"
                             "no colon here\n"
                             "  SPACED : v  \t\n"
                             "URL: http://x:80\n"
                             "TIGHT:value\n"
                             "KEY: b\n";
    EXPECT_EQ(Parse(text, f), "KEY: b\n  SPACED : v\nURL: http://x:80\nTIGHT: value\n");
    EXPECT_TRUE(f.HasKeyword("  SPACED "));
    EXPECT_FALSE(f.HasKeyword("SPACED"));
    EXPECT_FALSE(f.HasKeyword("key")); // case matters
    EXPECT_EQ(f.GetKeywordCount(), 4u);

    // CR LF files read the same as LF files.
    MKeywordFile crlf;
    EXPECT_EQ(Parse("A: 1\r\nB: 2 \\\r\n 3\r\n", crlf), "A: 1\nB: 2 \\\n 3\n");
}

TEST(KeywordFile, UnsetMarkerForms)
{
    MKeywordFile f;
    f.MergeText("A: -16384\nB: -16384.0\nC: -1.6384e4\nD: -16384abc\nE:   -16384.5\n"
                "F: -0x4000\nG: -016384\nH: -16383\nI: 16384\nJ: - 16384\nK: -99999999999999999999\n"
                "L: -16384 \\\nM: 1\n");
    for (const char* unset : {"A", "B", "C", "D", "E", "F", "G", "L"})
        EXPECT_FALSE(f.HasKeyword(unset)) << unset;
    for (const char* set : {"H", "I", "J", "K", "M"})
        EXPECT_TRUE(f.HasKeyword(set)) << set;
    // An ignored line does not swallow the next one through its backslash.
    EXPECT_EQ(f.GetValue("M"), "1");
}

TEST(KeywordFile, ContinuationRoundTrip)
{
    MKeywordFile f;
    f.MergeText("K: 1 2 \\\n3 4\nL: a \\\n   b \\\n  c   \nM: x \\\n\nN: tail \\");
    EXPECT_EQ(f.GetRawValue("K"), "1 2 \\\n3 4");
    EXPECT_EQ(f.GetValue("K"), "1 2 3 4");
    EXPECT_EQ(f.GetRawValue("L"), "a \\\n   b \\\n  c");
    EXPECT_EQ(f.GetValue("L"), "a    b   c");
    EXPECT_EQ(f.GetRawValue("M"), "x \\\n"); // an empty line ends the value
    EXPECT_EQ(f.GetRawValue("N"), "tail \\"); // end of file ends it too
    EXPECT_EQ(f.GetValue("N"), "tail ");

    MKeywordFile again;
    again.MergeText(f.ToText());
    EXPECT_EQ(again.ToText(), f.ToText());
    EXPECT_EQ(again.GetRawValue("L"), f.GetRawValue("L"));

    MKeywordFile bs;
    bs.SetValue("B", "a\\b\\");
    EXPECT_EQ(bs.GetValue("B"), "a");
    EXPECT_EQ(bs.GetValue("absent"), "");
}

TEST(KeywordFile, LegacyRenaming)
{
    MKeywordFile f;
    f.MergeText("3DFLOW_ANALYSIS_AIM: MULTI_FILL\n");
    EXPECT_EQ(f.ToText(), "3DFLOW_ANALYSIS_TYPE: MULTI\n3DFLOW_ANALYSIS_AIM: FILL\n");

    // The asymmetric form carried "MULTI_" as well, hence 7 characters.
    MKeywordFile a;
    a.MergeText("3DFLOW_ANALYSIS_AIM: ASYMMETRIC_MULTI_FILL_PACK\n");
    EXPECT_EQ(a.GetValue("3DFLOW_ANALYSIS_TYPE"), "ASYMMETRIC");
    EXPECT_EQ(a.GetValue("3DFLOW_ANALYSIS_AIM"), "FILL_PACK");
    a.MergeText("3DFLOW_ANALYSIS_AIM: ASYMMETRIC_AB\n"); // shorter than the skip
    EXPECT_EQ(a.GetValue("3DFLOW_ANALYSIS_AIM"), "");

    MKeywordFile g;
    g.MergeText("3DFLOW_ANALYSIS_AIM: FAST_X\n3DFLOW_ANALYSIS_AIM: FLOWCHECK_Y\n");
    EXPECT_EQ(g.GetValue("3DFLOW_ANALYSIS_TYPE"), "FLOWCHECK");
    EXPECT_EQ(g.GetValue("3DFLOW_ANALYSIS_AIM"), "Y");
    MKeywordFile plain;
    plain.MergeText("3DFLOW_ANALYSIS_AIM: FILL_PACK\n");
    EXPECT_EQ(plain.ToText(), "3DFLOW_ANALYSIS_AIM: FILL_PACK\n");

    MKeywordFile r;
    r.MergeText("3DFLOW_PACK_PROFILE: 1 2\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_STATUS: ON\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER: AUTOMATIC\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER_AUTOMATIC: 0.9\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER_TIME: 2\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_VOLUME: 99\n"
                "3DFLOW_FILL_PRESSURE_CONTROL_RANGE: [0:1]\n"
                "MOLD3D_FILL_PRESSURE_CONTROL_STATUS: OFF\n");
    EXPECT_EQ(r.ToText(), "3DFLOW_PRESSURE_CONTROL_PROFILE: PRESSURE\n"
                          "3DFLOW_PRESSURE_CONTROL_PROFILE_PRESSURE: 1 2\n"
                          "3DFLOW_PRESSURE_CONTROL_STATUS: ON\n"
                          "3DFLOW_PRESSURE_CONTROL: FACTOR\n"
                          "3DFLOW_PRESSURE_CONTROL_FACTOR: 0.9\n"
                          "3DFLOW_PRESSURE_CONTROL_TIME: 2\n"
                          "3DFLOW_VELOCITY_PRESSURE_TRANSITION_VOLUME: 99\n"
                          "3DFLOW_FILL_PRESSURE_CONTROL_RANGE: [0:1]\n"
                          "MOLD3D_FILL_PRESSURE_CONTROL_STATUS: OFF\n");
    // Setting values in memory never renames.
    r.SetValue("3DFLOW_PACK_PROFILE", "3");
    EXPECT_EQ(r.GetValue("3DFLOW_PACK_PROFILE"), "3");
}

TEST(KeywordFile, SlotsAndWritingRules)
{
    MKeywordFile f;
    f.MergeText("A: 1\nB: 2\nC: 3\n");
    EXPECT_TRUE(f.RemoveKeyword("B"));
    EXPECT_FALSE(f.RemoveKeyword("B"));
    f.SetValue("D", "4");
    f.SetValue("B", "5"); // a removed keyword comes back at the end
    f.SetValue("_X", "1");
    f.SetValue("E", "");
    f.SetValue("", "anonymous");
    EXPECT_EQ(f.GetValue("_X"), "1");
    EXPECT_TRUE(f.HasKeyword("E"));
    EXPECT_EQ(f.ToText(), "A: 1\nC: 3\nD: 4\nB: 5\n: anonymous\n");
    EXPECT_EQ(f.GetKeywords(), (std::vector<std::string>{"A", "C", "D", "B", "_X", "E", ""}));

    f.SetValue("PRE_1", "x");
    f.SetValue("PRE_2", "y");
    f.RemoveKeywordsWithPrefix("PRE_");
    EXPECT_FALSE(f.HasKeyword("PRE_1"));
    EXPECT_TRUE(f.HasKeyword("A"));
    f.KeepKeywordsWithPrefix("B");
    EXPECT_EQ(f.GetKeywords(), std::vector<std::string>{"B"});

    MKeywordFile other;
    other.SetValue("L", "1 \\\n2");
    f.CopyKeyword("L", other);
    f.CopyKeyword("MISSING", other);
    EXPECT_EQ(f.GetRawValue("L"), "1 2");
    EXPECT_TRUE(f.HasKeyword("MISSING"));
    EXPECT_EQ(f.GetRawValue("MISSING"), "");
}

TEST(KeywordFile, IndexSurvivesChurn)
{
    // Many inserts and removals across table growth: every lookup stays exact.
    MKeywordFile f;
    const int n = 20000;
    for (int i = 0; i < n; ++i)
        f.SetValue("K" + std::to_string(i), std::to_string(i));
    for (int i = 0; i < n; i += 3)
        ASSERT_TRUE(f.RemoveKeyword("K" + std::to_string(i)));
    for (int i = 0; i < n; ++i) {
        const std::string k = "K" + std::to_string(i);
        ASSERT_EQ(f.HasKeyword(k), i % 3 != 0) << k;
        if (i % 3 != 0) {
            ASSERT_EQ(f.GetValue(k), std::to_string(i));
        }
    }
    EXPECT_EQ(f.GetKeywordCount(), static_cast<std::size_t>(n - (n + 2) / 3));

    // Keywords of every length, each in a buffer of exactly its size (so a
    // sanitizer sees any read past either end while hashing), differing only
    // in the last byte.
    MKeywordFile g;
    std::vector<std::unique_ptr<char[]>> keys;
    for (std::size_t len = 1; len <= 24; ++len)
        for (char last : {'A', 'B'}) {
            keys.emplace_back(new char[len]);
            std::memset(keys.back().get(), 'x', len);
            keys.back()[len - 1] = last;
            g.SetValue(std::string_view(keys.back().get(), len), std::to_string(len) + last);
        }
    for (const auto& key : keys) {
        const std::string_view k(key.get(), std::strspn(key.get(), "x") + 1);
        ASSERT_EQ(g.GetRawValue(k), std::to_string(k.size()) + k.back()) << k;
    }
    EXPECT_EQ(g.GetKeywordCount(), keys.size());
}

TEST(KeywordFile, FormatDouble)
{
    EXPECT_EQ(MKeywordFile::FormatDouble(0.00001), "1E-5");
    EXPECT_EQ(MKeywordFile::FormatDouble(1234567), "1.23457E+6");
    EXPECT_EQ(MKeywordFile::FormatDouble(0.5), "0.5");
    EXPECT_EQ(MKeywordFile::FormatDouble(2.5e10), "2.5E+10");
    EXPECT_EQ(MKeywordFile::FormatDouble(1.5e-100), "1.5E-100");
    EXPECT_EQ(MKeywordFile::FormatDouble(-100000), "-100000");
    EXPECT_EQ(MKeywordFile::FormatDouble(0), "0");
    MKeywordFile f;
    f.SetDouble("T", 1e-5);
    EXPECT_EQ(f.GetValue("T"), "1E-5");
}

TEST(KeywordFile, LoadAndWriteFiles)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "deck.kwd";
    wiztest::WriteBytes(path, "# head\r\nA: 1\r\nL: 1 \\\r\n2\r\n_W: 3\r\n");

    MKeywordFile f;
    EXPECT_FALSE(f.Write()); // nothing loaded: no path to write to
    ASSERT_TRUE(f.Load(path));
    EXPECT_EQ(f.GetFileName(), path);
    EXPECT_EQ(f.GetValue("L"), "1 2");
    EXPECT_EQ(f.GetValue("_W"), "3"); // kept in memory, never written
    ASSERT_TRUE(f.Write());
    // A plain local directory is a DOS location: CR LF on disk, also inside
    // continued values.
    ASSERT_TRUE(IsDosLocation(path));
    EXPECT_EQ(wiztest::ReadBytes(path), "A: 1\r\nL: 1 \\\r\n2\r\n");

    MKeywordFile missing;
    missing.SetValue("X", "1");
    EXPECT_FALSE(missing.Load(dir / "absent.kwd"));
    EXPECT_EQ(missing.GetKeywordCount(), 0u);
    EXPECT_EQ(missing.GetFileName(), dir / "absent.kwd");
    ASSERT_TRUE(missing.Merge(path));
    EXPECT_FALSE(missing.Merge(dir / "absent.kwd"));
    EXPECT_EQ(missing.GetValue("A"), "1");

    // A read-only target is refused and left as it was.
    chmod(path.c_str(), 0444);
    f.SetValue("A", "2");
    EXPECT_FALSE(f.Write());
    EXPECT_EQ(wiztest::ReadBytes(path), "A: 1\r\nL: 1 \\\r\n2\r\n");
    EXPECT_FALSE(f.Write(dir / "no-such-dir/x.kwd"));
}

TEST(KeywordFile, ValuesKeepTheirTextUntilChanged)
{
    wiztest::ScratchDir dir;
    const std::string base = dir / "base.kwd";
    const std::string update = dir / "update.kwd";
    wiztest::WriteBytes(base, "A: short\nB: a longer value\nC: 1 \\\n 2\n");
    wiztest::WriteBytes(update, "B: x\nA: now a much longer value than before\n");

    MKeywordFile f;
    ASSERT_TRUE(f.Load(base));
    // A view of one value survives changes to the others.
    const std::string_view c = f.GetRawValue("C");
    for (int i = 0; i < 1000; ++i)
        f.SetValue("N" + std::to_string(i), std::string(i % 50, 'n'));
    f.SetValue("A", "longer than the text it was read with");
    EXPECT_EQ(c, "1 \\\n 2");
    const std::string copy = f.GetRawValue("C"); // where a string is wanted, a copy
    EXPECT_EQ(copy, c);

    // Values set from the file's own values, overlapping ones included.
    f.SetValue("A", f.GetRawValue("B"));
    f.SetValue("B", f.GetRawValue("B").substr(2));
    f.SetValue("N999", f.GetRawValue("N999").substr(1));
    f.SetValue("N10", std::string(f.GetRawValue("N10")) + "tail");
    EXPECT_EQ(f.GetRawValue("A"), "a longer value");
    EXPECT_EQ(f.GetRawValue("B"), "longer value");
    EXPECT_EQ(f.GetRawValue("N999"), std::string(48, 'n'));
    EXPECT_EQ(f.GetRawValue("N10"), std::string(10, 'n') + "tail");

    // A file that only changes keywords already present, merged again and
    // again: the values it gave stay readable, grown or shrunk.
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(f.Merge(update));
        EXPECT_EQ(f.GetRawValue("A"), "now a much longer value than before");
        EXPECT_EQ(f.GetRawValue("B"), "x");
        f.SetValue("B", "grown past the merged value");
    }
    EXPECT_EQ(f.GetKeywords().size(), 1003u);
    EXPECT_EQ(f.ToText().rfind("A: now a much longer value than before\nB: grown past the merged value\nC: 1 \\\n 2\n", 0), 0u);

    // Removal by prefix and reloading leave nothing behind.
    f.RemoveKeywordsWithPrefix("N");
    EXPECT_EQ(f.GetKeywordCount(), 3u);
    ASSERT_TRUE(f.Load(update));
    EXPECT_EQ(f.GetKeywords(), (std::vector<std::string>{"B", "A"}));
}

TEST(KeywordFile, HostileInput)
{
    // A quadratic reader would take minutes on these; a linear one milliseconds.
    MKeywordFile f;
    const std::string big(10 << 20, 'x');
    f.MergeText("LONG: " + big + "\n" + big + "\nNEXT: 1\n");
    EXPECT_EQ(f.GetRawValue("LONG").size(), big.size());
    EXPECT_EQ(f.GetValue("NEXT"), "1");

    std::string many = "LIST: 0 \\\n";
    for (int i = 1; i < 100000; ++i)
        many += std::to_string(i) + " \\\n";
    many += "end\nAFTER: 2\n";
    f.MergeText(many);
    const std::string_view list = f.GetRawValue("LIST");
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 100000);
    EXPECT_EQ(f.GetValue("LIST").substr(0, 8), "0 1 2 3 ");
    EXPECT_EQ(f.GetValue("AFTER"), "2");

    // NUL bytes are ordinary bytes of keyword and value.
    const std::string nul("A\0B: v\0w\n", 9);
    MKeywordFile n;
    n.MergeText(nul);
    EXPECT_EQ(n.GetValue(std::string("A\0B", 3)), std::string("v\0w", 3));
    EXPECT_EQ(n.ToText(), nul);

    // Binary garbage: whatever it holds, reading, writing and reading again work.
    std::string junk(1 << 20, '\0');
    unsigned state = 12345;
    for (char& c : junk) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    MKeywordFile g;
    g.MergeText(junk);
    MKeywordFile again;
    again.MergeText(g.ToText());
    EXPECT_LE(again.GetKeywordCount(), g.GetKeywordCount());

    // Files are read in blocks: lines and continued values that cross a block
    // boundary, and a line longer than a block, read as they do from memory.
    wiztest::ScratchDir dir;
    const std::string all = "A: 1\r\n" + many + junk + "\nLONG: " + std::string(3 << 20, 'y') + "\nZ: 2";
    wiztest::WriteBytes(dir / "big.kwd", all);
    MKeywordFile fromFile, fromText;
    ASSERT_TRUE(fromFile.Load(dir / "big.kwd"));
    fromText.MergeText(all);
    EXPECT_EQ(fromFile.GetKeywordCount(), fromText.GetKeywordCount());
    EXPECT_TRUE(fromFile.ToText() == fromText.ToText());
    EXPECT_EQ(fromFile.GetValue("Z"), "2");
}

TEST(KeywordFile, ColonAndLineEndFoundAtEveryOffset)
{
    // The line end and the colon are looked for many bytes at a time: short
    // lines, long lines, and lines whose colon, line end or both fall on
    // either side of any multiple of 16 read as the rules say. A line
    // without a colon stays skipped even when the next line's colon is near.
    for (std::size_t lead = 0; lead < 17; ++lead) {
        std::string text(lead, '\n');
        std::vector<std::pair<std::string, std::string>> expected;
        for (std::size_t k = 1; k < 34; k += 3)
            for (std::size_t v = 0; v < 34; v += 5) {
                const std::string key = "K" + std::to_string(k) + "_" + std::to_string(v) + std::string(k, 'k');
                const std::string value = std::string(v, 'v') + (v % 2 ? ":x" : "");
                text += "no colon " + std::string(k, '.') + "\n" + key + ":" + value + (k % 2 ? "\r\n" : "\n");
                expected.emplace_back(key, value);
            }
        text += "LAST:1"; // no line end at all
        expected.emplace_back("LAST", "1");
        MKeywordFile f;
        f.MergeText(text);
        ASSERT_EQ(f.GetKeywordCount(), expected.size()) << lead;
        const std::vector<std::string> keys = f.GetKeywords();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(keys[i], expected[i].first) << lead;
            ASSERT_EQ(f.GetRawValue(keys[i]), expected[i].second) << lead;
        }
    }
}

TEST(KeywordFile, FileBlockBoundaryAtEveryByteOfALine)
{
    // A file is read in blocks (of some power of two up to a megabyte).
    // Lines of 16 bytes, then empty ones, end exactly on every block
    // boundary up to the megabyte, where the tail starts `shift` bytes
    // earlier: whichever byte of a line the boundary falls on (keyword,
    // colon, value, CR, LF, a continuation's backslash), the file reads as
    // the same text does from memory.
    wiztest::ScratchDir dir;
    const std::string tail = "KEY:VALUE \\\r\n  more\r\n#c: x\r\nB: 2\r\n";
    for (std::size_t shift = 0; shift < tail.size(); ++shift) {
        std::string text;
        while (text.size() + 16 <= (1u << 20) - shift)
            text += "F0000000000: 1\r\n";
        text.append((1u << 20) - shift - text.size(), '\n');
        text += tail;
        wiztest::WriteBytes(dir / "edge.kwd", text);
        MKeywordFile fromFile, fromText;
        EXPECT_TRUE(fromFile.Load(dir / "edge.kwd"));
        fromText.MergeText(text);
        ASSERT_EQ(fromFile.GetRawValue("KEY"), "VALUE \\\n  more") << shift;
        ASSERT_EQ(fromFile.GetValue("B"), "2") << shift;
        ASSERT_TRUE(fromFile.ToText() == fromText.ToText()) << shift;
    }
}

TEST(KeywordFile, LargeMergeKeepsFirstPositionAndLastValue)
{
    // Lines are stored in batches; across many batches, repeated keywords,
    // continued values and renamed keywords still land where a line-by-line
    // reading puts them.
    std::string text;
    std::vector<std::string> order;
    std::map<std::string, std::string> last;
    const auto add = [&](const std::string& key, const std::string& value) {
        if (!last.count(key))
            order.push_back(key);
        last[key] = value;
    };
    for (int i = 0; i < 60000; ++i) {
        const std::string key = "K" + std::to_string(i % 7 == 0 ? i / 7 : i);
        if (i % 101 == 0) {
            text += key + ": a \\\n b\n";
            add(key, "a \\\n b");
        } else if (i % 211 == 0) {
            text += "3DFLOW_FILL_PRESSURE_CONTROL_STATUS: " + std::to_string(i) + "\n";
            add("3DFLOW_PRESSURE_CONTROL_STATUS", std::to_string(i));
        } else {
            text += key + ": " + std::to_string(i) + "\n";
            add(key, std::to_string(i));
        }
    }
    MKeywordFile f;
    f.MergeText(text);
    ASSERT_EQ(f.GetKeywords(), order);
    for (const std::string& key : order)
        ASSERT_EQ(f.GetRawValue(key), last[key]) << key;

    // A second text repeating keywords of the first, and one of its own
    // many times: old keywords keep their places, new ones follow in order,
    // and the keywords set afterwards still go to the end.
    std::string again;
    for (int i = 0; i < 3000; ++i)
        again += (i % 2 ? "NEW" + std::to_string(i % 10) : "K" + std::to_string(i)) + ": x" + std::to_string(i) + "\n";
    f.MergeText(again);
    for (int i = 0; i < 3000; ++i)
        add(i % 2 ? "NEW" + std::to_string(i % 10) : "K" + std::to_string(i), "x" + std::to_string(i));
    ASSERT_TRUE(f.RemoveKeyword("K2"));
    f.SetValue("K2", "back");
    order.erase(std::find(order.begin(), order.end(), "K2"));
    order.push_back("K2");
    last["K2"] = "back";
    ASSERT_EQ(f.GetKeywords(), order);
    for (const std::string& key : order)
        ASSERT_EQ(f.GetRawValue(key), last[key]) << key;
    EXPECT_EQ(f.GetKeywordCount(), order.size());
}
