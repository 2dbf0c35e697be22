// The valve-gate timing grid on its own: the rows a boundary-condition set
// gives, the keywords it reads and writes, and the columns its times move to
// when a state is picked.
#include "flow/ValveTimingGrid.h"
#include "keyword/KeywordFile.h"
#include "platform/StepAgent.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kGasSet = "*MODEL     plate1.zql\n\t1\t1\t1\n*NODAL     INJECT\n\t3\t1\t1\n"
                                "*ELEMENTAL VGGRP\n\t5\t1\t1\n*NODAL     GASVGG\n\t6\t2\t1\n"
                                "*ELEMENTAL WELLVGG\n\t7\t3\t1\n";
constexpr const char* kPolymerSet = "*ELEMENTAL VGGRP\n\t5\t4\t1\n\t6\t2\t1\n\t7\t4\t1\n";

class ValveTimingGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        wiztest::WriteBytes(dir / "gas.bf3", kGasSet);
        wiztest::WriteBytes(dir / "polymer.bf3", kPolymerSet);
    }
    // A working file of `text`, and the grid loaded from it.
    std::string Working(const std::string& text)
    {
        const std::string path = dir / "working.kwd";
        wiztest::WriteBytes(path, text);
        return path;
    }
    std::string Raw(const std::string& path, const std::string& keyword)
    {
        MKeywordFile file;
        EXPECT_TRUE(file.Load(path));
        return file.GetRawValue(keyword);
    }

    wiztest::ScratchDir dir;
    StepAgent agent;
    CValveTimingGrid grid;
};

} // namespace

TEST_F(ValveTimingGrid, RowsFollowTheBoundaryConditionsAndTheGasFlag)
{
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetColCount(), 7);
    EXPECT_EQ(grid.GetValueRowCol(0, 1), "Initial State");
    EXPECT_EQ(grid.GetValueRowCol(0, 7), "\xC4");
    // Ascending group numbers, each once.
    EXPECT_EQ(grid.GetValueRowCol(1, 0), "2\n");
    EXPECT_EQ(grid.GetValueRowCol(2, 0), "4\n");
    EXPECT_EQ(grid.GetChoices(1, 1), (std::vector<std::string>{"Open", "Closed", "Flow front"}));
    EXPECT_EQ(grid.GetControlText(1, 1), "Open");
    EXPECT_TRUE(grid.IsGreyed(1, 2));
    EXPECT_TRUE(grid.IsReadOnlyCell(1, 2));

    grid.Fill(dir / "gas.bf3", true);
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetValueRowCol(1, 0), "Polymer 1");
    EXPECT_EQ(grid.GetValueRowCol(2, 0), "Gas 2\n");
    EXPECT_EQ(grid.GetValueRowCol(3, 0), "Well 3\n");
    EXPECT_EQ(grid.GetChoices(2, 1), (std::vector<std::string>{"Open", "Closed"}));
    EXPECT_EQ(grid.GetControlText(2, 1), "Closed");
    EXPECT_TRUE(grid.IsGreyed(2, 7));
    // A well only opens: column 2 and nothing else.
    EXPECT_TRUE(grid.IsReadOnlyCell(3, 1));
    EXPECT_FALSE(grid.IsReadOnlyCell(3, 2));
    for (int col = 3; col <= 7; ++col)
        EXPECT_TRUE(grid.IsGreyed(3, col)) << col;

    // Refilled, nothing of the earlier rows stays.
    ASSERT_TRUE(grid.EnterValue(1, 3, "2"));
    grid.Fill(dir / "gas.bf3", true);
    EXPECT_EQ(grid.GetValueRowCol(1, 3), "");
    grid.Fill(dir / "missing.bf3", true);
    EXPECT_EQ(grid.GetRowCount(), 0);
}

TEST_F(ValveTimingGrid, LoadShowsStoredStatesAndAtMostFiveTimes)
{
    const std::string path = Working("3DFLOW_VALVE_GROUP2_INITIAL_STATE: CLOSED\n"
                                     "3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE: \\\n1.5 \\\n3\n"
                                     "3DFLOW_VALVE_GROUP4_INITIAL_STATE: OPEN\n"
                                     "3DFLOW_VALVE_GROUP4_TIMING_SEQUENCE: 1,2;3 4 5 6 7\n");
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_TRUE(grid.Load(path));
    EXPECT_EQ(grid.GetControlText(1, 1), "Closed");
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "1.5");
    EXPECT_EQ(grid.GetValueRowCol(1, 3), "3");
    EXPECT_TRUE(grid.IsGreyed(1, 7));
    EXPECT_EQ(grid.GetValueRowCol(2, 3), "1");
    EXPECT_EQ(grid.GetValueRowCol(2, 7), "5");

    // An unknown state is no entry of the list: shown as none, laid out
    // like a closed row.
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_TRUE(grid.Load(Working("3DFLOW_VALVE_GROUP2_INITIAL_STATE: AJAR\n"
                                  "3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE: 0.25\n")));
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "-1");
    EXPECT_EQ(grid.GetControlText(1, 1), "");
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "0.25");

    // A well's time in full, whatever the mesh; valve keywords by mesh.
    grid.SetModel3D(true);
    grid.Fill(dir / "gas.bf3", true);
    ASSERT_TRUE(grid.Load(Working("3DFLOW_GAS_OVERFLOW_WELL_GROUP3_OPENING_TIME: 1.234567890123456\n")));
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "1.234567890123");
    EXPECT_EQ(grid.GetRowPrefix(2), "MOLD3D_GAS_VALVE_GROUP2_");

    // A file that cannot be read changes nothing.
    EXPECT_FALSE(grid.Load(dir / "absent.kwd"));
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "1.234567890123");
}

