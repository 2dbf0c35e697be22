// Reading, writing and the section bookkeeping of boundary-condition files.
// The typed queries are in BoundaryConditionQueries.cpp.
#include "cool/BoundaryConditionFile.h"

#include "cool/BoundaryRowText.h"
#include "keyword/TextFile.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>

namespace {

// A line longer than this is read in pieces, each counting as a line.
constexpr std::size_t kPieceLength = 255;

struct SlotName {
    const char* keyword;
    const char* qualifier;
};

constexpr SlotName kSlotNames[kSlotCount] = {
    {"MODEL", nullptr},         {"NODAL", "INJECT"},       {"NODAL", "GASINJ"},
    {"NODAL", "GASVGG"},        {"NODAL", "VPTRANS"},      {"ELEMENTAL", "VGGRP"},
    {"ELEMENTAL", "WELLVGG"},   {"ELEMENTAL", "MAXDIM"},   {"ELEMENTAL", "MINDIM"},
    {"ELEMENTAL", "MOLDMAT"},   {"BOUNDARY", "CONDITION"},
};

int SlotOf(std::string_view keyword, std::string_view qualifier)
{
    for (int s = 0; s < kSlotCount; ++s) {
        if (keyword != kSlotNames[s].keyword)
            continue;
        // MODEL's qualifier is the model path, so any qualifier fills it.
        if (!kSlotNames[s].qualifier || qualifier == kSlotNames[s].qualifier)
            return s;
    }
    return -1;
}

} // namespace

const char* GetBoundarySlotName(BoundarySlot slot)
{
    static const char* const kNames[kSlotCount] = {
        "MODEL",          "NODAL INJECT",      "NODAL GASINJ",      "NODAL GASVGG",
        "NODAL VPTRANS",  "ELEMENTAL VGGRP",   "ELEMENTAL WELLVGG", "ELEMENTAL MAXDIM",
        "ELEMENTAL MINDIM", "ELEMENTAL MOLDMAT", "BOUNDARY CONDITION",
    };
    return slot >= 0 && slot < kSlotCount ? kNames[slot] : "";
}

// ---------------------------------------------------------------------------
// MBoundarySection

MBoundarySection::MBoundarySection(CBoundaryTextStore* store, std::string keyword, std::string qualifier)
    : m_store(store), m_keyword(std::move(keyword)), m_readsNoRows(m_keyword == "LOCAL"),
      m_qualifier(std::move(qualifier))
{
}

MBoundaryRow MBoundarySection::MakeRow(int first, int second, double value, int third, std::string_view text)
{
    MBoundaryRow row;
    row.m_first = first;
    row.m_second = second;
    row.m_value = value;
    row.m_third = third;
    assert(text.size() <= UINT32_MAX);
    row.SetText(text);
    return row;
}

const MBoundaryRow& MBoundarySection::AddRow(int first, int second, double value, int third, std::string_view text)
{
    m_rows.push_back(MakeRow(first, second, value, third, m_store->Keep(text)));
    if (m_indexed && third == 1)
        m_elementIndex.Insert(first, m_rows.size() - 1);
    return m_rows.back();
}

void MBoundarySection::SetRow(std::size_t i, int first, int second, double value, int third, std::string_view text)
{
    assert(i < m_rows.size());
    MBoundaryRow& row = m_rows[i];
    if (row.m_first != first || row.m_third != third) {
        m_indexed = false; // the first match may have moved; rebuild on demand
        m_elementIndex.Clear();
    }
    row = MakeRow(first, second, value, third, m_store->Keep(text));
}

long MBoundarySection::FindElementRow(int element) const
{
    if (!m_indexed) {
        m_elementIndex.Clear();
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].m_third == 1)
                m_elementIndex.Insert(m_rows[i].m_first, i);
        m_indexed = true;
    }
    return m_elementIndex.Find(element);
}

// ---------------------------------------------------------------------------
// MBoundaryConditionFile: construction and sections

MBoundaryConditionFile::MBoundaryConditionFile() : m_store(std::make_unique<CBoundaryTextStore>()) {}

