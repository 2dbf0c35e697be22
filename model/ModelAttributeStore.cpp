// The attribute store: categories, the choice of reader, and the questions
// the wizard pages ask. The readers are in ModelBinaryReader.cpp and
// ModelTextReader.cpp.
#include "model/ModelAttributeStore.h"

#include "platform/window/CommonDialogs.h"
#include "platform/system/WinApp.h"
#include "platform/window/WinDef.h"

#include "platform/system/FileIo.h"

#include <cassert>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_set>

namespace {

const char* const kCategoryNames[kAttributeCategoryCount] = {
    "BLOCK1",  "BLOCK2",   "COLOR",   "DIVISION", "GPROP",   "HEATXFER", "HTE",
    "INSCOND", "INSDENS",  "INSSPHT", "INTCON",   "LAYER",   "MATERIAL", "MODELTYP",
    "MPROP",   "NCIRCUIT", "NINSERT", "NTRIS",    "OLDELEM", "OLDNODE",  "OCCUR",
    "PARTS",   "REGION",   "SHAPE",   "SPROP",    "BEAMPOS", "BEAMID",
};

bool EndsWithNoCase(const std::string& text, const char* suffix)
{
    const std::size_t n = std::strlen(suffix);
    if (text.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != suffix[i])
            return false;
    return true;
}

// The name without its extension; a dot in a directory name is not one.
std::string BaseName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t sep = name.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return name;
    return name.substr(0, dot);
}

} // namespace

const char* GetAttributeCategoryName(int category)
{
    return category >= 0 && category < kAttributeCategoryCount ? kCategoryNames[category] : "";
}

int FindAttributeCategory(std::string_view name)
{
    for (int c = 0; c < kAttributeCategoryCount; ++c)
        if (name == kCategoryNames[c])
            return c;
    return -1;
}

std::size_t MAttributeCategory::GetRecordCount() const
{
    std::size_t n = 0;
    for (const MAttributeGroup& g : m_groups)
        n += g.m_records.size();
    return n;
}

MAttributeRecord& MAttributeCategory::RecordOf(int g, int number)
{
    MAttributeGroup& group = m_groups[g];
    auto [it, added] = group.m_recordOf.try_emplace(number, group.m_records.size());
    if (added) {
        group.m_records.emplace_back();
        group.m_records.back().m_number = number;
    }
    return group.m_records[it->second];
}

// ---------------------------------------------------------------------------

MModelAttributeStore::MModelAttributeStore()
{
    for (int c = 0; c < kAttributeCategoryCount; ++c) {
        m_categories[c].m_id = c;
        m_categories[c].m_name = kCategoryNames[c];
    }
}

MModelAttributeStore::MModelAttributeStore(const std::string& fileName) : MModelAttributeStore()
{
    (void)Load(fileName); // GetLoadResult tells how it went
}

MModelAttributeStore::~MModelAttributeStore() = default;

void MModelAttributeStore::Clear()
{
    for (MAttributeCategory& c : m_categories) {
        for (MAttributeGroup& g : c.m_groups)
            g = MAttributeGroup();
        c.m_names.clear();
    }
    m_thickness.clear();
    m_warnings.clear();
    m_loadResult = ModelLoadResult::Ok;
}

bool MModelAttributeStore::IsBinaryModelFile(const std::string& fileName)
{
    return EndsWithNoCase(fileName, ".m3r") || EndsWithNoCase(fileName, ".m3i");
}

void MModelAttributeStore::GetTextPairPaths(const std::string& fileName, std::string& ainPath, std::string& ataPath)
{
    const std::string base = BaseName(fileName);
    ainPath = base + ".ain";
    ataPath = base + ".ata";
}

CResult MModelAttributeStore::Load(const std::string& fileName)
{
    // The open is tried first for its cause (missing, a FIFO, ...); the
    // readers themselves only tell the kind of failure.
    auto openable = [](const std::string& path) {
        int fd = -1;
        CResult r = wizsys::OpenForReading(path, fd);
        if (fd >= 0)
            ::close(fd);
        return r;
    };
    const bool binary = IsBinaryModelFile(fileName);
    std::string ain = fileName, ata;
    if (!binary)
        GetTextPairPaths(fileName, ain, ata);
    for (const std::string& path : {ain, ata}) {
        if (path.empty())
            continue;
        if (CResult r = openable(path); !r) {
            Clear();
            m_loadResult = ModelLoadResult::CannotOpen;
            return r;
        }
    }
    switch (binary ? ReadBinaryFile(fileName) : ReadTextFiles(ain, ata)) {
    case ModelLoadResult::Ok:
        return CResult::Ok();
    case ModelLoadResult::CannotOpen:
        return CResult::Fail("cannot read '" + fileName + "': it is locked by a writer");
    case ModelLoadResult::ShortHeader:
        return CResult::Fail("'" + fileName + "' is too short for a model file header");
    case ModelLoadResult::BadVersion:
        return CResult::Fail("'" + fileName + "' is not a model file of a known version");
    }
    assert(false);
    return CResult::Fail("'" + fileName + "' cannot be read");
}

void MModelAttributeStore::GetNames(int category, std::vector<std::string>& names) const
{
    if (category < 0 || category >= kAttributeCategoryCount)
        return;
    for (const auto& [number, name] : m_categories[category].m_names)
        names.push_back(name);
}

int MModelAttributeStore::GetNumber(int category, std::string_view name) const
{
    if (category < 0 || category >= kAttributeCategoryCount)
        return -1;
    for (const auto& [number, text] : m_categories[category].m_names)
        if (text == name)
            return number;
    return -1;
}

std::string MModelAttributeStore::GetName(int category, int number) const
{
    if (category < 0 || category >= kAttributeCategoryCount)
        return "";
    const auto& names = m_categories[category].m_names;
    auto it = names.find(number);
    return it == names.end() ? std::string() : it->second;
}

bool MModelAttributeStore::HasMoldBoundary() const
{
    const MAttributeGroup& last = m_categories[kCategoryRegion].m_groups[kAttributeGroupCount - 1];
    if (std::find(last.m_ints.begin(), last.m_ints.end(), kRegionMoldBoundary) != last.m_ints.end())
        return true;
    for (const MAttributeRecord& r : last.m_records)
        if (r.m_value == kRegionMoldBoundary)
            return true;
    return false;
}

void MModelAttributeStore::GetCircuitPairs(std::vector<std::pair<int, int>>& pairs) const
{
    const MAttributeGroup& last = m_categories[kCategoryNCircuit].m_groups[kAttributeGroupCount - 1];
    std::unordered_set<int> met;
    for (auto it = last.m_records.rbegin(); it != last.m_records.rend(); ++it) {
        if (it->m_value == kAttributeUnsetInt || !met.insert(it->m_value).second)
            continue;
        int element = 0;
        if (!it->m_elements[0].empty())
            element = it->m_elements[0].front();
        else if (!it->m_elements[1].empty())
            element = it->m_elements[1].front();
        pairs.emplace_back(it->m_value, element);
    }
}

bool MModelAttributeStore::HasInsertData() const
{
    const MAttributeGroup& last = m_categories[kCategoryNInsert].m_groups[kAttributeGroupCount - 1];
    for (int v : last.m_ints)
        if (v != kAttributeUnsetInt)
            return true;
    for (double v : last.m_reals)
        if (v != kAttributeUnsetReal)
            return true;
    return false;
}

void ShowModelMessage(const std::string& text, const std::string& caption)
{
    // These boxes carry captions of their own, not the application's name.
    MessageBox(AfxGetMainWnd(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}
