#include "platform/agents/UiLog.h"

static std::vector<CUiLogRecord> g_log;

const std::vector<CUiLogRecord>& GetUiLog() { return g_log; }

void AppendUiLog(CUiLogRecord record) { g_log.push_back(std::move(record)); }

void ClearUiLog() { g_log.clear(); }

std::string FormatUiLogRecord(const CUiLogRecord& r)
{
    switch (r.kind) {
    case UiLogKind::MessageBox:
        return "message: " + r.text;
    case UiLogKind::FileDialog:
        return "file: " + (r.result ? r.path : std::string("(cancelled)"));
    case UiLogKind::FolderDialog:
        return "folder: " + (r.result ? r.path : std::string("(cancelled)"));
    case UiLogKind::HelpPopup:
        return "help: " + std::to_string(r.helpId);
    }
    return {};
}
