// wizhost ui: the compiled templates and strings as people look at them, and
// trying a template with an agent script.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using wiztest::RunWizhost;

TEST(UiCli, ListsShowsAndPrintsStrings)
{
    wiztest::RunResult list = RunWizhost({"ui", "list"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("13057  Mesh Type and Model Units\n"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("29001  Materials\n"), std::string::npos) << list.out;
    EXPECT_LT(list.out.find("13057 "), list.out.find("29001 ")); // sorted by id
    // The dialogs made for tests are compiled into the tests, not the program.
    for (const char* test : {"30001 ", "30002 ", "30010 ", "31000 "})
        EXPECT_EQ(list.out.find(test), std::string::npos) << test << "\n" << list.out;
    EXPECT_EQ(RunWizhost({"ui", "show", "IDD_TEST_OPTIONS"}).exitCode, 2) << "nor their symbols";

    // The translator's first page as a person first sees it: the translator
    // choice and the part dimensions start hidden.
    wiztest::RunResult show = RunWizhost({"ui", "show", "13057"});
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_EQ(show.out.substr(0, show.out.find('\n')), "== Mesh Type and Model Units (dialog 13057) ==");
    EXPECT_NE(show.out.find("  2376   radio    \"Surface mesh (ZQL)\" = off\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("  2611   radio    \"Inches\" = off\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("  hidden: 1035 2378 2379 13319\n"), std::string::npos) << show.out;

    // Symbols come from the ids headers the scripts include.
    wiztest::RunResult bySymbol = RunWizhost({"ui", "show", "IDD_TRANSLATOR_PAGE4"});
    EXPECT_EQ(bySymbol.exitCode, 0) << bySymbol.err;
    EXPECT_NE(bySymbol.out.find("  2075   edit     = \"\"\n"), std::string::npos) << bySymbol.out;

    wiztest::RunResult strings = RunWizhost({"ui", "strings"});
    EXPECT_EQ(strings.exitCode, 0);
    EXPECT_NE(strings.out.find("13220  Translator Wizard\n"), std::string::npos) << strings.out;
    EXPECT_NE(strings.out.find("29002  Please select a material from the list.\n"), std::string::npos) << strings.out;
    EXPECT_EQ(strings.out.find("30003 "), std::string::npos) << strings.out;

    EXPECT_EQ(RunWizhost({"ui", "show", "5"}).exitCode, 1);
    wiztest::RunResult bad = RunWizhost({"ui", "show", "IDD_NOPE"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "wizhost: ui: 'IDD_NOPE' is neither a dialog id nor a known symbol\n");
    EXPECT_EQ(RunWizhost({"ui", "show"}).exitCode, 2);
    EXPECT_EQ(RunWizhost({"ui", "frob"}).exitCode, 2);
}

TEST(UiCli, TriesATemplateWithAScriptOrAtTheTerminal)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "ok.agent", "expect dialog IDD_TRANSLATOR_PAGE4\r\ntype \"Mesh description:\" Lid\r\n"
                                          "expect text IDC_TRANS_DESCRIPTION Lid\r\nok\r\n");
    wiztest::RunResult ok = RunWizhost({"ui", "try", "13060", "--script", dir / "ok.agent"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "result: OK\n");

    // A failing step names its line and makes wizhost fail.
    wiztest::WriteBytes(dir / "bad.agent", "type 2075 Lid\n\nclick Nowhere\nok\n");
    wiztest::RunResult bad = RunWizhost({"ui", "try", "13060", "--script", dir / "bad.agent"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "wizhost: " + (dir / "bad.agent") + ":3: no control \"Nowhere\" in dialog 13060\n");

    // A script with bad lines does not run at all; every bad line is told.
    wiztest::WriteBytes(dir / "unreadable.agent", "ok please\nfrob\n");
    wiztest::RunResult unreadable = RunWizhost({"ui", "try", "13060", "--script", dir / "unreadable.agent"});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.err, "wizhost: " + (dir / "unreadable.agent") +
                                  ":1: unexpected 'please' at the end of the line\n" + "wizhost: " +
                                  (dir / "unreadable.agent") + ":2: unknown command 'frob'\n");

    wiztest::RunResult terminal = RunWizhost({"ui", "try", "13060"}, "type 2075 12\nbogus\ncancel\n");
    EXPECT_EQ(terminal.exitCode, 1);
    EXPECT_NE(terminal.out.find("> error: unknown command 'bogus'"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("  2075   edit     = \"12\"  [focus]\n"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("result: Cancel\n"), std::string::npos) << terminal.out;
}
