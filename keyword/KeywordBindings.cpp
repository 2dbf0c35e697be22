// The file side of the keyword bindings: registration, ranges, and the
// reading and writing of bound values in keyword files.
#include "keyword/KeywordBindings.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "keyword/BindingRecord.h"

namespace {

// List items in a file stand on continued lines of their own.
constexpr const char* kItemSeparator = " \\\n";
// Lists are read from a fixed-size buffer's worth of text, as they always were;
// a longer value is cut rather than misread.
constexpr std::size_t kListTextLimit = 1023;

std::string WithSuffix(std::string_view keyword, const char* suffix)
{
    std::string full(keyword);
    full += suffix;
    return full;
}

// Splits `text` at any of `separators`, skipping empty pieces, and reads each
// piece with strtod (a piece that is not a number reads 0).
template <class Fn> void ForEachNumber(const std::string& text, const char* separators, Fn&& fn)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = text.find_first_not_of(separators, pos);
        if (start == std::string::npos)
            break;
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos)
            end = text.size();
        std::string piece = text.substr(start, end - start);
        fn(std::strtod(piece.c_str(), nullptr));
        pos = end;
    }
}

} // namespace

namespace BindingText {

std::string FormatG(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string FormatFileValue(const CKeywordBindings::CBinding& binding)
{
    switch (binding.type) {
    case kBindText:
        return binding.Var<std::string>();
    case kBindWhole:
        return std::to_string(binding.Var<int>());
    case kBindDouble:
        return MKeywordFile::FormatDouble(binding.Var<double>());
    case kBindSwitch:
        return binding.Var<bool>() ? "ON" : "OFF";
    case kBindChoice:
        return binding.Var<CChoiceField>().GetToken();
    case kBindList: {
        std::string text;
        for (double value : binding.Var<std::vector<double>>()) {
            if (!text.empty())
                text += kItemSeparator;
            text += FormatG(value);
        }
        return text;
    }
    case kBindPairs: {
        std::string text;
        for (const auto& [first, second] : binding.Var<CDoublePairList>()) {
            if (!text.empty())
                text += kItemSeparator;
            text += FormatG(first);
            text += ' ';
            text += FormatG(second);
        }
        return text;
    }
    }
    assert(!"binding of unknown type");
    return std::string();
}

void ParseFileValue(CKeywordBindings::CBinding& binding, const std::string& value)
{
    switch (binding.type) {
    case kBindText:
        binding.Var<std::string>() = value;
        break;
    case kBindWhole:
        binding.Var<int>() = std::atoi(value.c_str());
        break;
    case kBindDouble:
        binding.Var<double>() = std::strtod(value.c_str(), nullptr);
        break;
    case kBindSwitch:
        binding.Var<bool>() = value == "ON";
        break;
    case kBindChoice:
        binding.Var<CChoiceField>().SetToken(value);
        break;
    case kBindList: {
        auto& list = binding.Var<std::vector<double>>();
        list.clear();
        ForEachNumber(value.substr(0, kListTextLimit), " ,;",
                      [&](double number) { list.push_back(number); });
        break;
    }
    case kBindPairs: {
        auto& list = binding.Var<CDoublePairList>();
        list.clear();
        bool haveFirst = false;
        ForEachNumber(value, " \t\n", [&](double number) {
            if (haveFirst)
                list.back().second = number;
            else
                list.emplace_back(number, 0.0);
            haveFirst = !haveFirst;
        });
        break;
    }
    default:
        assert(!"binding of unknown type");
    }
}

} // namespace BindingText

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

void CKeywordBindings::MergeRanges(const std::string& path)
{
    m_rangeStore.Merge(path);
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
    file.Load(path);
    for (auto& binding : m_bindings) {
        if (!file.HasKeyword(binding->keyword))
            continue;
        BindingText::ParseFileValue(*binding, file.GetValue(binding->keyword));
        binding->present = true;
    }
    return CResult::Ok();
}

CResult CKeywordBindings::SaveValues(const std::string& path)
{
    MKeywordFile file;
    file.Load(path);
    for (const auto& binding : m_bindings) {
        if (!binding->present)
            file.RemoveKeyword(binding->keyword);
        else if (binding->type == kBindDouble)
            file.SetDouble(binding->keyword, binding->Var<double>());
        else
            file.SetValue(binding->keyword, BindingText::FormatFileValue(*binding));
    }
    if (!file.Write(path))
        return CResult::FromErrno("cannot write " + path);
    return CResult::Ok();
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
    return binding ? BindingText::FormatFileValue(*binding) : std::string();
}
