#include "host/MaterialLibrary.h"

#include "host/HostPaths.h"
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"

#include <sstream>

namespace {

std::string Lowered(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

MMatSearch::MMatSearch()
    : m_library(MProjectTree::GetInstallDataPath() + "materials/")
{
}

void MMatSearch::SetLibraryPath(const std::string& folder)
{
    m_library = hostpath::Normalize(folder);
    if (!m_library.empty() && m_library.back() != '/')
        m_library += '/';
    m_loaded = false;
    m_matches.clear();
    m_selected = -1;
}

bool MMatSearch::ReadMaterial(const std::string& file, MMatData& data)
{
    MKeywordFile kw;
    data = MMatData();
    // A material that cannot be read is not offered, like one without a name.
    if (!kw.Load(file))
        return false;
    data.file = file;
    data.name = kw.GetValue("MATERIAL_NAME");
    if (data.name.empty())
        return false;
    data.manufacturer = kw.GetValue("MATERIAL_MANUFACTURER");
    data.family = kw.GetValue("MATERIAL_FAMILY");
    data.fiberFilled = kw.HasKeyword("MATERIAL_AVERAGE_FIBER_LENGTH");
    data.thermoset = kw.HasKeyword("MATERIAL_THERMOSET_DATA");
    return true;
}

void MMatSearch::Load()
{
    m_all.clear();
    for (const std::string& file : hostpath::ListFiles(m_library, ".mtl")) {
        MMatData data;
        if (ReadMaterial(file, data))
            m_all.push_back(std::move(data));
    }
    m_loaded = true;
}

const std::vector<MMatData>& MMatSearch::GetAll()
{
    if (!m_loaded)
        Load();
    return m_all;
}

int MMatSearch::Search(const std::string& text)
{
    const std::string keep = m_selected >= 0 ? m_matches[static_cast<std::size_t>(m_selected)].file : "";
    m_text = text;
    std::vector<std::string> words;
    std::istringstream in(Lowered(text));
    for (std::string w; in >> w;)
        words.push_back(w);
    m_matches.clear();
    m_selected = -1;
    for (const MMatData& m : GetAll()) {
        const std::string hay = Lowered(m.name + " " + m.manufacturer + " " + m.family);
        bool all = true;
        for (const std::string& w : words)
            all = all && hay.find(w) != std::string::npos;
        if (!all)
            continue;
        if (m.file == keep)
            m_selected = static_cast<int>(m_matches.size());
        m_matches.push_back(m);
    }
    return GetMatchCount();
}

bool MMatSearch::Select(int index)
{
    if (index < -1 || index >= GetMatchCount())
        return false;
    m_selected = index;
    return true;
}

const MMatData* MMatSearch::GetSelection() const
{
    return m_selected >= 0 ? &m_matches[static_cast<std::size_t>(m_selected)] : nullptr;
}
