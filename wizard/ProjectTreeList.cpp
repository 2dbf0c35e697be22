#include "wizard/ProjectTreeList.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/window/ListCtrl.h"
#include "wizard/Wizard.h"

namespace {
// Paths are kept as the host's fixed-size path buffers were.
constexpr std::size_t kMaxPath = 260;

char* CopyPath(const std::string& path)
{
    const std::size_t length = std::min(path.size(), kMaxPath);
    char* copy = new char[length + 1];
    std::memcpy(copy, path.data(), length);
    copy[length] = '\0';
    return copy;
}
} // namespace

int FillProjectTreeList(CListCtrl& list, const std::string& fileName, int type, Node_SubType subType, bool clearFirst)
{
    ZQ_PM_Node* node = CWizard::GetProjectTree().FindFileInTree(fileName);
    if (!node)
        return -1;
    if (clearFirst)
        ClearProjectTreeList(list);
    const int start = list.GetItemCount();
    return AddProjectTreeItems(list, node, type, subType, start) - start;
}

int AddProjectTreeItems(CListCtrl& list, ZQ_PM_Node* node, int type, Node_SubType subType, int position)
{
    for (ZQ_PM_Node* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        const bool matches = child->GetType() == type && (type == kNodeMesh || child->GetSubType() == subType);
        if (matches) {
            const int row = list.InsertItem(position, " " + child->GetDisplayLabel(), child->GetImageId());
            if (row < 0)
                continue;
            list.SetItemData(row, reinterpret_cast<DWORD_PTR>(CopyPath(child->GetFilePath())));
            position = row + 1;
        } else if (child->GetType() == kNodeFolder) {
            position = AddProjectTreeItems(list, child, type, subType, position);
        }
    }
    return position;
}

void ClearProjectTreeList(CListCtrl& list)
{
    for (int row = 0; row < list.GetItemCount(); ++row)
        delete[] reinterpret_cast<char*>(list.GetItemData(row));
    list.DeleteAllItems();
}

void SelectProjectTreeItem(CListCtrl& list, const std::string& path)
{
    int found = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const char* data = reinterpret_cast<const char*>(list.GetItemData(row));
        if (data && strcasecmp(data, path.c_str()) == 0) {
            found = row;
            break;
        }
    }
    if (list.GetItemCount() > 0)
        list.SetItemState(found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string GetProjectTreeItemPath(const CListCtrl& list, int row)
{
    const char* data = reinterpret_cast<const char*>(list.GetItemData(row));
    return data ? std::string(data) : std::string();
}
