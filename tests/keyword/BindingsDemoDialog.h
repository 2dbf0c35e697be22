#pragma once
// The dialog of resources/bindings_demo.rc with one bound field of every kind,
// its exchange done by the bindings alone, as a wizard page's is. The grids
// live a layer up; a test that wants them creates them through `createGrids`.
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "keyword/KeywordBindings.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListBoxes.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"

namespace demo {

constexpr int kDialog = 31000;
constexpr int kNameText = 31001, kName = 31002, kCountText = 31003, kCount = 31004;
constexpr int kTempText = 31005, kTemp = 31006, kCooling = 31007, kControlText = 31008, kControl = 31009;
constexpr int kAutomatic = 31010, kSpecified = 31011, kLayersText = 31012, kLayers = 31013;
constexpr int kTimeCheck = 31014, kTime = 31015, kNoteText = 31016, kNote = 31017;
constexpr int kProfileFrame = 31018, kDimsFrame = 31019;
// Ids the grids get when they are put over their frames.
constexpr int kProfile = 31030, kDims = 31031;

constexpr UnitQuantity kLength = 0, kTime1 = 1, kTemperature = 2, kPressureMPa = 11;

class CBindingsDemoDialog : public CDialog {
public:
    CBindingsDemoDialog() : CDialog(kDialog)
    {
        bindings.SetCurrentPage(this);
        bindings.Bind("DEMO_NAME", kName, kNameText, kBindText, &name);
        bindings.Bind("DEMO_CAVITY_COUNT", kCount, kCountText, kBindWhole, &count);
        bindings.Bind("DEMO_MOLD_TEMPERATURE", kTemp, kTempText, kBindDouble, &temperature, kTemperature);
        bindings.Bind("DEMO_COOLING", kCooling, kCooling, kBindSwitch, &cooling);
        bindings.Bind("DEMO_FILL_CONTROL", kControl, kControlText, kBindChoice, &fillControl);
        bindings.Bind("DEMO_MODE", kAutomatic, -1, kBindChoice, &mode);
        bindings.Bind("DEMO_LAYERS", kLayers, kLayersText, kBindList, &layers, kLength);
        bindings.Bind("DEMO_COOLING_TIME", kTime, kTimeCheck, kBindDouble, &coolingTime, kTime1);
        bindings.Bind("DEMO_NOTE", kNote, kNoteText, kBindText, &note);
        bindings.Bind("DEMO_PROFILE", kProfile, -1, kBindPairs, &profile, kPressureMPa, kTime1);
        bindings.Bind("DEMO_DIMENSIONS", kDims, -1, kBindList, &dimensions, kLength);
        bindings.Bind("DEMO_VERSION", -1, -1, kBindWhole, &version);
    }

    CKeywordBindings bindings;
    std::string name;
    int count = 0;
    double temperature = 0;
    bool cooling = false;
    CChoiceField fillControl{"PRESSURE", "VELOCITY", "AUTOMATIC"};
    CChoiceField mode{"AUTOMATIC", "SPECIFIED"};
    std::vector<double> layers;
    double coolingTime = 0;
    std::string note;
    CDoublePairList profile;
    std::vector<double> dimensions;
    int version = 3;

    std::function<void(CDialog&)> createGrids;

protected:
    BOOL OnInitDialog() override
    {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(kControl));
        for (const char* item : {"Pressure", "Velocity", "Automatic"})
            combo->AddString(item);
        if (createGrids)
            createGrids(*this);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override { bindings.ExchangePage(pDX); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        bindings.OnCompanionClicked(wParam, lParam);
        return CDialog::OnCommand(wParam, lParam);
    }
};

// A file's text with CR LF read as LF.
inline std::string Unix(const std::string& bytes)
{
    std::string out;
    for (char c : bytes)
        if (c != '\r')
            out += c;
    return out;
}

// The texts of the message boxes shown so far.
inline std::vector<std::string> Messages()
{
    std::vector<std::string> out;
    for (const CUiLogRecord& record : GetUiLog())
        if (record.kind == UiLogKind::MessageBox)
            out.push_back(record.text);
    return out;
}

// Runs `dlg` modally under the script agent; "" when the script ran
// through, else where and why it stopped.
inline std::string RunScript(CDialog& dlg, const std::string& script)
{
    ClearUiLog();
    WndMessages::Reset();
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    if (!CScriptAgent::Read(script, "demo.agent", commands, errors))
        return errors.front().ToString();
    std::ostringstream shown;
    CScriptAgent agent(std::move(commands), "demo.agent", shown);
    CUserAgentScope scope(&agent);
    dlg.DoModal();
    agent.CheckFinished();
    return agent.Failure();
}

} // namespace demo
