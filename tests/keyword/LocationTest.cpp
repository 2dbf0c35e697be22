#include "keyword/Location.h"

#include "keyword/KeywordFile.h"
#include "keyword/TextFile.h"
#include "platform/system/Network.h"
#include "platform/system/Registry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// A scratch world: folders standing for an NFS mount, two Windows shares
// (one mapped by the job manager to a UNIX server directory, one to a drive)
// and a plain local folder, described by an injected mount table and registry.
class LocationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::canonical(m_dir.Path()).string();
        for (const char* sub : {"nfs", "win", "win/proj", "winb", "local", "local/mapped", "ssh"})
            fs::create_directory(m_root + "/" + sub);
        wiztest::WriteBytes(m_dir / "mounts",
                            "/dev/sda1 / ext4 rw 0 0\n"
                            "server:/export " + m_root + "/nfs nfs4 rw 0 0\n"
                            "//pc/share " + m_root + "/win cifs rw 0 0\n"
                            "//pc/other " + m_root + "/winb smb3 rw 0 0\n"
                            "user@host:/ " + m_root + "/ssh fuse.sshfs rw 0 0\n");
        wiztest::WriteBytes(m_dir / "registry",
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessarin\\Tessarin Job Manager\\Servers\\unixbox\\DirMap]\n"
                            "Local1=" + m_root + "/WIN/PROJ\n" // compared without case
                            "Remote1=/export/proj\n"
                            "Local2=" + m_root + "/winb\n"
                            "Remote2=D:\\jobs\n"
                            "Local3=" + m_root + "/local/mapped\n"
                            "Remote3=/srv/mapped\n"
                            "Local4=" + m_root + "/nfs\n"
                            "Remote4=E:\\not-used\n");
        Network::SetMountTableFile(m_dir / "mounts");
        CRegistry::SetMachineFile(m_dir / "registry");
        ResetLocationCaches();
    }
    void TearDown() override
    {
        Network::SetMountTableFile("");
        CRegistry::SetMachineFile("");
        ResetLocationCaches();
    }
    std::string At(const std::string& relative) const { return m_root + "/" + relative; }

    wiztest::ScratchDir m_dir;
    std::string m_root;
};

} // namespace

TEST_F(LocationTest, SharesAndDirectoryMaps)
{
    EXPECT_TRUE(IsDosLocation(""));
    EXPECT_FALSE(IsDosLocation(At("nfs/a.kwd")));   // NFS whatever the registry says
    EXPECT_FALSE(IsDosLocation(At("ssh/a.kwd")));   // another non-Windows network
    EXPECT_FALSE(IsDosLocation(At("win/proj/a")));  // Windows share mapped to "/export/proj"
    EXPECT_TRUE(IsDosLocation(At("winb/a.kwd")));   // mapped to a drive path
    EXPECT_TRUE(IsDosLocation(At("local/a.kwd")));  // local: DOS ...
    EXPECT_FALSE(IsDosLocation(At("local/mapped/b"))); // ... unless mapped to a UNIX server
    EXPECT_FALSE(IsDosLocation(At("nfs/../nfs/x")));   // made absolute and normal first

    // Drive letters never reach the network.
    const std::size_t queries = Network::QueryCount();
    EXPECT_TRUE(IsDosLocation("C:\\jobs\\a.kwd"));
    EXPECT_TRUE(IsDosLocation("z:/jobs/a.kwd"));
    EXPECT_EQ(Network::QueryCount(), queries);
}

