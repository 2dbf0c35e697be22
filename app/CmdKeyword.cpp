// wizhost kw ... and wizhost path ...: reading and fixing solver keyword files
// by hand or from scripts, and the path rules (location, numbered names,
// temporary files) the wizards apply.
#include "app/CmdKeywordCheck.h"
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

extern const WizCommand g_kwCommand;

int RunKeyword(const Args& args)
{
    const WizCommand& self = g_kwCommand;
    if (WantsHelp(args))
        return PrintUsage(self);
    if (args.empty())
        return Usage(self, "kw needs a command");
    const std::string& command = args[0];
    if (command == "check")
        return RunKeywordCheck(Args(args.begin() + 1, args.end()));
    if (command == "diff")
        return RunKeywordDiff(Args(args.begin() + 1, args.end()));
    const std::size_t expected = command == "list" ? 2
                               : command == "get" || command == "remove" || command == "normalize" ? 3
                               : command == "set" || command == "set-double" ? 4
                               : 0;
    if (expected == 0)
        return Usage(self, "unknown kw command '" + command + "'");
    if (args.size() != expected)
        return Usage(self, "kw " + command + " takes " + std::to_string(expected - 1) + " arguments");

    MKeywordFile file;
    if (CResult loaded = file.Load(args[1]); !loaded)
        return ExitWith(loaded);

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
        return ExitWith(file.Write(args[2]));

    const std::string& keyword = args[2];
    if (CResult checked = MKeywordFile::CheckKeyword(keyword); !checked)
        return ExitWith(checked);
    if (command == "remove") {
        if (!file.RemoveKeyword(keyword))
            return kExitNo;
    } else if (command == "set") {
        if (CResult set = file.SetCheckedValue(keyword, args[3]); !set)
            return ExitWith(set);
    } else {
        double number = 0;
        if (!ParseDouble(args[3], number))
            return Fail("number '" + args[3] + "' is not a finite number");
        file.SetDouble(keyword, number);
    }
    return ExitWith(file.Write(args[1]));
}

const WizCommand g_kwCommand(
    "kw",
    "wizhost kw list FILE                     keyword, a tab and the value, one line each, in file order\n"
    "wizhost kw get FILE KEYWORD              the value (continuations joined); exit 1 when absent\n"
    "wizhost kw set FILE KEYWORD VALUE        sets the value and writes the file back\n"
    "wizhost kw set-double FILE KEYWORD NUMBER  sets a number as the wizards write it (\"%G\", 1E-5)\n"
    "wizhost kw remove FILE KEYWORD           removes the keyword; exit 1 when absent\n"
    "wizhost kw normalize IN OUT              reads IN and writes it as the wizards would to OUT\n"
    "wizhost kw check DECK [--wizard NAME] [--node ID --project DIR] [--units si|metric|english] [-v]\n"
    "                                         reads every keyword a wizard binds as that wizard would\n"
    "                                         and prints one line per fault (not a number, out of\n"
    "                                         range, unknown choice, not ON/OFF, not whole); exit 1\n"
    "                                         with findings. Without --node: the wizard that binds\n"
    "                                         most of the deck, on a midplane analysis of its options\n"
    "wizhost kw diff A B [--wizard NAME] [--node ID --project DIR] [--units ...] [-v]\n"
    "                                         keywords removed (-), added (+) and changed (~), values\n"
    "                                         in display units where A's wizard binds them; exit 1\n"
    "                                         when they differ\n"
    "  Files are replaced whole (a temporary file beside them is renamed over them);\n"
    "  a read-only file, or one that is not a regular file, is refused. Comments and\n"
    "  unset (-16384) lines are not kept. A value with blanks at either end or a\n"
    "  trailing backslash is refused: it would not read back the same.\n",
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
        if (CResult made = path.MakeUniqueName(rest[0], rest.size() == 2 ? rest[1] : "", drop); !made)
            return ExitWith(made);
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
