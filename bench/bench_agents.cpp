// Agent scripts: reading one and running one against a dialog must cost in
// proportion to its length. Ten times the lines should take about ten times
// as long; a reader or runner that rescans what it has done takes a hundred.
#include "platform/agents/AgentScript.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/window/Dialog.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kEditId = 100;

std::string ScriptToRead(int lines)
{
    std::string script;
    for (int i = 0; i < lines; ++i)
        script += i % 3 ? "type 2075 \"some \\\"text\\\" here\"\n" : "# comment\nexpect enabled Next >\n";
    return script;
}

void BM_ReadAgentScript(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const std::string script = ScriptToRead(lines);
    for (auto _ : state) {
        std::vector<SAgentCommand> commands;
        std::vector<CAgentScriptError> errors;
        if (!ReadAgentScript(script, "long.agent", commands, errors) ||
            commands.size() != static_cast<std::size_t>(lines))
            state.SkipWithError("the script did not read");
        benchmark::DoNotOptimize(commands.data());
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_ReadAgentScript)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A modal dialog with one edit and the two closing buttons.
CDialogTemplate DialogTemplate()
{
    CDialogTemplate dialog;
    dialog.id = 39991;
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialog.caption = "Bench";
    dialog.font.pointSize = 8;
    dialog.rect = {0, 0, 200, 60};
    CDlgItemTemplate edit;
    edit.id = kEditId;
    edit.itemClass = DlgItemClass::kEdit;
    edit.className = "Edit";
    edit.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    edit.rect = {7, 7, 120, 12};
    dialog.items.push_back(edit);
    for (int id : {IDOK, IDCANCEL}) {
        CDlgItemTemplate button;
        button.id = id;
        button.itemClass = DlgItemClass::kButton;
        button.className = "Button";
        button.text = id == IDOK ? "OK" : "Cancel";
        button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
        button.rect = {id == IDOK ? 80 : 140, 40, 50, 14};
        dialog.items.push_back(button);
    }
    return dialog;
}

void BM_RunAgentScript(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    std::string script;
    for (int i = 0; i < pairs; ++i)
        script += "type 100 part " + std::to_string(i) + "\nexpect text 100 part " + std::to_string(i) + "\n";
    script += "cancel\n";
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    if (!ReadAgentScript(script, "run.agent", commands, errors)) {
        state.SkipWithError("the script did not read");
        return;
    }
    for (auto _ : state) {
        ClearUiLog();
        CDialog dialog;
        dialog.SetTemplate(DialogTemplate());
        std::ostringstream out;
        CScriptAgent agent(commands, "run.agent", out);
        {
            CUserAgentScope scope(&agent);
            benchmark::DoNotOptimize(dialog.DoModal());
            agent.CheckFinished();
        }
        if (!agent.Failure().empty())
            state.SkipWithError(agent.Failure().c_str());
    }
    state.SetItemsProcessed(state.iterations() * pairs * 2);
}
BENCHMARK(BM_RunAgentScript)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        std::printf("\nratios (goal):\n");
        std::printf("  read 100000 lines / 10000 lines    %6.2f  (about 10; at most 30)\n",
                    reporter.Ratio("BM_ReadAgentScript/100000", "BM_ReadAgentScript/10000"));
        std::printf("  run 100000 lines / 10000 lines     %6.2f  (about 10; at most 30)\n",
                    reporter.Ratio("BM_RunAgentScript/50000", "BM_RunAgentScript/5000"));
    });
}
