// Writing files: a write replaces the whole file or leaves it as it was, says
// why when it fails, keeps the file's permissions and links, and refuses what
// is not a regular file; values that would not read back are refused.
#include "keyword/KeywordFile.h"
#include "keyword/TextFile.h"
#include "platform/system/FileIo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool OnlyFiles(const wiztest::ScratchDir& dir, std::vector<std::string> expected)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.Path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    return names == expected;
}

} // namespace

TEST(FileWrite, ReplacesWholeOrNotAtAll)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "a.kwd";
    wiztest::WriteBytes(path, "OLD: 1\n");
    ::chmod(path.c_str(), 0640);

    {
        // A writer that is never closed publishes nothing.
        CTextFile file;
        ASSERT_TRUE(file.Open(path, CTextFile::modeCreate | CTextFile::modeWrite | CTextFile::typeBinary));
        file.WriteString("NEW: 2\n");
    }
    EXPECT_EQ(wiztest::ReadBytes(path), "OLD: 1\n");
    EXPECT_TRUE(OnlyFiles(dir, {"a.kwd"}));

    MKeywordFile kw;
    kw.SetValue("NEW", "2");
    ASSERT_TRUE(kw.Write(path));
    EXPECT_EQ(wiztest::ReadBytes(path), "NEW: 2\r\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(OnlyFiles(dir, {"a.kwd"}));

    // Read-only, a folder, a missing folder: refused with the cause, nothing written.
    ::chmod(path.c_str(), 0440);
    CResult r = kw.Write(path);
    EXPECT_EQ(r.GetMessage(), "cannot write '" + path + "': the file is read-only");
    r = kw.Write(dir.Path().string());
    EXPECT_EQ(r.GetMessage(), "cannot write '" + dir.Path().string() + "': it is a directory");
    r = kw.Write(dir / "none/x.kwd");
    EXPECT_EQ(r.GetMessage(), "cannot write '" + dir / "none/x.kwd" + "': No such file or directory");
    EXPECT_EQ(MKeywordFile().Write().GetMessage(), "the keyword file has no name to be written to");
    EXPECT_TRUE(OnlyFiles(dir, {"a.kwd"}));
}

