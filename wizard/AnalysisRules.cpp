#include "wizard/AnalysisRules.h"

#include <initializer_list>

namespace {

void Disable(SAnalysisOffer& offer, std::initializer_list<EAnalysisChoice> choices)
{
    for (EAnalysisChoice c : choices)
        offer.enabled[c] = false;
}

// What may follow a result node: its own kind of analysis again, and what
// the part it simulated (the flow aim) allows.
void OfferAfterResult(const SAnalysisStart& start, SAnalysisOffer& offer)
{
    if (start.subType == kSubStress) {
        offer.noFurther = true;
    } else if (start.subType == kSubWarpage) {
        offer.checked = kChoiceWarp;
        Disable(offer, {kChoiceFlow, kChoiceCool});
    } else {
        offer.checked = kChoiceFlow;
        // A cooling result is not cooled again.
        if (start.subType == kSubCooling)
            Disable(offer, {kChoiceCool, kChoiceWarp, kChoiceStress});
        if (start.flowAim == kAimPacking) {
            // A packed part is what a structural analysis needs.
            offer.enabled[kChoiceWarp] = offer.enabled[kChoiceStress] = true;
        } else if (start.flowAim == kAimMoldWindow || start.flowAim == kAimGateLocation) {
            offer.noFurther = true; // no part was simulated
        } else {
            Disable(offer, {kChoiceWarp, kChoiceStress});
        }
    }
    if (start.meshType == kSub3D) {
        if (start.subType != kSubStress && start.subType != kSubWarpage)
            Disable(offer, {kChoiceCool});
        Disable(offer, {kChoiceWarp, kChoiceStress});
    }
}

} // namespace

SAnalysisOffer AnalysisOffer(const SAnalysisStart& start)
{
    SAnalysisOffer offer;
    if (start.meshType == kSubMesh2DCool) {
        // A 2D cooling model is only ever cooled, and not again after a result.
        offer.noFurther = start.type == kNodeResult;
        Disable(offer, {kChoiceFlow, kChoiceWarp, kChoiceStress});
        offer.checked = kChoiceCool;
    } else if (start.type == kNodeResult) {
        OfferAfterResult(start, offer);
    } else {
        // Before any result there is no part to warp.
        Disable(offer, {kChoiceWarp});
        offer.checked = kChoiceFlow;
        if (start.meshType != kSubMidplane)
            Disable(offer, {kChoiceStress});
    }
    return offer;
}

SOptionsMask OptionsMask(bool gasAbove, Node_SubType meshType, bool thermoset, bool fiberFilled)
{
    SOptionsMask result;
    if (gasAbove) {
        result.mask = kFlowGas;
        result.gasChecked = true;
    } else {
        result.mask = meshType == kSubMidplane ? kFlowGas | kFlowOptimum : meshType == kSub3D ? 0 : kFlowOptimum;
    }
    if (thermoset) {
        if (meshType != kSubMidplane) {
            result.thermosetRefused = true;
        } else {
            result.mask = kFlowThermoset;
            result.coolDisabled = true;
        }
    } else if (fiberFilled && meshType != kSub3D) {
        result.mask |= kFlowFiber;
    }
    return result;
}

int FlowFlags(int mask, int checked)
{
    int flags = mask == kFlowThermoset ? kFlowThermoset : 0;
    return flags | (checked & (kFlowFiber | kFlowGas | kFlowOptimum));
}

Node_SubType AnalysisSubType(EAnalysisChoice choice)
{
    switch (choice) {
    case kChoiceFlow: return kSubFlow;
    case kChoiceCool: return kSubCooling;
    case kChoiceWarp: return kSubWarpage;
    case kChoiceStress: return kSubStress;
    default: return kSubNone;
    }
}
