#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using wiztest::RunWizhost;

namespace {

// Runs wizhost with a settings file of our choosing, so the user's own never leaks in.
class UnitsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_settings = m_dir / "settings.ini";
        setenv("WIZ_SETTINGS", m_settings.c_str(), 1);
    }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    wiztest::ScratchDir m_dir;
    std::string m_settings;
};

void ExpectOut(const std::vector<std::string>& args, const std::string& out, int code = 0)
{
    const auto r = RunWizhost(args);
    EXPECT_EQ(r.exitCode, code) << args[1] << " " << r.err;
    EXPECT_EQ(r.out, out) << args[1];
}

} // namespace

TEST_F(UnitsCli, ConvertsAndLabels)
{
    ExpectOut({"units", "from-si", "2", "english", "100"}, "212\n");
    ExpectOut({"units", "to-si", "2", "5", "32"}, "0\n");
    ExpectOut({"units", "to-si", "3", "metric", "1"}, "1.6666667000000001e-05\n"); // "%.17g" of 1.6666667e-05
    ExpectOut({"units", "from-si", "0", "-7", "0.5"}, "0.5\n");
    ExpectOut({"units", "from-si", "55", "1", "2.5"}, "2.5\n"); // outside the table: unchanged
    ExpectOut({"units", "label", "0", "english"}, "inch\n");
    ExpectOut({"units", "label", "9", "0"}, "kPa\n");
    ExpectOut({"units", "label", "35", "si"}, "\n");
    ExpectOut({"units", "label", "55", "1"}, "", 1);
    ExpectOut({"units", "label", "-1", "1"}, "", 1);
}

TEST_F(UnitsCli, TableAndChosenSystem)
{
    auto r = RunWizhost({"units", "table", "english"});
    ASSERT_EQ(r.exitCode, 0);
    std::istringstream lines(r.out);
    std::string line;
    int rows = 0;
    while (std::getline(lines, line))
        ++rows;
    EXPECT_EQ(rows, 55);
    EXPECT_NE(r.out.find("0\tlength\tinch\t39.370078740157481\t0.025399999999999999\n"), std::string::npos);
    EXPECT_NE(r.out.find("2\ttemperature\tdeg.F\tx*1.8+32\t"), std::string::npos);

    // Without SYSTEM the table follows the system in use: option, then settings, then metric.
    ExpectOut({"units", "system"}, "metric\n");
    wiztest::WriteBytes(m_settings, "[Units]\nSystem=english\n");
    ExpectOut({"units", "system"}, "english\n");
    ExpectOut({"units", "system", "--units", "si"}, "si\n");
    ExpectOut({"units", "system", "--units=-3"}, "si\n");
    r = RunWizhost({"units", "table"});
    EXPECT_EQ(r.out.substr(0, 16), "0\tlength\tinch\t39");

    wiztest::WriteBytes(m_settings, "[Units]\nSystem=imperial\n");
    r = RunWizhost({"units", "system"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("imperial"), std::string::npos);
}

TEST_F(UnitsCli, RangeShowCheckCaption)
{
    ExpectOut({"range", "show", "[ 1 : 2 ]"}, "[1:2]\n");
    ExpectOut({"range", "show", "[5"}, "\n");
    ExpectOut({"range", "show", "(:0.000123456]"}, "(:0.0001235]\n");
    ExpectOut({"range", "check", "[0:)", "0"}, "in\n");
    ExpectOut({"range", "check", "(0:)", "0"}, "out\n", 1);
    ExpectOut({"range", "check", "", "-1e300"}, "in\n");
    ExpectOut({"range", "caption", "[20:300]", "2", "english"}, "[68:572] deg.F\n");
    ExpectOut({"range", "caption", "", "9", "metric"}, "kPa\n");
    ExpectOut({"range", "caption", "", "35", "1"}, "\n");
}

TEST_F(UnitsCli, BadInputIsOneLineAndExitTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {"units", "from-si", "length", "1", "1"},
        {"units", "from-si", "0", "1", "nan"},
        {"units", "to-si", "0", "1", "1e999"},
        {"units", "from-si", "0", "0", "1e307"}, // the result would overflow
        {"units", "from-si", "0", "1"},
        {"units", "from-si", "99999999999", "1", "1"},
        {"units", "label", "0", "imperial"},
        {"units", "table", "--units"},
        {"units", "frobnicate"},
        {"range", "check", "[0:1]", "0x"},
        {"range", "check", "[0:1]", "NaN"},
        {"range", "caption", "[0:1]", "1.5", "0"},
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
