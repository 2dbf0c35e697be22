#pragma once
// What the analysis preparation wizard decides from the start node alone,
// without a window: which analyses it offers, which flow options a material
// and a mesh allow, and the sub-type and flags of the wizard it opens.
#include "host/ProjectTree.h"

// The analyses of the second page, in the order of its radio buttons.
enum EAnalysisChoice { kChoiceFlow = 0, kChoiceCool, kChoiceWarp, kChoiceStress, kChoiceCount };

struct SAnalysisOffer {
    bool enabled[kChoiceCount] = {true, true, true, true};
    int checked = -1; // an EAnalysisChoice, or -1 for none
    // Nothing can follow the start node: the wizard ends as cancelled.
    bool noFurther = false;
};

// The node the offer is made for: its type, sub-type and flow aim, and the
// sub-type of its model mesh.
struct SAnalysisStart {
    int type = kNodeOther;
    Node_SubType subType = kSubNone;
    int flowAim = kAimNone;
    Node_SubType meshType = kSubNone;
};

SAnalysisOffer AnalysisOffer(const SAnalysisStart& start);

// The flow options a start allows, as kFlow... bits; kFlowThermoset alone
// means no option at all (a thermoset is cured, not filled with options).
struct SOptionsMask {
    int mask = 0;
    bool gasChecked = false; // the start follows a gas-assisted analysis
    bool coolDisabled = false;
    // A thermoset on a mesh other than a midplane: the page may not show.
    bool thermosetRefused = false;
};

// `gasAbove`: the start node or a node above it is a gas-assisted analysis.
// The material's keywords say whether it is a thermoset or fiber-filled.
SOptionsMask OptionsMask(bool gasAbove, Node_SubType meshType, bool thermoset, bool fiberFilled);

// The flags of the flow wizard the page opens, from the mask and the options
// checked (kFlowFiber, kFlowGas, kFlowOptimum bits of `checked`).
int FlowFlags(int mask, int checked);

// The analysis sub-type of a choice (kSubFlow ... kSubStress).
Node_SubType AnalysisSubType(EAnalysisChoice choice);
