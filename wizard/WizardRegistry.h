#pragma once
// The wizards a host can run by name. Each wizard registers itself with a
// static CWizardRegistration in its own folder, so adding a wizard touches no
// shared table (as wizhost's command groups do).
#include <memory>
#include <string_view>
#include <vector>

#include "host/ProjectTree.h"

class CWizard;

struct SWizardFactory {
    const char* name;       // what `wizhost run NAME` takes, e.g. "translate"
    const char* startsFrom; // the nodes it starts from, for messages
    // Whether the wizard starts from `node`.
    bool (*canStartFrom)(const ZQ_PM_Node* node);
    // The wizard for `node` (one canStartFrom accepts), built but not yet
    // prepared: the caller runs Prepare() and reports its failure.
    std::unique_ptr<CWizard> (*create)(ZQ_PM_Node* node);
    // The same with analysis flags chosen by the caller (`wizhost run
    // --flags`); null for a wizard that takes none.
    std::unique_ptr<CWizard> (*createWithFlags)(ZQ_PM_Node* node, int flags) = nullptr;
    // The analysis the wizard prepares (kSubFlow ... kSubStress), by which
    // CreateAnalysisWizard finds it; kSubNone for a wizard the factory does
    // not build.
    Node_SubType subType = kSubNone;
    // The flow option bits a run started from `node` takes when the caller
    // chooses none; null: 0.
    int (*defaultFlags)(const ZQ_PM_Node* node) = nullptr;
};

class CWizardRegistration {
public:
    explicit CWizardRegistration(const SWizardFactory& factory);
};

// Every registered wizard, sorted by name.
std::vector<const SWizardFactory*> RegisteredWizards();
// The wizard registered as `name`; null when none is.
const SWizardFactory* FindWizard(std::string_view name);
// The wizard registered for the analysis sub-type; null when none is.
const SWizardFactory* FindAnalysisWizard(Node_SubType subType);
