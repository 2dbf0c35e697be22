// wizhost run WIZARD ...: runs a wizard on a node of a project, answered by a
// script or by a person at the terminal, and reports what it made.
#include "app/Command.h"
#include "app/UnitsOption.h"
#include "app/WebRun.h"
#include "host/HostPaths.h"
#include "host/ProjectTree.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/SessionJournal.h"
#include "platform/agents/TerminalAgent.h"
#include "platform/system/WinApp.h"
#include "warp/WarpWizard.h"
#include "wizard/AnalysisFactory.h"
#include "wizard/AnalysisWizard.h"
#include "wizard/Wizard.h"
#include "wizard/WizardLibrary.h"
#include "wizard/WizardRegistry.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

using namespace wizhost;

extern const WizCommand g_runCommand;

namespace {

const char kUsage[] =
    "wizhost run WIZARD --project DIR --node ID [--script FILE | --tty | --web [--port N]]\n"
    "                [--journal FILE] [--units si|metric|english] [--flags N] [--rsm 0|1]\n"
    "                                        run a wizard (translate, flow, cool, warp, stress,\n"
    "                                        prepare) on a node, answered by the agent script\n"
    "                                        FILE, by you at the terminal, or by you in a browser\n"
    "                                        (--web prints the page's address on 127.0.0.1;\n"
    "                                        --port: 0 any free one);\n"
    "                                        --journal writes what you did as a script that replays\n"
    "                                        with --script; prints the result node, its file and the\n"
    "                                        job submission choice\n"
    "                                        (exit 1: cancelled, nothing changed; exit 3: the wizard\n"
    "                                        finished but the script went on past Finish); --flags\n"
    "                                        (flow): the analysis option bits; --rsm (warp, stress):\n"
    "                                        whether a new analysis takes its shrinkage from the\n"
    "                                        thermal stresses (default: RSMPreference= in [Defaults]\n"
    "                                        of the settings, else 1). prepare starts from a mesh,\n"
    "                                        material or result, chooses the material and the\n"
    "                                        analysis, then runs that analysis's wizard, answered by\n"
    "                                        the same script; a material chosen on the way stays in\n"
    "                                        the project even when that wizard is cancelled (exit 1)\n";

// The wizard finished and the project changed, but the script had lines left:
// neither a success (the script was not run as written) nor a failure (the
// project is not as it was).
constexpr int kExitScriptPastFinish = 3;

std::string WizardNames()
{
    std::string names;
    for (const SWizardFactory* factory : RegisteredWizards())
        names += (names.empty() ? "" : ", ") + std::string(factory->name);
    return names;
}

int Usage(const std::string& why) { return Fail("run: " + why + " (see wizhost run --help)"); }

const char* JobSubmissionText(int choice)
{
    switch (choice) {
    case kJobRunNow: return "run now";
    case kJobBatchQueue: return "add to the batch queue";
    case kJobSubmitLater: return "submit later";
    case kJobPrepareNext: return "prepare a subsequent analysis";
    default: return "unknown";
    }
}

struct RunOptions {
    std::string wizard;
    std::string project;
    std::string node;
    std::string script;
    std::string rsm;
    std::string flags;
    std::string journal;
    std::string port;
    bool tty = false;
    bool web = false;
};

bool ParseRunOptions(const Args& args, RunOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* valued = a == "--project" ? &options.project
                            : a == "--node"    ? &options.node
                            : a == "--script"  ? &options.script
                            : a == "--rsm"     ? &options.rsm
                            : a == "--flags"   ? &options.flags
                            : a == "--journal" ? &options.journal
                            : a == "--port"    ? &options.port
                                               : nullptr;
        if (valued) {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                error = a + " needs a value";
                return false;
            }
            if (!valued->empty()) {
                error = a + " given twice";
                return false;
            }
            *valued = args[++i];
        } else if (a == "--tty") {
            options.tty = true;
        } else if (a == "--web") {
            options.web = true;
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown option '" + a + "'";
            return false;
        } else if (options.wizard.empty()) {
            options.wizard = a;
        } else {
            error = "unexpected argument '" + a + "'";
            return false;
        }
    }
    if (options.wizard.empty())
        error = "which wizard? (" + WizardNames() + ")";
    else if (options.project.empty())
        error = "--project DIR is missing";
    else if (options.node.empty())
        error = "--node ID is missing";
    else if (!options.script.empty() + options.tty + options.web != 1)
        error = "give one of --script FILE, --tty and --web";
    else if (!options.port.empty() && !options.web)
        error = "--port goes with --web";
    else if (!options.journal.empty() && !options.script.empty())
        error = "--journal records --tty or --web runs; a script is its own record";
    else if (!options.rsm.empty() && options.rsm != "0" && options.rsm != "1")
        error = "--rsm takes 0 or 1";
    return error.empty();
}