TEST_F(LocationTest, AnswersAreCachedPerShare)
{
    EXPECT_FALSE(IsDosLocation(At("nfs/one")));
    EXPECT_FALSE(IsDosLocation(At("win/proj/one")));
    EXPECT_TRUE(IsDosLocation(At("winb/one")));
    const std::size_t net = Network::QueryCount(), reg = CRegistry::QueryCount();
    EXPECT_FALSE(IsDosLocation(At("nfs/deep/two")));
    EXPECT_TRUE(IsDosLocation(At("winb/two")));
    // The share "win" was cached as UNIX from its mapped folder, so the rest
    // of the share follows it without asking again.
    EXPECT_FALSE(IsDosLocation(At("win/elsewhere")));
    EXPECT_EQ(Network::QueryCount(), net);
    EXPECT_EQ(CRegistry::QueryCount(), reg);

    // A cached "/x/nfs" must not decide "/x/nfsother".
    fs::create_directory(At("nfsother"));
    EXPECT_TRUE(IsDosLocation(At("nfsother/a")));
    EXPECT_EQ(Network::QueryCount(), net + 1);

    ResetLocationCaches();
    EXPECT_FALSE(IsDosLocation(At("nfs/two")));
    EXPECT_EQ(Network::QueryCount(), net + 2);
}

TEST_F(LocationTest, LineEndsFollowTheLocation)
{
    for (const char* where : {"local/t.txt", "nfs/t.txt"}) {
        const bool dos = std::string(where).rfind("local", 0) == 0;
        const std::string path = At(where);
        {
            CTextFile out;
            ASSERT_TRUE(out.Open(path, CTextFile::modeCreate | CTextFile::modeWrite));
            EXPECT_EQ(out.IsTextMode(), dos);
            out.WriteString("a\nb\n");
            EXPECT_TRUE(out.Close());
        }
        EXPECT_EQ(wiztest::ReadBytes(path), dos ? "a\r\nb\r\n" : "a\nb\n") << where;

        wiztest::WriteBytes(path, "x\r\ny\nlast");
        CTextFile in;
        ASSERT_TRUE(in.Open(path, CTextFile::modeRead));
        std::string line;
        ASSERT_TRUE(in.ReadString(line));
        EXPECT_EQ(line, dos ? "x" : "x\r") << where;
        ASSERT_TRUE(in.ReadString(line));
        EXPECT_EQ(line, "y");
        ASSERT_TRUE(in.ReadString(line));
        EXPECT_EQ(line, "last");
        EXPECT_FALSE(in.ReadString(line));

        // C-library opens follow the same rule.
        FILE* f = OpenTextFile(path, "wt");
        ASSERT_NE(f, nullptr);
        std::fputs("1\n2\n", f);
        std::fclose(f);
        EXPECT_EQ(wiztest::ReadBytes(path), dos ? "1\r\n2\r\n" : "1\n2\n") << where;
        f = OpenTextFile(path, "r");
        char buf[16];
        ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
        EXPECT_STREQ(buf, "1\n");
        std::fclose(f);

        MKeywordFile k;
        k.SetValue("L", "1 \\\n2");
        ASSERT_TRUE(k.Write(path));
        EXPECT_EQ(wiztest::ReadBytes(path), dos ? "L: 1 \\\r\n2\r\n" : "L: 1 \\\n2\n") << where;
    }
    EXPECT_EQ(TextFileMode("rt", false), "rb");
    EXPECT_EQ(TextFileMode("w+", false), "w+b");
    EXPECT_EQ(TextFileMode("rb", false), "rb");
    EXPECT_EQ(TextFileMode("rt", true), "rt");
    EXPECT_EQ(TextFileMode("a+t", false), "a+b");
}

TEST_F(LocationTest, OpenFailuresCarryCauseAndPath)
{
    const std::string missing = At("local/none/x.txt");
    CTextFile absent;
    CResult opened = absent.Open(missing, CTextFile::modeRead);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.GetMessage(), "cannot read '" + missing + "': No such file or directory");

    const std::string locked = At("local/ro.txt");
    wiztest::WriteBytes(locked, "keep");
    chmod(locked.c_str(), 0444);
    CTextFile readOnly;
    opened = readOnly.Open(locked, CTextFile::modeCreate | CTextFile::modeWrite);
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.GetMessage().find("read-only"), std::string::npos) << opened.GetMessage();
    EXPECT_EQ(wiztest::ReadBytes(locked), "keep");
    CTextFile folder;
    EXPECT_FALSE(folder.Open(At("local"), CTextFile::modeRead));
}
