#pragma once
// The circuit parameters dialog: a list of the circuits with their settings,
// and a row of fields under it that "Set" applies to every selected circuit.
// It works on the caller's circuit set directly; the caller keeps a copy to
// undo it when the dialog does not end with OK.
#include <string>

#include "cool/CoolingCircuits.h"
#include "platform/window/Dialog.h"

class CComboBox;
class CListCtrl;

class CCircuitDialog : public CDialog {
public:
    // `byCircuit`: the network is analysed circuit by circuit, so each
    // circuit's flow control is shown and edited.
    CCircuitDialog(MCoolingCircuits& circuits, bool byCircuit, CWnd* parent = nullptr);

    // The text of each column of circuit `i`'s row, as the list shows it.
    static std::string FormatCell(const MCoolingCircuits& set, const MCoolingCircuit& circuit, int column,
                                  UnitSystem system);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;

private:
    enum Column { kColName, kColTemperature, kColCoolant, kColGlycol, kColControl, kColValue, kColumnCount };

    CListCtrl& List() const;
    CComboBox& Combo(int id) const;
    void DropFlowControl();
    void AddColumns();
    void RefreshRow(int row);
    // The fields show what the selected rows have in common.
    void ShowSelection();
    void ApplyGlycolRule();
    void OnControlChosen();
    void ApplyFields();
    void SetField(int id, const std::string& text);

    MCoolingCircuits& m_circuits;
    bool m_bByCircuit;
    UnitSystem m_system;
    bool m_bFilling = false; // field changes made by the dialog itself
};

// The text common to `cells`: the first non-empty one, unless a later cell
// differs from it; empty cells before the first value are passed over.
std::string CommonCellText(const std::vector<std::string>& cells);