// How the agent's run went.
struct RunOutcome {
    intptr_t result = IDCANCEL;
    std::string error;    // the script failed while a window was open
    std::string leftover; // the wizard closed with script lines still to run
};

// Runs `sheet` with the chosen agent.
RunOutcome RunModal(CWizard& sheet, const RunOptions& options, const std::vector<SAgentCommand>& commands,
                    CSessionJournal& journal)
{
    RunOutcome outcome;
    if (options.tty) {
        CTerminalAgent agent(std::cin, std::cout);
        agent.SetJournal(&journal);
        CUserAgentScope scope(&agent);
        outcome.result = sheet.DoModal();
        return outcome;
    }
    if (options.web) {
        int port = 0;
        if (!options.port.empty() && !ParsePort(options.port, port)) {
            outcome.error = "run: --port '" + options.port + "' is not a port (0 to 65535)";
            return outcome;
        }
        if (CResult r = RunOnWeb([&] { return sheet.DoModal(); }, port, &journal, outcome.result); !r)
            outcome.error = "run: " + r.GetMessage();
        return outcome;
    }
    CScriptAgent agent(commands, options.script, std::cout);
    CUserAgentScope scope(&agent);
    outcome.result = sheet.DoModal();
    if (agent.Failed()) {
        outcome.error = agent.Failure();
        return outcome;
    }
    agent.CheckFinished();
    if (agent.Failed())
        (outcome.result == ID_WIZFINISH ? outcome.leftover : outcome.error) = agent.Failure();
    return outcome;
}

// Goes into the project folder for the wizard's life: new mesh files are
// numbered in the current directory, as the host does with its own.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder)
    {
        char buffer[PATH_MAX];
        if (getcwd(buffer, sizeof buffer))
            m_previous = buffer;
        m_ok = chdir(folder.c_str()) == 0;
    }
    ~CurrentDirectory()
    {
        if (!m_previous.empty() && chdir(m_previous.c_str()) != 0)
            std::perror("wizhost: chdir back");
    }
    bool Ok() const { return m_ok; }

private:
    std::string m_previous;
    bool m_ok = false;
};

