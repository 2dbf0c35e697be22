#include "flow/FlowOutput.h"

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowRules.h"
#include "host/ProjectTree.h"
#include "keyword/ChoiceField.h"
#include "keyword/KeywordFile.h"

void WriteRestartPoint(MKeywordFile& file, bool is3D, const CChoiceField& restart, int restartIndex,
                       const std::string& restartFile)
{
    if (is3D) {
        // The solver counts its time stamps from 2.
        file.SetValue("MOLD3D_RESTART", "SPECIFIED_TIME");
        file.SetValue("MOLD3D_RESTART_TIME_STAMP_NUMBER", std::to_string(restartIndex + 2));
        return;
    }
    const std::string token = restart.GetToken();
    file.SetValue("3DFLOW_RESTART", token);
    file.SetValue("3DFLOW_RESTART_" + token, restartFile);
}

void CopyPreviousBoundaryConditions(MKeywordFile& file, const std::string& keyword, ZQ_PM_Node* previousResult)
{
    for (ZQ_PM_Node* node = previousResult; node; node = node->GetParent()) {
        if (node->GetType() != kNodeInput)
            continue;
        MKeywordFile earlier;
        // An earlier analysis that cannot be read has no boundary conditions to pass on.
        (void)earlier.Load(node->GetFilePath());
        file.CopyKeyword(keyword, earlier);
        return;
    }
}

void StoreSwitchOverNode(MKeywordFile& file, const std::string& keyword, const std::string& boundaryFile)
{
    const std::string pressure = file.GetRawValue(keyword);
    if (pressure.empty())
        return;
    MBoundaryConditionFile bc;
    // A set that cannot be read has no switch-over node: the pressure stays alone.
    (void)bc.Load(boundaryFile);
    const int node = bc.GetSwitchOverNode();
    if (node != -1)
        file.SetValue(keyword, SwitchOverStoredForm(node, pressure));
}
