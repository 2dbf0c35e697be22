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

// The quantities of the conversion table, by name; the names follow the
// table's listing names ("pressure (MPa)" is kQuantityPressureMPa).
constexpr UnitQuantity kQuantityLength = 0;
constexpr UnitQuantity kQuantityTime = 1;
constexpr UnitQuantity kQuantityTemperature = 2;
constexpr UnitQuantity kQuantityFlowRateLitres = 3;
constexpr UnitQuantity kQuantityEnergy = 4;
constexpr UnitQuantity kQuantityMassPounds = 5;
constexpr UnitQuantity kQuantityThermalConductivity = 6;
constexpr UnitQuantity kQuantityArea = 7;
constexpr UnitQuantity kQuantityForceTonnes = 8;
constexpr UnitQuantity kQuantityPressureKPa = 9;
constexpr UnitQuantity kQuantityVolumeLitres = 10;
constexpr UnitQuantity kQuantityPressureMPa = 11;
constexpr UnitQuantity kQuantityVolumeCubicCm = 12;
constexpr UnitQuantity kQuantityTimeMinutes = 13;
constexpr UnitQuantity kQuantityFlowRateCubicCm = 14;
constexpr UnitQuantity kQuantityDensity = 15;
constexpr UnitQuantity kQuantitySpecificHeat = 16;
constexpr UnitQuantity kQuantityViscosity = 17;
constexpr UnitQuantity kQuantityShearRate = 18;
constexpr UnitQuantity kQuantityPercentage = 19;
constexpr UnitQuantity kQuantityAngle = 20;
constexpr UnitQuantity kQuantityVelocity = 21;
constexpr UnitQuantity kQuantityTemperatureRate = 22;
constexpr UnitQuantity kQuantityForceNewtons = 23;
constexpr UnitQuantity kQuantityMoment = 24;
constexpr UnitQuantity kQuantityPressureGradientMPa = 25;
constexpr UnitQuantity kQuantityForcePerLength = 26;
constexpr UnitQuantity kQuantityTemperatureDifference = 27;
constexpr UnitQuantity kQuantityThickness = 28;
constexpr UnitQuantity kQuantityHeatTransferCoefficient = 29;
constexpr UnitQuantity kQuantitySpecificVolume = 30;
constexpr UnitQuantity kQuantityPressureGradientKPa = 31;
constexpr UnitQuantity kQuantityForcePerVolume = 32;
constexpr UnitQuantity kQuantityExpansionCoefficient = 33;
constexpr UnitQuantity kQuantityHeatFlow = 34;
constexpr UnitQuantity kQuantityDimensionless = 35;
constexpr UnitQuantity kQuantityAcceleration = 36;
constexpr UnitQuantity kQuantitySpeedMm = 37;
constexpr UnitQuantity kQuantitySpecificEnergy = 38;
constexpr UnitQuantity kQuantityRotationalSpeed = 39;
constexpr UnitQuantity kQuantityMassOunces = 40;
constexpr UnitQuantity kQuantityMassFlowRate = 41;
constexpr UnitQuantity kQuantityPower = 42;
constexpr UnitQuantity kQuantityMeltFlowRate = 43;
constexpr UnitQuantity kQuantityMolarEnergy = 44;
constexpr UnitQuantity kQuantityPressurePerDegree = 45;
constexpr UnitQuantity kQuantityPressureRate = 46;
constexpr UnitQuantity kQuantityShearRatePerDegree = 47;
constexpr UnitQuantity kQuantityShearRatePerSecond = 48;
constexpr UnitQuantity kQuantityTimePerDegree = 49;
constexpr UnitQuantity kQuantityTimeRatio = 50;
constexpr UnitQuantity kQuantityTemperatureRatio = 51;
constexpr UnitQuantity kQuantityCoefficientPerDegree = 52;
constexpr UnitQuantity kQuantityRate = 53;
constexpr UnitQuantity kQuantityPerLength = 54;
static_assert(kQuantityPerLength + 1 == kUnitQuantityCount);

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
