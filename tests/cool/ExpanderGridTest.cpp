// The expander grid on its own and as the control of list bindings: growing
// as the user types, reading rows as numbers, and the grid failures of the
// page exchange.
#include <gtest/gtest.h>

#include "cool/ExpanderGrid.h"
#include "keyword/BindingsDemoDialog.h"
#include "platform/StepAgent.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

using namespace demo;

namespace {

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
        EXPECT_EQ(grid.GetValueColumnWidth(1), (frame.Width() - CExpanderGrid::kRowHeadingWidth) / 2);

        // Nothing loaded: one empty row to type into, which holds no value.
        EXPECT_EQ(grid.GetRowCount(), 1);
        EXPECT_EQ(grid.GetValueRowCount(), 0);
        EXPECT_FALSE(grid.IsVerticalScrollEnabled());
        EXPECT_INPUT(UserInput::SetCell(&grid, 1, 1, "80"));
        EXPECT_EQ(grid.GetRowCount(), 2) << "entering the last row appends one";
        EXPECT_INPUT(UserInput::SetCell(&grid, 2, 1, " 50 "));
        EXPECT_INPUT(UserInput::SetCell(&grid, 2, 2, "5s"));
        EXPECT_EQ(grid.GetValueRowCount(), 2);
        double a = 0, b = 0;
        EXPECT_FALSE(grid.GetRowValues(2, &a, &b));
        EXPECT_TRUE(grid.GetRowValues(2, &a, nullptr));
        EXPECT_EQ(a, 50);
        EXPECT_FALSE(grid.GetRowValues(1, &a, &b)) << "an empty cell is no number";

        // Appending after a clear fills the room left for typing first.
        grid.ClearValueRows();
        grid.AppendValueRow(1, 2);
        EXPECT_EQ(grid.GetRowCount(), 1);
        for (int i = 0; i < 20; ++i)
            grid.AppendValueRow(i, i);
        EXPECT_TRUE(grid.IsVerticalScrollEnabled());
        // Without the expand flag nothing is added.
        demo.dims.AppendValueRow(7);
        EXPECT_INPUT(UserInput::SetCell(&demo.dims, 1, 1, "8"));
        EXPECT_EQ(demo.dims.GetRowCount(), 1);
        UserInput::Cancel(modal);
    });
    demo.dlg.DoModal();
}

class GridBindings : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetUnitSystem(kUnitsMetric);
        wiztest::WriteBytes(dir / "demo.rng", "DEMO_PROFILE_RANGE: [0:250000000]\nDEMO_PROFILE_RANGE2: [0:)\n"
                                              "DEMO_DIMENSIONS_RANGE: (0:1]\n");
        wiztest::WriteBytes(dir / "job.kw", "DEMO_NAME: cup\nDEMO_CAVITY_COUNT: 4\nDEMO_MOLD_TEMPERATURE: 45\n"
                                            "DEMO_LAYERS: 0.001\nDEMO_PROFILE: 8e+07 10 \\\n5e+07 5\n"
                                            "DEMO_DIMENSIONS: 0.1 \\\n0.2 \\\n0.3\n");
        EXPECT_TRUE(demo.dlg.bindings.MergeRanges(dir / "demo.rng"));
        ASSERT_TRUE(demo.dlg.bindings.LoadValues(dir / "job.kw"));
    }

    CWinApp app;
    wiztest::ScratchDir dir;
    GridDemo demo;
};

TEST_F(GridBindings, ListsAndPairsGoFileToGridToFile)
{
    StepAgent agent;
    agent.Then([&](CWnd* modal) {
        // Shown in MPa and mm, under headings that carry range and unit, and
        // rebuilt rather than extended when shown again.
        demo.dlg.UpdateData(FALSE);
        EXPECT_EQ(demo.profile.GetValueRowCol(1, 1), "80");
        EXPECT_EQ(demo.dims.GetValueRowCol(3, 1), "300");
        EXPECT_EQ(demo.profile.GetColumnHeading(0), "Pressure\n[0:250] MPa");
        EXPECT_EQ(demo.profile.GetColumnHeading(1), "Time\n[0:) sec");
        EXPECT_EQ(demo.dims.GetColumnHeading(0), "Size\n(0:1000] mm");
        UserInput::Cancel(modal);
    });
    demo.dlg.DoModal();
    EXPECT_EQ(demo.dlg.bindings.GetLabel("DEMO_PROFILE"), "Value");

    EXPECT_EQ(RunScript(demo.dlg, R"(
        expect text 31030 "2 rows"
        cell 31030 2 1 60
        cell 31030 3 1 20
        cell 31030 3 2 2.5
        cell 31031 3 1 250
        ok
    )"), "");
    ASSERT_TRUE(demo.dlg.bindings.SaveValues(dir / "job.kw"));
    const std::string written = Unix(wiztest::ReadBytes(dir / "job.kw"));
    EXPECT_NE(written.find("DEMO_PROFILE: 8e+07 10 \\\n6e+07 5 \\\n2e+07 2.5\n"), std::string::npos) << written;
    EXPECT_NE(written.find("DEMO_DIMENSIONS: 0.1 \\\n0.2 \\\n0.25\n"), std::string::npos) << written;
}

TEST_F(GridBindings, EmptyGridsNonNumbersAndSecondColumnRanges)
{
    demo.dlg.profile.clear();
    EXPECT_EQ(RunScript(demo.dlg, R"(
        ok
        expect message "Value cannot be blank."
        answer OK
        cell 31030 1 1 80
        cell 31030 1 2 ten
        ok
        expect message "Please enter a number!"
        answer OK
        cell 31030 1 2 -1
        ok
        expect message "Value is out of range."
        answer OK
        cancel
    )"), "");
    ASSERT_EQ(GetUiLog().size(), 3u);
    EXPECT_EQ(GetUiLog()[0].helpId, 13046u);
    EXPECT_EQ(GetUiLog()[1].helpId, 13030u);
    EXPECT_TRUE(demo.dlg.profile.empty()) << "a refused grid stores nothing";
}

TEST_F(GridBindings, PressureAtANodeTestsBothValuesAgainstTheSecondRange)
{
    CDoublePairList node{{57, 2e7}};
    demo.dlg.bindings.Bind("DEMO_PROFILE", -1, -1, kBindPairs, &demo.dlg.profile);
    demo.dlg.bindings.Bind("DEMO_PRESSURE_AT_A_NODE", kProfile, -1, kBindPairs, &node, 35, 11,
                           kBindPairSharesSecondRange);
    demo.dlg.bindings.SetRangeText("DEMO_PRESSURE_AT_A_NODE_RANGE", "[0:1]");
    demo.dlg.bindings.SetRangeText("DEMO_PRESSURE_AT_A_NODE_RANGE2", "[0:100000000]");
    // 57 passes the second range, not the first; 2e8 passes neither.
    EXPECT_EQ(RunScript(demo.dlg, "cell 31030 1 1 2e8\nok\nexpect message \"Value is out of range.\"\n"
                                  "answer OK\ncell 31030 1 1 57\nok\n"), "");
    EXPECT_EQ(node, (CDoublePairList{{57, 2e7}}));
}
