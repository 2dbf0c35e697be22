#include "support/TestSupport.h"
#include "platform/system/WholeFile.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#ifndef WIZ_SOURCE_DIR
#define WIZ_SOURCE_DIR "."
#endif
#ifndef WIZHOST_PATH
#define WIZHOST_PATH "wizhost"
#endif

namespace fs = std::filesystem;

namespace wiztest {

ScratchDir::ScratchDir()
{
    std::string templ = (fs::temp_directory_path() / "wiztest-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = templ;
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    // Read-only files inside must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    (void)ReadWholeFile(path, bytes); // "" when unreadable, as promised
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string SourcePath(const std::string& relative)
{
    return std::string(WIZ_SOURCE_DIR) + "/" + relative;
}

int SampleProjectNextId()
{
    const std::string text = ReadBytes(SourcePath("data/sample-project/project.zqp"));
    const std::size_t at = text.find("\nNEXTID\t");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 8);
}

std::string WizhostPath()
{
    const char* other = std::getenv("WIZ_TEST_WIZHOST");
    return other && *other ? other : WIZHOST_PATH;
}

void ExecWizhost(const std::vector<std::string>& args)
{
    std::vector<std::string> copy = args;
    std::string exe = WizhostPath();
    std::vector<char*> argv;
    argv.push_back(exe.data());
    for (auto& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
}

RunResult RunWizhost(const std::vector<std::string>& args, const std::string& input)
{
    ScratchDir io;
    const std::string inPath = io / "stdin", outPath = io / "stdout", errPath = io / "stderr";
    WriteBytes(inPath, input);
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        FILE* in = freopen(inPath.c_str(), "rb", stdin);
        FILE* out = freopen(outPath.c_str(), "wb", stdout);
        FILE* err = freopen(errPath.c_str(), "wb", stderr);
        if (!in || !out || !err)
            _exit(127);
        ExecWizhost(args);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    RunResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = ReadBytes(outPath);
    r.err = ReadBytes(errPath);
    return r;
}

} // namespace wiztest
