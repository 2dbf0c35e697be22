// The page data exchange of the keyword bindings, driven as a person drives a
// page: values come from a keyword file, are shown with their range captions,
// changed by typing and clicking, validated on OK and written back.
#include <gtest/gtest.h>

#include <sstream>

#include "BindingsDemoDialog.h"
#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/ScriptAgent.h"
#include "platform/StepAgent.h"
#include "platform/WinApp.h"
#include "support/TestSupport.h"

using namespace demo;

namespace {

std::string Normalized(const std::string& bytes)
{
    std::string out;
    for (char c : bytes)
        if (c != '\r')
            out += c;
    return out;
}

std::vector<std::string> Messages()
{
    std::vector<std::string> out;
    for (const CUiLogRecord& record : GetUiLog())
        if (record.kind == UiLogKind::MessageBox)
            out.push_back(record.text);
    return out;
}

CWnd* Item(CDialog& dlg, int id) { return dlg.GetDlgItem(id); }

// Runs `dlg` under the script agent; "" when the script ran through, else its failure.
std::string RunScript(CDialog& dlg, const std::string& script)
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

constexpr const char* kRanges =
    "DEMO_CAVITY_COUNT_RANGE: [1:64]\n"
    "DEMO_MOLD_TEMPERATURE_RANGE: [20:120]\n"
    "DEMO_LAYERS_RANGE: (0:0.01]\n"
    "DEMO_COOLING_TIME_RANGE: [1:100]\n";

} // namespace

class BindingsExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetUnitSystem(kUnitsMetric);
        wiztest::WriteBytes(dir / "demo.rng", kRanges);
        wiztest::WriteBytes(dir / "job.kw",
                            "UNBOUND: stays\n"
                            "DEMO_NAME: cup\n"
                            "DEMO_CAVITY_COUNT: 4\n"
                            "DEMO_MOLD_TEMPERATURE: 45\n"
                            "DEMO_COOLING: ON\n"
                            "DEMO_FILL_CONTROL: VELOCITY\n"
                            "DEMO_MODE: SPECIFIED\n"
                            "DEMO_LAYERS: 0.001 \\\n0.0025\n"
                            "DEMO_COOLING_TIME: 12\n"
                            "DEMO_NOTE: kept\n");
    }
    // A dialog with the file's values, as a wizard prepares its pages.
    std::unique_ptr<CBindingsDemoDialog> Prepared()
    {
        auto dlg = std::make_unique<CBindingsDemoDialog>();
        dlg->bindings.MergeRanges(dir / "demo.rng");
        dlg->bindings.LoadValues(dir / "job.kw");
        return dlg;
    }

    CWinApp app;
    wiztest::ScratchDir dir;
};

TEST_F(BindingsExchange, EveryKindGoesFileToPageToFile)
{
    auto dlg = Prepared();
    EXPECT_EQ(RunScript(*dlg, R"(
        expect dialog 31000
        expect text IDC_BINDDEMO_NAME "cup"
        expect text IDC_BINDDEMO_COUNT "4"
        expect text IDC_BINDDEMO_TEMP "45"
        expect checked IDC_BINDDEMO_COOLING
        expect text IDC_BINDDEMO_CONTROL "Velocity"
        expect checked IDC_BINDDEMO_SPECIFIED
        expect unchecked IDC_BINDDEMO_AUTOMATIC
        # Lengths show in millimetres.
        expect text IDC_BINDDEMO_LAYERS "1 2.5"
        expect text IDC_BINDDEMO_NOTE "kept"
        expect disabled IDC_BINDDEMO_NOTE
        type IDC_BINDDEMO_NAME bowl
        type IDC_BINDDEMO_COUNT 8
        type IDC_BINDDEMO_TEMP 60.5
        check IDC_BINDDEMO_COOLING off
        select IDC_BINDDEMO_CONTROL "Automatic"
        click IDC_BINDDEMO_AUTOMATIC
        type IDC_BINDDEMO_LAYERS 0.5, 1;2
        type IDC_BINDDEMO_TIME 20
        ok
    )"),
              "");
    EXPECT_TRUE(Messages().empty());

    dlg->bindings.SaveValues(dir / "job.kw");
    EXPECT_EQ(Normalized(wiztest::ReadBytes(dir / "job.kw")),
              "UNBOUND: stays\n"
              "DEMO_NAME: bowl\n"
              "DEMO_CAVITY_COUNT: 8\n"
              "DEMO_MOLD_TEMPERATURE: 60.5\n"
              "DEMO_COOLING: OFF\n"
              "DEMO_FILL_CONTROL: AUTOMATIC\n"
              "DEMO_MODE: AUTOMATIC\n"
              "DEMO_LAYERS: 0.0005 \\\n0.001 \\\n0.002\n"
              "DEMO_COOLING_TIME: 20\n"
              "DEMO_NOTE: kept\n"
              "DEMO_VERSION: 3\n"); // no control: written on every save
}

