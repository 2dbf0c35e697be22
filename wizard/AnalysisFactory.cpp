#include "wizard/AnalysisFactory.h"

#include <new>

#include "wizard/Wizard.h"
#include "wizard/WizardRegistry.h"

std::unique_ptr<CWizard> CreateAnalysisWizard(ZQ_PM_Node* node, Node_SubType subType, int flags)
{
    const SWizardFactory* factory = FindAnalysisWizard(subType);
    if (!factory || !node)
        return nullptr;
    try {
        if (!factory->createWithFlags)
            return factory->create(node);
        // An input keeps the options it was made with, whatever the caller
        // asks for on top.
        if (node->GetType() == kNodeInput)
            flags |= node->GetAnalysisFlags();
        return factory->createWithFlags(node, flags);
    } catch (const std::bad_alloc&) {
        // The host shows its own message for a wizard it could not get.
        return nullptr;
    }
}

std::unique_ptr<CWizard> CreateAnalysisWizard(ZQ_PM_Node* node)
{
    return node ? CreateAnalysisWizard(node, node->GetSubType(), 0) : nullptr;
}
