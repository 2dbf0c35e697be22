#pragma once
// The wizard a keyword file ("deck") belongs to, built so that the file can be
// read as that wizard reads it: created through the wizard registry and
// prepared as a host prepares it before showing it, so its bindings and ranges
// (derived ones included) are the wizard's own. It is built on a node the
// caller names, or else on a scratch project made around the deck: a CAD
// model with a translation input, and midplane, 3D and 2D cooling meshes, each
// with a material and an analysis input holding the deck.
#include <memory>
#include <string>

#include "host/ProjectTree.h"
#include "platform/system/Result.h"
#include "wizard/WizardRegistry.h"

class CWizard;
class MKeywordFile;

struct SDeckWizardRequest {
    // A registered wizard's name; "": the one whose bindings take the most
    // keywords of the deck (a tie goes to the analysis the deck's extension
    // names, then to a midplane analysis).
    std::string wizard;
    // With `node` >= 0: the project and the node the deck belongs to.
    std::string project;
    int node = -1;
};

class CDeckWizard {
public:
    CDeckWizard();
    // Destroys the wizard, then removes the scratch project.
    ~CDeckWizard();
    CDeckWizard(const CDeckWizard&) = delete;
    CDeckWizard& operator=(const CDeckWizard&) = delete;

    // Builds and prepares the wizard for `deck` (read from `deckPath`). Fails
    // with one line for an unknown wizard or node, a node the wizard does not
    // start from, a wizard that binds none of the deck's keywords, or a
    // preparation that fails.
    CResult Build(const std::string& deckPath, const MKeywordFile& deck, const SDeckWizardRequest& request);

    CWizard& GetWizard() const { return *m_wizard; }
    // Whether the wizard was started on the deck itself (no node was given):
    // its working file is then the deck as the wizard prepared it.
    bool IsOnDeck() const { return !m_scratch.empty(); }
    // Loads the wizard's working file (found from where the wizard was prepared).
    CResult LoadWorkingFile(MKeywordFile& file) const;
    const SWizardFactory& GetFactory() const { return *m_factory; }
    // What was built, for messages: "flow wizard, midplane mesh, flags 2".
    std::string Describe() const;

private:
    struct SCandidate {
        const SWizardFactory* factory;
        ZQ_PM_Node* node;
    };
    CResult OpenScratch();
    CResult AddScratchNodes(std::vector<ZQ_PM_Node*>& starts);
    CResult Choose(const std::vector<SCandidate>& candidates, const std::string& deckPath, const MKeywordFile& deck,
                   SCandidate& chosen);
    CResult Prepare(const SWizardFactory& factory, ZQ_PM_Node* node, std::unique_ptr<CWizard>& wizard);
    // A node like `stub` (same parent and kind) whose file is the deck.
    ZQ_PM_Node* DeckNodeLike(ZQ_PM_Node* stub, const std::string& deckPath);

    MProjectTree m_tree;
    std::string m_scratch; // the scratch project folder; "" when none was made
    std::string m_folder;  // where the wizard is prepared (the project's folder)
    const SWizardFactory* m_factory = nullptr;
    std::unique_ptr<CWizard> m_wizard;
};
