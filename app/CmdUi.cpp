// wizhost ui ...: the dialog templates and strings compiled into the library,
// drawn as the terminal agent draws a window, and a way to try a template by
// hand or with an agent script.
#include "app/Command.h"
#include "app/WebRun.h"
#include "platform/window/Dialog.h"
#include "platform/resources/ResourceScript.h"
#include "platform/resources/Resources.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/SessionJournal.h"
#include "platform/agents/TerminalAgent.h"
#include "platform/agents/WindowView.h"
#include "platform/system/WholeFile.h"

#include <cstdio>
#include <iostream>

using namespace wizhost;

extern const WizCommand g_uiCommand;

namespace {

// One line per string: line ends and tabs are shown as escapes.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

// A template id as a number or as its #define name.
bool ParseTemplateId(const std::string& text, int& id)
{
    long value = 0;
    if (ParseInt(text, value)) {
        id = static_cast<int>(value);
        return value >= 0 && value <= 65535;
    }
    if (const long* symbol = AppResources().FindSymbol(text)) {
        id = static_cast<int>(*symbol);
        return true;
    }
    return false;
}

int List()
{
    for (const CDialogTemplate* d : AllDialogTemplates())
        std::printf("%-6d %s\n", d->id, d->caption.c_str());
    return kExitOk;
}

int Strings()
{
    for (const auto& [id, text] : AppResources().Strings())
        std::printf("%-6d %s\n", id, Escaped(text).c_str());
    return kExitOk;
}

const CDialogTemplate* TemplateArgument(const std::string& text, int& exitCode)
{
    int id = 0;
    if (!ParseTemplateId(text, id)) {
        exitCode = Fail("ui: '" + text + "' is neither a dialog id nor a known symbol");
        return nullptr;
    }
    const CDialogTemplate* t = FindDialogTemplate(id);
    if (!t) {
        std::fprintf(stderr, "wizhost: ui: no dialog template %d\n", id);
        exitCode = kExitNo;
    }
    return t;
}

int Show(const std::string& idText)
{
    int exitCode = kExitOk;
    const CDialogTemplate* t = TemplateArgument(idText, exitCode);
    if (!t)
        return exitCode;
    std::printf("%s", FormatWindowView(ViewOfTemplate(*t)).c_str());
    return kExitOk;
}

// Runs the template as a modal dialog answered by the script or the terminal.
int Try(const Args& args)
{
    std::string idText, script, journalPath, portText;
    bool web = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--script" && i + 1 < args.size())
            script = args[++i];
        else if (args[i] == "--journal" && i + 1 < args.size())
            journalPath = args[++i];
        else if (args[i] == "--port" && i + 1 < args.size())
            portText = args[++i];
        else if (args[i] == "--web")
            web = true;
        else if (idText.empty() && args[i].rfind("--", 0) != 0)
            idText = args[i];
        else
            return Fail("ui: unexpected argument '" + args[i] + "' (see wizhost ui --help)");
    }
    if (idText.empty())
        return Fail("ui try: missing the dialog id");
    if (web && !script.empty())
        return Fail("ui try: give --script FILE or --web, not both");
    if (!portText.empty() && !web)
        return Fail("ui try: --port goes with --web");
    if (!journalPath.empty() && !script.empty())
        return Fail("ui try: --journal records a run by hand; a script is its own record");
    int port = 0;
    if (!portText.empty() && !ParsePort(portText, port))
        return Fail("ui try: --port '" + portText + "' is not a port (0 to 65535)");
    int exitCode = kExitOk;
    const CDialogTemplate* t = TemplateArgument(idText, exitCode);
    if (!t)
        return exitCode;

    CDialog dialog(static_cast<UINT>(t->id));
    intptr_t result = 0;
    CSessionJournal journal(journalPath);
    if (CResult started = journal.Start("wizhost ui try " + idText + ": the steps taken, for --script"); !started)
        return Fail("ui try: journal " + started.GetMessage());
    if (web) {
        if (CResult r = RunOnWeb([&] { return dialog.DoModal(); }, port, &journal, result); !r)
            return Fail("ui try: " + r.GetMessage());
    } else if (script.empty()) {
        CTerminalAgent agent(std::cin, std::cout);
        agent.SetJournal(&journal);
        CUserAgentScope scope(&agent);
        result = dialog.DoModal();
    } else {
        std::string text;
        if (!ReadWholeFile(script, text))
            return Fail("ui try: cannot read " + script);
        std::vector<SAgentCommand> commands;
        std::vector<CAgentScriptError> errors;
        if (!ReadAgentScript(text, script, commands, errors)) {
            for (const CAgentScriptError& e : errors)
                Fail(e.ToString());
            return kExitError;
        }
        CScriptAgent agent(std::move(commands), script, std::cout);
        {
            CUserAgentScope scope(&agent);
            result = dialog.DoModal();
        }
        agent.CheckFinished();
        if (agent.Failed())
            return Fail(agent.Failure());
    }
    if (journal.Failed())
        return Fail("ui try: journal " + journal.WriteError().GetMessage());
    std::printf("result: %s\n", result == IDOK ? "OK" : result == IDCANCEL ? "Cancel" : std::to_string(result).c_str());
    return result == IDOK ? kExitOk : kExitNo;
}

int RunUi(const Args& args)
{
    if (args.empty() || WantsHelp(args))
        return args.empty() ? Fail("ui: missing command (see wizhost ui --help)") : PrintUsage(g_uiCommand);
    const std::string& command = args[0];
    if (command == "list" && args.size() == 1)
        return List();
    if (command == "strings" && args.size() == 1)
        return Strings();
    if (command == "show" && args.size() == 2)
        return Show(args[1]);
    if (command == "try")
        return Try(args);
    if (command == "list" || command == "strings" || command == "show")
        return Fail("ui " + command + ": wrong number of arguments (see wizhost ui --help)");
    return Fail("ui: unknown command '" + command + "' (see wizhost ui --help)");
}

} // namespace

extern const WizCommand g_uiCommand(
    "ui",
    "wizhost ui list                       every dialog template: id and caption\n"
    "wizhost ui show ID                    a dialog template drawn as the terminal agent draws it\n"
    "wizhost ui strings                    the string table: id and text\n"
    "wizhost ui try ID [--script FILE | --web [--port N]] [--journal FILE]\n"
    "                                      run a template as a modal dialog, answered by you at\n"
    "                                      the terminal or in a browser (--web), or by the agent\n"
    "                                      script FILE; --journal writes your steps as a script\n"
    "                                      (exit 1: cancelled or no such template)\n",
    RunUi);
