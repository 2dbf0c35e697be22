// The page data exchange of the keyword bindings, driven as a person drives a
// page (agent scripts): values come from a keyword file, are shown with their
// range captions, changed by typing and clicking, validated on OK and saved.
#include <gtest/gtest.h>

#include "BindingsDemoDialog.h"
#include "platform/window/CommonDialogs.h"
#include "platform/StepAgent.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

using namespace demo;

class BindingsExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetUnitSystem(kUnitsMetric);
        wiztest::WriteBytes(dir / "demo.rng", "DEMO_CAVITY_COUNT_RANGE: [1:64]\nDEMO_MOLD_TEMPERATURE_RANGE: [20:120]\n"
                                              "DEMO_LAYERS_RANGE: (0:0.01]\nDEMO_COOLING_TIME_RANGE: [1:100]\n");
        wiztest::WriteBytes(dir / "job.kw", "UNBOUND: stays\nDEMO_NAME: cup\nDEMO_CAVITY_COUNT: 4\n"
                                            "DEMO_MOLD_TEMPERATURE: 45\nDEMO_COOLING: ON\nDEMO_FILL_CONTROL: VELOCITY\n"
                                            "DEMO_MODE: SPECIFIED\nDEMO_LAYERS: 0.001 \\\n0.0025\n"
                                            "DEMO_COOLING_TIME: 12\nDEMO_NOTE: kept\n");
        Reopen();
    }
    // A fresh page from the files as they are now. The table takes the unit
    // system when it is built, as a wizard's does.
    void Reopen()
    {
        dlg = std::make_unique<CBindingsDemoDialog>();
        EXPECT_TRUE(dlg->bindings.MergeRanges(dir / "demo.rng"));
        EXPECT_TRUE(dlg->bindings.LoadValues(dir / "job.kw"));
    }
    std::string Saved()
    {
        EXPECT_TRUE(dlg->bindings.SaveValues(dir / "job.kw"));
        return Unix(wiztest::ReadBytes(dir / "job.kw"));
    }

    CWinApp app;
    wiztest::ScratchDir dir;
    std::unique_ptr<CBindingsDemoDialog> dlg;
};

TEST_F(BindingsExchange, EveryKindGoesFileToPageToFile)
{
    EXPECT_EQ(RunScript(*dlg, R"(
        expect text IDC_BINDDEMO_NAME "cup"
        expect text IDC_BINDDEMO_COUNT "4"
        expect text IDC_BINDDEMO_TEMP "45"
        expect checked IDC_BINDDEMO_COOLING
        expect text IDC_BINDDEMO_CONTROL "Velocity"
        expect checked IDC_BINDDEMO_SPECIFIED
        # Lengths show in millimetres.
        expect text IDC_BINDDEMO_LAYERS "1 2.5"
        expect text IDC_BINDDEMO_NOTE "kept"
        type IDC_BINDDEMO_NAME bowl
        type IDC_BINDDEMO_COUNT 8
        type IDC_BINDDEMO_TEMP 60.5
        check IDC_BINDDEMO_COOLING off
        select IDC_BINDDEMO_CONTROL "Automatic"
        click IDC_BINDDEMO_AUTOMATIC
        type IDC_BINDDEMO_LAYERS 0.5, 1;2
        type IDC_BINDDEMO_TIME 20
        ok
    )"), "");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Saved(), "UNBOUND: stays\nDEMO_NAME: bowl\nDEMO_CAVITY_COUNT: 8\nDEMO_MOLD_TEMPERATURE: 60.5\n"
                       "DEMO_COOLING: OFF\nDEMO_FILL_CONTROL: AUTOMATIC\nDEMO_MODE: AUTOMATIC\n"
                       "DEMO_LAYERS: 0.0005 \\\n0.001 \\\n0.002\nDEMO_COOLING_TIME: 20\nDEMO_NOTE: kept\n"
                       "DEMO_VERSION: 3\n"); // no control: written on every save
}

