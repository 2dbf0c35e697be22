#pragma once
// CValveTimingGrid: the grid of the valve-gate page in which each valve-gate
// group gets its initial state and the times at which it switches, and each
// overflow well of a gas mold its opening time. It lists the groups of a
// boundary-condition set and reads and writes its own keywords in the
// wizard's working keyword file; they are not keyword bindings.
//
// Layout: row 0 holds the headings, one row per group follows (polymer valve
// gates, then, in a gas analysis, gas valve gates and overflow wells).
// Column 0 is the group's label, column 1 the initial state (a drop-down list
// whose value is the index of the chosen state), columns 2 to 7 the switching
// times: even columns open the gate, odd ones close it. A valve row uses five
// consecutive time columns and the sixth is greyed.
#include <string>
#include <vector>

#include "platform/system/FileIo.h"
#include "platform/system/Result.h"
#include "platform/window/GridWnd.h"

class CValveTimingGrid : public CGXGridWnd {
public:
    static constexpr int kLabelColumn = 0;
    static constexpr int kStateColumn = 1;
    static constexpr int kFirstTimeColumn = 2;
    static constexpr int kLastTimeColumn = 7;
    static constexpr int kUsedTimeColumns = 5;
    // Indices of the state list, which are also the positions of the tokens.
    enum EState { kStateOpen = 0, kStateClosed = 1, kStateFlowFront = 2 };

    // The grid's base, with the time columns.
    bool CreateInPlaceOf(CWnd* placeholder, UINT id);

    // Valve keywords start "MOLD3D_" on a 3D model and "3DFLOW_" otherwise;
    // set before Load and Save.
    void SetModel3D(bool is3D) { m_b3D = is3D; }

    // Lists the groups of the boundary-condition set `boundaryFile`: its
    // polymer valve-gate groups and, with `gas`, its gas valve-gate groups and
    // overflow wells, each row in its initial state with empty times. A set
    // that cannot be read gives no rows.
    void Fill(const std::string& boundaryFile, bool gas);
    // Shows the states and times the keyword file at `keywordFile` holds for
    // the listed groups. Fails, changing nothing, when the file cannot be read.
    CResult Load(const std::string& keywordFile);
    // Writes the states and times of every listed group into the keyword file
    // at `keywordFile`, keeping all its other keywords. Fails, writing
    // nothing, when the file cannot be read; and when it cannot be written.
    CResult Save(const std::string& keywordFile,
                 wizsys::Durability durability = wizsys::Durability::kFlushed) const;

    int GetPolymerRowCount() const { return m_nPolymerRows; }
    int GetValveRowCount() const { return static_cast<int>(m_valveGroups.size()); }
    bool IsWellRow(int row) const { return row > GetValveRowCount() && row <= GetRowCount(); }
    // The first of the five time columns a valve row uses (2 or 3).
    int GetFirstUsedColumn(int row) const;
    bool IsGreyed(int row, int col) const;
    // "3DFLOW_VALVE_GROUP1_", "MOLD3D_GAS_VALVE_GROUP2_", ...: the start of a
    // valve row's keywords.
    std::string GetRowPrefix(int row) const;
    // The keyword of a well row's opening time.
    std::string GetWellKeyword(int row) const;

protected:
    // A state picked in a valve row moves the row's times to the columns of
    // the new state.
    void OnModifyCell(int row, int col) override;
    // Times may be cleared; what is typed must be a finite number of at
    // least 0.
    bool OnValidateCell(int row, int col, const std::string& text) override;

private:
    void LayOutValveRow(int row, const std::string& label, const std::string& states, int initial);
    void LayOutWellRow(int row, const std::string& label);
    // Every time cell takes numbers of at least 0, and says so when it refuses one.
    void LimitTimes();
    // Greys the one time column the row does not use and frees the others.
    void ApplyColumns(int row, bool opensFirst);
    void ClearTimes(int row);
    int GetStateIndex(int row) const;
    static bool OpensFirst(int stateIndex) { return stateIndex == kStateOpen; }

    bool m_b3D = false;
    int m_nPolymerRows = 0;
    std::vector<int> m_valveGroups; // group number of each valve row, rows 1..
    std::vector<int> m_wellGroups;  // group number of each well row, after the valve rows
    std::vector<char> m_opensFirst; // per valve row: uses columns 3 to 7
};
