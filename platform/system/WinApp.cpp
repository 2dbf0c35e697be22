#include "platform/system/WinApp.h"

#include "platform/agents/UiLog.h"
#include "platform/system/FileIo.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

static CWinApp* g_app = nullptr;

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

void CWinApp::WinHelp(unsigned long data, unsigned cmd)
{
    CUiLogRecord record;
    record.kind = UiLogKind::HelpPopup;
    record.text = m_pszHelpFilePath;
    record.type = cmd;
    record.helpId = static_cast<unsigned>(data);
    AppendUiLog(std::move(record));
}

CWinApp::CWinApp()
{
    assert(!g_app && "only one application object per process");
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

static std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

void CWinApp::SetProfileFile(const std::string& path)
{
    m_profileFile = path;
    m_profile.clear();
    std::ifstream in(path);
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        m_profile[section][Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
}

int CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    std::string text = GetProfileString(section, entry, "");
    if (text.empty())
        return defaultValue;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    return end == text.c_str() ? defaultValue : static_cast<int>(v);
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const
{
    auto s = m_profile.find(section);
    if (s == m_profile.end())
        return defaultValue;
    auto e = s->second.find(entry);
    return e == s->second.end() ? defaultValue : e->second;
}

bool CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value)
{
    return WriteProfileString(section, entry, std::to_string(value));
}

bool CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    m_profile[section][entry] = value;
    return SaveProfile();
}

bool CWinApp::SaveProfile() const
{
    if (m_profileFile.empty())
        return true;
    // A first setting made on a fresh account has no settings folder yet.
    std::error_code dirError;
    const std::filesystem::path parent = std::filesystem::path(m_profileFile).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, dirError);
    std::string text;
    for (const auto& [section, entries] : m_profile) {
        text += '[' + section + "]\n";
        for (const auto& [key, value] : entries)
            text += key + '=' + value + '\n';
    }
    return wizsys::WriteWholeFile(m_profileFile, text).IsOk();
}