MBoundaryConditionFile::MBoundaryConditionFile(const std::string& path) : MBoundaryConditionFile()
{
    // A constructor has no result to give: a file that cannot be read leaves
    // this one empty. Callers that must tell the two apart build it empty
    // and call Load.
    if (!path.empty())
        (void)Load(path);
}

MBoundaryConditionFile::~MBoundaryConditionFile() = default;

void MBoundaryConditionFile::Clear()
{
    m_sections.clear();
    for (auto& slot : m_slots)
        slot = nullptr;
    m_coolants.clear();
    m_pumps.clear();
    m_injectionNodes.clear();
    m_store->Clear();
}

void MBoundaryConditionFile::FileSection(MBoundarySection* section)
{
    const std::string& keyword = section->GetKeyword();
    const std::string& qualifier = section->GetQualifier();
    const int slot = SlotOf(keyword, qualifier);
    if (slot >= 0) {
        m_slots[slot] = section; // a later header takes the slot over
        return;
    }
    if (keyword == "DATA") {
        if (qualifier.compare(0, 7, "COOLANT") == 0)
            m_coolants.push_back(section);
        else if (qualifier.compare(0, 4, "PUMP") == 0)
            m_pumps.push_back(section);
    }
}

MBoundarySection& MBoundaryConditionFile::AddSection(std::string_view keyword, std::string_view qualifier)
{
    m_sections.push_back(std::unique_ptr<MBoundarySection>(
        new MBoundarySection(m_store.get(), std::string(keyword), std::string(qualifier))));
    MBoundarySection* section = m_sections.back().get();
    FileSection(section);
    return *section;
}

const MBoundarySection* MBoundaryConditionFile::FindSection(std::string_view keyword) const
{
    for (const auto& s : m_sections)
        if (s->GetKeyword() == keyword)
            return s.get();
    return nullptr;
}

