#pragma once
// CMachineParamsDlg: one injection molding machine of the machine database,
// shown read-only at first (editable for a blank machine), edited after
// "Edit" and saved over the file of the same machine or as a new numbered
// file in the machine database folder. Its keywords are bound in a table of
// its own, with the machine ranges and defaults of the solver data folder.
#include <map>
#include <memory>
#include <string>

#include "keyword/KeywordBindings.h"
#include "platform/window/Controls.h"
#include "platform/window/Dialog.h"

class CMachineParamsDlg : public CDialog {
public:
    explicit CMachineParamsDlg(CWnd* parent = nullptr);
    ~CMachineParamsDlg() override;

    // Shows the machine of `path` (before DoModal).
    void LoadMachine(const std::string& path);
    // The machine the dialog last showed, for the opener to select.
    const std::string& GetManufacturer() const { return m_strManufacturer; }
    const std::string& GetModelCode() const { return m_strModelCode; }
    // The file the last save wrote ("" when none).
    const std::string& GetSavedFile() const { return m_strSavedFile; }
    CKeywordBindings& GetBindings() { return m_bindings; }

    // The machine's fields, in SI.
    std::string m_strManufacturer;
    std::string m_strModelCode;
    double m_dClampForce = 0;
    std::string m_strControllerCode;
    double m_dPressureSteps = 0;
    double m_dVelocitySteps = 0;
    bool m_bPressureTime = false;
    bool m_bPressureConstant = false;
    bool m_bPressureLinear = false;
    bool m_bRamVelocity = false;
    bool m_bZonePressure = false;
    bool m_bVelocityConstant = false;
    bool m_bVelocityLinear = false;
    bool m_bZoneVelocity = false;
    double m_dMaxPressure = 0;
    double m_dMaxVelocity = 0;
    double m_dResponseTime = 0;
    double m_dScrewDiameter = 0;
    double m_dIntensification = 0;
    double m_dScrewStroke = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Save (the dialog's default button).
    void OnOK() override;
    // Close, after asking when there are unsaved edits.
    void OnCancel() override;
    void OnDestroy() override;

private:
    void OnEdit();
    void ShowView(bool editable);
    // Saves into `path` and returns to the read-only view.
    bool SaveTo(const std::string& path);
    // The machine database folder, asked for when none is set; "" when the user declines.
    std::string DatabaseFolder();
    void FocusManufacturer();

    CKeywordBindings m_bindings;
    std::map<int, std::unique_ptr<CStatic>> m_overlays;
    std::string m_strSavedFile;
};