TEST(FileWrite, LinksAreFollowedAndSpecialFilesRefused)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "real.kwd", "A: 1\n");
    fs::create_symlink("real.kwd", dir.Path() / "link.kwd");
    ASSERT_TRUE(wizsys::WriteWholeFile(dir / "link.kwd", "A: 2\n"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.kwd"));
    EXPECT_EQ(wiztest::ReadBytes(dir / "real.kwd"), "A: 2\n");
    // A link to a file not there yet makes the file, as an open would.
    fs::create_symlink("later.kwd", dir.Path() / "dangling.kwd");
    ASSERT_TRUE(wizsys::WriteWholeFile(dir / "dangling.kwd", "B: 1\n"));
    EXPECT_EQ(wiztest::ReadBytes(dir / "later.kwd"), "B: 1\n");

    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(wizsys::WriteWholeFile(fifo, "x").GetMessage(), "cannot write '" + fifo + "': it is a FIFO");
    MKeywordFile kw;
    EXPECT_EQ(kw.Load(fifo).GetMessage(), "cannot read '" + fifo + "': it is a FIFO");
    EXPECT_EQ(kw.Merge("/dev/null").GetMessage(), "cannot read '/dev/null': it is a device");
    EXPECT_EQ(kw.GetFileName(), fifo); // remembered all the same
    struct stat st;
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(FileWrite, ValuesMustReadBackAsSet)
{
    MKeywordFile kw;
    for (const char* bad : {"C:\\dir\\", " lead", "trail ", "tab\t", "a\nb", "1 \\\n", "cr\r"}) {
        const CResult r = kw.SetCheckedValue("K", bad);
        EXPECT_FALSE(r) << bad;
        EXPECT_FALSE(kw.HasKeyword("K")) << bad;
    }
    EXPECT_NE(kw.SetCheckedValue("K", "C:\\dir\\").GetMessage().find("backslash"), std::string::npos);
    EXPECT_FALSE(kw.SetCheckedValue("#K", "1"));
    EXPECT_FALSE(kw.SetCheckedValue("A:B", "1"));

    // What is accepted survives a write and a read unchanged.
    wiztest::ScratchDir dir;
    const std::vector<std::string> good = {"C:\\dir\\x", "1 2 \\\n3 4", "a  b", ""};
    for (std::size_t i = 0; i < good.size(); ++i)
        ASSERT_TRUE(kw.SetCheckedValue("K" + std::to_string(i), good[i])) << good[i];
    kw.SetValue("NEXT", "after");
    ASSERT_TRUE(kw.Write(dir / "k.kwd"));
    MKeywordFile back;
    ASSERT_TRUE(back.Load(dir / "k.kwd"));
    for (std::size_t i = 0; i + 1 < good.size(); ++i)
        EXPECT_EQ(back.GetRawValue("K" + std::to_string(i)), good[i]);
    EXPECT_EQ(back.GetValue("NEXT"), "after");
}

TEST(FileWrite, StaleTemporariesOfGoneProcessesOnly)
{
    wiztest::ScratchDir dir;
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const std::string stale = wizsys::TemporaryNameFor(dir / "a.kwd");
    const std::string stalePath = stale.substr(0, stale.rfind("wiztmp") + 6) + std::to_string(gone);
    wiztest::WriteBytes(stalePath, "x");
    wiztest::WriteBytes(stale, "x");                          // this process: still running
    wiztest::WriteBytes(dir / "b.wiztmp", "x");               // no pid
    wiztest::WriteBytes(dir / "c.wiztmp12ab", "x");           // not a pid
    EXPECT_EQ(wizsys::RemoveStaleTemporaries(dir.Path().string()), 1);
    EXPECT_FALSE(fs::exists(stalePath));
    EXPECT_TRUE(OnlyFiles(dir, {fs::path(stale).filename().string(), "b.wiztmp", "c.wiztmp12ab"}));
}

TEST(FileWrite, ScratchWritesAreWholeOrNothingToo)
{
    // A working copy is not flushed, and the empty file claimed for it is
    // written in place; a write that fails part way (here: past a file size
    // limit) must still leave what was there, empty or not.
    wiztest::ScratchDir dir;
    const std::string empty = dir / "empty.tmp";
    const std::string full = dir / "full.tmp";
    wiztest::WriteBytes(empty, "");
    wiztest::WriteBytes(full, "OLD: 1\n");
    MKeywordFile big;
    big.SetValue("TEXT", std::string(4000, 'x'));

    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool bothFailed = !big.Write(empty, wizsys::Durability::kScratch)
                                && !big.Write(full, wizsys::Durability::kScratch);
        _exit(bothFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "both writes should have failed";
    EXPECT_EQ(wiztest::ReadBytes(empty), "");
    EXPECT_EQ(wiztest::ReadBytes(full), "OLD: 1\n");
    EXPECT_TRUE(OnlyFiles(dir, {"empty.tmp", "full.tmp"}));

    // Without the limit both are replaced, the empty one keeping its inode
    // (it was claimed by name) and the other replaced whole.
    struct stat before, after;
    ASSERT_EQ(::stat(empty.c_str(), &before), 0);
    ASSERT_TRUE(big.Write(empty, wizsys::Durability::kScratch));
    ASSERT_TRUE(big.Write(full, wizsys::Durability::kScratch));
    ASSERT_EQ(::stat(empty.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(wiztest::ReadBytes(empty), wiztest::ReadBytes(full));
    EXPECT_EQ(wiztest::ReadBytes(full).substr(0, 6), "TEXT: ");
    EXPECT_TRUE(OnlyFiles(dir, {"empty.tmp", "full.tmp"}));
}