const MBoundarySection* MBoundaryConditionFile::FindSection(std::string_view keyword, std::string_view qualifier) const
{
    for (const auto& s : m_sections)
        if (s->GetKeyword() == keyword && s->GetQualifier() == qualifier)
            return s.get();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Reading

CResult MBoundaryConditionFile::Load(const std::string& path)
{
    Clear();
    std::string bytes;
    CTextFile file;
    if (CResult opened = file.Open(path, CTextFile::modeRead); !opened)
        return opened;
    // The reader cuts lines at CR itself, so the untranslated bytes do.
    file.ReadBytes(bytes);
    if (CResult read = file.Close(); !read)
        return read;
    ParseBuffer(m_store->Adopt(std::move(bytes)));
    return CResult::Ok();
}

void MBoundaryConditionFile::LoadText(std::string_view bytes)
{
    Clear();
    ParseBuffer(m_store->Adopt(std::string(bytes)));
}

namespace {

// Calls `piece` with every line piece of `bytes`: lines end at LF, a line
// longer than kPieceLength is cut into pieces that each count as a line, and
// a piece ends at its first CR. A line break right after a full piece makes
// an empty piece, which readers skip as a blank line.
template <typename F>
void ForEachPiece(std::string_view bytes, F&& piece)
{
    const char* const begin = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    while (pos < size) {
        const void* lf = std::memchr(begin + pos, '\n', size - pos);
        const std::size_t lineEnd = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : size;
        for (std::size_t start = pos;; start += kPieceLength) {
            const std::size_t pieceEnd = std::min(start + kPieceLength, lineEnd);
            const void* cr = std::memchr(begin + start, '\r', pieceEnd - start);
            const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : pieceEnd;
            piece(std::string_view(begin + start, end - start));
            if (pieceEnd >= lineEnd)
                break;
        }
        pos = lineEnd + 1;
    }
}

// Offset of the first token of `line`, or npos for a blank line.
std::size_t FirstToken(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i < line.size() ? i : std::string_view::npos;
}

} // namespace

void MBoundaryConditionFile::ParseBuffer(std::string_view bytes)
{
    MBoundarySection* current = nullptr;
    ForEachPiece(bytes, [&](std::string_view line) {
        const std::size_t token = FirstToken(line);
        if (token == std::string_view::npos)
            return;
        if (line[token] == '*') {
            std::size_t tokenEnd = token + 1;
            while (tokenEnd < line.size() && line[tokenEnd] != ' ' && line[tokenEnd] != '\t')
                ++tokenEnd;
            const std::string_view keyword = line.substr(token + 1, tokenEnd - token - 1);
            current = &AddSection(keyword, bcrow::Trim(line.substr(tokenEnd)));
            return;
        }
        // Rows before the first header have nowhere to go; LOCAL rows are
        // regenerated from BOUNDARY CONDITION when the file is written.
        if (!current || current->m_readsNoRows)
            return;
        const bcrow::RowFields f = bcrow::ParseRowFields(line);
        // The row points into the adopted buffer: no copy is made.
        current->m_rows.push_back(MBoundarySection::MakeRow(f.first, f.second, f.value, f.third, line));
    });

    if (const MBoundarySection* inject = m_slots[kSlotNodalInject]) {
        m_injectionNodes.reserve(inject->GetRowCount());
        for (const MBoundaryRow& row : inject->GetRows())
            m_injectionNodes.push_back(row.m_first);
    }
}

// ---------------------------------------------------------------------------
// Writing

void MBoundaryConditionFile::GetLocalAxesNodes(int nodes[3]) const
{
    nodes[0] = nodes[1] = nodes[2] = -1;
    const MBoundarySection* bc = m_slots[kSlotBoundaryCondition];
    if (!bc)
        return;
    // Node k is the first row with code k+1 that names a node not taken yet.
    for (int k = 0; k < 3; ++k) {
        for (const MBoundaryRow& row : bc->GetRows()) {
            if (row.m_second != k + 1)
                continue;
            bool taken = false;
            for (int j = 0; j < k; ++j)
                taken = taken || row.m_first == nodes[j];
            if (!taken) {
                nodes[k] = row.m_first;
                break;
            }
        }
    }
}

std::string MBoundaryConditionFile::ToText(bool crlf) const
{
    const char* const eol = crlf ? "\r\n" : "\n";
    const std::size_t eolLength = crlf ? 2 : 1;
    std::size_t estimate = 64;
    for (const auto& s : m_sections)
        for (const MBoundaryRow& row : s->GetRows())
            estimate += row.GetText().size() + eolLength;
    std::string out;
    out.reserve(estimate + 64 * m_sections.size());

    char line[64];
    for (const auto& s : m_sections) {
        if (s->GetRowCount() == 0)
            continue; // so an empty section, the read "*LOCAL AXES" included, is not repeated
        // "*%-9s %s", without printf: a keyword read from a damaged file may
        // hold a NUL, and must come back as it was read.
        out += '*';
        out += s->GetKeyword();
        out.append(s->GetKeyword().size() < 9 ? 9 - s->GetKeyword().size() : 0, ' ');
        out += ' ';
        out += s->GetQualifier();
        out.append(eol, eolLength);
        for (const MBoundaryRow& row : s->GetRows()) {
            out.append(row.GetText());
            out.append(eol, eolLength);
        }
    }

    int nodes[3];
    GetLocalAxesNodes(nodes);
    if (nodes[0] > 0 && nodes[1] > 0 && nodes[2] > 0) {
        out += "*LOCAL AXES";
        out.append(eol, eolLength);
        for (int k = 0; k < 3; ++k) {
            int n = std::snprintf(line, sizeof line, "\t%d\t%d\t%d\t%d", nodes[k], nodes[0], nodes[1], nodes[2]);
            out.append(line, static_cast<std::size_t>(n));
            out.append(eol, eolLength);
        }
    }
    return out;
}

CResult MBoundaryConditionFile::Save(const std::string& path) const
{
    CTextFile file;
    if (CResult opened = file.Open(path, CTextFile::modeCreate | CTextFile::modeWrite); !opened)
        return opened;
    file.WriteBytes(ToText(file.IsTextMode()));
    return file.Close();
}
