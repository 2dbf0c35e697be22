// The file side of the keyword bindings: registration, ranges, and the
// reading and writing of bound values in keyword files.
#include "keyword/KeywordBindings.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "keyword/KeywordBindingsKinds.h"
#include "keyword/RangeFiles.h"

namespace {

std::string WithSuffix(std::string_view keyword, const char* suffix)
{
    std::string full(keyword);
    full += suffix;
    return full;
}

} // namespace

CKeywordBindings::CKeywordBindings() : m_index(64, 0), m_unitSystem(::GetUnitSystem()) {}

CKeywordBindings::~CKeywordBindings() = default;

std::size_t CKeywordBindings::GetBindingCount() const { return m_bindings.size(); }

std::size_t CKeywordBindings::Locate(std::string_view keyword) const
{
    const std::size_t mask = m_index.size() - 1;
    std::size_t i = std::hash<std::string_view>()(keyword) & mask;
    while (m_index[i] != 0 && m_bindings[m_index[i] - 1].keyword != keyword)
        i = (i + 1) & mask;
    return i;
}

const CKeywordBindings::CBinding* CKeywordBindings::Find(std::string_view keyword) const
{
    const std::uint32_t entry = m_index[Locate(keyword)];
    return entry == 0 ? nullptr : &m_bindings[entry - 1];
}

CKeywordBindings::CBinding* CKeywordBindings::Find(std::string_view keyword)
{
    return const_cast<CBinding*>(std::as_const(*this).Find(keyword));
}

void CKeywordBindings::GrowIndex()
{
    m_index.assign(m_index.size() * 2, 0);
    for (std::size_t i = 0; i < m_bindings.size(); ++i)
        m_index[Locate(m_bindings[i].keyword)] = static_cast<std::uint32_t>(i + 1);
}

std::string_view CKeywordBindings::KeepKeyword(std::string_view text)
{
    if (text.size() > m_keywordRoom) {
        const std::size_t size = std::max<std::size_t>(text.size(), 8192);
        m_keywordBlocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        m_keywordNext = m_keywordBlocks.back().get();
        m_keywordRoom = size;
    }
    char* kept = std::copy(text.begin(), text.end(), m_keywordNext) - text.size();
    m_keywordNext += text.size();
    m_keywordRoom -= text.size();
    return {kept, text.size()};
}

bool CKeywordBindings::Bind(std::string_view keyword, int controlId, int companionId, int type,
                            BindingVariable variable, UnitQuantity quantity1, UnitQuantity quantity2, unsigned flags)
{
    assert(static_cast<int>(variable.index()) == type && "variable does not match the binding type");
    assert(std::visit([](auto* pointer) { return pointer != nullptr; }, variable));
    if (m_currentPage == nullptr && controlId != -1)
        return false;

    std::size_t entry = Locate(keyword);
    if (m_index[entry] == 0) {
        if ((m_bindings.size() + 1) * 2 > m_index.size()) {
            GrowIndex();
            entry = Locate(keyword);
        }
        m_bindings.emplace_back().keyword = KeepKeyword(keyword);
        m_index[entry] = static_cast<std::uint32_t>(m_bindings.size());
    }
    CBinding* binding = &m_bindings[m_index[entry] - 1];
    binding->controlId = controlId;
    binding->companionId = companionId;
    binding->type = type;
    binding->variable = variable;
    binding->quantity1 = quantity1;
    binding->quantity2 = quantity2;
    binding->page = m_currentPage;
    binding->captionLength = -1;
    binding->headerLength = -1;
    binding->flags = flags;
    binding->present = controlId == -1 || (flags & kBindPageDefault) != 0;
    return true;
}

bool CKeywordBindings::SetBindingPage(std::string_view keyword, CWnd* page)
{
    CBinding* binding = Find(keyword);
    if (binding == nullptr)
        return false;
    binding->page = page;
    return true;
}

CResult CKeywordBindings::MergeRanges(const std::string& path)
{
    return MergeIfPresent(m_rangeStore, path);
}

void CKeywordBindings::SetRangeText(std::string_view rangeKeyword, std::string_view text)
{
    m_rangeStore.SetValue(rangeKeyword, text);
}