TEST_F(BindingsExchange, CaptionsAndLabelsAsAPersonSeesThem)
{
    EXPECT_EQ(RunScript(*dlg, R"(
        expect text IDC_BINDDEMO_TEMP_TEXT "&Mold temperature:   [20:120] deg.C"
        expect text IDC_BINDDEMO_TIME_CHECK "Specify &cooling time:   [1:100] sec"
        expect text IDC_BINDDEMO_COUNT_TEXT "Cavity c&ount:   [1:64] "
        expect text IDC_BINDDEMO_LAYERS_TEXT "La&yer thicknesses:   (0:10] mm"
        expect text IDC_BINDDEMO_NAME_TEXT "&Name:"
        cancel
    )"), "");
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_MOLD_TEMPERATURE"), "Mold temperature");
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_CAVITY_COUNT"), "Cavity count");
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_COOLING_TIME"), "Value") << "a 'specify' caption is no name";
    EXPECT_EQ(dlg->bindings.GetLabel("DEMO_MODE"), "") << "no companion, no grid: no label";

    // A page shown again (Back, then Next) rebuilds its captions rather than extending them.
    StepAgent agent;
    agent.Then([&](CWnd* modal) {
        dlg->UpdateData(FALSE);
        dlg->UpdateData(FALSE);
        CWnd* caption = dlg->GetDlgItem(kTempText);
        EXPECT_EQ(caption->GetWindowText(), "&Mold temperature:   [20:120] deg.C");
        // A non-wrapping static fits its text so the range is not cut off.
        CRect rect;
        caption->GetWindowRect(&rect);
        const CSize extent = caption->GetFont()->GetTextExtent(caption->GetWindowText());
        EXPECT_EQ(rect.Size(), CSize(extent.cx + 4, extent.cy + 4));
        UserInput::Cancel(modal);
    });
    dlg->DoModal();
}

TEST_F(BindingsExchange, UncheckedCompanionRemovesTheKeywordAndCheckingWritesItAgain)
{
    EXPECT_EQ(RunScript(*dlg, R"(
        expect checked IDC_BINDDEMO_TIME_CHECK
        check IDC_BINDDEMO_TIME_CHECK off
        expect disabled IDC_BINDDEMO_TIME
        ok
    )"), "");
    EXPECT_EQ(Saved().find("DEMO_COOLING_TIME"), std::string::npos);

    Reopen();
    EXPECT_EQ(RunScript(*dlg, R"(
        expect unchecked IDC_BINDDEMO_TIME_CHECK
        expect disabled IDC_BINDDEMO_TIME
        expect text IDC_BINDDEMO_TIME ""
        check IDC_BINDDEMO_TIME_CHECK on
        type IDC_BINDDEMO_TIME 15
        ok
    )"), "");
    EXPECT_NE(Saved().find("DEMO_COOLING_TIME: 15\n"), std::string::npos);

    // A check box bound as a switch governs the field instead of its present flag.
    Reopen();
    bool timeOn = false;
    dlg->bindings.Bind("DEMO_TIME_ON", kTimeCheck, kTimeCheck, kBindSwitch, &timeOn);
    EXPECT_EQ(RunScript(*dlg, R"(
        expect unchecked IDC_BINDDEMO_TIME_CHECK
        expect disabled IDC_BINDDEMO_TIME
        check IDC_BINDDEMO_TIME_CHECK on
        expect enabled IDC_BINDDEMO_TIME
        ok
    )"), "");
    EXPECT_TRUE(timeOn);
}

TEST_F(BindingsExchange, EnglishTemperatureAgainstARangeInCelsius)
{
    app.SetUnitSystem(kUnitsEnglish);
    Reopen();
    dlg->bindings.SetRangeText("DEMO_MOLD_TEMPERATURE_RANGE", "[0:10]");
    EXPECT_EQ(RunScript(*dlg, R"(
        expect text IDC_BINDDEMO_TEMP "113"
        expect text IDC_BINDDEMO_TEMP_TEXT "&Mold temperature:   [32:50] deg.F"
        # 60 deg.F is 15.6 deg.C: refused, and the page stays.
        type IDC_BINDDEMO_TEMP 60
        ok
        expect message "Mold temperature is out of range."
        answer OK
        expect dialog 31000
        # 50 deg.F is exactly 10 deg.C.
        type IDC_BINDDEMO_TEMP 50
        ok
    )"), "");
    ASSERT_EQ(GetUiLog().size(), 1u);
    EXPECT_EQ(GetUiLog()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(GetUiLog()[0].helpId, 13045u);
    EXPECT_NEAR(dlg->temperature, 10, 1e-12);
}

TEST_F(BindingsExchange, WholeNumbersTruncateAndBlankTextsAreRefusedWhenEnabled)
{
    dlg->bindings.SetRangeText("DEMO_CAVITY_COUNT_RANGE", "");
    EXPECT_EQ(RunScript(*dlg, R"(
        type IDC_BINDDEMO_COUNT two
        ok
        expect message "Please enter a number."
        answer OK
        # A number all the same, though no whole number the field holds; with
        # no range given, only the variable bounds it.
        type IDC_BINDDEMO_COUNT 1e10
        ok
        expect message "Cavity count is out of range."
        answer OK
        type IDC_BINDDEMO_COUNT -3e9
        ok
        expect message "Cavity count is out of range."
        answer OK
        type IDC_BINDDEMO_COUNT 2.9
        type IDC_BINDDEMO_NAME ""
        ok
        expect message "Name cannot be blank."
        answer OK
        type IDC_BINDDEMO_NAME lid
        ok
    )"), "");
    EXPECT_EQ(GetUiLog().back().helpId, 13046u);
    EXPECT_EQ(dlg->count, 2);
    // The disabled note (no check box) was never read: it keeps its value and flag.
    EXPECT_EQ(dlg->note, "kept");
    EXPECT_TRUE(dlg->bindings.IsPresent("DEMO_NOTE"));

    dlg->note.clear();
    EXPECT_EQ(RunScript(*dlg, "type IDC_BINDDEMO_COUNT -2.9\nok\n"), "");
    EXPECT_EQ(dlg->count, -2);
    EXPECT_TRUE(Messages().empty()) << "an empty text on a disabled edit is accepted";
}

TEST_F(BindingsExchange, OnlyTheFirstFailingFieldInTabOrderIsReported)
{
    // Three bad fields; the count comes first. The name before it is a text,
    // stored while validating; the layers after it are not reached.
    EXPECT_EQ(RunScript(*dlg, R"(
        type IDC_BINDDEMO_LAYERS 5
        type IDC_BINDDEMO_TEMP 500
        type IDC_BINDDEMO_COUNT 99
        type IDC_BINDDEMO_NAME tray
        ok
        expect message "Cavity count is out of range."
        answer OK
        cancel
    )"), "");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(dlg->name, "tray");
    EXPECT_EQ(dlg->count, 4);
    EXPECT_EQ(dlg->layers, (std::vector<double>{0.001, 0.0025}));
}
