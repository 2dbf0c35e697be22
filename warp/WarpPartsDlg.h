#pragma once
// CWarpWizPartsDlg: "Parts to analyze", the parts of the model's mesh an
// analysis takes in, stored in the working file as their attribute numbers.
#include <string>

#include "platform/window/Dialog.h"

class CWarpWizPartsDlg : public CDialog {
public:
    CWarpWizPartsDlg();

    // The model whose parts are listed and the working file that keeps the
    // choice; set by the page that opens the dialog.
    std::string m_strModelFile;
    std::string m_strWorkingFile;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
