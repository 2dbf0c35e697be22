#include "platform/agents/WindowView.h"

#include <cstdio>

#include "platform/agents/AgentScript.h"
#include "platform/agents/UserInput.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/WinDef.h"
#include "platform/window/Wnd.h"

std::string WithoutMnemonic(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string TemplateItemKind(const CDlgItemTemplate& item)
{
    switch (item.itemClass) {
    case DlgItemClass::kButton:
        switch (item.style & BS_TYPEMASK) {
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return "radio";
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return "check";
        case BS_GROUPBOX: return "group";
        default: return "button";
        }
    case DlgItemClass::kEdit: return "edit";
    case DlgItemClass::kStatic: return "static";
    case DlgItemClass::kComboBox: return "combo";
    case DlgItemClass::kListBox: return "list";
    case DlgItemClass::kListView: return "listview";
    case DlgItemClass::kCustom: return "grid";
    }
    return "window";
}

// Controls that show their own text as a caption; the others show it as their value.
static bool HasCaption(const std::string& kind)
{
    return kind == "button" || kind == "check" || kind == "radio" || kind == "group" || kind == "static";
}

SWindowView ViewOfWindow(CWnd* modal)
{
    SWindowView view;
    if (!modal)
        return view;
    view.title = UserInput::Title(modal);
    view.templateId = UserInput::ActiveTemplateId(modal);
    UserInput::Tabs(modal, view.tabs, view.activeTab);
    CWnd* dialog = UserInput::ActiveDialog(modal);
    CWnd* focus = CWnd::GetFocus();
    for (CWnd* c : UserInput::Controls(modal)) {
        if (!c->IsWindowVisible())
            continue;
        SControlView row;
        row.id = c->GetDlgCtrlID();
        row.kind = UserInput::ControlKind(c);
        if (HasCaption(row.kind))
            row.caption = WithoutMnemonic(c->GetWindowText());
        if (row.kind != "button" && row.kind != "group" && row.kind != "static")
            row.value = UserInput::ControlValue(c);
        row.disabled = !UserInput::IsUsable(c);
        row.focused = c == focus;
        if (auto* box = dynamic_cast<CListBox*>(c))
            row.multiple = box->IsMultiSelect();
        else if (c->GetKind() == WndKind::ListView)
            row.multiple = (c->GetStyle() & LVS_SINGLESEL) == 0;
        (c->GetParent() == dialog ? view.controls : view.buttons).push_back(std::move(row));
    }
    return view;
}

SWindowView ViewOfTemplate(const CDialogTemplate& dialog)
{
    SWindowView view;
    view.title = dialog.caption;
    view.templateId = dialog.id;
    const std::vector<int> ids = TemplateControlIds(dialog);
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const CDlgItemTemplate& item = dialog.items[i];
        if (!(item.style & WS_VISIBLE)) {
            view.hidden.push_back(ids[i]);
            continue;
        }
        SControlView row;
        row.id = ids[i];
        row.kind = TemplateItemKind(item);
        if (row.kind == "list")
            row.multiple = (item.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
        else if (row.kind == "listview")
            row.multiple = (item.style & LVS_SINGLESEL) == 0;
        if (HasCaption(row.kind))
            row.caption = WithoutMnemonic(item.text);
        if (row.kind == "check" || row.kind == "radio")
            row.value = "off";
        else if (row.kind == "edit")
            row.value = item.text;
        row.disabled = (item.style & WS_DISABLED) != 0;
        view.controls.push_back(std::move(row));
    }
    return view;
}

static std::string Row(const SControlView& c)
{
    const std::string id = c.id == -1 ? std::string("-") : std::to_string(c.id);
    std::string caption = c.caption.empty() ? std::string() : QuoteAgentText(c.caption);
    std::string value = c.value.empty() && c.kind == "edit" ? std::string("\"\"")
                        : c.value.empty()                   ? std::string()
                        : c.value == "on" || c.value == "off" ? c.value
                                                              : QuoteAgentText(c.value);
    char head[64];
    std::snprintf(head, sizeof head, "  %-6s %-9s", id.c_str(), c.kind.c_str());
    std::string line = head;
    line += caption;
    if (!value.empty())
        line += (caption.empty() ? "" : " ") + std::string("= ") + value;
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    if (c.multiple)
        line += "  [multiple]";
    if (c.disabled)
        line += "  [disabled]";
    if (c.focused)
        line += "  [focus]";
    return line + "\n";
}

std::string FormatWindowView(const SWindowView& view)
{
    std::string out = "== " + view.title;
    if (view.templateId)
        out += " (dialog " + std::to_string(view.templateId) + ")";
    out += " ==\n";
    if (!view.tabs.empty()) {
        // The tabs stand above the page, the one in front marked.
        out += "  tabs:";
        for (size_t i = 0; i < view.tabs.size(); ++i)
            out += " [" + view.tabs[i] + (static_cast<int>(i) == view.activeTab ? " (active)" : "") + "]";
        out += "\n";
    }
    for (const SControlView& c : view.controls)
        out += Row(c);
    if (!view.buttons.empty()) {
        out += "  buttons:";
        for (const SControlView& b : view.buttons) {
            out += " [" + b.caption + (b.disabled ? " (disabled)" : "") + (b.focused ? " (focus)" : "") + "]";
        }
        out += "\n";
    }
    if (!view.hidden.empty()) {
        out += "  hidden:";
        for (int id : view.hidden)
            out += " " + (id == -1 ? std::string("-") : std::to_string(id));
        out += "\n";
    }
    return out;
}
