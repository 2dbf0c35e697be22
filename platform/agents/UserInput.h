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
// What the control shows: an edit's or static's text, a combo's selected
// item, a list box's or list view's selected items joined by ", ", "on"/"off"
// for check boxes and radio buttons, a button's caption.
std::string ControlValue(CWnd* control);
bool IsChecked(CWnd* control);
bool IsUsable(CWnd* control); // exists, visible and enabled, and so is its dialog

CInputResult Click(CWnd* control);                      // buttons, check boxes, radios
CInputResult Check(CWnd* control, bool on);              // clicks only when the state differs
CInputResult Type(CWnd* control, const std::string& text); // edits (and combo boxes with an edit)
CInputResult Select(CWnd* control, const std::string& item); // combo, list box, list view: exact item text
CInputResult SelectIndex(CWnd* control, int index);       // the same by zero-based position
// A grid cell, as a person enters it; a drop-down cell takes an item's text.
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
// A tabbed sheet's tab, clicked: the tab row takes the focus, the page being
// left is asked (OnKillActive, which may refuse: that is no failure), and
// the tab's page comes to front (OnSetActive).
CInputResult SelectPage(CWnd* modal, int index);
// The same by the tab's caption, without the "&".
CInputResult SelectPage(CWnd* modal, const std::string& caption);
// A tabbed sheet's tab captions in order, without the "&", and the index of
// the one in front; false (and nothing) for a window without tabs.
bool Tabs(CWnd* modal, std::vector<std::string>& captions, int& active);

// Changing a list's selection in a list box with several selections
// (LBS_MULTIPLESEL, LBS_EXTENDEDSEL) or a list view without LVS_SINGLESEL,
// by the clicks a person makes, with their notifications:
//   Add     Ctrl-click on an item not selected (a multiple-selection list
//           box: a plain click); nothing when it is selected already
//   Remove  the same on a selected item; nothing when it is not selected
//   Extend  Shift-click: the items from the anchor (the last item clicked
//           without Shift) to this one, and no others
//   Clear   a list view: a click below the items; a list box: Remove on
//           each selected item
//   All     a click on the first item and a Shift-click on the last (a
//           multiple-selection list box: Add on each item)
enum class SelectionChange { Add, Remove, Extend, Clear, All };
CInputResult ChangeSelection(CWnd* control, SelectionChange how, int index = -1);
// The item's position by its exact text (a list view row may carry one
// leading blank before it); -1 and the reason when none.
CInputResult FindItem(CWnd* control, const std::string& item, int& index);

// A list view's, list box's, combo box's or grid's row count (a grid's
// without its heading row).
CInputResult RowCount(CWnd* control, int& rows);
// What one cell shows: a list view's item (row) and sub-item (column), both
// from 0; a grid's cell as the grid numbers them (row 0 and column 0 are the
// headings), a drop-down cell as its item's text.
CInputResult CellText(CWnd* control, int row, int col, std::string& text);

// Lets `ms` milliseconds of the virtual clock pass, firing due timers in order.
void Wait(unsigned ms);

// Ends every running modal loop as cancelled, innermost first, without asking
// the agent again; message boxes shown meanwhile return their default button.
void AbortModals();
bool IsAborting();
// Called by the modal loop as it exits: the abort ends with the outermost loop.
void EndAbortIfIdle();

} // namespace UserInput
