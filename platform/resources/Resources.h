#pragma once
// The compiled resources: dialog templates and the string table. The resource
// scripts under resources/ are compiled at build time into the library, so a
// running program looks templates and strings up by id and never reads a file.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A rectangle in dialog units, as the template gives it.
struct CDlgRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct CDlgFont {
    int pointSize = 0; // 0: the template names no font
    std::string face;
    int weight = 0;
    bool italic = false;
    int charset = 0;
};

// The window class of a template item. Known classes are matched without
// regard to case; any other class name (the grid's, for one) is kCustom and
// keeps its name in CDlgItemTemplate::className.
enum class DlgItemClass { kButton, kEdit, kStatic, kComboBox, kListBox, kListView, kCustom };

struct CDlgItemTemplate {
    int id = -1; // -1: a control nobody addresses (captions, group frames)
    DlgItemClass itemClass = DlgItemClass::kStatic;
    std::string className; // "Button", "Edit", "Static", "ComboBox", "ListBox", "SysListView32" or as written
    std::string text;      // caption, with the "&" of its mnemonic
    uint32_t style = 0;    // includes WS_CHILD and, unless removed, WS_VISIBLE
    uint32_t exStyle = 0;
    uint32_t helpId = 0;
    CDlgRect rect;
    int line = 0; // where the item was written, for messages about it
};

struct CDialogTemplate {
    int id = 0;
    std::string symbol; // the #define name of the id, "" when written as a number
    bool extended = false; // DIALOGEX rather than DIALOG
    std::string caption;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t helpId = 0;
    CDlgFont font;
    CDlgRect rect;
    std::vector<CDlgItemTemplate> items; // in the order written: the tab and z order
    std::string file;                    // source script and line, for messages
    int line = 0;

    // The first item with this id, or null.
    const CDlgItemTemplate* FindItem(int itemId) const;
};

// Everything one or more scripts define: templates, strings and the #define
// symbols. Ids are unique across the set.
class CResourceSet {
public:
    // False (and nothing added) when the id is already taken.
    bool AddDialog(CDialogTemplate dialog);
    bool AddString(int id, std::string text);
    void AddSymbol(const std::string& name, long value) { m_symbols[name] = value; }

    const CDialogTemplate* FindDialog(int id) const;
    const std::string* FindString(int id) const;
    const long* FindSymbol(const std::string& name) const;

    // Sorted by id.
    const std::map<int, CDialogTemplate>& Dialogs() const { return m_dialogs; }
    const std::map<int, std::string>& Strings() const { return m_strings; }
    const std::map<std::string, long>& Symbols() const { return m_symbols; }

private:
    std::map<int, CDialogTemplate> m_dialogs;
    std::map<int, std::string> m_strings;
    std::map<std::string, long> m_symbols;
};

// The resources compiled into the library (every resources/*.rc).
const CResourceSet& AppResources();

// The template with this id, or null.
const CDialogTemplate* FindDialogTemplate(int id);

// Every compiled template, sorted by id.
std::vector<const CDialogTemplate*> AllDialogTemplates();

// The string with this id; false (and `text` emptied) when there is none.
bool LoadString(int id, std::string& text);
// The string with this id, or "" when there is none.
std::string LoadString(int id);
