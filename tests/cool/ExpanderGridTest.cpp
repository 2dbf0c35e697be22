// The expander grid on its own and as the control of list bindings: growing
// as the user types, reading rows as numbers, and the grid failures of the
// page exchange.
#include <gtest/gtest.h>

#include "cool/ExpanderGrid.h"
#include "keyword/BindingsDemoDialog.h"
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

// The demo dialog with its two grids put over their frames.
struct GridDemo {
    CBindingsDemoDialog dlg;
    CExpanderGrid profile;
    CExpanderGrid dims{false};

    GridDemo()
    {
        dlg.createGrids = [this](CDialog& d) {
            ASSERT_TRUE(profile.CreateInPlaceOf(d.GetDlgItem(kProfileFrame), kProfile));
            profile.SetupColumns(2, {"Pressure", "Time"});
            ASSERT_TRUE(dims.CreateInPlaceOf(d.GetDlgItem(kDimsFrame), kDims));
            dims.SetupColumns(1, {"Size"});
        };
    }
};

} // namespace

TEST(ExpanderGrid, GrowsAsTheUserTypesAndReadsRowsAsNumbers)
{
    StepAgent agent;
    GridDemo demo;
    agent.Then([&](CWnd* modal) {
        CExpanderGrid& grid = demo.profile;
        CRect frame, placed;
        demo.dlg.GetDlgItem(kProfileFrame)->GetWindowRect(&frame);
        grid.GetWindowRect(&placed);
        EXPECT_EQ(placed, frame);
        EXPECT_EQ(demo.dlg.GetDlgItem(kProfile), &grid);
        EXPECT_EQ(grid.GetValueColumnWidth(0), (frame.Width() - CExpanderGrid::kRowHeadingWidth) / 2);
        EXPECT_EQ(grid.GetValueColumnWidth(1), grid.GetValueColumnWidth(0));

        // Nothing loaded: one empty row to type into, which is not a value.
        EXPECT_EQ(grid.GetRowCount(), 1);
        EXPECT_EQ(grid.GetValueRowCount(), 0);
        EXPECT_FALSE(grid.IsVerticalScrollEnabled());
        EXPECT_INPUT(UserInput::SetCell(&grid, 1, 1, "80"));
        EXPECT_EQ(grid.GetRowCount(), 2) << "entering the last row appends one";
        EXPECT_INPUT(UserInput::SetCell(&grid, 1, 2, "10"));
        EXPECT_EQ(grid.GetRowCount(), 2);
        EXPECT_INPUT(UserInput::SetCell(&grid, 2, 1, " 50 "));
        EXPECT_INPUT(UserInput::SetCell(&grid, 2, 2, "5"));
        EXPECT_EQ(grid.GetValueRowCount(), 2);
        double a = 0, b = 0;
        EXPECT_TRUE(grid.GetRowValues(2, &a, &b));
        EXPECT_EQ(a, 50);
        EXPECT_EQ(b, 5);
        EXPECT_INPUT(UserInput::SetCell(&grid, 2, 2, "5s"));
        EXPECT_FALSE(grid.GetRowValues(2, &a, &b));
        EXPECT_TRUE(grid.GetRowValues(2, &a, nullptr)) << "one column asked, one read";

        // Appending after a clear fills the room left for typing first.
        grid.ClearValueRows();
        grid.AppendValueRow(1, 2);
        grid.AppendValueRow(3, 4);
        EXPECT_EQ(grid.GetRowCount(), 2);
        for (int i = 0; i < 20; ++i)
            grid.AppendValueRow(i, i);
        EXPECT_TRUE(grid.IsVerticalScrollEnabled());
        // Without the expand flag nothing is added.
        EXPECT_EQ(demo.dims.GetRowCount(), 0);
        demo.dims.AppendValueRow(7);
        EXPECT_INPUT(UserInput::SetCell(&demo.dims, 1, 1, "8"));
        EXPECT_EQ(demo.dims.GetRowCount(), 1);
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    demo.dlg.DoModal();
}

class GridBindings : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetUnitSystem(kUnitsMetric);
        wiztest::WriteBytes(dir / "demo.rng",
                            "DEMO_PROFILE_RANGE: [0:250000000]\n"
                            "DEMO_PROFILE_RANGE2: [0:)\n"
                            "DEMO_DIMENSIONS_RANGE: (0:1]\n");
        wiztest::WriteBytes(dir / "job.kw",
                            "DEMO_NAME: cup\nDEMO_CAVITY_COUNT: 4\nDEMO_MOLD_TEMPERATURE: 45\n"
                            "DEMO_LAYERS: 0.001\n"
                            "DEMO_PROFILE: 8e+07 10 \\\n5e+07 5\n"
                            "DEMO_DIMENSIONS: 0.1 \\\n0.2 \\\n0.3\n");
    }
    void Prepare(GridDemo& demo)
    {
        demo.dlg.bindings.MergeRanges(dir / "demo.rng");
        demo.dlg.bindings.LoadValues(dir / "job.kw");
    }

    CWinApp app;
    wiztest::ScratchDir dir;
};

