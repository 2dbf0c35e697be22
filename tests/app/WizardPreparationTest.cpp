// wizhost run translate when a file the wizard reads before its first page
// exists but cannot be read (a folder or a FIFO where a file belongs): one
// line naming the file, exit 2, the project untouched. An absent file is no
// failure (the pages give the values). And a Finish whose last step, the
// settings, fails: the translation stands, with a warning.
#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

#include "Unreadable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

using wiztest::FileTree;
using wiztest::RunWizhost;

namespace {

namespace fs = std::filesystem;

class WizardPreparation : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
        // Installation data with no solver files at all: whatever a case
        // puts there is the only file the wizard finds.
        fs::create_directories(dir / "data/solver");
        setenv("WIZ_DATA_DIR", (dir / "data").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("WIZ_SETTINGS");
        unsetenv("WIZ_DATA_DIR");
    }

    wiztest::RunResult Translate(const std::string& node)
    {
        return RunWizhost({"run", "translate", "--project", project, "--node", node, "--script",
                           wiztest::SourcePath("data/scripts/translate-iges-mdl.script")});
    }

    // With `file` made unreadable, the run fails before any page shows,
    // naming it, and changes nothing (the file itself is put back before the
    // project is compared: a snapshot cannot read a FIFO either).
    void ExpectRefused(const std::string& node, const std::string& file, Unreadable kind)
    {
        ExpectRefusedWhileUnreadable(project, file, kind, file, [&] { return Translate(node); });
    }

    wiztest::ScratchDir dir;
    std::string project;
};

} // namespace

TEST_F(WizardPreparation, DefaultsAndRangeFilesThatCannotBeRead)
{
    for (const char* name : {"zqmesh3d.def", "zqtrans.def", "zqtrans.rng", "zqmesh3d.rng"}) {
        for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo}) {
            SCOPED_TRACE(name);
            ExpectRefused("1", dir / ("data/solver/" + std::string(name)), kind);
        }
    }
    // Absent, they are no failure.
    EXPECT_EQ(Translate("1").exitCode, 0);
}

TEST_F(WizardPreparation, StartNodeKeywordFileThatCannotBeRead)
{
    // Node 2 is the plate's earlier translation input: its settings come
    // over the defaults, so an unreadable one must not read as none.
    for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo})
        ExpectRefused("2", project + "/plate1.081", kind);
    // A node whose input is gone starts from the defaults.
    fs::remove_all(project + "/plate1.081");
    auto r = Translate("2");
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(WizardPreparation, SettingsThatCannotBeWrittenAreOnlyAWarning)
{
    // The translator choice is remembered last, once the input and its node
    // are made: failing to, the translation stands.
    wiztest::WriteBytes(dir / "plain", "a file, where the settings folder should be\n");
    const std::string settings = dir / "plain/settings.ini";
    setenv("WIZ_SETTINGS", settings.c_str(), 1);
    auto r = Translate("1");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "result node: " + std::to_string(wiztest::SampleProjectNextId()) +
                         " \"Plate by the MDL translator\"\nfile: plate4.081\njob submission: 1 (add to the batch queue)\n");
    EXPECT_EQ(r.err, "wizhost: warning: the translator choice was not remembered: cannot write the settings file '" +
                         settings + "'\n");
    EXPECT_TRUE(fs::exists(project + "/plate4.081"));
}

TEST_F(WizardPreparation, NoWorkingFileNoWizard)
{
    // A temporary folder where no file can be made (here a plain file named
    // as the folder): the wizard cannot keep its working copy, so it does not
    // start, says where it tried, and the project stays as it was.
    // TEMP is the first the wizards look at; the tests' own scratch folders
    // follow TMPDIR, which stays a folder.
    wiztest::WriteBytes(dir / "not-a-folder", "x");
    fs::create_directories(dir / "tmp");
    setenv("TMPDIR", (dir / "tmp").c_str(), 1);
    setenv("TEMP", (dir / "not-a-folder").c_str(), 1);
    const FileTree before = FileTree::Read(project);
    for (const char* wizard : {"translate", "flow"}) {
        SCOPED_TRACE(wizard);
        const wiztest::RunResult r =
            RunWizhost({"run", wizard, "--project", project, "--node", wizard == std::string("flow") ? "4" : "1",
                        "--script", wiztest::SourcePath("data/scripts/translate-iges-mdl.script")});
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err, "wizhost: run: cannot make a working file in '" + dir / "not-a-folder" + "': Not a directory\n");
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_TRUE(FileTree::Read(project) == before) << FileTree::Read(project).DiffFrom(before);
    unsetenv("TEMP");
    unsetenv("TMPDIR");
}
