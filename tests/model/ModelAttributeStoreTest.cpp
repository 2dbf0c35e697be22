#include "model/ModelAttributeStore.h"
#include "platform/agents/UiLog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Builds a binary model file: 99 header words, the directory, then records
// of a 5-word head and their values.
class ModelFileBuilder {
public:
    ModelFileBuilder(int version, int leading, int elements) : m_header(99, 0)
    {
        m_header[0] = version;
        m_header[30] = leading;
        m_header[35] = elements;
    }
    void Whole(const char* name, std::vector<int32_t> values) { Add(name, Bytes(values.data(), values.size() * 4)); }
    void Reals(const char* name, std::vector<float> values) { Add(name, Bytes(values.data(), values.size() * 4)); }
    // An entry whose record starts at word `position` whatever follows.
    void Entry(const char* name, int compareLength, int position) { m_entries.push_back({name, compareLength, position, {}}); }
    void SetWord(int index, int value) { m_header[static_cast<std::size_t>(index)] = value; }

    std::string Build() const
    {
        std::vector<int32_t> header = m_header;
        if (header[11] == 0)
            header[11] = static_cast<int32_t>(m_entries.size());
        std::string out = Bytes(header.data(), header.size() * 4);
        std::size_t word = 99 + m_entries.size() * 5 + 1; // words count from 1
        std::string records;
        for (const Entry_& e : m_entries) {
            char name[8] = {};
            std::memcpy(name, e.name, std::min<std::size_t>(std::strlen(e.name), 8));
            int32_t position = e.position;
            if (position == 0) {
                position = static_cast<int32_t>(word);
                const int32_t head[5] = {static_cast<int32_t>(e.data.size() / 4), 0, 0, 0, 0};
                records += Bytes(head, sizeof head) + e.data;
                word += 5 + e.data.size() / 4;
            }
            const int32_t tail[2] = {e.compareLength, position};
            const float real = 1.0f;
            out.append(name, 8);
            out += Bytes(tail, sizeof tail) + Bytes(&real, 4);
        }
        return out + records;
    }

private:
    struct Entry_ {
        const char* name;
        int compareLength;
        int position;
        std::string data;
    };
    static std::string Bytes(const void* p, std::size_t n) { return std::string(static_cast<const char*>(p), n); }
    void Add(const char* name, std::string data)
    {
        m_entries.push_back({name, static_cast<int>(std::strlen(name)), 0, std::move(data)});
    }

    std::vector<int32_t> m_header;
    std::vector<Entry_> m_entries;
};

std::vector<std::string> Messages()
{
    std::vector<std::string> out;
    for (const CUiLogRecord& r : GetUiLog())
        out.push_back(r.caption + ": " + r.text);
    return out;
}

} // namespace

TEST(ModelAttributeStore, EmptyStoreAnswersNo)
{
    wiztest::ScratchDir dir;
    ClearUiLog();
    for (const std::string& name : {std::string(), dir / "missing.m3i", dir / "missing.udm"}) {
        MModelAttributeStore store;
        if (!name.empty()) {
            const CResult loaded = store.Load(name);
            EXPECT_FALSE(loaded) << name;
            EXPECT_NE(loaded.GetMessage().find("No such file"), std::string::npos) << loaded.GetMessage();
            EXPECT_EQ(store.GetLoadResult(), ModelLoadResult::CannotOpen) << name;
        }
        EXPECT_FALSE(store.HasMoldBoundary());
        EXPECT_FALSE(store.HasInsertData());
        std::vector<std::pair<int, int>> pairs;
        store.GetCircuitPairs(pairs);
        EXPECT_TRUE(pairs.empty());
        std::vector<std::string> names;
        store.GetNames(kCategoryParts, names);
        EXPECT_TRUE(names.empty());
        EXPECT_EQ(store.GetNumber(kCategoryParts, "Housing"), -1);
        EXPECT_EQ(store.GetName(kCategoryParts, 1), "");
        EXPECT_EQ(store.GetCategory(26).m_name, "BEAMID");
    }
    EXPECT_TRUE(GetUiLog().empty()); // a missing file is silent
}

TEST(ModelAttributeStore, BinaryHeaderAndVersionRule)
{
    for (int version : {100, 105, 2000}) {
        ClearUiLog();
        ModelFileBuilder b(version, 0, 0);
        b.Reals("BLMTHICK", {});
        MModelAttributeStore store;
        EXPECT_EQ(store.ReadBinary(b.Build()), ModelLoadResult::Ok) << version;
        EXPECT_TRUE(GetUiLog().empty()) << version;
    }
    for (int version : {0, 99, 101, 104, -100}) {
        ClearUiLog();
        ModelFileBuilder b(version, 0, 1);
        b.Whole("REGION", {5});
        MModelAttributeStore store;
        EXPECT_EQ(store.ReadBinary(b.Build()), ModelLoadResult::BadVersion) << version;
        EXPECT_EQ(Messages(), std::vector<std::string>{"M3R Read Error: File is incorrect M3I version format"});
        EXPECT_FALSE(store.HasMoldBoundary()); // nothing was read
    }
    ClearUiLog();
    MModelAttributeStore store;
    const std::string whole = ModelFileBuilder(100, 0, 0).Build();
    EXPECT_EQ(store.ReadBinary(whole.substr(0, 395)), ModelLoadResult::ShortHeader);
    EXPECT_EQ(store.ReadBinary(""), ModelLoadResult::ShortHeader);
    EXPECT_TRUE(GetUiLog().empty());
}

