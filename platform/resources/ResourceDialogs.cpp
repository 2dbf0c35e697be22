// DIALOG and DIALOGEX statements: the template's header and options, then
// one control statement a line, each with its class, default style and form.
#include "platform/resources/ResourceParser.h"
#include "platform/system/TextCase.h"

#include <array>

namespace rcscript {

enum class ItemForm { kText, kNoText, kControl };

struct ControlStatement {
    const char* keyword;
    ItemForm form;
    DlgItemClass itemClass;
    const char* className;
    uint32_t defaultStyle; // besides WS_CHILD | WS_VISIBLE
};


namespace {

constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsGroup = 0x00020000,
                   kWsTabStop = 0x00010000, kWsBorder = 0x00800000, kWsPopup = 0x80000000,
                   kWsSysMenu = 0x00080000, kWsCaption = 0x00C00000, kDsSetFont = 0x40;

const ControlStatement kControlStatements[] = {
    {"LTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0000 | kWsGroup},
    {"RTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0002 | kWsGroup},
    {"CTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0001 | kWsGroup},
    {"PUSHBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0000 | kWsTabStop},
    {"DEFPUSHBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0001 | kWsTabStop},
    {"CHECKBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0002 | kWsTabStop},
    {"AUTOCHECKBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0003 | kWsTabStop},
    {"RADIOBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0004},
    {"AUTORADIOBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0009},
    {"STATE3", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0005 | kWsTabStop},
    {"AUTO3STATE", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0006 | kWsTabStop},
    {"GROUPBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0007},
    {"EDITTEXT", ItemForm::kNoText, DlgItemClass::kEdit, "Edit", 0x0000 | kWsBorder | kWsTabStop},
    {"COMBOBOX", ItemForm::kNoText, DlgItemClass::kComboBox, "ComboBox", 0x0001 | kWsTabStop},
    {"LISTBOX", ItemForm::kNoText, DlgItemClass::kListBox, "ListBox", 0x0001 | kWsBorder},
    {"CONTROL", ItemForm::kControl, DlgItemClass::kCustom, "", 0},
};

const ControlStatement* FindControlStatement(const std::string& keyword)
{
    for (const ControlStatement& s : kControlStatements)
        if (keyword == s.keyword)
            return &s;
    return nullptr;
}

struct KnownClass {
    const char* name;
    DlgItemClass itemClass;
};

const KnownClass kKnownClasses[] = {
    {"Button", DlgItemClass::kButton},     {"Edit", DlgItemClass::kEdit},
    {"Static", DlgItemClass::kStatic},     {"ComboBox", DlgItemClass::kComboBox},
    {"ListBox", DlgItemClass::kListBox},   {"SysListView32", DlgItemClass::kListView},
};

} // namespace

void CParser::Dialog()
{
    CDialogTemplate dialog;
    dialog.file = m_file;
    dialog.line = Cur().line;
    if (Cur().kind == TokKind::kName && m_symbols.count(Cur().text))
        dialog.symbol = Cur().text;
    if (Cur().kind == TokKind::kString)
        Fail("dialogs are named by number or #define'd symbol, not by a string");
    dialog.id = Id("a dialog id", 1, 65535);
    dialog.extended = Cur().text == "DIALOGEX";
    Advance();
    while (Cur().kind == TokKind::kName && IsMemoryOption(Cur().text))
        Advance();
    Rectangle(dialog.rect, {"the dialog's x", "the dialog's y", "the dialog's width", "the dialog's height"});
    if (IsPunct(",")) {
        if (!dialog.extended)
            Fail("a help id needs DIALOGEX");
        Advance();
        dialog.helpId = static_cast<uint32_t>(Expression("a help id"));
    }
    DialogOptions(dialog);
    if (!IsBegin())
        Fail("expected BEGIN or an option (STYLE, EXSTYLE, CAPTION, FONT), found " + DescribeCur());
    Advance();
    bool hadErrors = false;
    while (!IsEnd()) {
        if (Cur().kind == TokKind::kEnd)
            throw ParseFailure{dialog.line, "dialog " + std::to_string(dialog.id) + " is not closed by END"};
        if (!ControlItem(dialog))
            hadErrors = true;
        if (Stopped())
            return;
    }
    Advance();
    if (hadErrors)
        return;
    const int id = dialog.id, line = dialog.line;
    if (!m_set.AddDialog(std::move(dialog))) {
        const CDialogTemplate* other = m_set.FindDialog(id);
        Report(line, "dialog " + std::to_string(id) + " is already defined at " + other->file + ":" +
                         std::to_string(other->line));
    }
}

void CParser::DialogOptions(CDialogTemplate& dialog)
{
    bool styleGiven = false;
    bool hasCaption = false;
    uint32_t style = kWsPopup | kWsBorder | kWsSysMenu;
    while (Cur().kind == TokKind::kName) {
        const std::string& word = Cur().text;
        if (word == "STYLE") {
            Advance();
            style = Style(styleGiven ? style : 0);
            styleGiven = true;
        } else if (word == "EXSTYLE") {
            Advance();
            dialog.exStyle = Style(dialog.exStyle);
        } else if (word == "CAPTION") {
            Advance();
            dialog.caption = String("the caption");
            hasCaption = true;
        } else if (word == "FONT") {
            Advance();
            dialog.font.pointSize = Id("a point size", 1, 32767);
            ExpectComma("the font name");
            dialog.font.face = String("the font name");
            if (dialog.extended && IsPunct(",")) {
                Advance();
                dialog.font.weight = Id("a font weight", 0, 1000);
                if (IsPunct(",")) {
                    Advance();
                    dialog.font.italic = Expression("the italic flag") != 0;
                    if (IsPunct(",")) {
                        Advance();
                        dialog.font.charset = Id("a character set", 0, 255);
                    }
                }
            }
        } else if (word == "LANGUAGE" || word == "CHARACTERISTICS" || word == "VERSION" ||
                   IsMemoryOption(word)) {
            SkipOptions();
        } else if (word == "MENU" || word == "CLASS") {
            Fail("the dialog option " + word + " is not supported");
        } else {
            break;
        }
    }
    // A caption needs a title bar, and a named font is what DS_SETFONT says.
    if (hasCaption)
        style |= kWsCaption;
    if (dialog.font.pointSize != 0)
        style |= kDsSetFont;
    dialog.style = style;
}

// One control statement; false after reporting an error in it.
bool CParser::ControlItem(CDialogTemplate& dialog)
{
    const size_t start = m_pos;
    m_statementStart = start;
    try {
        if (Cur().kind == TokKind::kDirective) {
            Directive();
            return true;
        }
        if (Cur().kind != TokKind::kName)
            Fail("expected a control statement or END, found " + DescribeCur());
        const ControlStatement* statement = FindControlStatement(Cur().text);
        if (!statement)
            Fail("unsupported control statement '" + Cur().text + "'");
        CDlgItemTemplate item;
        item.line = Cur().line;
        Advance();
        ControlArguments(*statement, item, dialog.extended);
        if (!IsEnd() && !Cur().lineStart)
            Fail("unexpected " + DescribeCur() + " after the control");
        dialog.items.push_back(std::move(item));
        return true;
    } catch (const ParseFailure& f) {
        Report(f.line, f.message);
        // Resume at the next line that starts a control statement or ends the dialog.
        if (m_pos == start)
            Skip();
        while (Cur().kind != TokKind::kEnd && !IsEnd() && !StartsControlLine())
            Skip();
        return false;
    }
}

// A line that begins with a statement keyword, or with a word that is no
// known name (so not the style part of a statement continued from above).
bool CParser::StartsControlLine() const
{
    if (!Cur().lineStart)
        return false;
    if (Cur().kind == TokKind::kDirective)
        return true;
    if (Cur().kind != TokKind::kName)
        return false;
    long long ignored;
    return FindControlStatement(Cur().text) || !LookupName(Cur().text, ignored);
}

void CParser::ControlArguments(const ControlStatement& statement, CDlgItemTemplate& item, bool extended)
{
    uint32_t style = kWsChild | kWsVisible | statement.defaultStyle;
    item.itemClass = statement.itemClass;
    item.className = statement.className;
    if (statement.form != ItemForm::kNoText) {
        item.text = String("the control's text");
        ExpectComma("the control's id");
    }
    item.id = Id("a control id", -1, 65535);
    if (statement.form == ItemForm::kControl) {
        ExpectComma("the window class");
        WindowClass(item);
        ExpectComma("the style");
        style = Style(style);
    }
    ExpectComma("x");
    Rectangle(item.rect, {"x", "y", "the width", "the height"});
    if (statement.form != ItemForm::kControl && IsPunct(",")) {
        Advance();
        style = Style(style);
    }
    if (IsPunct(",")) {
        Advance();
        item.exStyle = Style(0);
        if (IsPunct(",")) {
            if (!extended)
                Fail("a help id needs DIALOGEX");
            Advance();
            item.helpId = static_cast<uint32_t>(Expression("a help id"));
        }
    }
    item.style = style;
}

void CParser::WindowClass(CDlgItemTemplate& item)
{
    std::string name;
    if (Cur().kind == TokKind::kString)
        name = Cur().text;
    else if (Cur().kind == TokKind::kName)
        name = Cur().text; // BUTTON, EDIT, ... written without quotes
    else
        Fail("expected a window class, found " + DescribeCur());
    if (name.empty())
        Fail("empty window class");
    const bool quoted = Cur().kind == TokKind::kString;
    Advance();
    for (const KnownClass& k : kKnownClasses) {
        if (EqualsNoCase(name, k.name)) {
            item.itemClass = k.itemClass;
            item.className = k.name;
            return;
        }
    }
    if (!quoted)
        throw ParseFailure{Cur().line, "unknown window class '" + name + "' (custom classes are quoted)"};
    item.itemClass = DlgItemClass::kCustom;
    item.className = name;
}

// "x, y, width, height", each named in messages as `names` gives.
void CParser::Rectangle(CDlgRect& rect, const std::array<const char*, 4>& names)
{
    rect.x = Coordinate(names[0]);
    ExpectComma(names[1]);
    rect.y = Coordinate(names[1]);
    ExpectComma(names[2]);
    rect.cx = Coordinate(names[2]);
    ExpectComma(names[3]);
    rect.cy = Coordinate(names[3]);
}

} // namespace rcscript
