// wizhost kw ... and wizhost path ...: reading and fixing solver keyword files
// by hand or from scripts, and the path rules (location, numbered names,
// temporary files) the wizards apply.
#include "app/Command.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/Location.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace wizhost;

namespace fs = std::filesystem;

namespace {

int Usage(const WizCommand& command, const std::string& problem)
{
    return Fail(problem + " (see wizhost " + command.name + " --help)");
}

// Load() is silent about files it cannot read; people running the tool want to know.
bool LoadExisting(MKeywordFile& file, const std::string& path, std::string& error)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode) || ::access(path.c_str(), R_OK) != 0) {
        error = "cannot read '" + path + "': " + std::strerror(S_ISDIR(st.st_mode) ? EISDIR : errno);
        return false;
    }
    file.Load(path);
    return true;
}

// A keyword that would read back as something else is refused.
bool CheckKeyword(const std::string& keyword, std::string& error)
{
    if (keyword.empty() || keyword[0] == '#' || keyword.find_first_of(":\n\r") != std::string::npos) {
        error = "keyword '" + keyword + "' must be non-empty, not start with '#' and hold no ':' or line break";
        return false;
    }
    return true;
}

bool CheckValue(const std::string& value, std::string& error)
{
    // Line breaks are allowed only as continuations ("\\\n"), which the reader joins again.
    for (std::size_t nl = value.find('\n'); nl != std::string::npos; nl = value.find('\n', nl + 1)) {
        if (nl == 0 || value[nl - 1] != '\\') {
            error = "a line break in a value must follow a backslash (a continued list)";
            return false;
        }
    }
    return true;
}

// Writes through a temporary file beside the target and renames it over, so
// readers see the old file or the new one, never half of it.
bool WriteAtomically(const MKeywordFile& file, const std::string& target, std::string& error)
{
    std::string path = target;
    struct stat st;
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        std::error_code ec;
        const fs::path real = fs::canonical(path, ec); // write the file a link points to
        if (!ec)
            path = real.string();
        if (S_ISDIR(st.st_mode)) {
            error = "cannot write '" + target + "': it is a directory";
            return false;
        }
        if (!(st.st_mode & S_IWUSR)) {
            error = "cannot write '" + target + "': the file is read-only";
            return false;
        }
    }
    std::string dir = CFilePath::Directory(path);
    if (dir.empty() && !path.empty() && path[0] == '/')
        dir = "/";
    std::string temp = (dir.empty() ? std::string() : dir + "/") + "." + CFilePath::FileName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot write '" + target + "': " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }());
    bool ok = file.Write(temp) && ::chmod(temp.c_str(), mode) == 0;
    if (ok && exists)
        (void)!::chown(temp.c_str(), st.st_uid, st.st_gid); // keeps the owner when allowed to
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        error = "cannot write '" + target + "': " + std::strerror(errno ? errno : EIO);
        ::unlink(temp.c_str());
    }
    return ok;
}

extern const WizCommand g_kwCommand;

int RunKeyword(const Args& args)
{
    const WizCommand& self = g_kwCommand;
    if (WantsHelp(args))
        return PrintUsage(self);
    if (args.empty())
        return Usage(self, "kw needs a command");
    const std::string& command = args[0];
    const std::size_t expected = command == "list" ? 2
                               : command == "get" || command == "remove" || command == "normalize" ? 3
                               : command == "set" || command == "set-double" ? 4
                               : 0;
    if (expected == 0)
        return Usage(self, "unknown kw command '" + command + "'");
    if (args.size() != expected)
        return Usage(self, "kw " + command + " takes " + std::to_string(expected - 1) + " arguments");

    MKeywordFile file;
    std::string error;
    if (!LoadExisting(file, args[1], error))
        return Fail(error);

    if (command == "list") {
        for (const std::string& keyword : file.GetKeywords()) {
            const std::string value = file.GetValue(keyword);
            std::printf("%s\t%s\n", keyword.c_str(), value.c_str());
        }
        return kExitOk;
    }
    if (command == "get") {
        if (!file.HasKeyword(args[2]))
            return kExitNo;
        const std::string value = file.GetValue(args[2]);
        std::fwrite(value.data(), 1, value.size(), stdout);
        std::fputc('\n', stdout);
        return kExitOk;
    }
    if (command == "normalize")
        return WriteAtomically(file, args[2], error) ? kExitOk : Fail(error);

    const std::string& keyword = args[2];
    if (!CheckKeyword(keyword, error))
        return Fail(error);
    if (command == "remove") {
        if (!file.RemoveKeyword(keyword))
            return kExitNo;
    } else if (command == "set") {
        if (!CheckValue(args[3], error))
            return Fail(error);
        file.SetValue(keyword, args[3]);
    } else {
        double number = 0;
        if (!ParseDouble(args[3], number))
            return Fail("number '" + args[3] + "' is not a finite number");
        file.SetDouble(keyword, number);
    }
    return WriteAtomically(file, args[1], error) ? kExitOk : Fail(error);
}