TEST(ModelAttributeStore, BinaryRecordsFillTheCategories)
{
    ClearUiLog();
    ModelFileBuilder b(105, 2, 4); // elements 1-2 lead, 3-6 carry values
    b.Whole("REGION", {1, 5, 0, 1});
    b.Whole("NCIRCUIT", {0, 7, 8, 7});
    b.Whole("NINSERT", {0, 0, 3, 0});
    b.Reals("BLMTHICK", {1.5f, 2.5f, 1, 1, 2, 2, 3, 3});
    b.Entry("SHAPEXYZ", 5, 1 << 28);   // past the end: treated as absent
    b.Entry("HTCHAR", 6, -3);          // a position before the file
    MModelAttributeStore store;
    ASSERT_EQ(store.ReadBinary(b.Build()), ModelLoadResult::Ok);
    EXPECT_TRUE(GetUiLog().empty());
    EXPECT_TRUE(store.HasMoldBoundary());
    EXPECT_TRUE(store.HasInsertData());
    const MAttributeGroup& region = store.GetCategory(kCategoryRegion).m_groups[3];
    EXPECT_EQ(region.m_ints, (std::vector<int>{1, 5, 1}));
    ASSERT_EQ(region.m_records.size(), 2u);
    EXPECT_EQ(region.m_records[0].m_elements[0], (std::vector<int>{3, 6}));
    std::vector<std::pair<int, int>> pairs;
    store.GetCircuitPairs(pairs);
    EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{8, 5}, {7, 4}}));
    ASSERT_EQ(store.GetThickness().size(), 6u);
    EXPECT_EQ(store.GetThickness()[0], (std::pair<double, double>{0.0, 0.0}));
    EXPECT_EQ(store.GetThickness()[2], (std::pair<double, double>{1.5, 2.5}));
    EXPECT_EQ(store.GetCategory(kCategoryShape).GetRecordCount(), 0u);
    EXPECT_EQ(store.GetCategory(kCategoryHeatTransfer).GetRecordCount(), 0u);

    // Without REGION every element with a value slot is region 2; without
    // BLMTHICK the user is told the dimensions are missing.
    ClearUiLog();
    ModelFileBuilder noRegion(100, 1, 3);
    ASSERT_EQ(store.ReadBinary(noRegion.Build()), ModelLoadResult::Ok);
    EXPECT_EQ(store.GetCategory(kCategoryRegion).m_groups[3].m_ints, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(store.GetCategory(kCategoryRegion).m_groups[3].m_records[0].m_elements[0], (std::vector<int>{2, 3, 4}));
    EXPECT_FALSE(store.HasMoldBoundary());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: No Dimension Attribute in M3R file"});

    // B above 100000 counts as 0: the region record is not read at all.
    ModelFileBuilder tooMany(100, 0, 100001);
    tooMany.Whole("REGION", {5});
    tooMany.Reals("BLMTHICK", {});
    ASSERT_EQ(store.ReadBinary(tooMany.Build()), ModelLoadResult::Ok);
    EXPECT_FALSE(store.HasMoldBoundary());
    EXPECT_TRUE(store.GetCategory(kCategoryRegion).m_groups[3].m_ints.empty());

    // A negative directory count, or one larger than the file, reads what is there.
    ModelFileBuilder negative(100, 0, 1);
    negative.Whole("REGION", {5});
    negative.SetWord(11, -4);
    ASSERT_EQ(store.ReadBinary(negative.Build()), ModelLoadResult::Ok);
    EXPECT_FALSE(store.HasMoldBoundary());
    ModelFileBuilder huge(100, 0, 1);
    huge.Whole("REGION", {5});
    huge.SetWord(11, 0x7fffffff);
    ASSERT_EQ(store.ReadBinary(huge.Build()), ModelLoadResult::Ok);
    EXPECT_TRUE(store.HasMoldBoundary());
}

