// Where the installation data is found, and the whole-file read every reader shares.
#include "host/HostPaths.h"
#include "platform/system/WholeFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// Sets WIZ_DATA_DIR (or unsets it) for one scope.
class DataDirScope {
public:
    explicit DataDirScope(const char* value)
    {
        if (const char* old = std::getenv("WIZ_DATA_DIR"))
            m_saved = old;
        if (value)
            setenv("WIZ_DATA_DIR", value, 1);
        else
            unsetenv("WIZ_DATA_DIR");
    }
    ~DataDirScope()
    {
        if (m_saved)
            setenv("WIZ_DATA_DIR", m_saved->c_str(), 1);
        else
            unsetenv("WIZ_DATA_DIR");
    }

private:
    std::optional<std::string> m_saved;
};

} // namespace

TEST(InstallData, EnvironmentFirstThenTheFolderAboveTheProgram)
{
    std::string folder;
    {
        // The test program lives in the build tree below the source tree's data/.
        DataDirScope unset(nullptr);
        ASSERT_TRUE(hostpath::FindInstallData(folder).IsOk());
        EXPECT_TRUE(std::filesystem::equivalent(folder, wiztest::SourcePath("data/")));
        EXPECT_EQ(folder.back(), '/');
    }
    wiztest::ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "solver");
    {
        DataDirScope set(dir.Path().c_str()); // no trailing separator
        ASSERT_TRUE(hostpath::FindInstallData(folder).IsOk());
        EXPECT_EQ(folder, dir.Path().string() + "/");
    }
    {
        // A folder named on purpose is the only one tried.
        DataDirScope wrong((dir / "elsewhere").c_str());
        const CResult found = hostpath::FindInstallData(folder);
        ASSERT_FALSE(found.IsOk());
        EXPECT_EQ(folder, "");
        EXPECT_NE(found.GetMessage().find("WIZ_DATA_DIR '" + (dir / "elsewhere") + "/'"), std::string::npos)
            << found.GetMessage();
        EXPECT_EQ(found.GetMessage().find('\n'), std::string::npos);
    }
    {
        DataDirScope empty(""); // set but empty counts as unset
        EXPECT_TRUE(hostpath::FindInstallData(folder).IsOk());
    }
}

TEST(WholeFile, ReadsBytesAsTheyAreOrSaysWhyNot)
{
    wiztest::ScratchDir dir;
    const std::string bytes("a\r\nb\0c\n", 7);
    wiztest::WriteBytes(dir / "f.bin", bytes);
    std::string read = "old";
    ASSERT_TRUE(ReadWholeFile(dir / "f.bin", read).IsOk());
    EXPECT_EQ(read, bytes);
    wiztest::WriteBytes(dir / "empty", "");
    ASSERT_TRUE(ReadWholeFile(dir / "empty", read).IsOk());
    EXPECT_EQ(read, "");

    read = "old";
    const CResult missing = ReadWholeFile(dir / "none", read);
    EXPECT_EQ(missing.GetMessage(), (dir / "none") + ": No such file or directory");
    EXPECT_EQ(read, "");
    const CResult folder = ReadWholeFile(dir.Path().string(), read);
    EXPECT_EQ(folder.GetMessage(), dir.Path().string() + ": Is a directory");
}