const WizCommand g_kwCommand(
    "kw",
    "wizhost kw list FILE                     keyword, a tab and the value, one line each, in file order\n"
    "wizhost kw get FILE KEYWORD              the value (continuations joined); exit 1 when absent\n"
    "wizhost kw set FILE KEYWORD VALUE        sets the value and writes the file back\n"
    "wizhost kw set-double FILE KEYWORD NUMBER  sets a number as the wizards write it (\"%G\", 1E-5)\n"
    "wizhost kw remove FILE KEYWORD           removes the keyword; exit 1 when absent\n"
    "wizhost kw normalize IN OUT              reads IN and writes it as the wizards would to OUT\n"
    "  Files are replaced whole (a temporary file beside them is renamed over them);\n"
    "  a read-only file is refused. Comments and unset (-16384) lines are not kept.\n",
    RunKeyword);

extern const WizCommand g_pathCommand;

int RunPath(const Args& given)
{
    const WizCommand& self = g_pathCommand;
    if (WantsHelp(given))
        return PrintUsage(self);
    if (given.empty())
        return Usage(self, "path needs a command");
    const std::string& command = given[0];
    if (command == "location") {
        if (given.size() != 2)
            return Usage(self, "path location takes one PATH");
        std::printf("%s\n", IsDosLocation(given[1]) ? "DOS" : "UNIX");
        return kExitOk;
    }
    if (command == "unique") {
        bool drop = false;
        Args rest;
        for (std::size_t i = 1; i < given.size(); ++i) {
            if (given[i] == "--drop-directory")
                drop = true;
            else if (given[i].rfind("--", 0) == 0)
                return Usage(self, "unknown option '" + given[i] + "'");
            else
                rest.push_back(given[i]);
        }
        if (rest.empty() || rest.size() > 2 || rest[0].empty())
            return Usage(self, "path unique takes NAME [EXTENSION]");
        CFilePath path;
        path.MakeUniqueName(rest[0], rest.size() == 2 ? rest[1] : "", drop);
        std::printf("%s\n", path.GetPath().c_str());
        return kExitOk;
    }
    if (command == "temp") {
        if (given.size() != 1)
            return Usage(self, "path temp takes no arguments");
        const std::string name = MakeTempName();
        if (!CFilePath(name).Exists())
            return Fail("cannot create a temporary file in '" + GetTempDirectory() + "'");
        std::printf("%s\n", name.c_str());
        return kExitOk;
    }
    return Usage(self, "unknown path command '" + command + "'");
}

const WizCommand g_pathCommand(
    "path",
    "wizhost path location PATH               DOS (text files with CR LF) or UNIX (bare LF)\n"
    "wizhost path unique NAME [EXTENSION] [--drop-directory]\n"
    "                                         the next numbered name (mesh12.stl -> mesh13);\n"
    "                                         updates the counter file tessarin.ctr\n"
    "wizhost path temp                        creates a new empty temporary file and prints its name\n"
    "  $WIZ_REGISTRY names the job manager's registry file (directory maps);\n"
    "  $WIZ_MOUNT_TABLE another mount table than /proc/self/mounts.\n",
    RunPath);

} // namespace
