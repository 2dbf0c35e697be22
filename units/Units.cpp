#include "units/Units.h"

#include "platform/system/WinApp.h"

#include <cstring>
#include <numbers>

namespace {

enum class Rule { Factor, TemperatureInEnglish, Angle };

// One quantity as the user sees it: labels for SI, metric and English, and the
// factors of metric and English (SI is always 1). f and g are kept as separate
// constants, not one derived from the other, because several of them are
// historic rounded values that the solver's files were written with; deriving g
// from f would shift stored values in the last digits.
struct UnitRow {
    const char* name;
    const char* siLabel;
    const char* metricLabel;
    double metricF, metricG;
    const char* englishLabel;
    double englishF, englishG;
    Rule rule;
};

constexpr double kPi = std::numbers::pi;

// Index 10 in English shows US gallons ("gal", the fluid-volume counterpart of
// the metric litre and of "gal/min" at index 3), so its factors are the gallon
// factors. Cubic inches already have their own row (12).
constexpr UnitRow kRows[kUnitQuantityCount] = {
    {"length", "m", "mm", 1000, 0.001, "inch", 39.37007874015748, 0.0254, Rule::Factor},
    {"time", "sec", "sec", 1, 1, "sec", 1, 1, Rule::Factor},
    // English: display = SI x 1.8 + 32, SI = (display - 32) x 5/9.
    {"temperature", "deg.C", "deg.C", 1, 1, "deg.F", 1.8, 0.5555555555555556, Rule::TemperatureInEnglish},
    {"volumetric flow rate (litres per minute)", "cu.m/s", "l/min", 59999.99880000002, 1.6666667e-05,
     "gal/min", 15850.323241982003, 6.3090196e-05, Rule::Factor},
    {"energy", "J", "kJ", 0.001, 1000, "BTU", 0.0009478672985781991, 1055, Rule::Factor},
    {"mass (pounds)", "kg", "g", 1000, 0.001, "pound", 2.2046226218487757, 0.45359237, Rule::Factor},
    {"thermal conductivity", "W/m/degC", "W/m/degC", 1, 1, "BTU/ft/hr/degF", 0.5778199201106179, 1.730643,
     Rule::Factor},
    {"area", "sq.m", "sq.cm", 10000, 0.0001, "sq.inch", 1550.0031000062002, 0.00064516, Rule::Factor},
    {"force (tonnes)", "N", "tonne", 0.00010197162129779283, 9806.65, "sh.ton", 0.00011240448709720134, 8896.442,
     Rule::Factor},
    {"pressure (kPa)", "Pa", "kPa", 0.001, 1000, "psi", 0.0001450376807894691, 6894.76, Rule::Factor},
    {"volume (litres)", "cu.m", "liter", 1000, 0.001, "gal", 264.17205124155845, 0.0037854118, Rule::Factor},
    {"pressure (MPa)", "Pa", "MPa", 1e-06, 1000000, "psi", 0.0001450376807894691, 6894.76, Rule::Factor},
    {"volume (cubic centimetres)", "cu.m", "cu.cm", 1000000, 1e-06, "cu.in", 61023.74409473229, 1.6387064e-05,
     Rule::Factor},
    {"time (minutes)", "sec", "min", 0.016666666666666666, 60, "min", 0.016666666666666666, 60, Rule::Factor},
    {"volumetric flow rate (cubic centimetres per second)", "cu.m/s", "cu.cm/s", 1000000, 1e-06, "cu.in/sec",
     61023.74409473229, 1.6387064e-05, Rule::Factor},
    {"density", "kg/cu.m", "kg/cu.m", 1, 1, "lb/cu.ft", 0.06242797372531442, 16.01846, Rule::Factor},
    {"specific heat", "J/kg/degC", "J/kg/degC", 1, 1, "BTU/lb/degF", 0.00023884589662749592, 4186.8, Rule::Factor},
    {"viscosity", "Pa.s", "Pa.s", 1, 1, "poise", 10, 0.1, Rule::Factor},
    {"shear rate", "1/s", "1/s", 1, 1, "1/sec", 1, 1, Rule::Factor},
    // SI holds a fraction (0.5 is half); both display systems show per cent.
    {"percentage", "%", "%", 100, 0.01, "%", 100, 0.01, Rule::Factor},
    // display = SI x 180 x (1/pi), SI = display x pi x (1/180): two factors each.
    {"angle", "radians", "deg", 180, kPi, "deg", 180, kPi, Rule::Angle},
    {"velocity", "m/s", "m/s", 1, 1, "ft/sec", 3.280839895013123, 0.3048, Rule::Factor},
    {"rate of temperature change", "degC/s", "degC/s", 1, 1, "degF/sec", 1.8, 0.5555555555555556, Rule::Factor},
    {"force (newtons)", "N", "N", 1, 1, "lbf", 0.22480890343972013, 4.4482224, Rule::Factor},
    {"moment", "Nm", "Nmm", 1000, 0.001, "lbf.in", 8.850748065226473, 0.1129848, Rule::Factor},
    {"pressure gradient (MPa/m)", "Pa/m", "MPa/m", 1e-06, 1000000, "psi/in", 3.68395633332879e-06, 271447.3,
     Rule::Factor},
    {"force per length", "N/m", "N/mm", 0.001, 1000, "lbf/in", 0.00571014615199018, 175.126866, Rule::Factor},
    {"temperature difference", "Cdeg", "Cdeg", 1, 1, "Fdeg", 1.8, 0.5555555555555556, Rule::Factor},
    {"thickness", "m", "micron", 1000000, 1e-06, "mil", 39370.07874015748, 2.54e-05, Rule::Factor},
    {"heat transfer coefficient", "W/sq.m/degC", "W/sq.m/degC", 1, 1, "BTU/hr/sqft/degF", 0.17611950849906077,
     5.6779627, Rule::Factor},
    {"specific volume", "cu.m/kg", "cu.cm/g", 1000, 0.001, "cu.in/lb", 27679.90471026724, 3.6127292e-05,
     Rule::Factor},
    {"pressure gradient (kPa/m)", "Pa/m", "kPa/m", 0.001, 1000, "psi/ft", 4.42074922857926e-05, 22620.6,
     Rule::Factor},
    {"force per volume", "N/cu.m", "N/cu.cm", 1e-06, 1000000, "lbf/cu.in", 3.68395633332879e-06, 271447.3,
     Rule::Factor},
    {"expansion coefficient", "1/degC", "1/degC", 1, 1, "1/degF", 0.5555555555555556, 1.8, Rule::Factor},
    {"heat flow", "W", "W", 1, 1, "BTU/sec", 0.0009477999999999999, 1055.0749103186326, Rule::Factor},
    {"dimensionless", "", "", 1, 1, "", 1, 1, Rule::Factor},
    {"acceleration", "m/sq.s", "mm/sq.s", 1000, 0.001, "in/sq.s", 39.37007874015748, 0.0254, Rule::Factor},
    {"speed (mm/s)", "m/s", "mm/s", 1000, 0.001, "in/s", 39.37007874015748, 0.0254, Rule::Factor},
    {"specific energy", "J/kg", "J/kg", 1, 1, "BTU/lb", 0.0004299209319516419, 2326.0091, Rule::Factor},
    {"rotational speed", "1/s", "rpm", 60, 0.016666666666666666, "rpm", 60, 0.016666666666666666, Rule::Factor},
    {"mass (ounces)", "kg", "g", 1000, 0.001, "oz", 35.27396194958041, 0.028349523125, Rule::Factor},
    {"mass flow rate", "kg/s", "g/s", 1000, 0.001, "oz/s", 35.27396194958041, 0.028349523125, Rule::Factor},
    {"power", "W", "kW", 0.001, 1000, "hp", 0.001341021858656296, 745.7, Rule::Factor},
    {"melt flow rate", "kg/s", "g/10 min", 600000, 1.6666666666666669e-06, "g/10 min", 600000,
     1.6666666666666669e-06, Rule::Factor},
    {"molar energy", "J/mol", "J/mol", 1, 1, "BTU/mol", 0.0009484066767830045, 1054.4, Rule::Factor},
    {"pressure per degree", "Pa/degC", "MPa/degC", 1e-06, 1000000, "psi/degF", 8.057648932748284e-05,
     12410.568000000001, Rule::Factor},
    {"pressure rate", "Pa/s", "MPa/s", 1e-06, 1000000, "psi/s", 0.0001450376807894691, 6894.76, Rule::Factor},
    {"shear rate per degree", "(1/s)/degC", "(1/s)/degC", 1, 1, "(1/s)/degF", 0.5555555555555556, 1.8,
     Rule::Factor},
    {"shear rate per second", "(1/s)/s", "(1/s)/s", 1, 1, "(1/s)/s", 1, 1, Rule::Factor},
    {"time per degree", "s/degC", "s/degC", 1, 1, "s/degF", 0.5555555555555556, 1.8, Rule::Factor},
    {"time ratio", "s/s", "s/s", 1, 1, "s/s", 1, 1, Rule::Factor},
    {"temperature ratio", "degC/degC", "degC/degC", 1, 1, "degF/degF", 1, 1, Rule::Factor},
    {"coefficient per degree", "1/degC", "1/degC", 1, 1, "1/degF", 0.5555555555555556, 1.8, Rule::Factor},
    {"rate", "1/s", "1/s", 1, 1, "1/s", 1, 1, Rule::Factor},
    {"per length", "1/m", "1/mm", 0.001, 1000, "1/inch", 0.0254, 39.37007874015748, Rule::Factor},
};

// Every conversion is brought to one branch-free shape so that a mixed stream of
// quantities and systems costs a lookup and a few multiplications:
//   to display: (value x first) x second + shift
//   to SI:      ((value - shift) x first) x second
// A plain factor has second = 1 and shift = -0.0 (to display) or 0.0 (to SI);
// both leave every value, signed zeros included, exactly as one multiplication
// would. The temperature and angle rules fill in the other terms, keeping the
// order of operations they are defined with.
struct Step {
    double first;
    double second;
    double shift;
};

// One table per direction, indexed [quantity][column], so that a stream of
// conversions in one direction touches only the half it needs.
struct StepTable {
    Step steps[kUnitQuantityCount][3]; // columns: SI, metric, English
};

constexpr Step kIdentityFrom{1, 1, -0.0};
constexpr Step kIdentityTo{1, 1, 0.0};

constexpr Step FromStep(const UnitRow& row, bool english)
{
    const double f = english ? row.englishF : row.metricF;
    if (row.rule == Rule::Angle)
        return {f, 1 / kPi, -0.0};
    if (row.rule == Rule::TemperatureInEnglish && english)
        return {f, 1, 32};
    return {f, 1, -0.0};
}

constexpr Step ToStep(const UnitRow& row, bool english)
{
    const double g = english ? row.englishG : row.metricG;
    if (row.rule == Rule::Angle)
        return {g, 1.0 / 180, 0.0};
    if (row.rule == Rule::TemperatureInEnglish && english)
        return {g, 1, 32};
    return {g, 1, 0.0};
}

constexpr StepTable BuildSteps(bool toSI)
{
    StepTable table{};
    for (int q = 0; q < kUnitQuantityCount; ++q) {
        const UnitRow& row = kRows[q];
        table.steps[q][0] = toSI ? kIdentityTo : kIdentityFrom;
        table.steps[q][1] = toSI ? ToStep(row, false) : FromStep(row, false);
        table.steps[q][2] = toSI ? ToStep(row, true) : FromStep(row, true);
    }
    return table;
}

constexpr StepTable kFromSI = BuildSteps(false);
constexpr StepTable kToSI = BuildSteps(true);

// Column 0 SI, 1 metric, 2 English, decided by sign alone and without a branch.
inline int Column(UnitSystem system) { return (system >= 0) + (system > 0); }

// The index is compared unsigned so that a negative quantity counts as outside.
inline bool InTable(UnitQuantity quantity) { return static_cast<unsigned>(quantity) < kUnitQuantityCount; }

} // namespace

