#pragma once
// The host's one way to an analysis wizard: the flow, cooling, warpage or
// stress wizard for a node, by the analysis sub-type. The wizards register
// themselves (WizardRegistry.h), so this layer names none of them.
#include <memory>

#include "host/ProjectTree.h"

class CWizard;

// The wizard of `subType` (kSubFlow, kSubCooling, kSubWarpage, kSubStress)
// for `node`, built but not yet prepared: the caller runs Prepare(), then the
// wizard modally. A flow wizard takes `flags` (kFlowFiber ...) together with
// the node's own when the node is an analysis input; the others ignore them.
// Null for any other sub-type, for a sub-type no wizard is registered for,
// and when memory runs out.
std::unique_ptr<CWizard> CreateAnalysisWizard(ZQ_PM_Node* node, Node_SubType subType, int flags);
// The same for the node's own sub-type, with no flags of the caller's.
std::unique_ptr<CWizard> CreateAnalysisWizard(ZQ_PM_Node* node);
