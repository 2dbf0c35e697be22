// The file side of the keyword bindings: registration, ranges, and the
// reading and writing of bound values in keyword files.
#include "keyword/KeywordBindings.h"

#include <cassert>

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

CKeywordBindings::CKeywordBindings() : m_unitSystem(::GetUnitSystem()) {}

CKeywordBindings::~CKeywordBindings() = default;

CKeywordBindings::CBinding* CKeywordBindings::Find(std::string_view keyword) const
{
    auto it = m_index.find(keyword);
    return it == m_index.end() ? nullptr : it->second;
}

bool CKeywordBindings::Bind(std::string_view keyword, int controlId, int companionId, int type,
                            BindingVariable variable, UnitQuantity quantity1, UnitQuantity quantity2, unsigned flags)
{
    assert(static_cast<int>(variable.index()) == type && "variable does not match the binding type");
    assert(std::visit([](auto* pointer) { return pointer != nullptr; }, variable));
    if (m_currentPage == nullptr && controlId != -1)
        return false;

    CBinding* binding = Find(keyword);
    if (binding == nullptr) {
        m_bindings.push_back(std::make_unique<CBinding>());
        binding = m_bindings.back().get();
        binding->keyword = std::string(keyword);
        m_index.emplace(binding->keyword, binding);
    }
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
    for (auto& binding : m_bindings) {
        if (!file.HasKeyword(binding->keyword))
            continue;
        GetBindingKind(binding->type).Parse(*binding, file.GetValue(binding->keyword));
        binding->present = true;
    }
    return CResult::Ok();
}

CResult CKeywordBindings::SaveValues(const std::string& path)
{
    MKeywordFile file;
    if (CResult loaded = LoadIfPresent(file, path); !loaded)
        return loaded;
    for (const auto& binding : m_bindings) {
        if (binding->present)
            GetBindingKind(binding->type).Store(*binding, file);
        else
            file.RemoveKeyword(binding->keyword);
    }
    return file.Write(path);
}

std::vector<CKeywordBindings::SBindingPlace> CKeywordBindings::ListBindings() const
{
    std::vector<SBindingPlace> places;
    places.reserve(m_bindings.size());
    for (const auto& binding : m_bindings)
        places.push_back({binding->keyword, binding->controlId, binding->companionId, binding->page});
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
    for (const auto& binding : m_bindings)
        visit(ViewOf(*binding));
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