TEST_F(BindingsExchange, EnglishTemperatureAgainstARangeInCelsius)
{
    app.SetUnitSystem(kUnitsEnglish);
    auto dlg = Prepared(); // the table takes English units here, when it is built
    dlg->bindings.SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "[0:10]");
    EXPECT_EQ(RunScript(*dlg, R"(
        expect text IDC_BINDDEMO_TEMP "113"
        expect text IDC_BINDDEMO_TEMP_TEXT "&Mold temperature:   [32:50] deg.F"
        # 60 deg.F is 15.6 deg.C, above the range: the page stays.
        type IDC_BINDDEMO_TEMP 60
        ok
        expect message "Mold temperature is out of range."
        answer OK
        expect dialog 31000
        # 50 deg.F is exactly 10 deg.C.
        type IDC_BINDDEMO_TEMP 50
        ok
    )"),
              "");
    ASSERT_EQ(GetUiLog().size(), 1u);
    const CUiLogRecord& box = GetUiLog()[0];
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(box.helpId, 13045u);
    EXPECT_NEAR(dlg->temperature, 10, 1e-12);
}

TEST_F(BindingsExchange, LabelsAndCaptionsAsAPersonSeesThem)
{
    StepAgent agent;
    auto dlg = Prepared();
    agent.Then([&](CWnd* modal) {
        CWnd* caption = Item(*dlg, kTempText);
        EXPECT_EQ(caption->GetWindowText(), "&Mold temperature:   [20:120] deg.C");
        // Shown again (Back and Next bring a page back): the caption is rebuilt, not extended.
        dlg->UpdateData(FALSE);
        dlg->UpdateData(FALSE);
        EXPECT_EQ(caption->GetWindowText(), "&Mold temperature:   [20:120] deg.C");
        // A non-wrapping static grows to its text so the range is not cut off.
        CRect rect;
        caption->GetWindowRect(&rect);
        const CSize extent = caption->GetFont()->GetTextExtent(caption->GetWindowText());
        EXPECT_EQ(rect.Width(), extent.cx + 4);
        EXPECT_EQ(rect.Height(), extent.cy + 4);

        EXPECT_EQ(Item(*dlg, kTimeCheck)->GetWindowText(), "Specify &cooling time:   [1:100] sec");
        EXPECT_EQ(Item(*dlg, kCountText)->GetWindowText(), "Cavity c&ount:   [1:64] ");
        EXPECT_EQ(Item(*dlg, kLayersText)->GetWindowText(), "La&yer thicknesses:   (0:10] mm");
        // Texts, switches and choices keep their captions.
        EXPECT_EQ(Item(*dlg, kNameText)->GetWindowText(), "&Name:");
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    dlg->DoModal();
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_MOLD_TEMPERATURE"), "Mold temperature");
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_CAVITY_COUNT"), "Cavity count");
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_COOLING_TIME"), "Value") << "a 'specify' caption is no name";
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_MODE"), "") << "no companion, no grid: no label";
}

TEST_F(BindingsExchange, CheckBoxCompanionDecidesWhetherTheKeywordIsWritten)
{
    {
        StepAgent agent;
        auto dlg = Prepared();
        agent.Then([&](CWnd* modal) {
            EXPECT_EQ(UserInput::ControlValue(Item(*dlg, kTimeCheck)), "on");
            EXPECT_TRUE(Item(*dlg, kTime)->IsWindowEnabled());
            EXPECT_INPUT(UserInput::Check(Item(*dlg, kTimeCheck), false));
            EXPECT_FALSE(Item(*dlg, kTime)->IsWindowEnabled());
            EXPECT_INPUT(UserInput::Ok(modal));
        });
        EXPECT_EQ(dlg->DoModal(), IDOK);
        EXPECT_FALSE(dlg->bindings.IsPresent("DEMO_COOLING_TIME"));
        dlg->bindings.SaveValues(dir / "job.kw");
    }
    EXPECT_EQ(Normalized(wiztest::ReadBytes(dir / "job.kw")).find("DEMO_COOLING_TIME"), std::string::npos);

    StepAgent agent;
    auto dlg = Prepared();
    agent.Then([&](CWnd* modal) {
        // Not in the file: the box comes up unchecked, the edit empty and disabled.
        EXPECT_EQ(UserInput::ControlValue(Item(*dlg, kTimeCheck)), "off");
        EXPECT_FALSE(Item(*dlg, kTime)->IsWindowEnabled());
        EXPECT_EQ(Item(*dlg, kTime)->GetWindowText(), "");
        EXPECT_FALSE(UserInput::Type(Item(*dlg, kTime), "15").ok);
        EXPECT_INPUT(UserInput::Check(Item(*dlg, kTimeCheck), true));
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kTime), "15"));
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(dlg->DoModal(), IDOK);
    dlg->bindings.SaveValues(dir / "job.kw");
    EXPECT_NE(Normalized(wiztest::ReadBytes(dir / "job.kw")).find("DEMO_COOLING_TIME: 15\n"), std::string::npos);
}

TEST_F(BindingsExchange, CheckBoxBoundAsASwitchGovernsItsField)
{
    auto dlg = Prepared();
    bool timeOn = false; // the switch wins over the field's own present flag
    dlg->bindings.Bind("DEMO_TIME_ON", kTimeCheck, kTimeCheck, kBindSwitch, &timeOn);
    EXPECT_EQ(RunScript(*dlg, R"(
        expect unchecked IDC_BINDDEMO_TIME_CHECK
        expect disabled IDC_BINDDEMO_TIME
        check IDC_BINDDEMO_TIME_CHECK on
        expect enabled IDC_BINDDEMO_TIME
        type IDC_BINDDEMO_TIME 30
        ok
    )"),
              "");
    EXPECT_TRUE(timeOn);
    EXPECT_DOUBLE_EQ(dlg->coolingTime, 30);
    EXPECT_TRUE(dlg->bindings.IsPresent("DEMO_COOLING_TIME"));
}

TEST_F(BindingsExchange, WholeNumbersTruncateAndTextsMustNotBeBlank)
{
    StepAgent agent;
    auto dlg = Prepared();
    dlg->bindings.SetRangeText("DEMO_CAVITY_COUNT_RANGE", "");
    agent.Then([&](CWnd* modal) {
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kCount), "2.9"));
        EXPECT_TRUE(dlg->UpdateData(TRUE));
        EXPECT_EQ(dlg->count, 2);
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kCount), "-2.9"));
        EXPECT_TRUE(dlg->UpdateData(TRUE));
        EXPECT_EQ(dlg->count, -2);
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kCount), "two"));
        EXPECT_FALSE(dlg->UpdateData(TRUE));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Please enter a number."}));

        // An empty text on an enabled edit is refused; the disabled note
        // (no check box) is not read and keeps its text.
        ClearUiLog();
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kCount), "3"));
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kName), ""));
        Item(*dlg, kNote)->EnableWindow(true);
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kNote), ""));
        Item(*dlg, kNote)->EnableWindow(false);
        EXPECT_INPUT(UserInput::Ok(modal));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Name cannot be blank."}));
        EXPECT_EQ(GetUiLog().back().helpId, 13046u);
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kName), "lid"));
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(dlg->note, "kept");
    EXPECT_TRUE(dlg->bindings.IsPresent("DEMO_NOTE"));
    EXPECT_EQ(dlg->name, "lid");
}

TEST_F(BindingsExchange, OnlyTheFirstFailingFieldInTabOrderIsReported)
{
    StepAgent agent;
    auto dlg = Prepared();
    agent.Then([&](CWnd* modal) {
        // Three bad fields; the count comes first in the tab order. The name
        // before it is a text, stored while validating; the layers after it
        // are not reached.
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kLayers), "5"));
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kTemp), "500"));
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kCount), "99"));
        EXPECT_INPUT(UserInput::Type(Item(*dlg, kName), "tray"));
        EXPECT_INPUT(UserInput::Ok(modal));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Cavity count is out of range."}));
        EXPECT_EQ(CWnd::GetFocus(), Item(*dlg, kCount));
        EXPECT_EQ(dlg->name, "tray");
        EXPECT_EQ(dlg->count, 4);
        EXPECT_EQ(dlg->layers, (std::vector<double>{0.001, 0.0025}));
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    EXPECT_EQ(dlg->DoModal(), IDCANCEL);
}
