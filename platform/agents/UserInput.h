#pragma once
// What a person does with the top modal window, in one place so that the user
// agents and the tests act the same way. Each operation behaves as the mouse
// and keyboard do: a click, a check, a selection and the sheet and dialog
// buttons first move the focus, so the control that had it gets its kill-focus
// notification before the click lands; typing replaces the whole text of an
// edit (select all, type) with its change notification. Acting on a missing,
// disabled or hidden control does nothing and says why.
#include <string>
#include <vector>

class CWnd;

struct CInputResult {
    bool ok = true;
    std::string reason; // why it could not be done, for the agent to report
    explicit operator bool() const { return ok; }
    static CInputResult Fail(std::string why) { return {false, std::move(why)}; }
};

namespace UserInput {

// The dialog whose controls are showing: a sheet's active page, else `modal` itself.
CWnd* ActiveDialog(CWnd* modal);
// The template id of that dialog (a sheet reports its active page's); 0 when none.
int ActiveTemplateId(CWnd* modal);
// The window title of `modal`.
std::string Title(CWnd* modal);

// A control of the active dialog, or one of a sheet's own buttons, named by its
// decimal id or by its caption without the "&" (case sensitive); null when none.
CWnd* FindControl(CWnd* modal, const std::string& name);
// The active dialog's controls in tab (z) order, followed by a sheet's buttons.
std::vector<CWnd*> Controls(CWnd* modal);
// A short kind name: "edit", "button", "check", "radio", "group", "static",
// "combo", "list", "listview", "grid", "window".
std::string ControlKind(CWnd* control);
// What the control shows: an edit's or static's text, a combo's or list's
// selected item, "on"/"off" for check boxes and radio buttons, a button's caption.
std::string ControlValue(CWnd* control);
bool IsChecked(CWnd* control);
bool IsUsable(CWnd* control); // exists, visible and enabled, and so is its dialog

CInputResult Click(CWnd* control);                      // buttons, check boxes, radios
CInputResult Check(CWnd* control, bool on);              // clicks only when the state differs
CInputResult Type(CWnd* control, const std::string& text); // edits (and combo boxes with an edit)
CInputResult Select(CWnd* control, const std::string& item); // combo, list box, list view: exact item text
CInputResult SelectIndex(CWnd* control, int index);       // the same by zero-based position
CInputResult SetCell(CWnd* grid, int row, int col, const std::string& text);

CInputResult Next(CWnd* modal);   // wizard buttons
CInputResult Back(CWnd* modal);
CInputResult Finish(CWnd* modal);
// A dialog's IDOK or IDCANCEL button, a sheet's OK or Cancel; a dialog
// without the button gets the command as Enter or Escape would send it.
CInputResult Ok(CWnd* modal);
CInputResult Cancel(CWnd* modal);
// Context help on a control (null: the dialog itself), as the "?" button then a click does.
CInputResult Help(CWnd* modal, CWnd* control);
// The same asked with F1 on the focused control (F1 is held while the help message runs).
CInputResult HelpKey(CWnd* modal);
// A tabbed sheet's tab: activates the page, asking the page being left first.
CInputResult SelectPage(CWnd* modal, int index);

// Lets `ms` milliseconds of the virtual clock pass, firing due timers in order.
void Wait(unsigned ms);

// Ends every running modal loop as cancelled, innermost first, without asking
// the agent again; message boxes shown meanwhile return their default button.
void AbortModals();
bool IsAborting();
// Called by the modal loop as it exits: the abort ends with the outermost loop.
void EndAbortIfIdle();

} // namespace UserInput
