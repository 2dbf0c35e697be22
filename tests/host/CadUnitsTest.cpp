#include "host/CadUnits.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One 80-column IGES record: data in columns 1-72, section letter, sequence.
std::string IgesRecord(const std::string& data, char section, int sequence)
{
    char tail[16];
    std::snprintf(tail, sizeof tail, "%c%7d", section, sequence);
    std::string line = data;
    line.resize(72, ' ');
    return line + tail + "\r\n";
}

// Splits `text` into records of `width` columns of one section.
std::string IgesSection(const std::string& text, char section, std::size_t width = 72)
{
    std::string out;
    int sequence = 1;
    for (std::size_t i = 0; i < text.size(); i += width)
        out += IgesRecord(text.substr(i, width), section, sequence++);
    return out;
}

std::string DirectoryEntry(int type, int parameterLine, int matrix)
{
    char first[80];
    std::snprintf(first, sizeof first, "%8d%8d%8d%8d%8d%8d%8d%8d%8d", type, parameterLine, 0, 0, 0, 0, matrix, 0, 0);
    char second[80];
    std::snprintf(second, sizeof second, "%8d%8d%8d%8d%8d", type, 0, 0, 1, 0);
    std::string entry = std::string(first) + std::string(72 - std::strlen(first), ' ') + second;
    entry.resize(144, ' ');
    return entry;
}

std::string ParameterRecord(const std::string& data, int owner, int sequence)
{
    char owned[16];
    std::snprintf(owned, sizeof owned, " %7d", owner);
    std::string line = data;
    line.resize(64, ' ');
    return IgesRecord(line + owned, 'P', sequence);
}

std::string StlBinary(const std::vector<float>& vertices)
{
    std::string bytes(80, 'x');
    std::memcpy(bytes.data(), "solid binary", 12); // a header may lie about the format
    const uint32_t count = static_cast<uint32_t>(vertices.size() / 9);
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    for (uint32_t t = 0; t < count; ++t) {
        const float normal[3] = {0, 0, 1};
        bytes.append(reinterpret_cast<const char*>(normal), 12);
        bytes.append(reinterpret_cast<const char*>(&vertices[t * 9]), 36);
        bytes.append(2, '\0');
    }
    return bytes;
}

} // namespace

TEST(CadUnits, StlGivesSizeButNoUnits)
{
    float e[3] = {-1, -1, -1};
    EXPECT_TRUE(MeasureStl("solid part\n facet normal 0 0 1\n  outer loop\n"
                           "   vertex 0 0 0\n   vertex 10 -2 0\n   vertex 4 3 1.5e1\n"
                           "  endloop\n endfacet\nendsolid part\n",
                           e));
    EXPECT_FLOAT_EQ(e[0], 10);
    EXPECT_FLOAT_EQ(e[1], 5);
    EXPECT_FLOAT_EQ(e[2], 15);

    EXPECT_TRUE(MeasureStl(StlBinary({0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, -1, 1, 1, 1, 0, 0, 4}), e));
    EXPECT_FLOAT_EQ(e[0], 2);
    EXPECT_FLOAT_EQ(e[1], 3);
    EXPECT_FLOAT_EQ(e[2], 5);

    EXPECT_FALSE(MeasureStl("solid empty\nendsolid empty\n", e));
    EXPECT_FALSE(MeasureStl("vertex 1 2", e)); // cut short

    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "p.stl", StlBinary({0, 0, 0, 7, 0, 0, 0, 8, 9}));
    float h[3] = {0, 0, 0};
    EXPECT_EQ(HostGetCADUnits((dir / "p.stl").c_str(), kCadTypeStl, h), kUnitLengthUnknown);
    EXPECT_FLOAT_EQ(h[0], 7);
    EXPECT_FLOAT_EQ(h[2], 9);
    EXPECT_EQ(HostGetCADUnits((dir / "missing.stl").c_str(), kCadTypeStl, h), kUnitLengthUnknown);
    EXPECT_EQ(HostGetCADUnits((dir / "p.stl").c_str(), 8, h), kUnitLengthUnknown); // not a type it reads
}

TEST(CadUnits, IgesUnitsFromGlobalSectionAndSizeFromEntities)
{
    // A line, a point, and a point moved by a translation matrix; the
    // global section spans two records, splitting the unit name in two.
    auto iges = [](const std::string& unitFields, const std::string& delimiters = "1H,,1H;,") {
        const std::string global = delimiters + "4Hpart,8Hpart.igs,3Hsys,3H1.0,32,38,6,308,15,4Hpart,1.0," + unitFields +
                                   ",1,0.01,15H20260101.120000,0.001,1000.0,2Hme,3Hwiz,11,0;";
        std::string d = DirectoryEntry(110, 1, 0) + DirectoryEntry(116, 2, 0) + DirectoryEntry(116, 3, 7) +
                        DirectoryEntry(124, 4, 0);
        return IgesRecord("test model", 'S', 1) + IgesSection(global, 'G') + IgesSection(d, 'D') +
               ParameterRecord("110,-5.0,0.0,0.0,5.0,2.0D0,1.0;", 1, 1) + ParameterRecord("116,0.,0.,-3.;", 3, 2) +
               ParameterRecord("116,0.,0.,0.;", 5, 3) +
               ParameterRecord("124,1.,0.,0.,0.,0.,1.,0.,20.,0.,0.,1.,", 7, 4) +
               ParameterRecord("0.;", 7, 5) + IgesRecord("S      1G      2D      8P      5", 'T', 1);
    };

    MUnitLengthType units = kUnitLengthUnknown;
    float e[3] = {0, 0, 0};
    ASSERT_TRUE(MeasureIges(iges("2,2HMM"), units, e));
    EXPECT_EQ(units, kUnitLengthMillimeter);
    EXPECT_FLOAT_EQ(e[0], 10);
    EXPECT_FLOAT_EQ(e[1], 20); // the moved point lies at y = 20
    EXPECT_FLOAT_EQ(e[2], 4);

    EXPECT_TRUE(MeasureIges(iges("1,4HINCH"), units, e));
    EXPECT_EQ(units, kUnitLengthInch);
    EXPECT_TRUE(MeasureIges(iges("10,2HCM"), units, e));
    EXPECT_EQ(units, kUnitLengthCentimeter);
    EXPECT_TRUE(MeasureIges(iges("3,2HFT"), units, e)); // flag 3: the name decides
    EXPECT_EQ(units, kUnitLengthFoot);
    EXPECT_TRUE(MeasureIges(iges("9,6HMICRON"), units, e));
    EXPECT_EQ(units, kUnitLengthOther);
    EXPECT_TRUE(MeasureIges(iges(",2HIN"), units, e)); // an empty flag means inches
    EXPECT_EQ(units, kUnitLengthInch);
    // Default delimiters written as empty parameters.
    EXPECT_TRUE(MeasureIges(iges("6,1HM", ",,"), units, e));
    EXPECT_EQ(units, kUnitLengthMeter);

    EXPECT_FALSE(MeasureIges("not an IGES file\n", units, e));
    EXPECT_EQ(units, kUnitLengthUnknown);

    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "m.igs", iges("2,2HMM"));
    float h[3] = {0, 0, 0};
    EXPECT_EQ(HostGetCADUnits((dir / "m.igs").c_str(), kCadTypeIges, h), kUnitLengthMillimeter);
    EXPECT_FLOAT_EQ(h[1], 20);
}
