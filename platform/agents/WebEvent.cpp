#include "platform/agents/WebEvent.h"

#include "platform/agents/SessionJournal.h"
#include "platform/window/WinDef.h"

#include <climits>

namespace {

class CFields {
public:
    explicit CFields(const std::map<std::string, std::string>& fields) : m_fields(fields) {}

    const std::string* Find(const char* name) const
    {
        auto it = m_fields.find(name);
        return it == m_fields.end() ? nullptr : &it->second;
    }
    // A required text field.
    bool Text(const char* name, std::string& value, std::string& error) const
    {
        const std::string* v = Find(name);
        if (!v) {
            error = std::string("missing '") + name + "'";
            return false;
        }
        value = *v;
        return true;
    }
    // A required whole number from 0 to `max`.
    bool Number(const char* name, int max, int& value, std::string& error) const
    {
        const std::string* v = Find(name);
        if (!v || v->empty() || v->size() > 9 || v->find_first_not_of("0123456789") != std::string::npos) {
            error = std::string("'") + name + "' must be a whole number";
            return false;
        }
        value = std::stoi(*v);
        if (value > max) {
            error = std::string("'") + name + "' is larger than " + std::to_string(max);
            return false;
        }
        return true;
    }

private:
    const std::map<std::string, std::string>& m_fields;
};

constexpr int kMaxId = 65535;
constexpr int kMaxIndex = 1000000;

bool Build(const CFields& f, const std::string& op, SAgentCommand& c, std::string& error)
{
    static const std::pair<const char*, AgentOp> kPlain[] = {
        {"next", AgentOp::Next}, {"back", AgentOp::Back}, {"finish", AgentOp::Finish},
        {"ok", AgentOp::Ok},     {"cancel", AgentOp::Cancel},
    };
    for (const auto& [name, plain] : kPlain)
        if (op == name) {
            c.op = plain;
            return true;
        }
    int id = 0;
    const bool needsControl = op == "click" || op == "type" || op == "select" || op == "check" || op == "cell" ||
                              op == "selection" || (op == "help" && f.Find("id"));
    if (needsControl) {
        if (!f.Number("id", kMaxId, id, error))
            return false;
        c.control = std::to_string(id);
    }
    if (op == "click" || op == "help") {
        c.op = op == "click" ? AgentOp::Click : AgentOp::Help;
        return true;
    }
    if (op == "type") {
        c.op = AgentOp::Type;
        return f.Text("text", c.text, error);
    }
    if (op == "select" || op == "tab") {
        c.op = op == "select" ? AgentOp::SelectIndex : AgentOp::Tab;
        c.byPosition = true;
        return f.Number("index", kMaxIndex, c.number, error);
    }
    if (op == "check") {
        const std::string* on = f.Find("on");
        if (!on || (*on != "1" && *on != "0")) {
            error = "'on' must be 1 or 0";
            return false;
        }
        c.op = AgentOp::Check;
        c.on = *on == "1";
        return true;
    }
    if (op == "cell") {
        c.op = AgentOp::Cell;
        return f.Number("row", kMaxIndex, c.number, error) && f.Number("col", kMaxIndex, c.column, error) &&
               f.Text("text", c.text, error);
    }
    if (op == "selection") {
        static const std::pair<const char*, AgentOp> kHow[] = {
            {"add", AgentOp::SelectionAdd},       {"remove", AgentOp::SelectionRemove},
            {"extend", AgentOp::SelectionExtend}, {"clear", AgentOp::SelectionClear},
            {"all", AgentOp::SelectionAll},
        };
        const std::string* how = f.Find("how");
        for (const auto& [name, change] : kHow) {
            if (!how || *how != name)
                continue;
            c.op = change;
            if (change == AgentOp::SelectionClear || change == AgentOp::SelectionAll)
                return true;
            c.byPosition = true;
            return f.Number("index", kMaxIndex, c.number, error);
        }
        error = "'how' must be add, remove, extend, clear or all";
        return false;
    }
    if (op == "answer") {
        static const std::pair<const char*, int> kButtons[] = {
            {"OK", IDOK}, {"Cancel", IDCANCEL}, {"Yes", IDYES}, {"No", IDNO}};
        const std::string* button = f.Find("button");
        for (const auto& [name, result] : kButtons)
            if (button && *button == name) {
                c.op = AgentOp::Answer;
                c.number = result;
                return true;
            }
        error = "'button' must be OK, Cancel, Yes or No";
        return false;
    }
    if (op == "choose") {
        const std::string* path = f.Find("path");
        if (!path) {
            c.op = AgentOp::ChooseCancel;
            return true;
        }
        // A script line cannot hold a path with a line end in it.
        if (path->empty() || path->find_first_of("\r\n") != std::string::npos) {
            error = "a path must be one line and not empty";
            return false;
        }
        c.op = AgentOp::Choose;
        c.text = *path;
        return true;
    }
    error = "unknown event '" + op + "'";
    return false;
}

} // namespace

bool WebEventCommand(const std::map<std::string, std::string>& fields, SAgentCommand& command, std::string& line,
                     std::string& error)
{
    const CFields f(fields);
    std::string op;
    if (!f.Text("op", op, error))
        return false;
    SAgentCommand built;
    if (!Build(f, op, built, error))
        return false;
    line = AgentCommandLine(built);
    // What runs is what the line says, read as a script reads it.
    if (ReadAgentLine(line, command, error) != AgentLineKind::Command) {
        error = "the event makes no command (" + error + ")";
        return false;
    }
    return true;
}
