#include "wizard/WizardRegistry.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace {

// A function-local table: registrations run during static initialisation,
// in no order we control.
std::vector<const SWizardFactory*>& Table()
{
    static std::vector<const SWizardFactory*> table;
    return table;
}

} // namespace

CWizardRegistration::CWizardRegistration(const SWizardFactory& factory)
{
    assert(FindWizard(factory.name) == nullptr && "two wizards registered under one name");
    assert((factory.subType == kSubNone || FindAnalysisWizard(factory.subType) == nullptr) &&
           "two wizards registered for one analysis");
    Table().push_back(&factory);
}

std::vector<const SWizardFactory*> RegisteredWizards()
{
    std::vector<const SWizardFactory*> sorted = Table();
    std::sort(sorted.begin(), sorted.end(),
              [](const SWizardFactory* a, const SWizardFactory* b) { return std::strcmp(a->name, b->name) < 0; });
    return sorted;
}

const SWizardFactory* FindWizard(std::string_view name)
{
    for (const SWizardFactory* factory : Table())
        if (name == factory->name)
            return factory;
    return nullptr;
}

const SWizardFactory* FindAnalysisWizard(Node_SubType subType)
{
    if (subType == kSubNone)
        return nullptr;
    for (const SWizardFactory* factory : Table())
        if (factory->subType == subType)
            return factory;
    return nullptr;
}