TEST_F(ValveTimingGrid, SaveWritesEveryGroupAndKeepsTheRest)
{
    const std::string path = Working("OTHER: 1\n3DFLOW_VALVE_GROUP9_INITIAL_STATE: CLOSED\n"
                                     "3DFLOW_VALVE_GROUP4_TIMING_SEQUENCE: 1 2 3 4 5 6 7\n");
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_TRUE(grid.Load(path));
    ASSERT_TRUE(grid.Save(path));
    // Nothing typed: open, and an empty timing text that the file leaves out.
    MKeywordFile file;
    ASSERT_TRUE(file.Load(path));
    EXPECT_EQ(file.GetValue("3DFLOW_VALVE_GROUP2_INITIAL_STATE"), "OPEN");
    EXPECT_FALSE(file.HasKeyword("3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE"));
    // Seven stored, five kept, each on a continued line.
    EXPECT_EQ(file.GetRawValue("3DFLOW_VALVE_GROUP4_TIMING_SEQUENCE"), "\\\n1 \\\n2 \\\n3 \\\n4 \\\n5");
    // A group the set no longer has is left alone, and so is the rest.
    EXPECT_EQ(file.GetValue("3DFLOW_VALVE_GROUP9_INITIAL_STATE"), "CLOSED");
    EXPECT_EQ(file.GetValue("OTHER"), "1");

    // An unknown state is written empty, which the file leaves out.
    ASSERT_TRUE(grid.Load(Working("3DFLOW_VALVE_GROUP2_INITIAL_STATE: AJAR\n")));
    ASSERT_TRUE(grid.Save(dir / "working.kwd"));
    ASSERT_TRUE(file.Load(dir / "working.kwd"));
    EXPECT_FALSE(file.HasKeyword("3DFLOW_VALVE_GROUP2_INITIAL_STATE"));

    // Without a file to start from nothing is written.
    EXPECT_FALSE(grid.Save(dir / "absent.kwd"));
    EXPECT_EQ(wiztest::ReadBytes(dir / "absent.kwd"), "");
}

TEST_F(ValveTimingGrid, PickingAStateMovesTheTimesToItsColumns)
{
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_TRUE(grid.EnterValue(1, 3, "1"));
    ASSERT_TRUE(grid.EnterValue(1, 7, "9"));
    EXPECT_FALSE(grid.EnterValue(1, 2, "1")) << "column 2 of an open row is greyed";

    // Open to closed: the first event becomes an opening; the times go.
    ASSERT_TRUE(grid.EnterValue(1, 1, "Closed"));
    for (int col = 2; col <= 7; ++col)
        EXPECT_EQ(grid.GetValueRowCol(1, col), "") << col;
    EXPECT_TRUE(grid.IsGreyed(1, 7));
    EXPECT_FALSE(grid.IsGreyed(1, 2));

    // Closed and flow front share their columns: the times stay.
    ASSERT_TRUE(grid.EnterValue(1, 2, "0.5"));
    ASSERT_TRUE(grid.EnterValue(1, 1, "Flow front"));
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "0.5");
    ASSERT_TRUE(grid.Save(Working("")));
    EXPECT_EQ(Raw(dir / "working.kwd", "3DFLOW_VALVE_GROUP2_INITIAL_STATE"), "FLOW_FRONT");
    EXPECT_EQ(Raw(dir / "working.kwd", "3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE"), "\\\n0.5");
    // ... and read back the same way.
    grid.Fill(dir / "polymer.bf3", false);
    ASSERT_TRUE(grid.Load(dir / "working.kwd"));
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "0.5");
    EXPECT_EQ(grid.GetControlText(1, 1), "Flow front");

    // Flow front to open moves the row again; open to open changes nothing.
    ASSERT_TRUE(grid.EnterValue(1, 1, "Open"));
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "");
    EXPECT_TRUE(grid.IsGreyed(1, 2));
    ASSERT_TRUE(grid.EnterValue(1, 4, "2"));
    ASSERT_TRUE(grid.EnterValue(1, 1, "Open"));
    EXPECT_EQ(grid.GetValueRowCol(1, 4), "2");
}

TEST_F(ValveTimingGrid, TimesMustBeNumbersOfAtLeastZero)
{
    grid.Fill(dir / "gas.bf3", true);
    for (const char* bad : {"-0.1", "soon", "inf", "1.5s"}) {
        EXPECT_FALSE(grid.EnterValue(2, 2, bad)) << bad;
        EXPECT_EQ(agent.lastBox.text, "Value is out of range.") << bad;
        agent.lastBox = {};
    }
    EXPECT_FALSE(grid.EnterValue(2, 6, "-1")) << "the last column is checked too";
    EXPECT_FALSE(grid.EnterValue(3, 2, "-1")) << "and a well's opening time";
    ASSERT_TRUE(grid.EnterValue(2, 2, "0"));
    // A time may be taken out again.
    agent.lastBox = {};
    ASSERT_TRUE(grid.EnterValue(2, 2, ""));
    EXPECT_EQ(agent.lastBox.text, "");
    // The gas gate's list has no flow front.
    EXPECT_FALSE(grid.EnterValue(2, 1, "Flow front"));
}
