#pragma once
// Helpers shared by every test program: scratch folders, whole-file I/O and
// running wizhost as a child process.
#include <filesystem>
#include <string>
#include <vector>

namespace wiztest {

// A fresh folder under the system temporary directory, removed (with
// everything in it, read-only files included) when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Raw bytes of a file ("" when it cannot be read) and a raw write (no line-end translation).
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Path of a file in the source tree, such as SourcePath("data/solver/x.def").
std::string SourcePath(const std::string& relative);

// The id the next node added to a fresh copy of the sample project gets (its
// NEXTID): the sample project grows, so tests do not write it as a number.
int SampleProjectNextId();

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The wizhost under test: $WIZ_TEST_WIZHOST when set (to run the tests
// against another build), else the one built beside the tests.
std::string WizhostPath();
// In a forked child: becomes wizhost with these arguments (exit 127 when it cannot).
[[noreturn]] void ExecWizhost(const std::vector<std::string>& args);

// Runs wizhost with the arguments (no shell), feeding `input` to its standard input.
RunResult RunWizhost(const std::vector<std::string>& args, const std::string& input = "");

} // namespace wiztest
