// wizhost: keeps projects on disk, runs the wizards, and reads, checks and
// edits the suite's files. Each command group lives in its own app/ file.
#include "app/Command.h"
#include "host/HostPaths.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

using namespace wizhost;

static int PrintHelp()
{
    std::printf("usage: wizhost GROUP COMMAND [ARGUMENTS]\n"
                "Exit status: 0 done, 1 a negative answer, 2 bad arguments or a failed file.\n\n");
    std::vector<const WizCommand*> commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const WizCommand* a, const WizCommand* b) { return std::strcmp(a->name, b->name) < 0; });
    for (const WizCommand* c : commands)
        std::printf("%s\n", c->usage);
    return kExitOk;
}

// What a command printed must have reached its reader: a full disk or a
// closed pipe turns a success into exit 2, with one line.
static int CheckOutput(int rc)
{
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed)
        return rc;
    const int err = errno ? errno : EIO;
    if (rc == kExitError)
        return rc; // the command's own line already says what failed
    return Fail(std::string("cannot write the output: ") + std::strerror(err));
}

static int RunCommand(int argc, char** argv)
{
    if (argc < 2)
    {
        PrintHelp();
        return kExitError;
    }
    const std::string group = argv[1];
    if (group == "--help" || group == "-h" || group == "help")
        return PrintHelp();
    Args args(argv + 2, argv + argc);
    for (const WizCommand* c : Commands()) {
        if (group != c->name)
            continue;
        // Projects and wizards read the solver defaults and ranges, the sample
        // project and the libraries; without them a wizard would open with
        // empty fields and no range checks.
        if ((group == "project" || group == "run") && !WantsHelp(args)) {
            std::string folder;
            if (CResult found = hostpath::FindInstallData(folder); !found)
                return Fail(found.GetMessage());
        }
        try {
            return c->run(args);
        } catch (const std::exception& e) {
            return Fail(e.what());
        }
    }
    return Fail("unknown command group '" + group + "' (see wizhost --help)");
}

int main(int argc, char** argv)
{
    // Past a file-size limit a write then fails with EFBIG, which is
    // reported like any failed write, instead of the signal ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    return CheckOutput(RunCommand(argc, argv));
}
