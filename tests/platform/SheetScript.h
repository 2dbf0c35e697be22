#pragma once
// Runs an agent script against a property sheet's modal loop, from a clean
// UI log, as the script agent tests of the sheets all do.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/agents/AgentScript.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/window/PropertySheet.h"
#include "platform/window/Wnd.h"

struct SheetScriptRun {
    intptr_t result = 0;
    std::string failure; // "" when every line was carried out
    std::string shown;   // what the script's `show` lines printed
};

inline SheetScriptRun RunSheetScript(const std::string& script, CPropertySheet& sheet)
{
    ClearUiLog();
    WndMessages::Reset();
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    EXPECT_TRUE(ReadAgentScript(script, "t.agent", commands, errors)) << (errors.empty() ? "" : errors[0].ToString());
    std::ostringstream out;
    CScriptAgent agent(std::move(commands), "t.agent", out);
    SheetScriptRun run;
    {
        CUserAgentScope scope(&agent);
        run.result = sheet.DoModal();
        agent.CheckFinished();
    }
    run.failure = agent.Failure();
    run.shown = out.str();
    return run;
}
