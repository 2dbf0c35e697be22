#include "host/CadUnits.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

std::string StlBinary(const std::vector<float>& vertices)
{
    std::string bytes = "solid binary"; // a header may lie about the format
    bytes.resize(80, ' ');
    const uint32_t count = static_cast<uint32_t>(vertices.size() / 9);
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    for (uint32_t t = 0; t < count; ++t) {
        bytes.append(12, '\0'); // the normal
        bytes.append(reinterpret_cast<const char*>(&vertices[t * 9]), 36);
        bytes.append(2, '\0');
    }
    return bytes;
}

// A line, a point, and a point moved to y = 20 by a translation matrix whose
// parameters span two records.
const char kIgesEntities[] = R"(     110       1       0       0       0       0       0       0       0D      1
     110       0       0       1       0                                D      2
     116       2       0       0       0       0       0       0       0D      3
     116       0       0       1       0                                D      4
     116       3       0       0       0       0       7       0       0D      5
     116       0       0       1       0                                D      6
     124       4       0       0       0       0       0       0       0D      7
     124       0       0       1       0                                D      8
110,-5.0,0.0,0.0,5.0,2.0D0,1.0;                                        1P      1
116,0.,0.,-3.;                                                         3P      2
116,0.,0.,0.;                                                          5P      3
124,1.,0.,0.,0.,0.,1.,0.,20.,0.,0.,1.,                                 7P      4
0.;                                                                    7P      5
)";

// The global section in records of 72 columns, so that fields split across them.
std::string Iges(const std::string& unitFields, const std::string& delimiters = "1H,,1H;,")
{
    const std::string global = delimiters + "4Hpart,8Hpart.igs,3Hsys,3H1.0,32,38,6,308,15,4Hpart,1.0," + unitFields +
                               ",1,0.01,15H20260101.120000,0.001,1000.0,2Hme,3Hwiz,11,0;";
    std::string text = std::string("test model").append(62, ' ') + "S      1\n";
    for (std::size_t i = 0; i < global.size(); i += 72) {
        std::string record = global.substr(i, 72);
        record.resize(72, ' ');
        text += record + "G" + std::string(6, ' ') + std::to_string(i / 72 + 1) + "\n";
    }
    return text + kIgesEntities;
}

} // namespace

TEST(CadUnits, StlGivesSizeButNoUnits)
{
    float e[3] = {-1, -1, -1};
    EXPECT_TRUE(MeasureStl("solid part\n facet normal 0 0 1\n  outer loop\n   vertex 0 0 0\n   vertex 10 -2 0\n"
                           "   vertex 4 3 1.5e1\n  endloop\n endfacet\nendsolid part\n",
                           e));
    EXPECT_FLOAT_EQ(e[0], 10);
    EXPECT_FLOAT_EQ(e[1], 5);
    EXPECT_FLOAT_EQ(e[2], 15);
    EXPECT_TRUE(MeasureStl(StlBinary({0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, -1, 1, 1, 1, 0, 0, 4}), e));
    EXPECT_FLOAT_EQ(e[0], 2);
    EXPECT_FLOAT_EQ(e[2], 5);
    EXPECT_FALSE(MeasureStl("solid empty\nendsolid empty\n", e));
    EXPECT_FALSE(MeasureStl("vertex 1 2", e)); // cut short

    const std::string sample = wiztest::SourcePath("data/sample-project/plate.stl");
    float h[3] = {0, 0, 0};
    EXPECT_EQ(HostGetCADUnits(sample.c_str(), kCadTypeStl, h), kUnitLengthUnknown);
    EXPECT_FLOAT_EQ(h[0], 100);
    EXPECT_FLOAT_EQ(h[2], 2);
    EXPECT_EQ(HostGetCADUnits("/no/such/file.stl", kCadTypeStl, h), kUnitLengthUnknown);
    EXPECT_EQ(HostGetCADUnits(sample.c_str(), 8, h), kUnitLengthUnknown); // not a type it reads
}

TEST(CadUnits, IgesUnitsFromGlobalSectionAndSizeFromEntities)
{
    MUnitLengthType units = kUnitLengthUnknown;
    float e[3] = {0, 0, 0};
    ASSERT_TRUE(MeasureIges(Iges("2,2HMM"), units, e));
    EXPECT_EQ(units, kUnitLengthMillimeter);
    EXPECT_FLOAT_EQ(e[0], 10);
    EXPECT_FLOAT_EQ(e[1], 20);
    EXPECT_FLOAT_EQ(e[2], 4);

    // Flag 3 lets the name decide; an empty flag means inches; ",," keeps
    // the default delimiters.
    const std::pair<std::string, MUnitLengthType> flags[] = {
        {"1,4HINCH", kUnitLengthInch}, {"10,2HCM", kUnitLengthCentimeter}, {"3,2HFT", kUnitLengthFoot},
        {"9,6HMICRON", kUnitLengthOther}, {",2HIN", kUnitLengthInch}};
    for (const auto& [fields, expected] : flags) {
        EXPECT_TRUE(MeasureIges(Iges(fields), units, e));
        EXPECT_EQ(units, expected) << fields;
    }
    EXPECT_TRUE(MeasureIges(Iges("6,1HM", ",,"), units, e));
    EXPECT_EQ(units, kUnitLengthMeter);
    EXPECT_FALSE(MeasureIges("not an IGES file\n", units, e));
    EXPECT_EQ(units, kUnitLengthUnknown);

    // The sample plate's outline.
    float h[3] = {0, 0, 0};
    EXPECT_EQ(HostGetCADUnits(wiztest::SourcePath("data/sample-project/plate.igs").c_str(), kCadTypeIges, h),
              kUnitLengthMillimeter);
    EXPECT_FLOAT_EQ(h[0], 100);
    EXPECT_FLOAT_EQ(h[1], 50);
}
