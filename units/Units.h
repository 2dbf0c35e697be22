#pragma once
// Conversion of values between the solver's SI units (temperatures in deg.C)
// and the metric and English display units, with their labels.

// Any negative value is SI, zero metric, any positive value English.
using UnitSystem = int;
// Index 0..54 of a physical quantity; anything else converts unchanged.
using UnitQuantity = int;

constexpr UnitSystem kUnitsSI = -1;
constexpr UnitSystem kUnitsMetric = 0;
constexpr UnitSystem kUnitsEnglish = 1;
constexpr int kUnitQuantityCount = 55;
constexpr int kUnitLabelSize = 17; // a label buffer must hold this many characters

// display = SI x f (or the temperature/angle rule); always returns 1.
int ConvertFromSI(UnitQuantity quantity, UnitSystem system, double value, double* result);
// SI = display x g (or the inverse rule); always returns 1.
int ConvertToSI(UnitQuantity quantity, UnitSystem system, double value, double* result);
// Copies the label with its terminating zero into `text` (>= 17 chars) and returns 1;
// returns 0 and leaves `text` alone for a quantity outside the table.
int GetUnitLabel(UnitQuantity quantity, UnitSystem system, char* text);
// The unit system the application currently holds; 0 (metric) without an application object.
UnitSystem GetUnitSystem();

// Name of a quantity for listings ("length", "pressure (kPa)"); null outside the table.
const char* GetUnitQuantityName(UnitQuantity quantity);
// The stored factor pair of a row in a system (both 1 in SI). False, leaving the
// outputs alone, for a quantity outside the table and for the two rows converted
// by a rule rather than a factor: temperature in English and angle outside SI.
bool GetUnitFactors(UnitQuantity quantity, UnitSystem system, double* toDisplay, double* toSI);
