// The named quantities are the rows of the conversion table they name: a
// constant one row off would convert every field bound with it wrongly.
#include "units/Units.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(UnitQuantityNames, EachNameIsItsRow)
{
    const std::vector<std::pair<UnitQuantity, std::string>> named = {
        {kQuantityLength, "length"},
        {kQuantityTime, "time"},
        {kQuantityTemperature, "temperature"},
        {kQuantityFlowRateLitres, "volumetric flow rate (litres per minute)"},
        {kQuantityMassPounds, "mass (pounds)"},
        {kQuantityForceTonnes, "force (tonnes)"},
        {kQuantityPressureKPa, "pressure (kPa)"},
        {kQuantityPressureMPa, "pressure (MPa)"},
        {kQuantityVolumeCubicCm, "volume (cubic centimetres)"},
        {kQuantityTimeMinutes, "time (minutes)"},
        {kQuantityFlowRateCubicCm, "volumetric flow rate (cubic centimetres per second)"},
        {kQuantityViscosity, "viscosity"},
        {kQuantityPercentage, "percentage"},
        {kQuantityAngle, "angle"},
        {kQuantityForceNewtons, "force (newtons)"},
        {kQuantityPressureGradientMPa, "pressure gradient (MPa/m)"},
        {kQuantityTemperatureDifference, "temperature difference"},
        {kQuantityThickness, "thickness"},
        {kQuantityHeatTransferCoefficient, "heat transfer coefficient"},
        {kQuantityPressureGradientKPa, "pressure gradient (kPa/m)"},
        {kQuantityDimensionless, "dimensionless"},
        {kQuantitySpeedMm, "speed (mm/s)"},
        {kQuantityRotationalSpeed, "rotational speed"},
        {kQuantityMassOunces, "mass (ounces)"},
        {kQuantityMeltFlowRate, "melt flow rate"},
        {kQuantityPressurePerDegree, "pressure per degree"},
        {kQuantityTimeRatio, "time ratio"},
        {kQuantityTemperatureRatio, "temperature ratio"},
        {kQuantityCoefficientPerDegree, "coefficient per degree"},
        {kQuantityRate, "rate"},
        {kQuantityPerLength, "per length"},
    };
    for (const auto& [quantity, name] : named) {
        ASSERT_NE(GetUnitQuantityName(quantity), nullptr) << name;
        EXPECT_EQ(GetUnitQuantityName(quantity), name) << quantity;
    }
}