int ConvertFromSI(UnitQuantity quantity, UnitSystem system, double value, double* result)
{
    if (!InTable(quantity)) {
        *result = value;
        return 1;
    }
    const Step& s = kFromSI.steps[quantity][Column(system)];
    *result = (value * s.first) * s.second + s.shift;
    return 1;
}

int ConvertToSI(UnitQuantity quantity, UnitSystem system, double value, double* result)
{
    if (!InTable(quantity)) {
        *result = value;
        return 1;
    }
    const Step& s = kToSI.steps[quantity][Column(system)];
    *result = ((value - s.shift) * s.first) * s.second;
    return 1;
}

int GetUnitLabel(UnitQuantity quantity, UnitSystem system, char* text)
{
    if (!InTable(quantity))
        return 0;
    const UnitRow& row = kRows[quantity];
    const char* label = system < 0 ? row.siLabel : system == 0 ? row.metricLabel : row.englishLabel;
    std::memcpy(text, label, std::strlen(label) + 1);
    return 1;
}

UnitSystem GetUnitSystem()
{
    // Asked afresh each time: the user may switch systems while the host runs.
    const CWinApp* app = AfxGetApp();
    return app ? app->GetUnitSystem() : kUnitsMetric;
}

const char* GetUnitQuantityName(UnitQuantity quantity)
{
    return InTable(quantity) ? kRows[quantity].name : nullptr;
}

bool GetUnitFactors(UnitQuantity quantity, UnitSystem system, double* toDisplay, double* toSI)
{
    if (!InTable(quantity))
        return false;
    const UnitRow& row = kRows[quantity];
    if (system < 0) {
        *toDisplay = *toSI = 1;
        return true;
    }
    const bool english = system > 0;
    if (row.rule == Rule::Angle || (row.rule == Rule::TemperatureInEnglish && english))
        return false;
    *toDisplay = english ? row.englishF : row.metricF;
    *toSI = english ? row.englishG : row.metricG;
    return true;
}
