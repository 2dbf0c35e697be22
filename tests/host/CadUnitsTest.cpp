#include "host/CadUnits.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

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


// One entity as a writer puts it: its parameters (type first, record
// delimiter last) and the directory fields the reader looks at.
struct CIgesText {
    std::string params;
    int matrix = 0; // directory number of its transformation matrix
    int form = 0;
    int use = 0; // entity use flag: 1 annotation, 5 parameter space
};

const char kGlobalMm[] = "1H,,1H;,4Hcube,8Hcube.igs,3Hsys,3H1.0,32,38,6,308,15,4Hcube,1.0,2,2HMM,1,0.01,"
                         "15H20260101.120000,0.001,1000.0,2Hme,3Hwiz,11,0;";

std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Numbered(char section, std::size_t sequence)
{
    char tail[9];
    std::snprintf(tail, sizeof tail, "%c%7zu", section, sequence);
    return tail;
}

// A fixed-column file; entity i gets directory number 2i + 1. Parameters
// wrap at a delimiter before column 65, the global section anywhere before
// column 73, as writers do.
std::string IgesFile(const std::vector<CIgesText>& entities, const std::string& global = kGlobalMm,
                     char paramDelim = ',', const std::string& lineEnd = "\n")
{
    std::string text = Padded("made by another CAD library", 72) + Numbered('S', 1) + lineEnd;
    std::size_t g = 0;
    for (std::size_t i = 0; i < global.size(); i += 72)
        text += Padded(global.substr(i, 72), 72) + Numbered('G', ++g) + lineEnd;
    std::vector<std::vector<std::string>> records;
    for (const CIgesText& e : entities) {
        std::vector<std::string> lines;
        for (std::size_t pos = 0; pos < e.params.size();) {
            std::size_t take = std::min<std::size_t>(64, e.params.size() - pos);
            if (pos + take < e.params.size()) {
                const std::size_t cut = e.params.rfind(paramDelim, pos + take - 1);
                if (cut != std::string::npos && cut >= pos)
                    take = cut + 1 - pos;
            }
            lines.push_back(e.params.substr(pos, take));
            pos += take;
        }
        records.push_back(lines);
    }
    std::size_t d = 0, p = 1;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const CIgesText& e = entities[i];
        const int type = std::atoi(e.params.c_str());
        char line[160];
        std::snprintf(line, sizeof line, "%8d%8zu%8d%8d%8d%8d%8d%8d%02d%02d%02d%02d", type, p, 0, 0, 0, 0,
                      e.matrix, 0, 0, 0, e.use, 0);
        text += line + Numbered('D', ++d) + lineEnd;
        std::snprintf(line, sizeof line, "%8d%8d%8d%8zu%8d%8s%8s%8s%8d", type, 0, 0, records[i].size(), e.form, "", "",
                      "", 0);
        text += line + Numbered('D', ++d) + lineEnd;
        p += records[i].size();
    }
    std::size_t seq = 0;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        char owner[9];
        std::snprintf(owner, sizeof owner, " %7zu", 2 * i + 1);
        for (const std::string& data : records[i])
            text += Padded(data, 64) + owner + Numbered('P', ++seq) + lineEnd;
    }
    char terminate[80];
    std::snprintf(terminate, sizeof terminate, "S%7dG%7zuD%7zuP%7zu", 1, g, d, seq);
    return text + Padded(terminate, 72) + Numbered('T', 1) + lineEnd;
}

// What the translator's first page shows: the file written to disk and
// read back through the host's callback.
std::array<float, 3> PartSize(const std::string& content, int cadType = kCadTypeIges,
                              MUnitLengthType expectedUnits = kUnitLengthMillimeter)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / (cadType == kCadTypeIges ? "part.igs" : "part.stl");
    wiztest::WriteBytes(path, content);
    std::array<float, 3> e = {-1, -1, -1};
    EXPECT_EQ(HostGetCADUnits(path.c_str(), cadType, e.data()), expectedUnits);
    return e;
}

