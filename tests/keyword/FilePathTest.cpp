#include "keyword/FilePath.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or clears environment variables for one test and restores them after.
class EnvOverride {
public:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        m_saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvOverride()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& dir) : m_old(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir);
    }
    ~CurrentDirectory() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

bool IsOwnerWritable(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR);
}

} // namespace

TEST(FilePath, NameEditing)
{
    EXPECT_EQ(CFilePath("c:\\a.b\\file").WithoutExtension(), "c:\\a.b\\file");
    EXPECT_EQ(CFilePath("/x/a.b/file").WithoutExtension(), "/x/a.b/file");
    EXPECT_EQ(CFilePath("/x/a.b/file.tar.gz").WithoutExtension(), "/x/a.b/file.tar");
    EXPECT_EQ(CFilePath("noext").WithoutExtension(), "noext");

    CFilePath p("dir\\model.stl");
    p.ChangeExtension(".081");
    EXPECT_EQ(p.GetPath(), "dir\\model.081");
    EXPECT_TRUE(p.Equals("DIR\\MODEL.081"));
    EXPECT_TRUE(p.EndsWith(".081"));
    EXPECT_TRUE(p.EndsWith("MODEL.081"));
    EXPECT_FALSE(p.EndsWith("xdir\\model.081"));

    CFilePath q("name.kwd");
    q.PrependDirectory("/work");
    EXPECT_EQ(q.GetPath(), "/work/name.kwd");
    CFilePath r("name.kwd");
    r.PrependDirectory("c:\\jobs\\");
    EXPECT_EQ(r.GetPath(), "c:\\jobs\\name.kwd");

    CFilePath s("c:\\old\\dir\\f.txt");
    s.ReplaceDirectory("/new/");
    EXPECT_EQ(s.GetPath(), "/new/f.txt");
    s.ReplaceDirectory();
    EXPECT_EQ(s.GetPath(), "f.txt");
    s.ReplaceDirectory("out");
    EXPECT_EQ(s.GetPath(), "out/f.txt");
    CFilePath t("plain.txt");
    t.ReplaceDirectory("");
    EXPECT_EQ(t.GetPath(), "plain.txt");
}

TEST(FilePath, UniqueNamesAndCounter)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "tessarin.ctr", "7\n");
    wiztest::WriteBytes(dir / "part7.udm", "");
    wiztest::WriteBytes(dir / "PART8.dat", ""); // other case, same name
    CFilePath p;
    EXPECT_TRUE(p.MakeUniqueName(dir / "Part12.stl"));
    EXPECT_EQ(p.GetPath(), dir / "part9");
    EXPECT_EQ(wiztest::ReadBytes(dir / "tessarin.ctr"), "10\r\n");

    wiztest::WriteBytes(dir / "mesh10", ""); // a file without extension takes the number too
    EXPECT_TRUE(p.MakeUniqueName(dir / "mesh.udm", "udm"));
    EXPECT_EQ(p.GetPath(), dir / "mesh11.udm");
    EXPECT_TRUE(p.MakeUniqueName(dir / "7.x"));
    EXPECT_EQ(p.GetPath(), dir / "712");

    // Without a counter file the series starts at 1; with the directory
    // dropped the counter lives in the current directory.
    wiztest::ScratchDir cwd;
    CurrentDirectory in(cwd.Path());
    EXPECT_TRUE(p.MakeUniqueName(dir / "a123.b", "", true));
    EXPECT_EQ(p.GetPath(), "a1");
    EXPECT_EQ(wiztest::ReadBytes("tessarin.ctr"), "2\r\n");
    EXPECT_EQ(wiztest::ReadBytes(dir / "tessarin.ctr"), "13\r\n");
}

