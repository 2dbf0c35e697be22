#pragma once
// What Finish writes into the flow analysis file besides the bound keywords:
// the restart point, the boundary conditions of the analysis followed, and
// the stored form of the switch-over node value.
#include <string>

class MKeywordFile;
class ZQ_PM_Node;
struct CChoiceField;

// The restart point chosen (`restart` is not NONE): on a 3D mesh the time
// stamp of the point (its index + 2), otherwise the restart token and the
// point's file under the keyword "3DFLOW_RESTART_" + token.
void WriteRestartPoint(MKeywordFile& file, bool is3D, const CChoiceField& restart, int restartIndex,
                       const std::string& restartFile);

// `keyword` (the boundary-condition file name) copied from the analysis input
// that `previousResult` follows: the first input node above it. Nothing when
// there is none.
void CopyPreviousBoundaryConditions(MKeywordFile& file, const std::string& keyword, ZQ_PM_Node* previousResult);

// The switch-over node value: the pressure the page edits becomes the
// boundary conditions' switch-over node, a continued line and the pressure.
// Left alone when the value is empty or the file names no such node.
void StoreSwitchOverNode(MKeywordFile& file, const std::string& keyword, const std::string& boundaryFile);
