#include "platform/system/Network.h"
#include "platform/system/Registry.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(Registry, ReadsKeysValuesAndOrder)
{
    CRegistry reg;
    reg.LoadText("# job servers\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessarin\\Tessarin Job Manager\\Servers\\Zeta\\DirMap]\n"
                 "Local1 = /home/jobs  \n"
                 "\"Remote1\"=\"/export/jobs\"\n"
                 "[SOFTWARE/Tessarin/Tessarin Job Manager/Servers/alpha/DirMap]\r\n"
                 "\"Local1\"=\"C:\\\\Projects \\\"x\\\"\"\r\n"
                 "Remote1=D:\\jobs\r\n"
                 "Empty=\n"
                 "not a value line\n"
                 "=no name\n");
    const std::string servers = "software\\tessarin\\tessarin job manager\\servers";
    EXPECT_EQ(reg.EnumSubKeys(servers), (std::vector<std::string>{"Zeta", "alpha"}));
    EXPECT_EQ(reg.EnumSubKeys("HKEY_LOCAL_MACHINE\\" + servers + "\\"), reg.EnumSubKeys(servers));
    EXPECT_TRUE(reg.HasKey(servers + "\\ZETA"));
    EXPECT_TRUE(reg.EnumSubKeys("SOFTWARE\\none").empty());

    std::string v;
    ASSERT_TRUE(reg.QueryValue(servers + "\\zeta\\dirmap", "local1", v));
    EXPECT_EQ(v, "/home/jobs");
    ASSERT_TRUE(reg.QueryValue(servers + "\\Zeta\\DirMap", "Remote1", v));
    EXPECT_EQ(v, "/export/jobs");
    ASSERT_TRUE(reg.QueryValue(servers + "\\alpha\\DirMap", "Local1", v));
    EXPECT_EQ(v, "C:\\Projects \"x\"");
    ASSERT_TRUE(reg.QueryValue(servers + "\\alpha\\DirMap", "Remote1", v));
    EXPECT_EQ(v, "D:\\jobs"); // bare values keep their backslashes
    ASSERT_TRUE(reg.QueryValue(servers + "\\alpha\\DirMap", "Empty", v));
    EXPECT_EQ(v, "");
    EXPECT_FALSE(reg.QueryValue(servers + "\\alpha\\DirMap", "Local2", v));
    EXPECT_FALSE(reg.QueryValue(servers + "\\beta\\DirMap", "Local1", v));

    CRegistry missing;
    EXPECT_FALSE(missing.LoadFile("/nonexistent/registry"));
    EXPECT_FALSE(missing.HasKey("SOFTWARE"));
}

TEST(Network, MountTableDecidesProviderAndShare)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "mounts",
                        "/dev/sda1 / ext4 rw 0 0\n"
                        "srv:/export /mnt/data nfs rw 0 0\n"
                        "//pc/my\\040share /mnt/data/win\\040dir cifs rw 0 0\n"
                        "tmpfs /mnt/data/win\\040dir/tmp tmpfs rw 0 0\n"
                        "garbage line\n");
    Network::SetMountTableFile(dir / "mounts");

    CNetResourceInfo nfs = Network::GetResourceInformation("/mnt/data/file");
    EXPECT_EQ(nfs.m_provider, "NFS");
    EXPECT_EQ(nfs.m_remoteName, "srv:/export");
    EXPECT_EQ(nfs.m_mountPoint, "/mnt/data");

    CNetResourceInfo win = Network::GetResourceInformation("/mnt/data/win dir/a/b");
    EXPECT_NE(win.m_provider.find("Microsoft Windows Network"), std::string::npos);
    EXPECT_EQ(win.m_remoteName, "//pc/my share");
    EXPECT_EQ(win.m_mountPoint, "/mnt/data/win dir");

    // A local file system mounted below a share hides it; "/mnt/database" is
    // not below "/mnt/data".
    EXPECT_FALSE(Network::GetResourceInformation("/mnt/data/win dir/tmp/x").IsNetwork());
    EXPECT_FALSE(Network::GetResourceInformation("/mnt/database/x").IsNetwork());
    EXPECT_EQ(Network::GetResourceInformation("/mnt/database/x").m_mountPoint, "/");

    // The table is kept between questions, but a changed file is read again
    // without being named again: replaced, rewritten, removed, made anew.
    wiztest::WriteBytes(dir / "new", "/dev/sda1 / ext4 rw 0 0\nsrv:/other /mnt/data nfs4 rw 0 0\n");
    std::filesystem::rename(dir / "new", dir / "mounts");
    EXPECT_EQ(Network::GetResourceInformation("/mnt/data/file").m_remoteName, "srv:/other");
    wiztest::WriteBytes(dir / "mounts", "/dev/sda1 / ext4 rw 0 0\n");
    EXPECT_FALSE(Network::GetResourceInformation("/mnt/data/file").IsNetwork());
    std::filesystem::remove(dir / "mounts");
    EXPECT_FALSE(Network::GetResourceInformation("/mnt/data/file").IsNetwork());
    wiztest::WriteBytes(dir / "mounts", "srv:/back /mnt nfs rw 0 0\n");
    EXPECT_EQ(Network::GetResourceInformation("/mnt/data/file").m_mountPoint, "/mnt");

    Network::SetMountTableFile(dir / "missing");
    EXPECT_FALSE(Network::GetResourceInformation("/mnt/data/file").IsNetwork());
    Network::SetMountTableFile("");
    // The system's own table: the root is always in it, and asking again
    // gives the same answer from what was kept.
    EXPECT_EQ(Network::GetResourceInformation("/").m_mountPoint, "/");
    EXPECT_EQ(Network::GetResourceInformation("/").m_mountPoint, "/");

    EXPECT_EQ(Network::ProviderForType("nfs4"), "NFS");
    EXPECT_EQ(Network::ProviderForType("smb3"), "Microsoft Windows Network");
    EXPECT_EQ(Network::ProviderForType("fuse.sshfs"), "fuse.sshfs");
    EXPECT_EQ(Network::ProviderForType("xfs"), "");
}
