#include "platform/resources/Resources.h"

#include "platform/resources/CompiledResources.h"

#include <cassert>
#include <vector>

// Function-local: registrations run during static initialisation.
static std::vector<const SCompiledResources*>& ExtraSets()
{
    static std::vector<const SCompiledResources*> sets;
    return sets;
}

CCompiledResourcesRegistration::CCompiledResourcesRegistration(const SCompiledResources& set)
{
    ExtraSets().push_back(&set);
}

static void AddCompiled(CResourceSet& set, const SCompiledResources& data)
{
    for (int i = 0; i < data.dialogCount; ++i) {
        const SCompiledDialog& d = data.dialogs[i];
        CDialogTemplate t;
        t.id = d.id;
        t.symbol = d.symbol;
        t.extended = d.extended;
        t.caption = d.caption;
        t.style = d.style;
        t.exStyle = d.exStyle;
        t.helpId = d.helpId;
        t.font = {d.pointSize, d.face, d.weight, d.italic, d.charset};
        t.rect = {d.x, d.y, d.cx, d.cy};
        t.file = d.file;
        t.line = d.line;
        t.items.reserve(d.itemCount);
        for (int k = 0; k < d.itemCount; ++k) {
            const SCompiledItem& s = d.items[k];
            CDlgItemTemplate item;
            item.id = s.id;
            item.itemClass = static_cast<DlgItemClass>(s.itemClass);
            item.className = s.className;
            item.text = s.text;
            item.style = s.style;
            item.exStyle = s.exStyle;
            item.helpId = s.helpId;
            item.rect = {s.x, s.y, s.cx, s.cy};
            item.line = s.line;
            t.items.push_back(std::move(item));
        }
        [[maybe_unused]] const bool added = set.AddDialog(std::move(t));
        assert(added && "a dialog id used by two compiled sets");
    }
    for (int i = 0; i < data.stringCount; ++i)
        set.AddString(data.strings[i].id, data.strings[i].text);
    for (int i = 0; i < data.symbolCount; ++i)
        set.AddSymbol(data.symbols[i].name, data.symbols[i].value);
}

static CResourceSet BuildAppResources()
{
    CResourceSet set;
    AddCompiled(set, g_compiledResources);
    for (const SCompiledResources* extra : ExtraSets())
        AddCompiled(set, *extra);
    return set;
}

const CResourceSet& AppResources()
{
    static const CResourceSet set = BuildAppResources();
    return set;
}

const CDialogTemplate* FindDialogTemplate(int id) { return AppResources().FindDialog(id); }

std::vector<const CDialogTemplate*> AllDialogTemplates()
{
    std::vector<const CDialogTemplate*> all;
    all.reserve(AppResources().Dialogs().size());
    for (const auto& [id, dialog] : AppResources().Dialogs())
        all.push_back(&dialog);
    return all;
}

bool LoadString(int id, std::string& text)
{
    const std::string* s = AppResources().FindString(id);
    text = s ? *s : std::string();
    return s != nullptr;
}

std::string LoadString(int id)
{
    std::string text;
    LoadString(id, text);
    return text;
}
