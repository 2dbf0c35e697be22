#include "units/Units.h"

#include "platform/system/WinApp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr UnitSystem kSystems[] = {kUnitsSI, kUnitsMetric, kUnitsEnglish};

// Both conversions must report 1 for every input; a NaN result shows one that did not.
double FromSI(int q, UnitSystem s, double v)
{
    double r = std::nan("");
    return ConvertFromSI(q, s, v, &r) == 1 ? r : std::nan("");
}

double ToSI(int q, UnitSystem s, double v)
{
    double r = std::nan("");
    return ConvertToSI(q, s, v, &r) == 1 ? r : std::nan("");
}

std::string Label(int q, UnitSystem s)
{
    char text[kUnitLabelSize] = "untouched";
    return GetUnitLabel(q, s, text) ? std::string(text) : "<none " + std::string(text) + ">";
}

double Ulp(double x) { return std::nextafter(std::fabs(x), INFINITY) - std::fabs(x); }

} // namespace

TEST(Units, EveryRowRoundTripsWithinRounding)
{
    // Many binades, with mantissas near both ends where a product's rounding is largest.
    std::vector<double> values = {1, -1, 0.1, 123.456, 2.5e-7, 7.3e6, -42.125, 0.999, 3e-12};
    unsigned seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double mantissa = 1 + (seed >> 8) / double(1u << 24);
        values.push_back(std::ldexp(i % 2 ? mantissa : -mantissa, i % 61 - 30));
    }
    for (int q = 0; q < kUnitQuantityCount; ++q)
        for (UnitSystem s : kSystems)
            for (double v : values) {
                // One rounding each way, and f is 1/g only to within its own rounding: two
                // units at most. The angle rule rounds twice each way; the temperature rule
                // rounds at the scale of the shown value, since 32 is added.
                double bound = s < 0 ? 0 : q == 20 ? 3 * Ulp(v) : 2 * Ulp(v);
                if (q == 2 && s > 0)
                    bound = 2 * Ulp(std::fabs(v) * 1.8 + 32);
                ASSERT_LE(std::fabs(ToSI(q, s, FromSI(q, s, v)) - v), bound) << q << " " << s << " " << v;
            }
}

TEST(Units, FactorsAreReciprocalAndUsedExactly)
{
    for (int q = 0; q < kUnitQuantityCount; ++q)
        for (UnitSystem s : kSystems) {
            double f = 0, g = 0;
            if (!GetUnitFactors(q, s, &f, &g)) {
                EXPECT_TRUE(q == 20 || (q == 2 && s > 0)) << q;
                continue;
            }
            EXPECT_NEAR(f * g, 1.0, 1e-12) << "quantity " << q << " system " << s;
            EXPECT_TRUE(s >= 0 || (f == 1 && g == 1));
            EXPECT_EQ(FromSI(q, s, 1), f) << q;
            EXPECT_EQ(ToSI(q, s, 1), g) << q;
        }
}

// Each display unit stated in SI from its own definition, not from the table.
TEST(Units, FactorsMatchTheUnitsTheyName)
{
    const double inch = 0.0254, foot = 0.3048, pound = 0.45359237, litre = 1e-3;
    const double gallon = 3.785411784e-3, gravity = 9.80665, lbf = pound * gravity;
    const double psi = lbf / (inch * inch), btu = 1055.05585262, degF = 5.0 / 9.0, hour = 3600;
    const double cuIn = inch * inch * inch, cuFt = foot * foot * foot;
    struct Expect {
        int q;
        double metric, english; // one display unit of each system, in SI
    };
    const Expect table[] = {
        {0, 1e-3, inch}, {1, 1, 1}, {3, litre / 60, gallon / 60}, {4, 1000, btu}, {5, 1e-3, pound},
        {6, 1, btu / (foot * hour * degF)}, {7, 1e-4, inch * inch}, {8, 1000 * gravity, 2000 * lbf},
        {9, 1000, psi}, {10, litre, gallon}, {11, 1e6, psi}, {12, 1e-6, cuIn}, {13, 60, 60}, {14, 1e-6, cuIn},
        {15, 1, pound / cuFt}, {16, 1, btu / (pound * degF)}, {17, 1, 0.1}, {18, 1, 1}, {19, 0.01, 0.01},
        {21, 1, foot}, {22, 1, degF}, {23, 1, lbf}, {24, 1e-3, lbf * inch}, {25, 1e6, psi / inch},
        {26, 1000, lbf / inch}, {27, 1, degF}, {28, 1e-6, inch / 1000},
        {29, 1, btu / (hour * foot * foot * degF)}, {30, 1e-3, cuIn / pound}, {31, 1000, psi / foot},
        {32, 1e6, lbf / cuIn}, {33, 1, 1 / degF}, {34, 1, btu}, {35, 1, 1}, {36, 1e-3, inch}, {37, 1e-3, inch},
        {38, 1, btu / pound}, {39, 1.0 / 60, 1.0 / 60}, {40, 1e-3, pound / 16}, {41, 1e-3, pound / 16},
        {42, 1000, 550 * foot * lbf}, {43, 1e-3 / 600, 1e-3 / 600}, {44, 1, btu}, {45, 1e6, psi / degF},
        {46, 1e6, psi}, {47, 1, 1 / degF}, {48, 1, 1}, {49, 1, 1 / degF}, {50, 1, 1}, {51, 1, 1},
        {52, 1, 1 / degF}, {53, 1, 1}, {54, 1000, 1 / inch},
    };
    for (const Expect& e : table) {
        EXPECT_NEAR(ToSI(e.q, 0, 1) / e.metric, 1, 1e-3) << "metric quantity " << e.q;
        EXPECT_NEAR(ToSI(e.q, 1, 1) / e.english, 1, 1e-3) << "English quantity " << e.q;
    }
    EXPECT_EQ(std::size(table), size_t(kUnitQuantityCount - 2)); // temperature and angle: below
}

