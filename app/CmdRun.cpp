// wizhost run WIZARD ...: runs a wizard on a node of a project, answered by a
// script or by a person at the terminal, and reports what it made.
#include "app/Command.h"
#include "app/UnitsOption.h"
#include "host/CadUnits.h"
#include "host/HostPaths.h"
#include "host/ProjectTree.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/TerminalAgent.h"
#include "platform/system/WinApp.h"
#include "translator/TranslatorSheet.h"

#include <climits>
#include <cstdio>
#include <iostream>
#include <memory>
#include <unistd.h>

using namespace wizhost;

extern const WizCommand g_runCommand;

namespace {

const char kUsage[] =
    "wizhost run WIZARD --project DIR --node ID [--script FILE | --tty] [--units si|metric|english]\n"
    "                                        run a wizard (translate) on a node, answered by the\n"
    "                                        agent script FILE or by you at the terminal; prints the\n"
    "                                        result node, its file and the job submission choice\n"
    "                                        (exit 1: cancelled, nothing changed)\n";

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
    bool tty = false;
};

bool ParseRunOptions(const Args& args, RunOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* valued = a == "--project" ? &options.project
                            : a == "--node"    ? &options.node
                            : a == "--script"  ? &options.script
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
        error = "which wizard? (translate)";
    else if (options.project.empty())
        error = "--project DIR is missing";
    else if (options.node.empty())
        error = "--node ID is missing";
    else if (options.script.empty() == !options.tty)
        error = "give either --script FILE or --tty";
    return error.empty();
}

// The translator starts from a CAD model, or from a mesh (or a translation
// input still waiting for its mesh) made from one.
bool IsTranslatable(const ZQ_PM_Node* node)
{
    if (node->GetType() == kNodeCadModel)
        return true;
    const ZQ_PM_Node* parent = node->GetParent();
    return (node->GetType() == kNodeMesh || node->GetType() == kNodeTranslation) && parent &&
           parent->GetType() == kNodeCadModel;
}

// Runs `sheet` with the chosen agent; false with `error` when the script failed.
bool RunModal(CWizard& sheet, const RunOptions& options, const std::vector<SAgentCommand>& commands, intptr_t& result,
              std::string& error)
{
    if (options.tty) {
        CTerminalAgent agent(std::cin, std::cout);
        CUserAgentScope scope(&agent);
        result = sheet.DoModal();
        return true;
    }
    CScriptAgent agent(commands, options.script, std::cout);
    CUserAgentScope scope(&agent);
    result = sheet.DoModal();
    agent.CheckFinished();
    if (agent.Failed())
        error = agent.Failure();
    return !agent.Failed();
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

int RunTranslator(MProjectTree& tree, ZQ_PM_Node* node, const RunOptions& options,
                  const std::vector<SAgentCommand>& commands)
{
    if (!IsTranslatable(node))
        return Fail("run: node " + options.node + " is neither a CAD model nor a mesh made from one");
    CurrentDirectory cwd(tree.GetProjectPath());
    if (!cwd.Ok())
        return Fail("run: cannot enter " + tree.GetProjectPath());
    CWizard::SetProjectTree(tree);
    CTranslatorSheet::SetGetCADUnitsFunc(HostGetCADUnits);
    CTranslatorSheet sheet(node);
    // New translation inputs belong with their CAD model, as the host files them.
    tree.SetEditNode(sheet.GetCADNode());
    intptr_t result = IDCANCEL;
    std::string error;
    if (!RunModal(sheet, options, commands, result, error))
        return Fail(error);
    if (result != ID_WIZFINISH) {
        std::printf("cancelled: the project was not changed\n");
        return kExitNo;
    }
    if (!sheet.IsOutputWritten())
        return Fail("run: could not write " + sheet.GetOutputFile());
    const ZQ_PM_Node* made = sheet.GetResultNode();
    if (!made)
        return Fail("run: the project did not take " + sheet.GetOutputFile() + ": " + tree.GetLastError());
    std::printf("result node: %d \"%s\"\n", made->GetId(), made->GetDisplayLabel().c_str());
    std::printf("file: %s\n", tree.RelativePath(hostpath::Absolute(sheet.GetOutputFile())).c_str());
    std::printf("job submission: %d (%s)\n", sheet.GetJobSubmission(), JobSubmissionText(sheet.GetJobSubmission()));
    return kExitOk;
}

int RunCommand(const Args& rawArgs)
{
    Args args = rawArgs;
    if (WantsHelp(args))
        return PrintUsage(g_runCommand);
    CWinApp app;
    std::string error;
    if (!ApplyUnitsOption(args, app, error))
        return Usage(error);
    RunOptions options;
    if (!ParseRunOptions(args, options, error))
        return Usage(error);
    if (options.wizard != "translate")
        return Usage("no wizard '" + options.wizard + "' (available: translate)");
    long nodeId = 0;
    if (!ParseInt(options.node, nodeId) || nodeId < 0 || nodeId > INT_MAX)
        return Usage("node id '" + options.node + "' is not a whole number");

    std::vector<SAgentCommand> commands;
    if (!options.tty) {
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
    return RunTranslator(tree, node, options, commands);
}

} // namespace

const WizCommand g_runCommand("run", kUsage, RunCommand);
