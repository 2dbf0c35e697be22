#pragma once
// The dialog of BindingsDemo.rc with one bound field of every kind,
// its exchange done by the bindings alone, as a wizard page's is. The grids
// live a layer up; a test that wants them creates them through `createGrids`.
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "BindingsDemoIds.h"
#include "keyword/KeywordBindings.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListBoxes.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"

namespace demo {

constexpr int kDialog = IDD_BINDDEMO;
constexpr int kNameText = IDC_BINDDEMO_NAME_TEXT, kName = IDC_BINDDEMO_NAME;
constexpr int kCountText = IDC_BINDDEMO_COUNT_TEXT, kCount = IDC_BINDDEMO_COUNT;
constexpr int kTempText = IDC_BINDDEMO_TEMP_TEXT, kTemp = IDC_BINDDEMO_TEMP, kCooling = IDC_BINDDEMO_COOLING;
constexpr int kControlText = IDC_BINDDEMO_CONTROL_TEXT, kControl = IDC_BINDDEMO_CONTROL;
constexpr int kAutomatic = IDC_BINDDEMO_AUTOMATIC, kSpecified = IDC_BINDDEMO_SPECIFIED;
constexpr int kLayersText = IDC_BINDDEMO_LAYERS_TEXT, kLayers = IDC_BINDDEMO_LAYERS;
constexpr int kTimeCheck = IDC_BINDDEMO_TIME_CHECK, kTime = IDC_BINDDEMO_TIME;
constexpr int kNoteText = IDC_BINDDEMO_NOTE_TEXT, kNote = IDC_BINDDEMO_NOTE;
constexpr int kProfileFrame = IDC_BINDDEMO_PROFILE_FRAME, kDimsFrame = IDC_BINDDEMO_DIMS_FRAME;
// Ids the grids get when they are put over their frames.
constexpr int kProfile = 31030, kDims = 31031;

class CBindingsDemoDialog : public CDialog {
public:
    CBindingsDemoDialog() : CDialog(kDialog)
    {
        bindings.SetCurrentPage(this);
        bindings.BindRows(*this, kRows);
    }

    // One row of every kind; the kind follows from the member.
    static const CBindingRow<CBindingsDemoDialog> kRows[12];

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

inline const CBindingRow<CBindingsDemoDialog> CBindingsDemoDialog::kRows[12] = {
    {"DEMO_NAME", kName, kNameText, &CBindingsDemoDialog::name},
    {"DEMO_CAVITY_COUNT", kCount, kCountText, &CBindingsDemoDialog::count},
    {"DEMO_MOLD_TEMPERATURE", kTemp, kTempText, &CBindingsDemoDialog::temperature, kQuantityTemperature},
    {"DEMO_COOLING", kCooling, kCooling, &CBindingsDemoDialog::cooling},
    {"DEMO_FILL_CONTROL", kControl, kControlText, &CBindingsDemoDialog::fillControl},
    {"DEMO_MODE", kAutomatic, -1, &CBindingsDemoDialog::mode},
    {"DEMO_LAYERS", kLayers, kLayersText, &CBindingsDemoDialog::layers, kQuantityLength},
    {"DEMO_COOLING_TIME", kTime, kTimeCheck, &CBindingsDemoDialog::coolingTime, kQuantityTime},
    {"DEMO_NOTE", kNote, kNoteText, &CBindingsDemoDialog::note},
    {"DEMO_PROFILE", kProfile, -1, &CBindingsDemoDialog::profile, kQuantityPressureMPa, kQuantityTime},
    {"DEMO_DIMENSIONS", kDims, -1, &CBindingsDemoDialog::dimensions, kQuantityLength},
    {"DEMO_VERSION", -1, -1, &CBindingsDemoDialog::version},
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
