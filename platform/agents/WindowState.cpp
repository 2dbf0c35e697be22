#include "platform/agents/WindowState.h"

#include "platform/agents/UiLog.h"
#include "platform/agents/UserAgent.h"
#include "platform/agents/UserInput.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/GridWnd.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"
#include "platform/window/WinDef.h"
#include "platform/window/Wnd.h"

namespace {

// The length of the UTF-8 sequence starting at `s[i]`, or 0 when it is not one.
size_t Utf8Length(std::string_view s, size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    return n;
}

// A small writer: members are appended with a comma where one is due.
class CJson {
public:
    CJson& Open(char bracket)
    {
        Comma();
        m_out += bracket;
        m_first = true;
        return *this;
    }
    CJson& Close(char bracket)
    {
        m_out += bracket;
        m_first = false;
        return *this;
    }
    CJson& Key(const char* key)
    {
        Comma();
        m_out += JsonString(key) + ":";
        m_first = true; // the value follows without a comma
        return *this;
    }
    CJson& Str(std::string_view s) { return Raw(JsonString(s)); }
    CJson& Int(long long n) { return Raw(std::to_string(n)); }
    CJson& Bool(bool b) { return Raw(b ? "true" : "false"); }
    CJson& Raw(const std::string& text)
    {
        Comma();
        m_out += text;
        return *this;
    }
    const std::string& Text() const { return m_out; }

private:
    void Comma()
    {
        if (!m_first)
            m_out += ',';
        m_first = false;
    }
    std::string m_out;
    bool m_first = true;
};

void Rect(CJson& j, CWnd* c, int dx = 0, int dy = 0)
{
    CRect r;
    c->GetWindowRect(&r);
    j.Key("x").Int(r.left + dx).Key("y").Int(r.top + dy).Key("w").Int(r.Width()).Key("h").Int(r.Height());
}

void ListBoxItems(CJson& j, CListBox* box)
{
    j.Key("items").Open('[');
    for (int i = 0; i < box->GetCount(); ++i)
        j.Str(box->GetText(i));
    j.Close(']').Key("selected").Open('[');
    for (int i = 0; i < box->GetCount(); ++i)
        if (box->GetSel(i) > 0)
            j.Int(i);
    j.Close(']').Key("multiple").Bool(box->IsMultiSelect());
    j.Key("extended").Bool((box->GetStyle() & LBS_EXTENDEDSEL) != 0);
}

void ComboItems(CJson& j, CComboBox* combo)
{
    j.Key("items").Open('[');
    for (int i = 0; i < combo->GetCount(); ++i)
        j.Str(combo->GetLBText(i));
    j.Close(']').Key("selected").Open('[');
    if (combo->GetCurSel() >= 0)
        j.Int(combo->GetCurSel());
    j.Close(']').Key("dropDownList").Bool(combo->IsDropDownList());
    j.Key("editText").Str(combo->GetWindowText());
}

void ListViewRows(CJson& j, CListCtrl* list)
{
    j.Key("columns").Open('[');
    for (int c = 0; c < list->GetColumnCount(); ++c) {
        j.Open('{').Key("heading").Str(list->GetColumnHeading(c)).Key("width").Int(list->GetColumnWidth(c));
        j.Close('}');
    }
    j.Close(']').Key("rows").Open('[');
    const int columns = std::max(1, list->GetColumnCount());
    for (int i = 0; i < list->GetItemCount(); ++i) {
        j.Open('{').Key("image").Int(list->GetItemImage(i));
        j.Key("selected").Bool((list->GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) != 0);
        j.Key("cells").Open('[');
        for (int c = 0; c < columns; ++c)
            j.Str(list->GetItemText(i, c));
        j.Close(']').Close('}');
    }
    j.Close(']').Key("multiple").Bool((list->GetStyle() & LVS_SINGLESEL) == 0);
}

void GridCells(CJson& j, CGXGridWnd* grid)
{
    j.Key("hiddenCols").Open('[');
    for (int c = 0; c <= grid->GetColCount(); ++c)
        if (grid->IsColHidden(c))
            j.Int(c);
    j.Close(']').Key("cells").Open('[');
    for (int r = 0; r <= grid->GetRowCount(); ++r) {
        j.Open('[');
        for (int c = 0; c <= grid->GetColCount(); ++c) {
            const bool dropDown = grid->IsDropDownCell(r, c);
            j.Open('{').Key("v").Str(dropDown ? grid->GetControlText(r, c) : grid->GetValueRowCol(r, c));
            if (grid->IsReadOnlyCell(r, c))
                j.Key("ro").Bool(true);
            if (!grid->GetStyleRowCol(r, c).GetEnabled())
                j.Key("grey").Bool(true);
            if (dropDown) {
                j.Key("choices").Open('[');
                for (const std::string& choice : grid->GetChoices(r, c))
                    j.Str(choice);
                j.Close(']');
            }
            j.Close('}');
        }
        j.Close(']');
    }
    j.Close(']');
}

void Control(CJson& j, CWnd* c, CWnd* focus, int dx, int dy)
{
    const std::string kind = UserInput::ControlKind(c);
    j.Open('{').Key("id").Int(c->GetDlgCtrlID()).Key("kind").Str(kind);
    Rect(j, c, dx, dy);
    j.Key("text").Str(c->GetWindowText()).Key("style").Int(static_cast<long long>(c->GetStyle()));
    j.Key("enabled").Bool(c->IsWindowEnabled()).Key("focus").Bool(c == focus);
    if (kind == "check" || kind == "radio")
        j.Key("checked").Bool(UserInput::IsChecked(c));
    if (auto* box = dynamic_cast<CListBox*>(c))
        ListBoxItems(j, box);
    else if (auto* combo = dynamic_cast<CComboBox*>(c))
        ComboItems(j, combo);
    else if (auto* list = dynamic_cast<CListCtrl*>(c))
        ListViewRows(j, list);
    else if (auto* grid = dynamic_cast<CGXGridWnd*>(c))
        GridCells(j, grid);
    j.Close('}');
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const size_t n = Utf8Length(text, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (b == '"' || b == '\\') {
            out += '\\';
            out += static_cast<char>(b);
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out.append(text.substr(i, n));
        }
        i += n;
    }
    return out + "\"";
}

std::string WindowStateJson(CWnd* modal)
{
    CJson j;
    j.Open('{');
    if (!modal)
        return j.Close('}').Text();
    auto* sheet = dynamic_cast<CPropertySheet*>(modal);
    std::vector<std::string> tabs;
    int activeTab = -1;
    const bool tabbed = UserInput::Tabs(modal, tabs, activeTab);
    CRect frame;
    modal->GetWindowRect(&frame);
    j.Key("title").Str(UserInput::Title(modal)).Key("template").Int(UserInput::ActiveTemplateId(modal));
    j.Key("kind").Str(!sheet ? "dialog" : tabbed ? "tabbed" : "wizard");
    j.Key("width").Int(frame.Width()).Key("height").Int(frame.Height());
    j.Key("contextHelp").Bool((modal->GetExStyle() & WS_EX_CONTEXTHELP) != 0 || sheet != nullptr);
    // A sheet's page sits inside the frame, under the tab row when it has one.
    const int pageX = sheet ? 8 : 0, pageY = !sheet ? 0 : tabbed ? 30 : 8;
    j.Key("page").Open('{').Key("x").Int(pageX).Key("y").Int(pageY).Close('}');
    j.Key("tabs").Open('[');
    for (const std::string& tab : tabs)
        j.Str(tab);
    j.Close(']').Key("activeTab").Int(activeTab);
    CWnd* dialog = UserInput::ActiveDialog(modal);
    CWnd* focus = CWnd::GetFocus();
    j.Key("controls").Open('[');
    std::vector<CWnd*> buttons;
    for (CWnd* c : UserInput::Controls(modal)) {
        if (!c->IsWindowVisible())
            continue;
        if (c->GetParent() != dialog)
            buttons.push_back(c);
        else
            Control(j, c, focus, pageX, pageY);
    }
    j.Close(']').Key("buttons").Open('[');
    for (CWnd* b : buttons)
        Control(j, b, focus, 0, 0);
    return j.Close(']').Close('}').Text();
}

std::string MessageBoxJson(const CMessageBoxRequest& request)
{
    static const std::pair<int, const char*> kButtons[] = {
        {IDOK, "OK"}, {IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"},
    };
    CJson j;
    j.Open('{').Key("text").Str(request.text).Key("caption").Str(request.caption);
    j.Key("buttons").Open('[');
    std::string defaultButton;
    for (const auto& [id, name] : kButtons) {
        if (!MessageBoxHasButton(request.type, id))
            continue;
        j.Str(name);
        if (id == request.defaultResult)
            defaultButton = name;
    }
    j.Close(']').Key("default").Str(defaultButton);
    const unsigned icon = request.type & MB_ICONMASK;
    j.Key("icon").Str(icon == MB_ICONSTOP ? "stop" : icon == MB_ICONINFORMATION ? "information"
                                                   : icon == MB_ICONQUESTION   ? "question"
                                                                               : "exclamation");
    return j.Close('}').Text();
}

std::string FileDialogJson(const CFileDialogRequest& request)
{
    CJson j;
    j.Open('{').Key("kind").Str(request.kind == CFileDialogRequest::Folder ? "folder"
                                : request.kind == CFileDialogRequest::Save ? "save"
                                                                           : "open");
    j.Key("title").Str(request.title).Key("filter").Str(request.filter).Key("fileName").Str(request.fileName);
    j.Key("initialDir").Str(request.initialDir).Key("defaultExt").Str(request.defaultExt);
    return j.Close('}').Text();
}

std::string HelpPopupsJson(size_t from)
{
    CJson j;
    j.Open('[');
    const auto& log = GetUiLog();
    for (size_t i = from; i < log.size(); ++i) {
        if (log[i].kind != UiLogKind::HelpPopup)
            continue;
        j.Open('{').Key("file").Str(log[i].text).Key("command").Int(log[i].type);
        j.Key("context").Int(log[i].helpId).Close('}');
    }
    return j.Close(']').Text();
}
