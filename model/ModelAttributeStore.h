#pragma once
// The attribute data of an analysis model (regions, parts, cooling circuits,
// inserts), read into memory so that a wizard page can ask whether the mold
// has a boundary, whether inserts carry material data and which circuits and
// parts the model holds. Binary model files (".m3r", ".m3i") and attribute
// text pairs (".ain" with its ".ata" names) are accepted; docs/model-files.md
// describes both layouts.
#include "platform/system/Result.h"
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CModelByteSource;

constexpr int kAttributeCategoryCount = 27;
constexpr int kAttributeGroupCount = 4;
constexpr int kAttributeUnsetInt = -16384;
constexpr double kAttributeUnsetReal = -16384.0;

// Category ids; the names are those of GetAttributeCategoryName.
enum AttributeCategory {
    kCategoryBlock1 = 0,
    kCategoryHeatTransfer = 5,
    kCategoryNCircuit = 15,
    kCategoryNInsert = 16,
    kCategoryParts = 21,
    kCategoryRegion = 22,
    kCategoryShape = 23,
    kCategoryBeamPos = 25,
    kCategoryBeamId = 26,
};

// "BLOCK1" ... "BEAMID"; "" outside 0..26.
const char* GetAttributeCategoryName(int category);
// The id of a category name (exact, case-sensitive), or -1.
int FindAttributeCategory(std::string_view name);

// A region code that marks the mold's outer boundary.
constexpr int kRegionMoldBoundary = 5;

// One attribute: its number, whole-number and real values (unset markers when
// it has none) and the elements carrying it, in two lists.
struct MAttributeRecord {
    int m_number = 0;
    int m_value = kAttributeUnsetInt;
    double m_real = kAttributeUnsetReal;
    std::vector<int> m_elements[2];
};

struct MAttributeGroup {
    std::vector<int> m_ints;
    std::vector<double> m_reals;
    std::vector<MAttributeRecord> m_records;
    std::unordered_map<int, std::size_t> m_recordOf; // attribute number -> record
};

struct MAttributeCategory {
    int m_id = 0;
    std::string m_name;
    MAttributeGroup m_groups[kAttributeGroupCount];
    std::map<int, std::string> m_names; // attribute number -> name

    std::size_t GetRecordCount() const;
    // The record of `number` in group g (0-based), created when absent.
    MAttributeRecord& RecordOf(int g, int number);
};

// Why a ".ain" record was dropped: the first of its numbers outside its limits.
enum AttributeWarning {
    kWarnGroup = 1,           // attribute group not 1..4
    kWarnNameLine = 2,        // no such ".ata" line
    kWarnNumber = 3,          // attribute number not 1..10000000
    kWarnKind = 4,            // value kind not 1..3
    kWarnElement = 5,         // negative element number
    kWarnValue = 6,           // whole-number value below 1
    kWarnList = 7,            // element list not 0 or 1
    kWarnNoCategory = 8,      // a record outside any known "*CODE" category
};

struct MAttributeWarning {
    int m_line = 0; // 1-based line of the ".ain" file
    int m_code = 0;
};

enum class ModelLoadResult {
    Ok,
    CannotOpen,     // the file (or the ".ain" of a pair) cannot be opened
    ShortHeader,    // a binary file shorter than its header
    BadVersion,     // a binary file of a version this reader does not know
};

class MModelAttributeStore {
public:
    // An empty store: 27 empty categories.
    MModelAttributeStore();
    // Reads `fileName`: ".m3r"/".m3i" (any case) as a binary model file,
    // anything else as the ".ain"/".ata" pair of the same base name.
    explicit MModelAttributeStore(const std::string& fileName);
    ~MModelAttributeStore();
    MModelAttributeStore(const MModelAttributeStore&) = delete;
    MModelAttributeStore& operator=(const MModelAttributeStore&) = delete;

    // Failure names the file and the cause; GetLoadResult tells its kind.
    CResult Load(const std::string& fileName);
    // Whether Load reads `fileName` as a binary file; otherwise the text pair it reads.
    static bool IsBinaryModelFile(const std::string& fileName);
    static void GetTextPairPaths(const std::string& fileName, std::string& ainPath, std::string& ataPath);
    // The binary reader over a file or over bytes in memory. The path form
    // opens the file with writers excluded, retrying while it is locked.
    ModelLoadResult ReadBinaryFile(const std::string& path);
    ModelLoadResult ReadBinary(std::string_view bytes);
    // The text reader over a file pair or over their contents.
    ModelLoadResult ReadTextFiles(const std::string& ainPath, const std::string& ataPath);
    void ReadText(std::string_view ain, std::string_view ata);
    void Clear();

    ModelLoadResult GetLoadResult() const { return m_loadResult; }
    const std::vector<MAttributeWarning>& GetWarnings() const { return m_warnings; }

    const MAttributeCategory& GetCategory(int category) const { return m_categories[category]; }
    MAttributeCategory& GetCategory(int category) { return m_categories[category]; }
    // Shell thickness pairs of a binary file, one per element slot; empty otherwise.
    const std::vector<std::pair<double, double>>& GetThickness() const { return m_thickness; }

    // Appends the attribute names of a category, in attribute-number order.
    void GetNames(int category, std::vector<std::string>& names) const;
    // The attribute number named exactly `name`, or -1.
    int GetNumber(int category, std::string_view name) const;
    // The name of attribute `number`, or "".
    std::string GetName(int category, int number) const;

    // Whether the REGION category's last group holds region code 5.
    bool HasMoldBoundary() const;
    // (circuit number, element carrying its settings) for each circuit of the
    // mold, walking the NCIRCUIT records from last to first.
    void GetCircuitPairs(std::vector<std::pair<int, int>>& pairs) const;
    // Whether the NINSERT category's last group holds any set value.
    bool HasInsertData() const;

private:
    ModelLoadResult ReadBinarySource(CModelByteSource& source);
    void ReadTextLine(std::string_view line, int lineNumber, const std::vector<std::string>& names, int& category);

    MAttributeCategory m_categories[kAttributeCategoryCount];
    std::vector<std::pair<double, double>> m_thickness;
    std::vector<MAttributeWarning> m_warnings;
    ModelLoadResult m_loadResult = ModelLoadResult::Ok;
};

// Message boxes of the model readers, with their own caption.
void ShowModelMessage(const std::string& text, const std::string& caption);
