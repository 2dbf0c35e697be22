#pragma once
// The gas settings of a gas-assisted analysis: the gas process, the polymer
// nozzle shut-off, the gas cooling time and, in a grid, the parameters of
// every gas cylinder the boundary conditions name. The cylinder parameters
// are not bound fields: the grid reads and writes them in the working file.
// And the quality criteria of an optimisation analysis.
#include <string>
#include <vector>

#include "flow/FlowPages.h"
#include "platform/window/GridWnd.h"
#include "units/Units.h"

class CKeywordBindings;
class MKeywordFile;

class CGasCylinderGrid : public CGXGridWnd {
public:
    // Forgets the cylinders: the grid is empty until the next layout.
    void Reset();
    // One column per cylinder (numbers ascending) with the seven parameters
    // in rows, or, for constant pressure, two columns per cylinder with the
    // delay time and up to six (pressure, time) points. Row headings carry
    // the range and unit from `bindings`.
    void BuildLayout(const std::vector<int>& cylinders, bool constantPressure, const CKeywordBindings& bindings);
    // Fills the cells from the cylinder keywords present in `file`.
    void LoadCells(const MKeywordFile& file, UnitSystem system);
    // Writes the cells into the working file at `path`. With `validate`, an
    // empty cell, a value out of range or a cylinder without a profile point
    // is refused; without, empty cells remove their keyword. A gas release
    // time not after the delay time is refused either way. A refusal shows
    // its message, selects the cell and returns false, writing nothing.
    bool Write(const std::string& path, bool validate, const CKeywordBindings& bindings);
    // Every cylinder has each parameter its process needs (and, with
    // constant pressure, a first profile point).
    bool IsComplete() const;

    const std::vector<int>& GetCylinders() const { return m_cylinders; }
    bool IsConstantPressure() const { return m_constantPressure; }

    // Rows of the layouts.
    static constexpr int kParameterRows = 7;
    static constexpr int kReleaseRow = 7;
    static constexpr int kProfileHeadingRow = 2;
    static constexpr int kFirstPointRow = 3;
    static constexpr int kMaxPoints = 6;

private:
    int FirstColumn(std::size_t cylinder) const;
    bool IsFilled(int row, int col) const;
    bool Refuse(int row, int col, UINT messageId);
    bool WriteProfile(MKeywordFile& file, std::size_t cylinder, bool validate, const CKeywordBindings& bindings);

    std::vector<int> m_cylinders;
    bool m_constantPressure = false;
};

class CGasSettingsDlg : public CFlowBoundDialog {
public:
    explicit CGasSettingsDlg(CFlowWizard& wizard);

    // Whether the gas settings are complete enough to leave the process page.
    bool IsGasReady() const { return m_bGasReady; }
    void SetGasReady(bool ready) { m_bGasReady = ready; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnGasProcess();
    void OnShutOff();

    CGasCylinderGrid m_grid;
    bool m_bGasReady = true;
};

class CQualityCriteriaDlg : public CFlowBoundDialog {
public:
    explicit CQualityCriteriaDlg(CFlowWizard& wizard);
};