TEST(FilePath, ReleasedNumbersLeaveTheCounterAsItWas)
{
    wiztest::ScratchDir dir;
    CFilePath p;
    EXPECT_TRUE(p.ReleaseUniqueName()); // nothing taken: nothing to give back

    // A counter file there before gets its bytes back; one made by the
    // reservation goes again.
    wiztest::WriteBytes(dir / "tessarin.ctr", "7");
    ASSERT_TRUE(p.MakeUniqueName(dir / "part.stl"));
    EXPECT_EQ(p.GetPath(), dir / "part7");
    EXPECT_TRUE(p.ReleaseUniqueName());
    EXPECT_EQ(wiztest::ReadBytes(dir / "tessarin.ctr"), "7");
    EXPECT_TRUE(p.ReleaseUniqueName()); // given back once only

    wiztest::ScratchDir fresh;
    ASSERT_TRUE(p.MakeUniqueName(fresh / "part.stl"));
    EXPECT_TRUE(p.ReleaseUniqueName());
    EXPECT_FALSE(std::filesystem::exists(fresh / "tessarin.ctr"));

    // Another caller numbered a file meanwhile: its number is not handed
    // out again.
    ASSERT_TRUE(p.MakeUniqueName(dir / "part.stl"));
    CFilePath other;
    ASSERT_TRUE(other.MakeUniqueName(dir / "part.stl"));
    EXPECT_TRUE(p.ReleaseUniqueName());
    EXPECT_EQ(wiztest::ReadBytes(dir / "tessarin.ctr"), "9\r\n");
}

TEST(FilePath, TemporaryFiles)
{
    wiztest::ScratchDir dir;
    {
        EnvOverride env;
        env.Set("TEMP", nullptr);
        env.Set("TMP", (dir / "missing").c_str()); // not an existing path: skipped
        env.Set("TMPDIR", nullptr);
        EXPECT_EQ(GetTempDirectory(), ".");
        env.Set("TMPDIR", dir.Path().c_str());
        EXPECT_EQ(GetTempDirectory(), dir.Path().string());
        env.Set("TEMP", dir.Path().c_str());

        const std::string a = MakeTempName(), b = MakeTempName();
        EXPECT_NE(a, b);
        EXPECT_EQ(CFilePath::Directory(a), dir.Path().string());
        EXPECT_EQ(CFilePath::FileName(a).substr(0, 2), "zq");
        EXPECT_TRUE(CFilePath(a).EndsWith(".tmp"));
        EXPECT_TRUE(CFilePath(a).Exists());

        std::string kept, renamed;
        {
            CTempFile gone;
            CTempFile stays(false);
            CTempFile moved;
            kept = stays.GetPath();
            EXPECT_TRUE(gone.SetReadOnly(true));
            EXPECT_TRUE(gone.IsReadOnly());
            renamed = dir / "final.kwd";
            moved.Rename(renamed);
            EXPECT_FALSE(moved.DeletesOnDestroy());
            EXPECT_FALSE(CFilePath(dir / "x").SetReadOnly(true)); // missing path
            gone.Delete(false); // a read-only file stays unless the mark is cleared
            EXPECT_TRUE(gone.Exists());
        }
        EXPECT_TRUE(CFilePath(kept).Exists());
        EXPECT_TRUE(CFilePath(renamed).Exists());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4); // a, b, kept, final
    }
}

TEST(FilePath, CopyMoveRename)
{
    wiztest::ScratchDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    wiztest::WriteBytes(dir / "src.txt", "data");
    CFilePath src(dir / "src.txt");
    src.SetReadOnly(true);
    src.CopyTo(dir / "sub"); // into a directory: the same name
    EXPECT_EQ(wiztest::ReadBytes(dir / "sub/src.txt"), "data");
    EXPECT_TRUE(IsOwnerWritable(dir / "sub/src.txt")); // the copy is writable

    CFilePath copy(dir / "copy.txt");
    copy.CopyFrom(dir / "src.txt");
    EXPECT_EQ(wiztest::ReadBytes(copy.GetPath()), "data");
    EXPECT_FALSE(copy.IsReadOnly());
    EXPECT_TRUE(src.IsReadOnly());

    wiztest::WriteBytes(dir / "other.txt", "other");
    copy.MoveTo(dir / "other.txt"); // an existing target is not replaced
    EXPECT_EQ(wiztest::ReadBytes(dir / "other.txt"), "other");
    EXPECT_TRUE(copy.Exists());
    copy.MoveTo(dir / "moved.txt");
    EXPECT_FALSE(copy.Exists());
    EXPECT_EQ(copy.GetPath(), dir / "copy.txt");
    EXPECT_EQ(wiztest::ReadBytes(dir / "moved.txt"), "data");

    CFilePath missing(dir / "nothing");
    missing.Rename(dir / "still-nothing"); // the path follows even when the rename fails
    EXPECT_EQ(missing.GetPath(), dir / "still-nothing");
    EXPECT_FALSE(missing.Exists());
    EXPECT_FALSE(missing.IsReadOnly());
    EXPECT_TRUE(CFilePath(dir / "sub").IsDirectory());
    EXPECT_FALSE(CFilePath::CurrentDirectory().empty());
}