int RunWizard(const SWizardFactory& factory, MProjectTree& tree, ZQ_PM_Node* node, const RunOptions& options,
              const std::vector<SAgentCommand>& commands)
{
    if (!factory.canStartFrom(node))
        return Fail("run: node " + options.node + " is not " + factory.startsFrom);
    CurrentDirectory cwd(tree.GetProjectPath());
    if (!cwd.Ok())
        return Fail("run: cannot enter " + tree.GetProjectPath());
    CWizard::SetProjectTree(tree);
    long flags = 0;
    if (!options.flags.empty()) {
        if (!factory.createWithFlags)
            return Usage(std::string(factory.name) + " takes no --flags");
        if (!ParseInt(options.flags, flags) || flags < 0 || flags > 15)
            return Usage("--flags '" + options.flags + "' is not a whole number from 0 to 15");
    } else if (factory.defaultFlags) {
        flags = factory.defaultFlags(node);
    }
    // The analysis wizards come from the factory, as the host gets them.
    std::unique_ptr<CWizard> sheet = factory.subType != kSubNone
                                         ? CreateAnalysisWizard(node, factory.subType, static_cast<int>(flags))
                                         : factory.create(node);
    if (!sheet)
        return Fail("run: the " + std::string(factory.name) + " wizard could not be made");
    if (CResult prepared = sheet->Prepare(); !prepared)
        return Fail("run: " + prepared.GetMessage());
    // A journal that cannot be written fails before the person does anything.
    CSessionJournal journal(options.journal);
    if (CResult started = journal.Start("wizhost run " + options.wizard + " --node " + options.node +
                                        ": the steps taken, for --script");
        !started)
        return Fail("run: journal " + started.GetMessage());
    const RunOutcome outcome = RunModal(*sheet, options, commands, journal);
    const auto* preparation = dynamic_cast<const CAnalysisWizard*>(sheet.get());
    // A material chosen on the way was added when it was chosen.
    const std::string materialKept = preparation && preparation->ChangedMaterial()
                                         ? "; the material chosen stays in the project"
                                         : "";
    // The step the journal could not hold was not taken, and the run ended there.
    if (journal.Failed())
        return Fail("run: journal " + journal.WriteError().GetMessage() + materialKept);
    if (!outcome.error.empty())
        return Fail(outcome.error + materialKept);
    if (outcome.result != ID_WIZFINISH) {
        if (!materialKept.empty())
            std::printf("cancelled: no analysis was made%s\n", materialKept.c_str());
        else
            std::printf("cancelled: the project was not changed\n");
        return kExitNo;
    }
    if (CResult finished = sheet->GetFinishResult(); !finished)
        return Fail("run: " + finished.GetMessage() + materialKept);
    const ZQ_PM_Node* made = sheet->GetResultNode();
    if (!made && preparation && !preparation->ChosenWizardFinished()) {
        std::printf("cancelled: the analysis wizard was cancelled; no analysis was made%s\n", materialKept.c_str());
        return kExitNo;
    }
    if (!made)
        return Fail("run: the project did not take " + sheet->GetOutputFile() + ": " + tree.GetLastError());
    std::printf("result node: %d \"%s\"\n", made->GetId(), made->GetDisplayLabel().c_str());
    std::printf("file: %s\n", tree.RelativePath(hostpath::Absolute(sheet->GetOutputFile())).c_str());
    std::printf("job submission: %d (%s)\n", sheet->GetJobSubmission(), JobSubmissionText(sheet->GetJobSubmission()));
    // What failed after the result was made; the result stands (exit 0).
    for (const std::string& warning : sheet->GetFinishWarnings())
        std::fprintf(stderr, "wizhost: warning: %s\n", warning.c_str());
    if (!outcome.leftover.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "wizhost: warning: the wizard finished before the script ended: %s\n",
                     outcome.leftover.c_str());
        return kExitScriptPastFinish;
    }
    return kExitOk;
}

int RunCommand(const Args& rawArgs)
{
    Args args = rawArgs;
    if (WantsHelp(args))
        return PrintUsage(g_runCommand);
    CWinApp app;
    // The host loads the library before it asks for any wizard.
    CWizardLibraryScope library;
    if (!library.Result())
        return Fail("run: " + library.Result().GetMessage());
    std::string error;
    if (!ApplyUnitsOption(args, app, error))
        return Usage(error);
    RunOptions options;
    if (!ParseRunOptions(args, options, error))
        return Usage(error);
    // The run goes into the project folder; the journal is where it was named.
    if (!options.journal.empty())
        options.journal = std::filesystem::absolute(options.journal).string();
    const SWizardFactory* factory = FindWizard(options.wizard);
    if (!factory)
        return Usage("no wizard '" + options.wizard + "' (available: " + WizardNames() + ")");
    // The host sets the preference before it builds any wizard.
    CWarpWizard::SetRSMPreference(options.rsm.empty() ? app.GetProfileInt("Defaults", "RSMPreference", 1)
                                                      : std::stoi(options.rsm));
    long nodeId = 0;
    if (!ParseInt(options.node, nodeId) || nodeId < 0 || nodeId > INT_MAX)
        return Usage("node id '" + options.node + "' is not a whole number");

    std::vector<SAgentCommand> commands;
    if (!options.script.empty()) {
        std::string text;
        if (!hostpath::ReadWholeFile(options.script, text))
            return Fail("run: cannot read script " + options.script);
        std::vector<CAgentScriptError> errors;
        if (!CScriptAgent::Read(text, options.script, commands, errors)) {
            for (std::size_t i = 0; i + 1 < errors.size(); ++i)
                std::fprintf(stderr, "wizhost: %s\n", errors[i].ToString().c_str());
            return Fail(errors.back().ToString());
        }
    }

    MProjectTree tree;
    if (!tree.Open(options.project))
        return Fail("run: " + tree.GetLastError());
    ZQ_PM_Node* node = tree.FindNode(static_cast<int>(nodeId));
    if (!node)
        return Fail("run: no node " + options.node + " in " + options.project);
    return RunWizard(*factory, tree, node, options, commands);
}

} // namespace

const WizCommand g_runCommand("run", kUsage, RunCommand);
