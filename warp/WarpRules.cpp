#include "warp/WarpRules.h"

#include <cstdlib>
#include <sstream>

#include "warp/WarpIds.h"
#include "warp/WarpSettings.h"

WarpVerdict DecidePreparation(const SWarpPreparation& in)
{
    if (in.hasPrevWarpage) {
        if (in.stress) {
            // A stress analysis starts from the warpage result's stresses:
            // a single-variate study has none worth starting from.
            if (IsSingleVariateAim(in.prevAim))
                return WarpVerdict::kRefuseStress;
            if (in.prevOutputStress == "ON")
                return WarpVerdict::kGoOn;
            return in.prevFileWritable ? WarpVerdict::kAskOutputStress : WarpVerdict::kRefuseStress;
        }
        if (IsSingleVariateAim(in.prevAim) || in.prevAim == "LARGE_DEFLECTION")
            return WarpVerdict::kRefuseWarpage;
        return WarpVerdict::kGoOn;
    }
    if (!in.stress && in.shrinkageSource && !in.hasResidualData)
        return WarpVerdict::kRefuseNoResidual;
    return WarpVerdict::kGoOn;
}

bool IsSingleVariateAim(const std::string& aimToken)
{
    return aimToken == "SVA_SMALL_DEFLECTION" || aimToken == "SVA_LINEAR_BUCKLING";
}

bool IsWarpPageEnabled(unsigned templateId, bool stress, bool hasPrevWarpage, int aim, int controlMethod)
{
    switch (templateId) {
    case IDD_WARP_BOUNDARY:
        // A warpage analysis after another keeps that one's constraints.
        return stress || !hasPrevWarpage;
    case IDD_WARP_VARIATES:
        return aim == kWarpAimIsolateSmall || aim == kWarpAimIsolateBuckling;
    case IDD_WARP_LOAD_INCREMENT:
        return aim == kWarpAimLargeDeflection;
    case IDD_WARP_MANUAL_STEPS:
        return aim == kWarpAimLargeDeflection && controlMethod == kWarpControlManual;
    case IDD_WARP_LOAD_STEPS:
        return aim == kWarpAimLargeDeflection && controlMethod == kWarpControlLoad;
    default:
        return true;
    }
}

WarpAdvTab OptionalAdvancedTab(int aim)
{
    if (aim == kWarpAimLargeDeflection)
        return WarpAdvTab::kNonLinear;
    if (aim == kWarpAimLinearBuckling || aim == kWarpAimIsolateBuckling)
        return WarpAdvTab::kLoadFactor;
    return WarpAdvTab::kNone;
}

int ApplyElementRule(bool multiLayer, int element, bool& cst3Enabled)
{
    constexpr int kLMT3 = 0, kCST3 = 1;
    cst3Enabled = !multiLayer;
    return multiLayer && element == kCST3 ? kLMT3 : element;
}

SIncrementFields IncrementFieldsFor(int controlMethod)
{
    return {.displacement = controlMethod == kWarpControlAuto, .load = controlMethod == kWarpControlArc};
}

SVariateFields VariateFieldsFor(int variate)
{
    constexpr int kAll = 0, kCooling = 1, kShrinkage = 2, kOrientation = 3;
    return {.cooling = variate == kAll || variate == kCooling,
            .shrinkage = variate == kAll || variate == kShrinkage,
            .orientation = variate == kAll || variate == kOrientation};
}

std::string BoundaryConditionPath(const std::string& stored)
{
    if (stored.empty() || stored.find('.') != std::string::npos)
        return stored;
    return stored + ".exl";
}

std::vector<int> PartsToWrite(const std::vector<int>& chosen, int entries)
{
    // Every part, like none, is the whole model: the solver's default.
    const int count = static_cast<int>(chosen.size());
    if (count == 0 || count == entries)
        return {};
    return chosen;
}

std::vector<int> ParsePartNumbers(const std::string& value)
{
    std::vector<int> numbers;
    std::istringstream in(value);
    for (std::string word; in >> word;) {
        char* end = nullptr;
        const double number = std::strtod(word.c_str(), &end);
        if (end != word.c_str())
            numbers.push_back(static_cast<int>(number));
    }
    return numbers;
}

std::string FormatPartNumbers(const std::vector<int>& numbers)
{
    std::string text;
    for (int number : numbers)
        text += (text.empty() ? "" : " \\\n") + std::to_string(number);
    return text;
}
