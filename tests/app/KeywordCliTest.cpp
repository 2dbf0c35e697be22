#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

using wiztest::ReadBytes;
using wiztest::RunWizhost;
using wiztest::WriteBytes;

namespace {

const char* const kDeck = "# sample\r\n"
                          "3DFLOW_MELT_TEMPERATURE: 230\r\n"
                          "3DFLOW_PROFILE: 0 1 \\\r\n"
                          "  50 2\r\n"
                          "3DFLOW_UNSET: -16384\r\n"
                          "_WORK: 1\r\n";

mode_t ModeOf(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

bool IsOneErrorLine(const wiztest::RunResult& r)
{
    return r.exitCode == 2 && r.out.empty() && r.err.rfind("wizhost: ", 0) == 0
        && r.err.find('\n') == r.err.size() - 1;
}

} // namespace

TEST(KeywordCli, ReadingCommands)
{
    wiztest::ScratchDir dir;
    const std::string deck = dir / "a.kwd";
    WriteBytes(deck, kDeck);

    auto r = RunWizhost({"kw", "list", deck});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "3DFLOW_MELT_TEMPERATURE\t230\n3DFLOW_PROFILE\t0 1   50 2\n_WORK\t1\n");

    r = RunWizhost({"kw", "get", deck, "3DFLOW_MELT_TEMPERATURE"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "230\n");
    r = RunWizhost({"kw", "get", deck, "3DFLOW_UNSET"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");

    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "get", dir / "missing.kwd", "K"})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "get", deck})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "frobnicate", deck})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "list", dir.Path().string()})));
    r = RunWizhost({"kw", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("wizhost kw set-double FILE KEYWORD NUMBER"), std::string::npos);
    EXPECT_NE(RunWizhost({"--help"}).out.find("wizhost path unique"), std::string::npos);
}

TEST(KeywordCli, ChangesReplaceTheFileWhole)
{
    wiztest::ScratchDir dir;
    const std::string deck = dir / "a.kwd";
    WriteBytes(deck, kDeck);
    ::chmod(deck.c_str(), 0640);

    EXPECT_EQ(RunWizhost({"kw", "set", deck, "3DFLOW_NEW", "ON"}).exitCode, 0);
    EXPECT_EQ(RunWizhost({"kw", "set-double", deck, "3DFLOW_TOL", "0.00001"}).exitCode, 0);
    EXPECT_EQ(RunWizhost({"kw", "remove", deck, "3DFLOW_MELT_TEMPERATURE"}).exitCode, 0);
    EXPECT_EQ(RunWizhost({"kw", "remove", deck, "3DFLOW_MELT_TEMPERATURE"}).exitCode, 1);
    EXPECT_EQ(ReadBytes(deck), "3DFLOW_PROFILE: 0 1 \\\r\n  50 2\r\n3DFLOW_NEW: ON\r\n3DFLOW_TOL: 1E-5\r\n");
    EXPECT_EQ(ModeOf(deck), 0640u);
    // No temporary file is left beside the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const std::string before = ReadBytes(deck);
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "set-double", deck, "K", "12abc"})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "set", deck, "A:B", "1"})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "set", deck, "K", "1\n2"})));
    ::chmod(deck.c_str(), 0444);
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "set", deck, "K", "1"})));
    EXPECT_EQ(ReadBytes(deck), before);

    const std::string out = dir / "out.kwd";
    EXPECT_EQ(RunWizhost({"kw", "normalize", deck, out}).exitCode, 0);
    EXPECT_EQ(ReadBytes(out), before);
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"kw", "normalize", deck, dir / "no/such/dir.kwd"})));
}

TEST(KeywordCli, PathCommands)
{
    wiztest::ScratchDir dir;
    const std::string root = std::filesystem::canonical(dir.Path()).string();
    std::filesystem::create_directory(root + "/nfs");
    WriteBytes(dir / "mounts", "srv:/x " + root + "/nfs nfs rw 0 0\n");
    setenv("WIZ_MOUNT_TABLE", (dir / "mounts").c_str(), 1);
    EXPECT_EQ(RunWizhost({"path", "location", root + "/nfs/a.kwd"}).out, "UNIX\n");
    EXPECT_EQ(RunWizhost({"path", "location", root + "/a.kwd"}).out, "DOS\n");
    unsetenv("WIZ_MOUNT_TABLE");

    WriteBytes(dir / "mesh1.udm", "");
    auto r = RunWizhost({"path", "unique", dir / "Mesh7.stl", "udm"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, dir / "mesh2.udm\n");
    EXPECT_EQ(ReadBytes(dir / "tessarin.ctr"), "3\r\n");
    EXPECT_EQ(RunWizhost({"path", "unique", dir / "Mesh7.stl"}).out, dir / "mesh3\n");
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"path", "unique"})));
    EXPECT_TRUE(IsOneErrorLine(RunWizhost({"path", "unique", "a", "--bogus"})));

    const char* oldTemp = std::getenv("TEMP");
    const std::string saved = oldTemp ? oldTemp : "";
    setenv("TEMP", root.c_str(), 1);
    r = RunWizhost({"path", "temp"});
    if (oldTemp)
        setenv("TEMP", saved.c_str(), 1);
    else
        unsetenv("TEMP");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind(root + "/zq", 0), 0u) << r.out;
    EXPECT_TRUE(std::filesystem::exists(r.out.substr(0, r.out.size() - 1)));
}
