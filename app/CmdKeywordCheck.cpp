// wizhost kw check and kw diff: a keyword file read through the bindings of
// the wizard it belongs to, before a run, and two of them compared in the
// user's units.
#include "app/CmdKeywordCheck.h"

#include "app/UnitsOption.h"
#include "host/HostPaths.h"
#include "keyword/DeckCheck.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"
#include "wizard/DeckWizard.h"
#include "wizard/Wizard.h"

#include <climits>
#include <cstdio>

namespace wizhost {

namespace {

struct SDeckOptions {
    std::vector<std::string> files;
    SDeckWizardRequest request;
    std::string node;
    bool verbose = false;
};

int Usage(const std::string& command, const std::string& why)
{
    return Fail("kw " + command + ": " + why + " (see wizhost kw --help)");
}

bool ParseDeckOptions(const Args& args, SDeckOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* valued = a == "--wizard"    ? &options.request.wizard
                            : a == "--project" ? &options.request.project
                            : a == "--node"    ? &options.node
                                               : nullptr;
        if (valued) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = a + " needs a value";
                return false;
            }
            if (!valued->empty()) {
                error = a + " given twice";
                return false;
            }
            *valued = args[++i];
        } else if (a == "--verbose" || a == "-v") {
            options.verbose = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option '" + a + "'";
            return false;
        } else {
            options.files.push_back(a);
        }
    }
    if (options.node.empty() != options.request.project.empty()) {
        error = "--node and --project go together";
        return false;
    }
    if (!options.node.empty()) {
        long id = 0;
        if (!ParseInt(options.node, id) || id < 0 || id > INT_MAX) {
            error = "node id '" + options.node + "' is not a whole number";
            return false;
        }
        options.request.node = static_cast<int>(id);
    }
    return true;
}

// Everything a command needs before it reads a deck: the unit system and
// the installed solver data the wizards take their ranges from.
bool SetUp(const std::string& command, Args& args, CWinApp& app, SDeckOptions& options, std::size_t files, int& exit)
{
    std::string error;
    if (!ApplyUnitsOption(args, app, error) || !ParseDeckOptions(args, options, error)) {
        exit = Usage(command, error);
        return false;
    }
    if (options.files.size() != files) {
        exit = Usage(command, files == 1 ? "takes one DECK" : "takes two decks, A and B");
        return false;
    }
    std::string folder;
    if (CResult found = hostpath::FindInstallData(folder); !found) {
        exit = Fail(found.GetMessage());
        return false;
    }
    return true;
}

CResult LoadDeck(MKeywordFile& deck, const std::string& path)
{
    // A folder or a missing file would read as an empty deck, which checks clean.
    if (!hostpath::Exists(path))
        return CResult::Fail(path + ": no such file");
    if (hostpath::IsDirectory(path))
        return CResult::Fail(path + ": is a folder, not a keyword file");
    return deck.Load(path);
}

} // namespace

int RunKeywordCheck(const Args& given)
{
    Args args = given;
    CWinApp app;
    SDeckOptions options;
    int exit = kExitOk;
    if (!SetUp("check", args, app, options, 1, exit))
        return exit;
    MKeywordFile deck;
    if (CResult loaded = LoadDeck(deck, options.files[0]); !loaded)
        return Fail(loaded.GetMessage());
    CDeckWizard wizard;
    if (CResult built = wizard.Build(options.files[0], deck, options.request); !built)
        return Fail("kw check: " + built.GetMessage());
    if (options.verbose)
        std::fprintf(stderr, "wizhost: checking %zu bound keywords with %s\n",
                     CountBoundKeywords(wizard.GetWizard().GetBindings(), deck), wizard.Describe().c_str());
    // A wizard started on the deck has prepared it for its fields; the
    // values are read from there, as its pages read them.
    MKeywordFile prepared;
    const bool onDeck = wizard.IsOnDeck();
    if (onDeck)
        if (CResult loaded = wizard.LoadWorkingFile(prepared); !loaded)
            return Fail("kw check: " + loaded.GetMessage());
    const std::vector<std::string> findings =
        CheckDeck(wizard.GetWizard().GetBindings(), deck, onDeck ? &prepared : nullptr);
    for (const std::string& line : findings)
        std::printf("%s\n", line.c_str());
    return findings.empty() ? kExitOk : kExitNo;
}

int RunKeywordDiff(const Args& given)
{
    Args args = given;
    CWinApp app;
    SDeckOptions options;
    int exit = kExitOk;
    if (!SetUp("diff", args, app, options, 2, exit))
        return exit;
    MKeywordFile before, after;
    if (CResult loaded = LoadDeck(before, options.files[0]); !loaded)
        return Fail(loaded.GetMessage());
    if (CResult loaded = LoadDeck(after, options.files[1]); !loaded)
        return Fail(loaded.GetMessage());
    // The first deck says which wizard reads them. Values are still compared
    // when none binds its keywords, as text; a wizard asked for by name or a
    // node that fails is an error.
    CDeckWizard wizard;
    const CKeywordBindings* bindings = nullptr;
    if (CResult built = wizard.Build(options.files[0], before, options.request); built) {
        bindings = &wizard.GetWizard().GetBindings();
        if (options.verbose)
            std::fprintf(stderr, "wizhost: values read by %s\n", wizard.Describe().c_str());
    } else if (!options.request.wizard.empty() || options.request.node >= 0) {
        return Fail("kw diff: " + built.GetMessage());
    } else if (options.verbose) {
        std::fprintf(stderr, "wizhost: values compared as text: %s\n", built.GetMessage().c_str());
    }
    const std::vector<SDeckChange> changes = DiffDecks(before, after, bindings);
    for (const SDeckChange& change : changes)
        std::printf("%s\n", FormatChange(change).c_str());
    return changes.empty() ? kExitOk : kExitNo;
}

} // namespace wizhost
