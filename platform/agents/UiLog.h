#pragma once
// The UI log: every message box, file or folder dialog and help pop-up the
// library shows is appended here, with the answer it got, so that tests and the
// script agent can check what the user was told.
#include <string>
#include <vector>

enum class UiLogKind { MessageBox, FileDialog, FolderDialog, HelpPopup };

struct CUiLogRecord {
    UiLogKind kind = UiLogKind::MessageBox;
    std::string text;      // message text; dialog title; help file of a pop-up
    std::string caption;   // message box caption; file filter
    unsigned type = 0;     // MB_ bits of a message box; OFN_ flags; help command
    unsigned helpId = 0;   // help context id of a message box or pop-up
    int result = 0;        // button a message box returned; 1 chosen / 0 cancelled for dialogs
    std::string path;      // path a file or folder dialog returned
};

const std::vector<CUiLogRecord>& GetUiLog();
void AppendUiLog(CUiLogRecord record);
void ClearUiLog();
// Readable one-line form: "message: TEXT", "file: PATH", "help: ID"...
std::string FormatUiLogRecord(const CUiLogRecord& record);
