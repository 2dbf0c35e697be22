#include "flow/FlowRules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "host/ProjectTree.h"

const char* const kFlowAimTokens[10] = {"PACKING", "FILL_AND_PACK", "CURING", "FILLING", "RUNNER_BALANCE",
                                        "PACKING_STANDALONE", "MOLD_WINDOW", "GATE_LOCATION",
                                        "OPTIMUM_FILL_PROFILE", "OPTIMUM_PACK_PROFILE"};
const char* const kFlowRestartTokens[5] = {"NONE", "INTERMEDIATE_FILLING", "END_OF_FILLING",
                                           "INTERMEDIATE_PACKING", "INTERMEDIATE_CURING"};

namespace {

std::string FormatG(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

SFlowStages LeaveAnalysisType(SFlowStages stages, int aim, int restart, int flags)
{
    const bool fills = aim != kFlowAimPackingStandalone &&
                       (restart == kRestartNone || restart == kRestartIntermediateFilling);
    stages.fillStage = stages.fillStageEditable = fills ? 1 : 0;
    if (flags & kFlowThermoset) {
        stages.cureStage = aim == kFlowAimCuring ? 1 : 0;
    } else {
        stages.packStage = aim == kFlowAimPacking || aim == kFlowAimFillAndPack || aim == kFlowAimPackingStandalone ||
                                   aim == kFlowAimOptimumPack
                               ? 1
                               : 0;
    }
    return stages;
}

int RestartChoiceFromPointType(int type, int flags)
{
    if (type < 0)
        return kRestartIntermediateFilling;
    if (type == 0)
        return kRestartEndOfFilling;
    return (flags & kFlowThermoset) ? kRestartIntermediateCuring : kRestartIntermediatePacking;
}

bool RestartCompletesStage(int restart)
{
    return restart == kRestartEndOfFilling || restart == kRestartIntermediatePacking ||
           restart == kRestartIntermediateCuring;
}

std::string MoldWindowMeltRange(double noFlowTemperature) { return FormatG("[%g:)", noFlowTemperature + 10); }

std::string MoldWindowMoldRange(double noFlowTemperature) { return FormatG("(:%g]", noFlowTemperature - 10); }

std::string SwitchOverPressureOf(std::string_view storedValue)
{
    std::istringstream in{std::string(storedValue)};
    std::vector<double> items;
    for (double item; in >> item;)
        items.push_back(item);
    if (items.size() < 2)
        return std::string();
    return FormatG("%g", items[1]);
}

std::string SwitchOverStoredForm(int node, std::string_view pressure)
{
    return std::to_string(node) + " \\\n" + std::string(pressure);
}

bool ShowsBoundaryPage(int restart, bool followsFlowResult) { return restart == kRestartNone && !followsFlowResult; }

bool ShowsProcessPage(int aim) { return aim != kFlowAimMoldWindow && aim != kFlowAimGateLocation; }

bool ShowsValveGatePage(int aim, int flags, bool valveGates, bool gasValveGates, bool wellValveGates)
{
    const bool fillsOrPacks = aim == kFlowAimPacking || aim == kFlowAimFillAndPack || aim == kFlowAimFilling ||
                              aim == kFlowAimPackingStandalone;
    return fillsOrPacks && (valveGates || ((flags & kFlowGas) && (gasValveGates || wellValveGates)));
}

SBoundaryPageFields BoundaryPageFields(int aim, bool followsCooling)
{
    SBoundaryPageFields fields;
    fields.runnerPressure = aim == kFlowAimRunnerBalance;
    fields.moldWindowLimits = aim == kFlowAimMoldWindow;
    // An earlier cooling analysis supplies the mold temperatures.
    fields.temperatures = aim != kFlowAimMoldWindow && !followsCooling;
    return fields;
}

std::string WithBoundaryExtension(const std::string& name)
{
    if (name.empty() || name.find('.') != std::string::npos)
        return name;
    return name + ".bf3";
}

int CheckMoldWindowLimits(double moldLower, double moldUpper, double meltLower, double meltUpper, int moldUpperId,
                          int meltUpperId)
{
    const bool moldInOrder = moldUpper > moldLower;
    if (moldInOrder && meltUpper > meltLower)
        return 0;
    return moldInOrder ? meltUpperId : moldUpperId;
}

std::string MachineLabel(std::string_view manufacturer, std::string_view modelCode)
{
    return std::string(manufacturer) + ", " + std::string(modelCode);
}

std::vector<std::string> MachineListLabels(const std::vector<std::string>& labels)
{
    std::vector<std::string> shown;
    shown.reserve(labels.size());
    for (const std::string& label : labels) {
        bool seen = false;
        for (const std::string& earlier : shown)
            seen = seen || EqualsNoCase(earlier, label);
        shown.push_back(seen ? label + " [local]" : label);
    }
    return shown;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

void RemoveEntry(std::vector<int>& entries, int token)
{
    std::erase(entries, token);
}

} // namespace

SProcessPageOffer ProcessPageOffer(const SProcessPageInputs& in)
{
    SProcessPageOffer offer;
    offer.injectionEntries = {kInjectionAutomatic, kInjectionTime, kInjectionFlowRate, kInjectionProfile};
    offer.switchOverEntries = {kSwitchOverAutomatic, kSwitchOverVolume, kSwitchOverTime, kSwitchOverPressureAtNode};
    offer.pressureEntries = {kPressureFactor, kPressureSpecified, kPressureProfile};
    offer.injection = in.injection;
    offer.pressure = in.pressure;

    const bool optimum = (in.flags & kFlowOptimum) != 0;
    const bool packs = in.stages.packStage != 0;
    if (packs && !optimum) {
        // A packing analysis always describes its pressure phase by a profile.
        offer.pressure = kPressureProfile;
        offer.pressureChoiceEnabled = false;
    } else if (offer.pressure == kPressureProfile && in.pressureProfileEmpty) {
        offer.pressure = kPressureFactor;
    }

    const bool editable = in.stages.fillStageEditable != 0;
    const bool velocityEditable = editable && !in.followsCoolingOfFlow;
    offer.injectionEditable = velocityEditable;
    offer.injectionValuesEditable = velocityEditable && in.restart == kRestartNone;
    offer.fillingEditable = editable;

    if (!editable) {
        offer.clearFillingChoices = true;
        offer.injection = -1;
        if (offer.pressure != kPressureFactor)
            RemoveEntry(offer.pressureEntries, kPressureFactor);
        if (offer.pressure != kPressureSpecified)
            RemoveEntry(offer.pressureEntries, kPressureSpecified);
        return offer;
    }
    if (in.is3D) {
        RemoveEntry(offer.injectionEntries, kInjectionAutomatic);
        RemoveEntry(offer.switchOverEntries, kSwitchOverAutomatic);
    }
    if (in.flags & (kFlowGas | kFlowThermoset))
        RemoveEntry(offer.injectionEntries, kInjectionAutomatic);
    if (optimum) {
        // The optimisation finds the velocity phase itself.
        offer.injectionEntries = {kInjectionAutomatic};
        if (packs) {
            offer.pressureChoiceEnabled = false;
            offer.pressureEntries.clear();
        }
    }
    if (in.flags & kFlowThermoset)
        RemoveEntry(offer.injectionEntries, kInjectionProfile);
    if (in.restart != kRestartNone) {
        // A restart keeps the method the earlier run filled with.
        if (in.injection != kInjectionTime)
            RemoveEntry(offer.injectionEntries, kInjectionTime);
        if (in.injection != kInjectionFlowRate)
            RemoveEntry(offer.injectionEntries, kInjectionFlowRate);
    }
    if (!in.hasSwitchOverNode)
        RemoveEntry(offer.switchOverEntries, kSwitchOverPressureAtNode);
    return offer;
}

bool IsPressureProfileEmpty(int profileChoice, std::size_t pressurePoints, std::size_t factorPoints)
{
    return profileChoice == kProfileByPressure ? pressurePoints == 0 : factorPoints == 0;
}

std::pair<std::string, std::string> ProfileHeadings(std::string_view entry)
{
    constexpr std::string_view kSeparator = " vs ";
    const std::size_t at = entry.find(kSeparator);
    if (at == std::string_view::npos)
        return {std::string(), std::string(entry.substr(std::min<std::size_t>(4, entry.size())))};
    return {std::string(entry.substr(0, at)), std::string(entry.substr(at + kSeparator.size()))};
}

std::string GasCylinderKeyword(int cylinder, std::string_view suffix)
{
    return "3DFLOW_GAS_CYLINDER" + std::to_string(cylinder) + "_" + std::string(suffix);
}
