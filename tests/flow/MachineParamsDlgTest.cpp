// The machine parameters dialog on a copy of the sample project: its views,
// and where Save writes (over a writable machine of the same name after a
// question, never over a read-only one, else a new numbered file in the
// machine database folder, asked for when none is set).
#include "flow/FlowWizard.h"
#include "flow/FolderDialog.h"
#include "flow/MachineParamsDlg.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "FlowTestSupport.h"

namespace {

class MachineParams : public flowtest::SampleProject {
protected:
    // A machine file of its own maker, unknown to the installation.
    std::string WriteMachine(const std::string& path, const std::string& model, const std::string& clamp)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        wiztest::WriteBytes(path, "MACHINE_MANUFACTURER: Testco\nMACHINE_MANUFACTURER_MODEL_CODE: " + model +
                                      "\nMACHINE_CLAMP_MAXIMUM_CLAMP_FORCE: " + clamp +
                                      "\nMACHINE_INJECTION_SCREW_DIAMETER: 0.03\n");
        return path;
    }
    std::string Clamp(const std::string& path)
    {
        MKeywordFile file;
        EXPECT_TRUE(file.Load(path));
        return file.GetValue("MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE");
    }
    std::vector<std::string> ImmFiles(const std::string& folder)
    {
        std::vector<std::string> names;
        if (!std::filesystem::exists(folder))
            return names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".imm")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(MachineParams, AWritableMatchIsOverwrittenAfterTheQuestion)
{
    const std::string db = dir / "db";
    const std::string readOnly = WriteMachine(db + "/testco.imm", "T-1", "1E+6");
    ASSERT_TRUE(CFilePath(readOnly).SetReadOnly(true));
    ASSERT_TRUE(tree.SetMachineDBPath(db));
    const std::string writable = WriteMachine(project + "/mine.imm", "T-1", "1E+6");

    CMachineParamsDlg dialog;
    dialog.LoadMachine(writable);
    Run(dialog, "expect disabled IDC_MACH_SAVE\nexpect disabled IDC_MACH_PRESSURE_TIME\n"
                "expect text IDC_MACH_MANUFACTURER Testco\n"
                "click IDC_MACH_EDIT\nexpect disabled IDC_MACH_EDIT\nexpect enabled IDC_MACH_PRESSURE_TIME\n"
                "type IDC_MACH_CLAMP_FORCE 90\nclick IDC_MACH_SAVE\n"
                "expect message Overwrite existing machine definition?\nanswer Cancel\n"
                "expect enabled IDC_MACH_SAVE\n"
                "click IDC_MACH_SAVE\nexpect message Overwrite existing machine definition?\nanswer OK\n"
                "expect disabled IDC_MACH_SAVE\nexpect enabled IDC_MACH_EDIT\n"
                "expect disabled IDC_MACH_PRESSURE_TIME\nclick Close\n");
    EXPECT_EQ(dialog.GetSavedFile(), writable);
    EXPECT_EQ(Clamp(writable), "882598"); // 90 t
    EXPECT_EQ(Clamp(readOnly), "1E+6");
    EXPECT_EQ(dialog.GetManufacturer(), "Testco");
    EXPECT_EQ(dialog.GetModelCode(), "T-1");
    CFilePath(readOnly).SetReadOnly(false);
}

TEST_F(MachineParams, AReadOnlyMatchIsRefused)
{
    const std::string db = dir / "db";
    const std::string readOnly = WriteMachine(db + "/testco.imm", "T-1", "1E+6");
    ASSERT_TRUE(CFilePath(readOnly).SetReadOnly(true));
    ASSERT_TRUE(tree.SetMachineDBPath(db));

    CMachineParamsDlg dialog;
    dialog.LoadMachine(readOnly);
    Run(dialog, "click IDC_MACH_EDIT\ntype IDC_MACH_CLAMP_FORCE 90\nclick IDC_MACH_SAVE\n"
                "expect message This machine definition is read-only!\nanswer OK\n"
                "expect enabled IDC_MACH_SAVE\nexpect enabled IDC_MACH_CLAMP_FORCE\nclick Close\n"
                "expect message Close without saving?\nanswer Yes\n");
    EXPECT_EQ(dialog.GetSavedFile(), "");
    EXPECT_EQ(Clamp(readOnly), "1E+6");
    EXPECT_EQ(ImmFiles(db), std::vector<std::string>{"testco.imm"});
    CFilePath(readOnly).SetReadOnly(false);
}

TEST_F(MachineParams, NewMachinesGoToTheDatabaseFolderUnderNumberedNames)
{
    ASSERT_EQ(tree.GetMachineDBPath(), "");
    const std::string db = dir / "machines";
    std::filesystem::create_directories(db);
    CMachineParamsDlg dialog;
    ClearUiLog();
    // A blank machine starts editable, with the machine defaults; saving
    // still takes "Edit", and closing before it does not ask.
    Run(dialog, "expect disabled IDC_MACH_SAVE\nexpect enabled IDC_MACH_EDIT\nexpect enabled IDC_MACH_PRESSURE_TIME\n"
                "expect text IDC_MACH_CONTROLLER_CODE GENERIC\n"
                "type IDC_MACH_MANUFACTURER Newco\ntype IDC_MACH_MODEL_CODE N-1\nclick IDC_MACH_EDIT\n"
                // No folder yet: declining either question writes nothing.
                "click IDC_MACH_SAVE\n"
                "expect message No machine database path set, do you wish to set one now?\nanswer Cancel\n"
                "click IDC_MACH_SAVE\nexpect message No machine database path set, do you wish to set one now?\n"
                "answer OK\nchoose cancel\nexpect enabled IDC_MACH_SAVE\n"
                "click IDC_MACH_SAVE\nanswer OK\nchoose " + db + "\n"
                "expect disabled IDC_MACH_SAVE\n"
                "click IDC_MACH_EDIT\ntype IDC_MACH_MODEL_CODE N-2\nclick IDC_MACH_SAVE\n"
                "expect disabled IDC_MACH_SAVE\nclick Close\n");
    EXPECT_EQ(tree.GetMachineDBPath(), db);
    // Only file-system folders are offered.
    int folderQuestions = 0;
    for (const CUiLogRecord& record : GetUiLog())
        if (record.kind == UiLogKind::FolderDialog) {
            ++folderQuestions;
            EXPECT_EQ(record.type & BIF_RETURNONLYFSDIRS, BIF_RETURNONLYFSDIRS);
        }
    EXPECT_EQ(folderQuestions, 2);
    EXPECT_EQ(ImmFiles(db), (std::vector<std::string>{"zq1.imm", "zq2.imm"}));
    MKeywordFile second;
    ASSERT_TRUE(second.Load(db + "/zq2.imm"));
    EXPECT_EQ(second.GetValue("MACHINE_MANUFACTURER_MODEL_CODE"), "N-2");
    EXPECT_EQ(second.GetValue("MACHINE_CONTROLLER_CODE"), "GENERIC");
    EXPECT_TRUE(ImmFiles(project).empty());
}

TEST_F(MachineParams, ClosingAsksOnlyAfterUnsavedEdits)
{
    const std::string machine = WriteMachine(project + "/mine.imm", "T-1", "1E+6");
    CMachineParamsDlg readOnly;
    readOnly.LoadMachine(machine);
    Run(readOnly, "click Close\n");
    CMachineParamsDlg blank;
    Run(blank, "expect disabled IDC_MACH_SAVE\nclick Close\n");

    CMachineParamsDlg edited;
    edited.LoadMachine(machine);
    Run(edited, "click IDC_MACH_EDIT\nclick Close\nexpect message Close without saving?\nanswer No\n"
                "expect enabled IDC_MACH_SAVE\nclick Close\nanswer Yes\n");
    EXPECT_EQ(Clamp(machine), "1E+6");
}

TEST_F(MachineParams, TheAnalysisTypePageListsWhatTheDialogSaved)
{
    // From the optimisation's "..." button: a new machine joins the list and is selected.
    const std::string db = dir / "machines";
    std::filesystem::create_directories(db);
    ASSERT_TRUE(tree.SetMachineDBPath(db));
    CFlowWizard wizard(Node("material1.mtl"), kFlowOptimum);
    ASSERT_TRUE(wizard.Prepare());
    Run(wizard, "click IDC_FLOW_MACHINE_BUTTON\nexpect dialog IDD_FLOW_MACHINE_PARAMS\n"
                "type IDC_MACH_MANUFACTURER Newco\ntype IDC_MACH_MODEL_CODE N-1\n"
                "click IDC_MACH_EDIT\nclick IDC_MACH_SAVE\n"
                "click Close\nexpect dialog IDD_FLOW_PAGE1\nexpect text IDC_FLOW_MACHINE_LIST \"Newco, N-1\"\n"
                "cancel\n");
    EXPECT_EQ(ImmFiles(db), std::vector<std::string>{"zq1.imm"});
}
