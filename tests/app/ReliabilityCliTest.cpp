// What wizhost must never do: lose or mix up data when processes race, block
// on or replace special files, store what does not read back, pass a limit
// the reader refuses, or report success for output that was not written.
#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using wiztest::RunWizhost;

namespace {

namespace fs = std::filesystem;

int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void ExpectOneLineFailure(const wiztest::RunResult& r, const std::string& part)
{
    EXPECT_EQ(r.exitCode, 2) << r.out << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

// The project file's checksum (CRC-32, as zlib computes it).
std::uint32_t Crc32(const std::string& data)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

// The value of `key` ("NEXTID", ...) in a project file, replaced, with the
// END record's checksum made right again.
std::string WithRecord(const std::string& project, const std::string& key, const std::string& value)
{
    std::string text = project.substr(0, project.rfind("END\t"));
    const std::size_t at = text.find(key + "\t");
    const std::size_t eol = text.find('\n', at);
    const bool crlf = text[eol - 1] == '\r';
    text.replace(at, eol - at - (crlf ? 1 : 0), key + "\t" + value);
    const std::string end = project.substr(project.rfind("END\t"));
    const std::string count = end.substr(4, end.find('\t', 4) - 4);
    char tail[64];
    std::snprintf(tail, sizeof tail, "END\t%s\t%08X%s", count.c_str(), Crc32(text), crlf ? "\r\n" : "\n");
    return text + tail;
}

} // namespace

TEST(ReliabilityCli, ParallelAddsOfFilesWithOneBaseNameKeepEachContent)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p, "--empty"}).exitCode, 0);
    const int kAdds = 16;
    for (int i = 0; i < kAdds; ++i) {
        fs::create_directories(dir / ("src" + std::to_string(i)));
        wiztest::WriteBytes(dir / ("src" + std::to_string(i) + "/notes.txt"), "content " + std::to_string(i) + "\n");
    }
    std::vector<std::thread> adds;
    std::vector<wiztest::RunResult> results(kAdds);
    for (int i = 0; i < kAdds; ++i)
        adds.emplace_back([&, i] {
            results[i] = RunWizhost({"project", "add", p, dir / ("src" + std::to_string(i) + "/notes.txt"), "--type",
                                     "8", "--subtype", "0", "--label", "n" + std::to_string(i)});
        });
    for (auto& t : adds)
        t.join();
    std::set<std::string> files;
    for (int i = 0; i < kAdds; ++i) {
        ASSERT_EQ(results[i].exitCode, 0) << results[i].err;
        auto shown = RunWizhost({"project", "show", p, results[i].out.substr(0, results[i].out.size() - 1)});
        const std::size_t at = shown.out.find("file: ") + 6;
        const std::string file = shown.out.substr(at, shown.out.find('\n', at) - at);
        EXPECT_TRUE(files.insert(file).second) << "two nodes share " << file;
        EXPECT_EQ(wiztest::ReadBytes(file), "content " + std::to_string(i) + "\n") << file;
    }
}

