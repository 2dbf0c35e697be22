#pragma once
// The application object: the one per process that the library asks for the
// user's settings (unit system, help file, profile values). wizhost and the
// tests construct one; without it the library falls back to its defaults.
#include <map>
#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Profile settings ("section", "entry") kept in a text file of
    // "[section]" headers and "entry=value" lines. With no file set they live in memory.
    void SetProfileFile(const std::string& path); // loads it when it exists
    const std::string& GetProfileFile() const { return m_profileFile; }
    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = "") const;
    // Both write the file through at once; false when it cannot be written.
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);

    // The help file the host shows context help from; wizards switch it while they run.
    std::string m_pszHelpFilePath;
    // The caption of message boxes.
    std::string m_pszAppName = "wizhost";

    // Shows help from the help file: HELP_CONTEXT opens a topic,
    // HELP_CONTEXTPOPUP a pop-up. Here both are recorded in the UI log.
    virtual void WinHelp(unsigned long data, unsigned cmd);

    int GetUnitSystem() const { return m_unitSystem; }
    void SetUnitSystem(int system) { m_unitSystem = system; }

    CWnd* m_pMainWnd = nullptr;
    CWnd* GetMainWnd() const { return m_pMainWnd; }

private:
    bool SaveProfile() const;

    std::map<std::string, std::map<std::string, std::string>> m_profile;
    std::string m_profileFile;
    int m_unitSystem = 0;
};

// The current application object, or null when none exists.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
