// wizhost run cool when a file it needs cannot be read or written: a defaults
// or range file, or the earlier analysis' input, that exists and cannot be
// read stops the wizard before its first page; a mold element list that
// cannot be read stops Finish. Either way: one line naming the file, exit 2,
// and the project byte for byte as it was. Absent defaults and ranges are
// no failure.
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

class CoolFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
        // Installation data with no solver files: what a case puts there is
        // the only file the wizard finds.
        fs::create_directories(dir / "data/solver");
        setenv("WIZ_DATA_DIR", (dir / "data").c_str(), 1);
    }
    void TearDown() override { unsetenv("WIZ_DATA_DIR"); }

    // Node 4 is the plate's material, node 9 the earlier cooling result.
    wiztest::RunResult Cool(const std::string& node, const std::string& script = "cool-automatic.script")
    {
        return RunWizhost({"run", "cool", "--project", project, "--node", node, "--script",
                           wiztest::SourcePath("data/scripts/" + script)});
    }

    // With `file` made unreadable, the run fails with one line naming it and
    // changes nothing (a file found in the current directory is named as
    // found, without its folder; the file is put back before the project is compared:
    // a snapshot cannot read a FIFO either).
    void ExpectRefused(const std::string& node, const std::string& file, Unreadable kind)
    {
        ExpectRefusedWhileUnreadable(project, file, kind, fs::path(file).filename().string(), [&] { return Cool(node); });
    }

    wiztest::ScratchDir dir;
    std::string project;
};

} // namespace

TEST_F(CoolFailure, DefaultsAndRangeFilesThatCannotBeRead)
{
    // The installed defaults and ranges, and the ranges beside the project
    // that override them.
    for (const std::string& file : {dir / "data/solver/zqcool3d.def", dir / "data/solver/zqcool3d.rng",
                                    project + "/zqcool3d.rng"}) {
        for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo}) {
            SCOPED_TRACE(file);
            ExpectRefused("4", file, kind);
        }
    }
    // Absent, they are no failure.
    auto r = Cool("4");
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(CoolFailure, EarlierCoolingInputThatCannotBeRead)
{
    // A follow-on analysis takes its mold and set from the earlier input: an
    // unreadable one must not read as none.
    for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo})
        ExpectRefused("9", project + "/cool1.cin", kind);
}

TEST_F(CoolFailure, MoldElementListThatCannotBeReadAtFinish)
{
    // The automatic set needs the mold's element list: without it Finish
    // makes neither the set, nor a number, nor the input.
    const std::string list = project + "/plainmold.ela";
    const std::string bytes = wiztest::ReadBytes(list);
    fs::remove(list);
    const FileTree before = FileTree::Read(project);
    fs::create_directories(list);
    auto r = Cool("4");
    fs::remove_all(list);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(list), std::string::npos) << r.err;
    EXPECT_TRUE(FileTree::Read(project) == before) << FileTree::Read(project).DiffFrom(before);
    wiztest::WriteBytes(list, bytes);
}