TEST(Units, RulesLabelsAndTypicalValues)
{
    EXPECT_EQ(FromSI(2, 1, 100) + FromSI(2, 0, 100) + ToSI(2, 1, 32) + FromSI(2, 1, -40), 212 + 100 + 0 - 40);
    EXPECT_EQ(FromSI(27, 1, 10), 18); // differences and rates have no offset
    const double pi = 3.141592653589793;
    EXPECT_EQ(FromSI(20, 0, pi), pi * 180 * (1 / pi));
    EXPECT_NEAR(FromSI(20, 1, pi / 2), 90, 1e-13);
    EXPECT_EQ(ToSI(20, 0, 180), 180 * pi * (1.0 / 180));
    EXPECT_TRUE(std::signbit(FromSI(0, 0, -0.0)) && std::signbit(ToSI(0, 1, -0.0))); // as a bare multiply
    EXPECT_EQ(ToSI(3, 1, 1), 6.3090196e-05);
    EXPECT_EQ(ToSI(3, 0, 1), 1.6666667e-05);
    EXPECT_DOUBLE_EQ(FromSI(0, 1, 0.0254) + FromSI(0, 0, 0.0254), 26.4);
    EXPECT_EQ(Label(0, 1) + Label(0, 0) + Label(0, -1), "inchmmm");
    EXPECT_EQ(Label(19, -1) + Label(43, 1) + Label(29, 1), "%g/10 minBTU/hr/sqft/degF");
    EXPECT_EQ(Label(10, 1), "gal"); // index 10 shows US gallons in English
    EXPECT_NEAR(ToSI(10, 1, 1) / ToSI(3, 1, 60), 1, 1e-7);
    for (UnitSystem s : kSystems)
        EXPECT_EQ(Label(35, s) + std::to_string(FromSI(35, s, 7.25)), "7.250000");
}

TEST(Units, SystemBySignAndQuantityOutsideTable)
{
    for (int q = 0; q < kUnitQuantityCount; ++q) {
        EXPECT_EQ(FromSI(q, 3, 1.25), FromSI(q, 1, 1.25)) << q;
        EXPECT_EQ(FromSI(q, 2147483647, 1.25), FromSI(q, 1, 1.25)) << q;
        EXPECT_EQ(ToSI(q, -2147483647 - 1, 1.25), 1.25) << q;
        EXPECT_EQ(Label(q, 5) + Label(q, -7), Label(q, 1) + Label(q, -1));
    }
    for (int q : {55, -1, -2147483647 - 1}) {
        EXPECT_EQ(FromSI(q, 1, 3.5) + ToSI(q, 0, 3.5), 7);
        EXPECT_EQ(Label(q, 1), "<none untouched>");
        EXPECT_EQ(GetUnitQuantityName(q), nullptr);
    }

    ASSERT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(GetUnitSystem(), 0);
    CWinApp app;
    app.SetUnitSystem(-3);
    EXPECT_EQ(GetUnitSystem(), -3);
    app.SetUnitSystem(1); // read afresh, never cached
    EXPECT_EQ(GetUnitSystem(), 1);
}