#define EXPECT_SIZE(size, x, y, z)                                                                                     \
    do {                                                                                                               \
        const std::array<float, 3> s_ = (size);                                                                        \
        EXPECT_NEAR(s_[0], (x), 1e-3);                                                                                 \
        EXPECT_NEAR(s_[1], (y), 1e-3);                                                                                 \
        EXPECT_NEAR(s_[2], (z), 1e-3);                                                                                 \
    } while (0)

std::string Num(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// A rotation about x by a quarter turn: (x, y, z) -> (x, -z, y), so a
// definition plane z = ZT lands on y = -ZT.
const char kXzPlane[] = "124,1.,0.,0.,0.,0.,0.,-1.,0.,0.,1.,0.,0.;";

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

TEST(CadUnits, StlFromSeveralWriters)
{
    // Upper case, tabs, CR LF, and a name with spaces that says "vertex".
    EXPECT_SIZE(PartSize("SOLID my part vertex 900 900 900\r\n  FACET NORMAL  0.0e+00\t0   1\r\n   OUTER LOOP\r\n"
                         "\tVERTEX  0 0 0\r\n     VERTEX 10 0 0\r\n VERTEX\t0 20 5\r\n  ENDLOOP\r\n ENDFACET\r\n"
                         "ENDSOLID my part vertex 900 900 900\r\n",
                         kCadTypeStl, kUnitLengthUnknown),
                10, 20, 5);
    // Everything on one line.
    EXPECT_SIZE(PartSize("solid x facet normal 0 0 1 outer loop vertex 0 0 0 vertex 1 0 0 vertex 0 1 0 endloop "
                         "endfacet endsolid x",
                         kCadTypeStl, kUnitLengthUnknown),
                1, 1, 0);
    // No "solid" line at all, and long enough to pass for a binary header.
    EXPECT_SIZE(PartSize("facet normal 0 0 1\n outer loop\n  vertex 0 0 0\n  vertex 7 0 0\n  vertex 0 6 0\n endloop\n"
                         "endfacet\n",
                         kCadTypeStl, kUnitLengthUnknown),
                7, 6, 0);
    // Binary, header beginning with "solid": a streamed file whose count was
    // never filled in, and a file padded after its triangles.
    const std::vector<float> triangles = {0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, -1, 1, 1, 1, 0, 0, 4};
    std::string streamed = StlBinary(triangles);
    std::memset(streamed.data() + 80, 0, 4);
    EXPECT_SIZE(PartSize(streamed, kCadTypeStl, kUnitLengthUnknown), 2, 3, 5);
    EXPECT_SIZE(PartSize(StlBinary(triangles) + std::string(30, '\0'), kCadTypeStl, kUnitLengthUnknown), 2, 3, 5);
}

// A 50 mm cube whose edge at x = z = 50 is rounded with radius 5, as another
// CAD library writes it: bilinear B-spline planes, a trimmed plane with its
// boundary in model and parameter space, edges as lines, the fillet's end
// arcs placed by a matrix, and the fillet as a surface of revolution whose
// axis line runs from y = 1050 to y = -1000.
TEST(CadUnits, IgesFilletedCubeIsMeasuredByItsShapeNotByTheFilletsAxis)
{
    const std::string bilinear = "128,1,1,1,1,0,0,1,0,0,0.,0.,1.,1.,0.,0.,1.,1.,1.,1.,1.,1.,";
    const std::vector<CIgesText> cube = {
        {kXzPlane},                                                                             // 1
        {bilinear + "0.,0.,0.,5.0D1,0.,0.,0.,50.,0.,50.,50.,0.,0.,1.,0.,1.;"},                 // 3 bottom
        {bilinear + "0.,0.,0.,0.,50.,0.,0.,0.,50.,0.,50.,50.,0.,1.,0.,1.;"},                   // 5 x = 0
        {"108,0.,0.,1.,50.,0,0.,0.,0.,0.;"},                                                   // 7 top plane
        {"110,0.,0.,50.,45.,0.,50.;"},                                                         // 9
        {"110,45.,0.,50.,45.,50.,50.;"},                                                       // 11
        {"110,45.,50.,50.,0.,50.,50.;"},                                                       // 13
        {"110,0.,50.,50.,0.,0.,50.;"},                                                         // 15
        {"102,4,9,11,13,15;"},                                                                 // 17
        {"126,1,1,0,0,1,0,0.,0.,1.,1.,1.,1.,0.,0.,0.,1500.,1500.,0.,0.,1.,0.,0.,1.;"},         // 19 (u, v)
        {"142,0,7,19,17,1;"},                                                                  // 21
        {"144,7,1,0,21;"},                                                                     // 23 top
        {"110,50.,0.,0.,50.,50.,0.;"},                                                         // 25
        {"110,50.,50.,0.,50.,50.,45.;"},                                                       // 27
        {"100,0.,45.,45.,50.,45.,45.,50.;", 1},                                                // 29 y = 0
        {"100,-50.,45.,45.,50.,45.,45.,50.;", 1},                                              // 31 y = 50
        {"110,45.,1050.,45.,45.,-1000.,45.;"},                                                 // 33 axis
        {"110,50.,0.,45.,50.,50.,45.;"},                                                       // 35 generatrix
        {"120,33,35,0.,1.5707963267949;"},                                                     // 37
        {"144,37,1,0,0;"},                                                                     // 39 fillet
    };
    EXPECT_SIZE(PartSize(IgesFile(cube)), 50, 50, 50);
}

TEST(CadUnits, IgesArcsAndConicsAreMeasuredExactly)
{
    auto one = [](const std::string& params, int form = 0) { return PartSize(IgesFile({{params, 0, form}})); };
    const double cos30 = 10 * std::cos(std::numbers::pi / 6);
    const std::string from30To120 = "0.,0.,0.," + Num(cos30) + ",5.," + Num(-5.0) + "," + Num(cos30) + ";";
    // Counterclockwise from 30 to 120 degrees passes the top of the circle.
    EXPECT_SIZE(one("100," + from30To120), cos30 + 5, 5, 0);
    EXPECT_SIZE(one("100,2.,1.,1.,11.,1.,11.,1.;"), 20, 20, 0); // start = end: the whole circle
    // The same arc in a plane turned by its matrix.
    EXPECT_SIZE(PartSize(IgesFile({{kXzPlane}, {"100," + from30To120, 1}})), cos30 + 5, 0, 5);

    // x^2 + 4 y^2 = 400 from (20, 0) to (-20, 0): the upper half.
    EXPECT_SIZE(one("104,1.,0.,4.,0.,0.,-400.,0.,20.,0.,-20.,0.;", 1), 40, 10, 0);
    // A whole ellipse (20 by 10) turned by 45 degrees: 5x^2 - 6xy + 5y^2 = 800.
    const std::string onIt = Num(std::sqrt(200.0));
    EXPECT_SIZE(one("104,5.,-6.,5.,0.,0.,-800.,0.," + onIt + "," + onIt + "," + onIt + "," + onIt + ";", 1),
                std::sqrt(1000.0), std::sqrt(1000.0), 0);
    // The parabola 10 y = x^2 between x = -10 and 10 dips to its vertex.
    EXPECT_SIZE(one("104,1.,0.,0.,0.,-10.,0.,0.,-10.,10.,10.,10.;", 3), 20, 10, 0);
    // The hyperbola 16 x^2 - 9 y^2 = 144 through its vertex at x = 3.
    const double ch = 3 * std::cosh(1.0), sh = 4 * std::sinh(1.0);
    const std::string ends = Num(ch) + "," + Num(-sh) + "," + Num(ch) + "," + Num(sh) + ";";
    EXPECT_SIZE(one("104,16.,0.,-9.,0.,0.,-144.,0.," + ends, 2), ch - 3, 2 * sh, 0);
}

TEST(CadUnits, IgesSweptSurfacesFollowTheirGeneratrixAndAngles)
{
    const CIgesText zAxis{"110,0.,0.,0.,0.,0.,1.;"}, wall{"110,10.,0.,0.,10.,0.,5.;"};
    // Half a turn about +z from +x sweeps through +y only; the point pins y = 10.
    EXPECT_SIZE(PartSize(IgesFile({zAxis, wall, {"120,1,3,0.,3.14159265358979;"}, {"116,0.,10.,5.;"}})), 20, 10, 5);
    // From a quarter turn to a half turn: the quadrant of -x and +y.
    EXPECT_SIZE(PartSize(IgesFile({zAxis, wall, {"120,1,3,1.5707963267949,3.14159265358979;"}})), 10, 10, 5);
    // A torus: a circle of radius 5 centred 20 from the axis, in the xz plane.
    const CIgesText tube{"100,0.,20.,0.,25.,0.,25.,0.;", 1};
    EXPECT_SIZE(PartSize(IgesFile({{kXzPlane}, zAxis, tube, {"120,3,5,0.,6.2831853071796;"}})), 50, 50, 10);
    // A tabulated cylinder: the half circle from (5, 0) moved so that its
    // start lands on (5, 20, 30).
    EXPECT_SIZE(PartSize(IgesFile({{"100,0.,0.,0.,5.,0.,-5.,0.;"}, {"122,1,5.,20.,30.;"}})), 10, 25, 30);
}

TEST(CadUnits, IgesGlobalAndRecordFormsOfOtherWriters)
{
    auto global = [](const std::string& head, const std::string& scaleAndUnits,
                     const std::string& product = "4Hcube,") {
        return head + product + "8Hcube.igs,3Hsys,3H1.0,32,38,6,308,15,4Hcube," + scaleAndUnits +
               ",1,0.01,15H20260101.120000,0.001,1000.0,2Hme,3Hwiz,11,0;";
    };
    // D exponents in either case, blanks around values.
    const std::vector<CIgesText> line = {{"110, 0., 0.,0. ,1.0D1,2.5d0,-4.E0;"}};
    EXPECT_SIZE(PartSize(IgesFile(line, global("1H,,1H;,", "1.0,2,2HMM"))), 10, 2.5, 4);

    // Other delimiters, named in the global section: ';' between values, '/' at the end.
    std::string tail = global("", "1.0,2,2HMM");
    std::replace(tail.begin(), tail.end(), ';', '/');
    std::replace(tail.begin(), tail.end(), ',', ';');
    EXPECT_SIZE(PartSize(IgesFile({{"110;0.;0.;0.;1.0D1;2.5d0;-4.E0/"}}, "1H;;1H/;" + tail, ';')), 10, 2.5, 4);

    // Hollerith strings that hold the delimiters and run across records; the
    // unit flag in centimetres, and a model-space scale of 2.
    const std::string product =
        "89Ha part, named; by a writer that likes text, so much that it runs on past the record's end,";
    EXPECT_SIZE(PartSize(IgesFile(line, global("1H,,1H;,", "2.0,10,2HCM", product)), kCadTypeIges,
                         kUnitLengthCentimeter),
                5, 1.25, 2);
    // Empty delimiter fields keep the defaults; an empty unit flag is inches.
    EXPECT_SIZE(PartSize(IgesFile(line, global(",,", "1.0,,4HINCH")), kCadTypeIges, kUnitLengthInch), 10, 2.5, 4);

    // CR LF line ends, and 80-column records with no line ends at all.
    EXPECT_SIZE(PartSize(IgesFile(line, kGlobalMm, ',', "\r\n")), 10, 2.5, 4);
    EXPECT_SIZE(PartSize(IgesFile(line, kGlobalMm, ',', "")), 10, 2.5, 4);
}

TEST(CadUnits, IgesPlacementAndWhatIsNotShape)
{
    // A matrix placed by a matrix: the line's own (to the xz plane) applies
    // first, then the quarter turn about z it points to.
    const CIgesText turnZ{"124,0.,-1.,0.,0.,1.,0.,0.,0.,0.,0.,1.,0.;"};
    EXPECT_SIZE(PartSize(IgesFile({turnZ, {kXzPlane, 1}, {"110,0.,0.,0.,10.,2.,3.;", 3}})), 3, 10, 2);
    // A trimmed surface's matrix places its surface too.
    EXPECT_SIZE(PartSize(IgesFile({{kXzPlane},
                                   {"128,1,1,1,1,0,0,1,0,0,0.,0.,1.,1.,0.,0.,1.,1.,1.,1.,1.,1.,0.,0.,0.,10.,0.,0.,0.,2.,"
                                    "0.,10.,2.,0.,0.,1.,0.,1.;"},
                                   {"144,3,1,0,0;", 1}})),
                10, 0, 2);

    // Not shape: a cylinder's location point, annotation, a line in parameter
    // space, and the vectors of copious data. The face is bounded by its circle.
    EXPECT_SIZE(PartSize(IgesFile({
                    {"116,0.,0.,-900.;"},                                       // 1
                    {"123,0.,0.,1.;"},                                          // 3
                    {"192,1,3,5.,0;"},                                          // 5
                    {"100,0.,0.,0.,5.,0.,5.,0.;"},                              // 7
                    {"142,0,5,0,7,1;"},                                         // 9
                    {"144,5,1,0,9;"},                                           // 11
                    {"110,0.,0.,0.,900.,900.,900.;", 0, 0, 1},                  // 13
                    {"110,-900.,0.,0.,0.,0.,0.;", 0, 0, 5},                     // 15
                    {"106,3,2,0.,0.,0.,0.,0.,700.,1.,1.,0.,0.,0.,700.;", 0, 3}, // 17
                    {"106,1,2,0.,-5.,-5.,5.,5.;", 0, 1},                        // 19
                })),
                10, 10, 0);

    // A boundary representation: shell, face on a plane surface, loop of
    // edges from an edge list, and a parameter-space curve far out.
    EXPECT_SIZE(PartSize(IgesFile({
                    {"116,0.,0.,-900.;"},                                                           // 1
                    {"123,0.,0.,1.;"},                                                              // 3
                    {"190,1,3;"},                                                                   // 5
                    {"110,0.,0.,0.,30.,0.,0.;"},                                                    // 7
                    {"110,30.,0.,0.,0.,20.,0.;"},                                                   // 9
                    {"110,0.,20.,0.,0.,0.,0.;"},                                                    // 11
                    {"502,3,0.,0.,0.,30.,0.,0.,0.,20.,0.;"},                                        // 13
                    {"504,3,7,13,1,13,2,9,13,2,13,3,11,13,3,13,1;"},                                // 15
                    {"126,1,1,0,0,1,0,0.,0.,1.,1.,1.,1.,-800.,0.,0.,800.,0.,0.,0.,1.,0.,0.,1.;"}, // 17
                    {"508,3,0,15,1,1,1,0,17,0,15,2,1,0,0,15,3,1,0;"},                               // 19
                    {"510,5,1,1,19;"},                                                              // 21
                    {"514,1,21,1;"},                                                                // 23
                    {"186,23,1,0;"},                                                                // 25
                })),
                30, 20, 0);
}

// Counts and pointers come from the file: none may lead a loop past the
// data, and shared or circular references must end.
TEST(CadUnits, IgesCountsAndPointersThatLie)
{
    const auto started = std::chrono::steady_clock::now();
    EXPECT_SIZE(PartSize(IgesFile({
                    {"106,2,1000000000,1.,2.,3.,4.,6.,8.;"}, // 1: two points, not a billion
                    {"102,999999999,3,1;"},                  // 3: holds itself
                    {"102,4,3,3,3,3;"},                      // 5
                    {"126,2000000000,3,0,0,0,0,0.,1.;"},
                    {"128,5,5,5,5,0,0,0,0,0;"},
                    {"112,3,1,3,100000,0.,1.;"},
                    {"141,1,1,0,100000000,7,1,-5;"},
                    {"508,1000,0,99,99999,1,2000000000;"},
                    {"120,1,-3,0.,1.;"},
                    {"124,1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.;", 21}, // 21: a matrix placed by itself
                    {"116,1.,2.,3.;", 21},
                })),
                3, 4, 5);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}