TEST(ReliabilityCli, SpecialFilesAreNeitherReadNorReplaced)
{
    wiztest::ScratchDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    wiztest::WriteBytes(dir / "d.kwd", "A: 1\n");
    wiztest::WriteBytes(dir / "d.bc3", "*NODAL INLET\n\t1\t2\n");
    ::symlink("/dev/null", (dir / "null").c_str());
    ::symlink(fifo.c_str(), (dir / "fifo-link").c_str());

    // Reading a FIFO would wait for a writer forever.
    ExpectOneLineFailure(RunWizhost({"kw", "list", fifo}), "it is a FIFO");
    ExpectOneLineFailure(RunWizhost({"bc", "show", fifo}), "it is a FIFO");
    ExpectOneLineFailure(RunWizhost({"kw", "get", dir / "null", "A"}), "it is a device");
    ::symlink(fifo.c_str(), (dir / "m.m3i").c_str());
    EXPECT_EQ(RunWizhost({"model", "show", dir / "m.m3i"}).exitCode, 2);

    for (const std::string& target : {fifo, dir / "fifo-link", dir / "null"}) {
        ExpectOneLineFailure(RunWizhost({"kw", "normalize", dir / "d.kwd", target}), "cannot write");
        ExpectOneLineFailure(RunWizhost({"bc", "normalize", dir / "d.bc3", target}), "cannot write");
    }
    struct stat st;
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat((dir / "null").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // A link to a regular file is followed: the file changes, the link stays.
    ::symlink((dir / "d.kwd").c_str(), (dir / "link.kwd").c_str());
    ASSERT_EQ(RunWizhost({"kw", "set", dir / "link.kwd", "B", "2"}).exitCode, 0);
    EXPECT_EQ(wiztest::ReadBytes(dir / "d.kwd"), "A: 1\r\nB: 2\r\n");
    ASSERT_EQ(::lstat((dir / "link.kwd").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(ReliabilityCli, ValuesThatWouldNotReadBackAreRefused)
{
    wiztest::ScratchDir dir;
    const std::string deck = dir / "d.kwd";
    wiztest::WriteBytes(deck, "A: 1\nNEXT: 2\n");
    for (const std::string& value : {std::string("C:\\dir\\"), std::string(" padded"), std::string("padded "),
                                     std::string("a\nb"), std::string("1 \\\n")}) {
        auto r = RunWizhost({"kw", "set", deck, "A", value});
        ExpectOneLineFailure(r, "value");
        EXPECT_EQ(wiztest::ReadBytes(deck), "A: 1\nNEXT: 2\n") << value;
    }
    // What is accepted reads back as it was set.
    ASSERT_EQ(RunWizhost({"kw", "set", deck, "A", "C:\\dir\\x"}).exitCode, 0);
    EXPECT_EQ(RunWizhost({"kw", "get", deck, "NEXT"}).out, "2\n");
    ASSERT_EQ(RunWizhost({"kw", "set", deck, "A", "1 2 \\\n3 4"}).exitCode, 0);
    EXPECT_EQ(RunWizhost({"kw", "get", deck, "A"}).out, "1 2 3 4\n");
}

TEST(ReliabilityCli, LimitsTheReaderRefusesAreRefusedByTheWriter)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p, "--empty"}).exitCode, 0);
    const std::string file = p + "/project.zqp";
    wiztest::WriteBytes(file, WithRecord(wiztest::ReadBytes(file), "NEXTID", "1000000000"));
    ASSERT_EQ(RunWizhost({"project", "tree", p}).exitCode, 0);
    const std::string full = wiztest::ReadBytes(file);
    wiztest::WriteBytes(dir / "a.txt", "a\n");
    ExpectOneLineFailure(RunWizhost({"project", "add", p, dir / "a.txt", "--type", "8", "--subtype", "0"}),
                         "node ids");
    EXPECT_EQ(wiztest::ReadBytes(file), full);
    EXPECT_FALSE(fs::exists(p + "/a.txt"));
    EXPECT_EQ(RunWizhost({"project", "tree", p}).exitCode, 0);

    // The counter of numbered names stops at the largest whole number.
    fs::create_directories(dir / "m");
    wiztest::WriteBytes(dir / "m/tessarin.ctr", std::to_string(INT_MAX - 1) + "\n");
    auto r = RunWizhost({"path", "unique", dir / "m/Mesh.stl"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dir / "m/mesh" + std::to_string(INT_MAX - 1) + "\n");
    ExpectOneLineFailure(RunWizhost({"path", "unique", dir / "m/Mesh.stl"}), "largest whole number");
    wiztest::WriteBytes(dir / "m/tessarin.ctr", "99999999999999999999\n");
    ExpectOneLineFailure(RunWizhost({"path", "unique", dir / "m/Mesh.stl"}), "out of the range");
}

TEST(ReliabilityCli, OutputThatCannotBeWrittenIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"units", "table", "si"}, std::vector<std::string>{"--help"},
          std::vector<std::string>{"kw", "list", wiztest::SourcePath("data/samples/flow_analysis.kwd")}}) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (!freopen("/dev/full", "w", stdout) || !freopen("/dev/null", "w", stderr))
                _exit(127);
            wiztest::ExecWizhost(args);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2) << args[0];
    }
}

TEST(ReliabilityCli, StaleTemporariesOfGoneWritersAreCleared)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p, "--empty"}).exitCode, 0);
    // A pid that no process has any more: a child that has been reaped.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const std::string stale = p + "/project.zqp.wiztmp" + std::to_string(gone);
    const std::string live = p + "/project.zqp.wiztmp" + std::to_string(getpid());
    const std::string mine = p + "/notes.tmp" + std::to_string(gone); // not our naming
    for (const std::string& f : {stale, live, mine})
        wiztest::WriteBytes(f, std::string(4096, 'x'));
    wiztest::WriteBytes(dir / "a.txt", "a\n");
    ASSERT_EQ(RunWizhost({"project", "add", p, dir / "a.txt", "--type", "8", "--subtype", "0"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(mine));
}

TEST(ReliabilityCli, ParallelTranslatorFinishesOnOneProjectEachMakeTheirOwnMesh)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p}).exitCode, 0);
    setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
    const int kRuns = 6;
    std::vector<wiztest::RunResult> results(kRuns);
    std::vector<std::thread> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.emplace_back([&, i] {
            results[i] = RunWizhost({"run", "translate", "--project", p, "--node", "21", "--script",
                                     wiztest::SourcePath("data/scripts/translate-stl.script")});
        });
    for (auto& t : runs)
        t.join();
    unsetenv("WIZ_SETTINGS");
    std::set<std::string> reports;
    for (const auto& r : results) {
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(reports.insert(r.out).second) << "two runs made the same node and file:\n" << r.out;
    }
    const std::string tree = RunWizhost({"project", "tree", p}).out;
    for (int n = 4; n < 4 + kRuns; ++n)
        EXPECT_NE(tree.find("plate" + std::to_string(n) + ".092"), std::string::npos) << tree;
}

TEST(ReliabilityCli, AFileSizeLimitIsAFailedWrite)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p}).exitCode, 0);
    const std::string before = wiztest::ReadBytes(p + "/project.zqp");
    wiztest::WriteBytes(dir / "a.txt", "a\n");
    // The limit is inherited by wizhost; the project file is larger than it.
    const pid_t pid = fork();
    if (pid == 0) {
        struct rlimit limit = {1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const int code = RunWizhost({"project", "add", p, dir / "a.txt", "--type", "8", "--subtype", "0"}).exitCode;
        _exit(code == 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(wiztest::ReadBytes(p + "/project.zqp"), before);
    EXPECT_FALSE(fs::exists(p + "/a.txt"));
}
