// Checking and comparing keyword files through a wizard's binding table.
#include "keyword/DeckCheck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "keyword/KeywordFile.h"
#include "keyword/ValueRange.h"
#include "platform/resources/Resources.h"
#include "platform/window/Controls.h"
#include "platform/window/Wnd.h"

namespace {

constexpr int kIdsValueLabel = 13255;

std::string FormatG(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string UnitLabel(UnitQuantity quantity, UnitSystem system)
{
    char label[32] = "";
    return GetUnitLabel(quantity, system, label) ? label : "";
}

// A number of the file (SI) as the page shows it, with its unit.
std::string ShowNumber(double si, UnitQuantity quantity, UnitSystem system, bool convert)
{
    double shown = si;
    if (convert)
        ConvertFromSI(quantity, system, si, &shown);
    std::string text = FormatG(shown);
    const std::string unit = UnitLabel(quantity, system);
    if (!unit.empty())
        text += ' ' + unit;
    return text;
}

// A number with no fraction, written in full: one too large for an int.
bool ParseWholeNumber(const std::string& text, double& number)
{
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && std::isfinite(number) && number == std::trunc(number);
}

// Whole numbers are typed and checked as they stand; only reals and lists
// of them are held in SI.
bool IsConverted(int type) { return type == kBindDouble || type == kBindList || type == kBindPairs; }

bool IsNumeric(int type) { return type == kBindWhole || IsConverted(type); }

std::string JoinTokens(std::span<const std::string> tokens)
{
    std::string text;
    for (const std::string& token : tokens)
        text += (text.empty() ? "" : ", ") + token;
    return text.empty() ? "(no choices)" : text;
}

// Where in the value a problem lies: "" for a single value, else the item or pair.
std::string PlaceOf(const SBindingView& binding, const SValueProblem& problem)
{
    if (problem.item < 0)
        return std::string();
    const std::string number = std::to_string(problem.item + 1);
    if (binding.type != kBindPairs)
        return "item " + number + ": ";
    return "pair " + number + (problem.column ? ", second value: " : ", first value: ");
}

std::string Describe(const CKeywordBindings& bindings, const SBindingView& binding, const SValueProblem& problem)
{
    const UnitSystem system = bindings.GetUnitSystem();
    const bool second = problem.column == 1;
    switch (problem.kind) {
    case SValueProblem::kEmpty: return "no value";
    case SValueProblem::kNotNumber: return "'" + problem.text + "' is not a number";
    case SValueProblem::kNotWhole: {
        double number = 0;
        const bool integral = ParseWholeNumber(problem.text, number);
        return "'" + problem.text + (integral ? "' is too large for a whole-number field" : "' is not a whole number");
    }
    case SValueProblem::kNotSwitch: return "'" + problem.text + "' is neither ON nor OFF";
    case SValueProblem::kUnknownToken:
        return "'" + problem.text + "' is not one of " + JoinTokens(binding.tokens);
    case SValueProblem::kMissingSecond: return "pair " + std::to_string(problem.item + 1) + " has no second value";
    case SValueProblem::kListCut:
        return "the list is read only up to its first " + std::to_string(problem.text.size()) +
               " characters: items from " + std::to_string(problem.item + 1) + " on are cut or lost";
    case SValueProblem::kOutOfRange: {
        const UnitQuantity quantity = second ? binding.quantity2 : binding.quantity1;
        const CValueRange& range = second ? binding.range2 : binding.range1;
        std::string caption = GetRangeCaption(range, quantity, system);
        // A range without a unit keeps the blank that would part it from one.
        while (!caption.empty() && caption.back() == ' ')
            caption.pop_back();
        return PlaceOf(binding, problem) + ShowNumber(problem.value, quantity, system, IsConverted(binding.type)) +
               " is out of range " + caption;
    }
    }
    return "unreadable value";
}

std::string DescribeAt(const CKeywordBindings& bindings, const SBindingView& binding, const SValueProblem& problem)
{
    // Out-of-range lines place the problem themselves, after the number's place.
    if (problem.kind == SValueProblem::kOutOfRange || problem.kind == SValueProblem::kMissingSecond ||
        problem.kind == SValueProblem::kListCut)
        return Describe(bindings, binding, problem);
    return PlaceOf(binding, problem) + Describe(bindings, binding, problem);
}

// Reads a bound value; false when the keyword is not bound to numbers or a
// piece does not read.
bool ReadNumbers(const CKeywordBindings& bindings, std::string_view keyword, const std::string& value,
                 SValueReading& reading, SBindingView& binding)
{
    const std::optional<SBindingView> found = bindings.FindBinding(keyword);
    if (!found || !IsNumeric(found->type))
        return false;
    binding = *found;
    bindings.CheckValue(keyword, value, reading);
    for (const SValueProblem& problem : reading.problems)
        if (problem.kind != SValueProblem::kOutOfRange && problem.kind != SValueProblem::kListCut)
            return false;
    return true;
}

// Whether two values of a keyword read the same through its binding.
bool SameValue(const CKeywordBindings* bindings, std::string_view keyword, const std::string& a,
               const std::string& b)
{
    if (a == b)
        return true;
    if (bindings == nullptr)
        return false;
    SValueReading first, second;
    SBindingView binding;
    if (!ReadNumbers(*bindings, keyword, a, first, binding) || !ReadNumbers(*bindings, keyword, b, second, binding))
        return false;
    return first.numbers == second.numbers;
}

} // namespace

std::string GetFieldLabel(const SBindingView& binding)
{
    if (binding.page == nullptr || binding.companionId == -1)
        return std::string();
    const CDialogTemplate* dialog = FindDialogTemplate(binding.page->GetTemplateId());
    const CDlgItemTemplate* item = dialog ? dialog->FindItem(binding.companionId) : nullptr;
    if (item == nullptr)
        return std::string();
    const bool noPrefix = item->itemClass == DlgItemClass::kStatic && (item->style & SS_NOPREFIX);
    std::string label = CKeywordBindings::LabelOfCaption(item->text, noPrefix);
    // The generic name tells the reader of a report nothing the keyword does not.
    return label == LoadString(kIdsValueLabel) ? std::string() : label;
}

std::vector<std::string> CheckDeck(const CKeywordBindings& bindings, const MKeywordFile& deck,
                                   const MKeywordFile* prepared)
{
    std::vector<std::string> lines;
    SValueReading reading;
    for (const std::string& keyword : deck.GetKeywords()) {
        // Most of a big deck is material data and other programs' keywords:
        // their values are never read.
        if (!bindings.IsBound(keyword))
            continue;
        reading.problems.clear();
        reading.numbers.clear();
        const MKeywordFile& source = prepared && prepared->HasKeyword(keyword) ? *prepared : deck;
        if (!bindings.CheckValue(keyword, source.GetValue(keyword), reading) || reading.problems.empty())
            continue;
        const SBindingView binding = *bindings.FindBinding(keyword);
        const std::string label = GetFieldLabel(binding);
        for (const SValueProblem& problem : reading.problems) {
            std::string line = keyword + ": " + DescribeAt(bindings, binding, problem);
            if (!label.empty())
                line += " (" + label + ")";
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::size_t CountBoundKeywords(const CKeywordBindings& bindings, const MKeywordFile& deck)
{
    // By the table, which is small, rather than by the deck, which may not be.
    std::size_t count = 0;
    bindings.ForEachBinding([&](const SBindingView& binding) {
        if (deck.HasKeyword(binding.keyword))
            ++count;
    });
    return count;
}

std::string ShowValue(const CKeywordBindings* bindings, std::string_view keyword, const std::string& value)
{
    SValueReading reading;
    SBindingView binding;
    if (bindings == nullptr || !ReadNumbers(*bindings, keyword, value, reading, binding))
        return value;
    const UnitSystem system = bindings->GetUnitSystem();
    const bool convert = IsConverted(binding.type);
    const auto shown = [&](double si, UnitQuantity quantity) {
        double number = si;
        if (convert)
            ConvertFromSI(quantity, system, si, &number);
        return FormatG(number);
    };
    if (binding.type != kBindPairs) {
        std::string text;
        for (double number : reading.numbers)
            text += (text.empty() ? "" : " ") + shown(number, binding.quantity1);
        const std::string unit = UnitLabel(binding.quantity1, system);
        return unit.empty() ? text : text + " " + unit;
    }
    std::string text;
    for (std::size_t i = 0; i < reading.numbers.size(); ++i) {
        const bool first = i % 2 == 0;
        text += i == 0 ? "" : first ? "; " : " ";
        text += shown(reading.numbers[i], first ? binding.quantity1 : binding.quantity2);
    }
    const std::string unit1 = UnitLabel(binding.quantity1, system);
    const std::string unit2 = UnitLabel(binding.quantity2, system);
    if (!unit1.empty() || !unit2.empty())
        text += " (" + (unit1.empty() ? "-" : unit1) + ", " + (unit2.empty() ? "-" : unit2) + ")";
    return text;
}

std::vector<SDeckChange> DiffDecks(const MKeywordFile& before, const MKeywordFile& after,
                                   const CKeywordBindings* bindings)
{
    std::vector<SDeckChange> changes;
    const std::vector<std::string> oldKeywords = before.GetKeywords();
    for (const std::string& keyword : oldKeywords) {
        const std::string was = before.GetValue(keyword);
        if (!after.HasKeyword(keyword)) {
            changes.push_back({SDeckChange::kRemoved, keyword, ShowValue(bindings, keyword, was), std::string()});
            continue;
        }
        const std::string is = after.GetValue(keyword);
        if (!SameValue(bindings, keyword, was, is))
            changes.push_back(
                {SDeckChange::kChanged, keyword, ShowValue(bindings, keyword, was), ShowValue(bindings, keyword, is)});
    }
    for (const std::string& keyword : after.GetKeywords())
        if (!before.HasKeyword(keyword))
            changes.push_back(
                {SDeckChange::kAdded, keyword, std::string(), ShowValue(bindings, keyword, after.GetValue(keyword))});
    return changes;
}

std::string FormatChange(const SDeckChange& change)
{
    switch (change.kind) {
    case SDeckChange::kRemoved: return "- " + change.keyword + ": " + change.before;
    case SDeckChange::kAdded: return "+ " + change.keyword + ": " + change.after;
    case SDeckChange::kChanged: break;
    }
    return "~ " + change.keyword + ": " + change.before + " -> " + change.after;
}