TEST_F(GridBindings, ListsAndPairsGoFileToGridToFile)
{
    StepAgent agent;
    GridDemo demo;
    Prepare(demo);
    agent.Then([&](CWnd* modal) {
        CExpanderGrid& profile = demo.profile;
        EXPECT_EQ(profile.GetValueRowCount(), 2);
        EXPECT_EQ(profile.GetValueRowCol(1, 1), "80"); // MPa
        EXPECT_EQ(profile.GetValueRowCol(2, 2), "5");
        EXPECT_EQ(demo.dims.GetValueRowCol(3, 1), "300"); // mm
        EXPECT_EQ(profile.GetColumnHeading(0), "Pressure\n[0:250] MPa");
        EXPECT_EQ(profile.GetColumnHeading(1), "Time\n[0:) sec");
        EXPECT_EQ(demo.dims.GetColumnHeading(0), "Size\n(0:1000] mm");
        demo.dlg.UpdateData(FALSE);
        EXPECT_EQ(profile.GetColumnHeading(0), "Pressure\n[0:250] MPa") << "headings are rebuilt, not extended";

        EXPECT_INPUT(UserInput::SetCell(&profile, 2, 1, "60"));
        EXPECT_INPUT(UserInput::SetCell(&profile, 3, 1, "20"));
        EXPECT_INPUT(UserInput::SetCell(&profile, 3, 2, "2.5"));
        EXPECT_INPUT(UserInput::SetCell(&demo.dims, 3, 1, "250"));
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(demo.dlg.DoModal(), IDOK);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(demo.dlg.bindings.GetLabel("DEMO_PROFILE"), "Value");
    demo.dlg.bindings.SaveValues(dir / "job.kw");
    const std::string written = Normalized(wiztest::ReadBytes(dir / "job.kw"));
    EXPECT_NE(written.find("DEMO_PROFILE: 8e+07 10 \\\n6e+07 5 \\\n2e+07 2.5\n"), std::string::npos) << written;
    EXPECT_NE(written.find("DEMO_DIMENSIONS: 0.1 \\\n0.2 \\\n0.25\n"), std::string::npos) << written;
}

TEST_F(GridBindings, EmptyGridsAndNonNumbersAreRefused)
{
    StepAgent agent;
    GridDemo demo;
    Prepare(demo);
    agent.Then([&](CWnd* modal) {
        demo.profile.ClearValueRows();
        EXPECT_INPUT(UserInput::Ok(modal));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Value cannot be blank."}));
        EXPECT_EQ(GetUiLog().back().helpId, 13046u);
        EXPECT_EQ(CWnd::GetFocus(), &demo.profile);

        ClearUiLog();
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 1, "80"));
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 2, "ten"));
        EXPECT_INPUT(UserInput::Ok(modal));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Please enter a number!"}));
        EXPECT_EQ(GetUiLog().back().helpId, 13030u);
        EXPECT_EQ(GetUiLog().back().type & MB_ICONMASK, MB_ICONEXCLAMATION);

        // The second column is checked against the second range.
        ClearUiLog();
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 2, "-1"));
        EXPECT_INPUT(UserInput::Ok(modal));
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Value is out of range."}));
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    EXPECT_EQ(demo.dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(demo.dlg.profile, (CDoublePairList{{8e7, 10}, {5e7, 5}})) << "a refused grid stores nothing";
}

TEST_F(GridBindings, PressureAtANodeTestsBothValuesAgainstTheSecondRange)
{
    StepAgent agent;
    GridDemo demo;
    Prepare(demo);
    CDoublePairList nodePressure{{57, 2e7}};
    demo.dlg.bindings.Bind("DEMO_PROFILE", -1, -1, kBindPairs, &demo.dlg.profile);
    demo.dlg.bindings.Bind("DEMO_PRESSURE_AT_A_NODE", kProfile, -1, kBindPairs, &nodePressure, 35, 11);
    demo.dlg.bindings.SetRangeText("DEMO_PRESSURE_AT_A_NODE_RANGE", "[0:1]");
    demo.dlg.bindings.SetRangeText("DEMO_PRESSURE_AT_A_NODE_RANGE2", "[0:100000000]");
    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(demo.profile.GetColumnHeading(0), "Pressure\n[0:1e+08] "); // dimensionless: no unit
        EXPECT_EQ(demo.profile.GetColumnHeading(1), "Time\n[0:100] MPa");
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 1, "57"));
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 2, "20"));
        EXPECT_TRUE(demo.dlg.UpdateData(TRUE)) << "57 passes the second range, not [0:1]: " << ::testing::PrintToString(Messages());
        EXPECT_INPUT(UserInput::SetCell(&demo.profile, 1, 1, "2e8"));
        EXPECT_FALSE(demo.dlg.UpdateData(TRUE));
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    demo.dlg.DoModal();
    EXPECT_EQ(nodePressure, (CDoublePairList{{57, 2e7}}));
}
