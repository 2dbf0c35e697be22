#pragma once
// What a person sees of a window, as text: its title and, in tab order, each
// visible control with its id, kind, caption, value and state, then a sheet's
// own buttons. The terminal agent prints live windows this way, and
// `wizhost ui show` prints a dialog template the same way.
#include <string>
#include <vector>

#include "platform/resources/Resources.h"

class CWnd;

struct SControlView {
    int id = -1;
    std::string kind;    // "edit", "button", "check", "radio", "group", "static", "combo", "list", "listview", "grid"
    std::string caption; // without the "&" of its mnemonic
    std::string value;   // an edit's text, "on"/"off", the selected item...
    bool disabled = false;
    bool focused = false;
    bool multiple = false; // a list that takes several selections
};

struct SWindowView {
    std::string title;
    int templateId = 0;
    std::vector<SControlView> controls;
    std::vector<SControlView> buttons; // a sheet's Back, Next, Finish, Cancel, Help...
    std::vector<int> hidden;           // ids of controls not shown (templates only)
    std::vector<std::string> tabs;     // a tabbed sheet's tab captions, in order
    int activeTab = -1;
};

// The top modal window `modal` (a sheet shows its active page).
SWindowView ViewOfWindow(CWnd* modal);
// A template as a freshly created dialog would show before any code ran.
SWindowView ViewOfTemplate(const CDialogTemplate& dialog);

std::string FormatWindowView(const SWindowView& view);

// The kind name of a template item, as ViewOfWindow names the control.
std::string TemplateItemKind(const CDlgItemTemplate& item);
// `text` without the "&" marks ("&&" stays one "&").
std::string WithoutMnemonic(const std::string& text);