void CKeywordBindings::GetRange(std::string_view keyword, CValueRange& range) const
{
    range = CValueRange::Parse(m_rangeStore.GetValue(WithSuffix(keyword, "_RANGE")));
}

void CKeywordBindings::GetRange2(std::string_view keyword, CValueRange& range) const
{
    range = CValueRange::Parse(m_rangeStore.GetValue(WithSuffix(keyword, "_RANGE2")));
}

CResult CKeywordBindings::LoadValues(const std::string& path)
{
    MKeywordFile file;
    if (CResult loaded = LoadIfPresent(file, path); !loaded)
        return loaded;
    // A defaults file names a fraction of a wizard's keywords: look up the
    // file's keywords in the table rather than every binding in the file,
    // then set them in registration order, as a walk over the table would.
    std::vector<std::pair<std::uint32_t, CValueView>> found;
    found.reserve(file.GetKeywordCount());
    file.ForEachKeyword([&](std::string_view keyword, CValueView value) {
        if (const std::uint32_t entry = m_index[Locate(keyword)]; entry != 0)
            found.emplace_back(entry - 1, value);
    });
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [position, value] : found) {
        CBinding& binding = m_bindings[position];
        GetBindingKind(binding.type).Parse(binding, MKeywordFile::Unescape(value));
        binding.present = true;
    }
    return CResult::Ok();
}

CResult CKeywordBindings::SaveValues(const std::string& path, wizsys::Durability durability)
{
    MKeywordFile file;
    if (CResult loaded = LoadIfPresent(file, path); !loaded)
        return loaded;
    for (const CBinding& binding : m_bindings) {
        if (binding.present)
            GetBindingKind(binding.type).Store(binding, file);
        else
            file.RemoveKeyword(binding.keyword);
    }
    return file.Write(path, durability);
}

std::vector<CKeywordBindings::SBindingPlace> CKeywordBindings::ListBindings() const
{
    std::vector<SBindingPlace> places;
    places.reserve(m_bindings.size());
    for (const CBinding& binding : m_bindings)
        places.push_back({std::string(binding.keyword), binding.controlId, binding.companionId, binding.page});
    return places;
}

bool CKeywordBindings::IsBound(std::string_view keyword) const
{
    return Find(keyword) != nullptr;
}

bool CKeywordBindings::IsPresent(std::string_view keyword) const
{
    const CBinding* binding = Find(keyword);
    return binding != nullptr && binding->present;
}

std::string CKeywordBindings::GetLabel(std::string_view keyword) const
{
    const CBinding* binding = Find(keyword);
    return binding ? binding->label : std::string();
}

std::string CKeywordBindings::FormatValue(std::string_view keyword) const
{
    const CBinding* binding = Find(keyword);
    return binding ? GetBindingKind(binding->type).Format(*binding) : std::string();
}

SBindingView CKeywordBindings::ViewOf(const CBinding& binding) const
{
    SBindingView view;
    view.keyword = binding.keyword;
    view.type = binding.type;
    view.controlId = binding.controlId;
    view.companionId = binding.companionId;
    view.page = binding.page;
    view.quantity1 = binding.quantity1;
    view.quantity2 = binding.quantity2;
    CurrentRanges(binding, view.range1, view.range2);
    if (binding.type == kBindChoice)
        view.tokens = binding.Var<CChoiceField>().m_tokens;
    return view;
}

void CKeywordBindings::ForEachBinding(const std::function<void(const SBindingView&)>& visit) const
{
    for (const CBinding& binding : m_bindings)
        visit(ViewOf(binding));
}

std::optional<SBindingView> CKeywordBindings::FindBinding(std::string_view keyword) const
{
    const CBinding* binding = Find(keyword);
    if (binding == nullptr)
        return std::nullopt;
    return ViewOf(*binding);
}

bool CKeywordBindings::CheckValue(std::string_view keyword, const std::string& value, SValueReading& reading) const
{
    const CBinding* binding = Find(keyword);
    if (binding == nullptr)
        return false;
    CValueRange range1, range2;
    CurrentRanges(*binding, range1, range2);
    GetBindingKind(binding->type).Check(*binding, range1, range2, value, reading);
    return true;
}
