#pragma once
// Report lists of project files: the pages that let the user pick a
// boundary-condition set, a mold model and the like fill a list control with
// the matching nodes under one node of the project tree. Each row's item data
// is an owned copy of the node file's path; ClearProjectTreeList frees them.
#include <string>

#include "host/ProjectTree.h"

class CListCtrl;

// Adds the nodes under the node of `fileName` (FindFileInTree) that match
// `type` and `subType` (see AddProjectTreeItems), after clearing the list when
// asked. Returns the number of rows added, or -1 when no node has the file.
int FillProjectTreeList(CListCtrl& list, const std::string& fileName, int type, Node_SubType subType,
                        bool clearFirst);

// Adds a row at `position` for each child of `node` of `type` (any sub-type
// for meshes, type 3; otherwise `subType` must match too), searching folders
// that do not match themselves. Returns the position after the last row added.
int AddProjectTreeItems(CListCtrl& list, ZQ_PM_Node* node, int type, Node_SubType subType, int position);

// Frees every row's path and deletes all rows.
void ClearProjectTreeList(CListCtrl& list);

// Selects and focuses the row whose path equals `path` ignoring case, or row 0.
void SelectProjectTreeItem(CListCtrl& list, const std::string& path);

// The path a row holds ("" for a row without one).
std::string GetProjectTreeItemPath(const CListCtrl& list, int row);
