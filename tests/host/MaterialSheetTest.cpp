// The material selector driven by a script, as a person would use it: the
// search narrows the list, OK takes the chosen row, and the search object
// brings the last search back the next time.
#include "host/MaterialSheet.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Runs the selector on `search` under `script`; the script's failure, if any, in `failure`.
int RunSelector(MMatSearch& search, const std::string& script, std::string& failure)
{
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    EXPECT_TRUE(ReadAgentScript(script, "selector.agent", commands, errors));
    std::ostringstream out;
    CScriptAgent agent(std::move(commands), "selector.agent", out);
    int result = 0;
    {
        CUserAgentScope scope(&agent);
        MMaterialSheet sheet(search, 0, 0, "Material Selector", nullptr, 0);
        result = sheet.DoModalPropertySheet();
        agent.CheckFinished();
    }
    failure = agent.Failure();
    return result;
}

} // namespace

TEST(MaterialSheet, SearchesChoosesAndRemembers)
{
    MMatSearch search;
    search.SetLibraryPath(wiztest::SourcePath("data/materials"));
    std::string failure;
    EXPECT_EQ(RunSelector(search, R"(expect dialog 29001
expect text 29104 "8 of 8 materials"
type Search: gf30
expect text 29104 "2 of 8 materials"
ok
expect message Please select a material from the list.
answer OK
select 29103 "Kestrel PBT GF30"
ok
)",
                          failure),
              1)
        << failure;
    ASSERT_TRUE(search.HasSelection());
    EXPECT_EQ(search.GetSelection()->name, "Kestrel PBT GF30");
    EXPECT_EQ(search.GetSearchText(), "gf30");

    // The next opening shows the same search; a new search then Cancel keeps the old choice.
    EXPECT_EQ(RunSelector(search, R"(expect text Search: gf30
expect text 29104 "2 of 8 materials"
type Search: epoxy
select 29103 "Linden EMC 700 epoxy"
cancel
)",
                          failure),
              0)
        << failure;
    EXPECT_EQ(search.GetSelection()->name, "Kestrel PBT GF30");
    EXPECT_EQ(search.GetSearchText(), "gf30");
}
