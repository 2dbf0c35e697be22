#include "platform/resources/Resources.h"

const CDlgItemTemplate* CDialogTemplate::FindItem(int itemId) const
{
    for (const CDlgItemTemplate& item : items)
        if (item.id == itemId)
            return &item;
    return nullptr;
}

bool CResourceSet::AddDialog(CDialogTemplate dialog)
{
    const int id = dialog.id;
    return m_dialogs.emplace(id, std::move(dialog)).second;
}

bool CResourceSet::AddString(int id, std::string text)
{
    return m_strings.emplace(id, std::move(text)).second;
}

const CDialogTemplate* CResourceSet::FindDialog(int id) const
{
    auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

const std::string* CResourceSet::FindString(int id) const
{
    auto it = m_strings.find(id);
    return it == m_strings.end() ? nullptr : &it->second;
}

const long* CResourceSet::FindSymbol(const std::string& name) const
{
    auto it = m_symbols.find(name);
    return it == m_symbols.end() ? nullptr : &it->second;
}
