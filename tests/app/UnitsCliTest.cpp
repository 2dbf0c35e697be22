#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using wiztest::RunWizhost;

// A settings file of the test's own, so the user's never leaks in.
class UnitsCli : public ::testing::Test {
protected:
    void SetUp() override { setenv("WIZ_SETTINGS", m_settings.c_str(), 1); }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    static void Expect(const std::vector<std::string>& args, const std::string& out, int code = 0)
    {
        const auto r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, code) << args[1] << " " << r.err;
        EXPECT_EQ(r.out, out) << args[1];
    }

    wiztest::ScratchDir m_dir;
    std::string m_settings = m_dir / "settings.ini";
};

TEST_F(UnitsCli, ConvertsLabelsAndRanges)
{
    Expect({"units", "from-si", "2", "english", "100"}, "212\n");
    Expect({"units", "to-si", "3", "metric", "1"}, "1.6666667000000001e-05\n"); // "%.17g"
    Expect({"units", "from-si", "55", "1", "2.5"}, "2.5\n"); // outside the table: unchanged
    Expect({"units", "label", "9", "0"}, "kPa\n");
    Expect({"units", "label", "35", "si"}, "\n");
    Expect({"units", "label", "55", "1"}, "", 1);
    Expect({"range", "show", "[ 1 : 2 ]"}, "[1:2]\n");
    Expect({"range", "show", "(:0.000123456]"}, "(:0.0001235]\n");
    Expect({"range", "check", "[0:)", "0"}, "in\n");
    Expect({"range", "check", "(0:)", "0"}, "out\n", 1);
    Expect({"range", "caption", "[20:300]", "2", "english"}, "[68:572] deg.F\n");
    Expect({"range", "caption", "", "9", "metric"}, "kPa\n");
}

TEST_F(UnitsCli, TableFollowsOptionThenSettingsThenMetric)
{
    auto r = RunWizhost({"units", "table", "english"});
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 55);
    EXPECT_NE(r.out.find("0\tlength\tinch\t39.370078740157481\t0.025399999999999999\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n2\ttemperature\tdeg.F\tx*1.8+32\t"), std::string::npos);

    Expect({"units", "system"}, "metric\n");
    wiztest::WriteBytes(m_settings, "[Units]\nSystem=english\n");
    Expect({"units", "system"}, "english\n");
    Expect({"units", "system", "--units", "si"}, "si\n");
    Expect({"units", "system", "--units=-3"}, "si\n");
    EXPECT_EQ(RunWizhost({"units", "table"}).out.substr(0, 16), "0\tlength\tinch\t39");
    wiztest::WriteBytes(m_settings, "[Units]\nSystem=imperial\n");
    r = RunWizhost({"units", "system"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("imperial"), std::string::npos);
}

TEST_F(UnitsCli, BadInputIsOneLineAndExitTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {"units", "from-si", "length", "1", "1"}, {"units", "from-si", "0", "1", "nan"},
        {"units", "to-si", "0", "1", "1e999"},    {"units", "from-si", "0", "0", "1e307"}, // overflows
        {"units", "from-si", "0", "1"},           {"units", "from-si", "99999999999", "1", "1"},
        {"units", "label", "0", "imperial"},      {"units", "table", "--units"},
        {"units", "frobnicate"},                  {"range", "check", "[0:1]", "0x"},
        {"range", "check", "[0:1]", "NaN"},       {"range", "caption", "[0:1]", "1.5", "0"},
        {"range"},
    };
    for (const auto& args : bad) {
        const auto r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err.rfind("wizhost: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}