TEST(ModelAttributeStore, TextRecordsLimitsAndWarnings)
{
    const std::string ata = "Housing\n  Cover plate  \nCircuit A\nInsert\n";
    const std::string ain = "NAMED attribute sets follow\n"
                            "*CODE PARTS\n"
                            "1 1 10 1 0 1 0\n"         // Housing as attribute 10
                            "4 2 12 1 0 1 0\n"         // Cover plate as 12
                            "0 1 10 1 0 1 0\n"         // 1 group
                            "1 5 10 1 0 1 0\n"         // 2 no such .ata line
                            "1 1 10000001 1 0 1 0\n"   // 3 attribute number
                            "1 1 10 4 0 1 0\n"         // 4 kind
                            "1 1 10 1 -1 1 0\n"        // 5 negative element
                            "1 1 10 1 0 0 0\n"         // 6 value
                            "1 1 10 1 0 1 2\n"         // 7 element list
                            "1 1 10 1\n"               // too few numbers: the fifth is missing
                            "1 1 x 1 0 1 0\n"          // not a number
                            "ATTRIBUTE 1 2 3\n"
                            "*CODE NOSUCH\n"
                            "1 1 10 1 0 1 0\n"         // 8 outside a known category
                            "*CODE REGION\n"
                            "4 1 1 1 77 5 0\n"
                            "*CODE NINSERT\n"
                            "4 4 1 2 80 1 0 -16384\n"  // a real, but the unset one
                            "3 4 1 1 80 1 0\n";        // a value, but not in the last group
    MModelAttributeStore store;
    store.ReadText(ain, ata);
    std::vector<std::pair<int, int>> warnings;
    for (const MAttributeWarning& w : store.GetWarnings())
        warnings.emplace_back(w.m_line, w.m_code);
    EXPECT_EQ(warnings, (std::vector<std::pair<int, int>>{
                            {5, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 5}, {10, 6}, {11, 7}, {12, 5}, {13, 3}, {16, 8}}));
    std::vector<std::string> parts;
    store.GetNames(kCategoryParts, parts);
    EXPECT_EQ(parts, (std::vector<std::string>{"Housing", "Cover plate"}));
    EXPECT_EQ(store.GetNumber(kCategoryParts, "Cover plate"), 12);
    EXPECT_EQ(store.GetNumber(kCategoryParts, "cover plate"), -1);
    EXPECT_EQ(store.GetName(kCategoryParts, 10), "Housing");
    EXPECT_TRUE(store.HasMoldBoundary());
    EXPECT_FALSE(store.HasInsertData());

    store.ReadText("*CODE NINSERT\n4 4 1 3 80 1 0 7800\n", ata);
    EXPECT_TRUE(store.HasInsertData());
    EXPECT_FALSE(store.HasMoldBoundary());

    // A line longer than 511 characters is read in pieces; the second piece is a record.
    store.ReadText("*CODE PARTS " + std::string(499, ' ') + "1 1 10 1 0 1 0\n", ata);
    EXPECT_EQ(store.GetName(kCategoryParts, 10), "Housing");
}

TEST(ModelAttributeStore, CircuitPairsWalkFromLastToFirst)
{
    const std::string ata = "c\n";
    // Records in order of first appearance: 1 (circuit 3), 2 (circuit 4, only
    // list 2), 3 (real only: unset circuit), 4 (circuit 3 again), 5 (no elements).
    const std::string ain = "*CODE NCIRCUIT\n"
                            "4 1 1 1 101 3 0\n4 1 1 1 102 3 0\n"
                            "4 1 2 1 205 4 1\n"
                            "4 1 3 2 300 1 0 2.5\n"
                            "4 1 4 1 400 3 0\n"
                            "4 1 5 1 0 9 0\n"
                            "1 1 6 1 600 11 0\n"; // not in the last group
    MModelAttributeStore store;
    store.ReadText(ain, ata);
    std::vector<std::pair<int, int>> pairs;
    store.GetCircuitPairs(pairs);
    EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{9, 0}, {3, 400}, {4, 205}}));
}

TEST(ModelAttributeStore, FilesOnDiskReadOnlyAndLocked)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "part.ain", "*CODE PARTS\r\n1 1 1 1 0 1 0\r\n");
    wiztest::WriteBytes(dir / "part.ata", "Lid\r\n");
    MModelAttributeStore text(dir / "part.udm");
    EXPECT_EQ(text.GetLoadResult(), ModelLoadResult::Ok);
    EXPECT_EQ(text.GetName(kCategoryParts, 1), "Lid");

    ModelFileBuilder b(105, 0, 1);
    b.Whole("REGION", {5});
    b.Reals("BLMTHICK", {1, 1});
    const std::string result = dir / "part.M3R";
    wiztest::WriteBytes(result, b.Build());
    chmod(result.c_str(), 0444);
    MModelAttributeStore binary(result);
    EXPECT_EQ(binary.GetLoadResult(), ModelLoadResult::Ok);
    EXPECT_TRUE(binary.HasMoldBoundary());
    struct stat st;
    ASSERT_EQ(stat(result.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u); // read-only again

    // A writer holding the file delays the reader until it lets go.
    chmod(result.c_str(), 0644);
    const int fd = open(result.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(fcntl(fd, F_OFD_SETLK, &lock), 0);
    std::thread writer([fd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        close(fd);
    });
    const auto start = std::chrono::steady_clock::now();
    MModelAttributeStore waited(result);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    writer.join();
    EXPECT_EQ(waited.GetLoadResult(), ModelLoadResult::Ok);
    EXPECT_TRUE(waited.HasMoldBoundary());
    EXPECT_GE(elapsed, std::chrono::milliseconds(500));
}
