// The folder dialog over the agent's folder browser: what it hands the
// browser, the notices it passes on, and when a choice counts as a folder.
#include "flow/FolderDialog.h"
#include "platform/window/Wnd.h"
#include "platform/agents/UiLog.h"
#include "FlowTestSupport.h"

#include <climits>

namespace {

using flowtest::SampleProject;

// Records the notices, and moves the selection once initialised.
class TracingFolderDialog : public CFolderDialog {
public:
    using CFolderDialog::CFolderDialog;
    std::string startAt;
    std::vector<std::string> notices;

protected:
    void OnInitialized() override
    {
        notices.push_back("initialised");
        if (!startAt.empty())
            SetSelection(startAt);
        SetStatusText("Pick a folder");
    }
    void OnSelChanged(const std::string& folder) override { notices.push_back("selected " + folder); }
};

class FolderDialog : public SampleProject {
protected:
    // The browser flags of the last question the UI log holds.
    UINT LoggedFlags() const { return GetUiLog().empty() ? 0 : GetUiLog().back().type; }
};

} // namespace

TEST_F(FolderDialog, NoticesFlagsAndTheChosenFolder)
{
    TracingFolderDialog dialog("Database", "/start", BIF_RETURNONLYFSDIRS);
    dialog.startAt = "/elsewhere";
    ClearUiLog();
    EXPECT_EQ(Run(dialog, "choose /db/machines\n"), IDOK);
    EXPECT_EQ(dialog.GetFolderPath(), "/db/machines");
    // The status text flag is always added.
    EXPECT_EQ(dialog.GetFlags(), BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    EXPECT_EQ(LoggedFlags(), BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    EXPECT_EQ(dialog.GetStatusText(), "Pick a folder");
    const std::vector<std::string> expected = {"initialised", "selected /elsewhere", "selected /db/machines"};
    EXPECT_EQ(dialog.notices, expected);
}

TEST_F(FolderDialog, CancelOrAnUnusablePathIsNoFolder)
{
    TracingFolderDialog cancelled("Database");
    EXPECT_EQ(Run(cancelled, "choose cancel\n"), IDCANCEL);
    EXPECT_EQ(cancelled.GetFolderPath(), "");
    // Helpers do nothing while the browser is not up.
    const std::vector<std::string> onlyStarted = {"initialised"};
    EXPECT_EQ(cancelled.notices, onlyStarted);

    // Owned by the window given, else by the active one (none here).
    CWnd parent;
    TracingFolderDialog owned("Database", "", 0, &parent);
    EXPECT_EQ(Run(owned, "choose cancel\n"), IDCANCEL);
    EXPECT_EQ(owned.GetOwner(), &parent);
    EXPECT_EQ(cancelled.GetOwner(), nullptr);

    TracingFolderDialog tooLong("Database");
    const std::string path = "/" + std::string(PATH_MAX, 'a');
    EXPECT_EQ(Run(tooLong, "choose " + path + "\n"), IDCANCEL);
    EXPECT_EQ(tooLong.GetFolderPath(), "");
}
