// The kinds of bound value, one handler each: file text and page exchange.
#include "keyword/KeywordBindingsKinds.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "keyword/ValueGrid.h"
#include "platform/resources/Resources.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ListBoxes.h"

using CBinding = CKeywordBindings::CBinding;

namespace {

constexpr UINT kIdsEnterNumber = 13030;
constexpr UINT kIdsOutOfRange = 13045;
constexpr UINT kIdsCannotBeBlank = 13046;

// List items in a file stand on continued lines of their own.
constexpr const char* kItemSeparator = " \\\n";
// Lists are read from a fixed-size buffer's worth of text, as they always were;
// a longer value is cut rather than misread.
constexpr std::size_t kListTextLimit = 1023;

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

// A typed number: blanks around it are allowed, anything else is not.
bool ParseNumber(const std::string& text, double* value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(start, &end);
    if (end == start)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0' || !std::isfinite(number))
        return false;
    *value = number;
    return true;
}

// The pieces of `text` between any of `separators`, with where each ends.
template <class Fn> void ForEachPiece(const std::string& text, const char* separators, Fn&& fn)
{
    std::size_t pos = 0;
    while ((pos = text.find_first_not_of(separators, pos)) != std::string::npos) {
        const std::size_t end = std::min(text.find_first_of(separators, pos), text.size());
        fn(text.substr(pos, end - pos), end);
        pos = end;
    }
}

void AddProblem(SValueReading& reading, SValueProblem::Kind kind, std::string text, int item = -1, int column = 0,
                double value = 0)
{
    reading.problems.push_back({kind, item, column, std::move(text), value});
}

// One number of a value: a piece that is not wholly a number, or a number
// outside `range`, is a problem.
void CheckNumber(const std::string& piece, const CValueRange& range, int item, int column, SValueReading& reading)
{
    double number = 0;
    if (!ParseNumber(piece, &number)) {
        AddProblem(reading, SValueProblem::kNotNumber, piece, item, column);
        reading.numbers.push_back(0);
        return;
    }
    if (!range.Contains(number))
        AddProblem(reading, SValueProblem::kOutOfRange, piece, item, column, number);
    reading.numbers.push_back(number);
}

bool IsRadio(const CWnd* control)
{
    const auto* button = dynamic_cast<const CButton*>(control);
    return button != nullptr && button->IsRadio();
}

double FromSI(UnitQuantity quantity, UnitSystem system, double value)
{
    double shown = 0;
    ConvertFromSI(quantity, system, value, &shown);
    return shown;
}

std::string FormatMessage(UINT id, const std::string& label)
{
    std::string text = LoadString(static_cast<int>(id));
    for (std::size_t pos = text.find("%1"); pos != std::string::npos; pos = text.find("%1", pos + label.size()))
        text.replace(pos, 2, label);
    return text;
}

// Shows the failure and ends the exchange; the focus goes back to the field.
[[noreturn]] void FailField(CDataExchange* pDX, const CBinding& binding, CWnd* control, UINT messageId)
{
    AfxMessageBox(FormatMessage(messageId, binding.label), MB_OK | MB_ICONEXCLAMATION, messageId);
    if (BindingControls::IsEdit(control))
        pDX->PrepareEditCtrl(binding.controlId);
    else
        pDX->PrepareCtrl(binding.controlId);
    pDX->Fail();
}

[[noreturn]] void FailNumber(CDataExchange* pDX, const CBinding& binding)
{
    AfxMessageBox(kParseRealMessage, MB_OK, AFX_IDP_PARSE_REAL);
    pDX->PrepareEditCtrl(binding.controlId);
    pDX->Fail();
}

std::string JoinNumbers(const std::vector<double>& values)
{
    std::string text;
    for (double value : values) {
        if (!text.empty())
            text += kItemSeparator;
        text += BindingText::FormatG(value);
    }
    return text;
}

// ---- text ----------------------------------------------------------------------

class CTextKind final : public CBindingKind {
public:
    std::string Format(const CBinding& b) const override { return b.Var<std::string>(); }
    void Parse(CBinding& b, const std::string& value) const override { b.Var<std::string>() = value; }
    void Check(const CBinding&, const CValueRange&, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        // A blank text field stops the page it is on.
        if (value.empty())
            AddProblem(reading, SValueProblem::kEmpty, value);
    }
    void Show(const CBindingExchange&, CBinding& b, CWnd* control) const override
    {
        BindingControls::SetTextIfChanged(control, b.Var<std::string>());
    }
    void Read(const CBindingExchange& x, CBinding& b, CWnd* control, int pass) const override
    {
        std::string text = control->GetWindowText();
        if (pass == 0 && text.empty())
            FailField(x.pDX, b, control, kIdsCannotBeBlank);
        b.Var<std::string>() = std::move(text);
    }
};

// ---- numbers: whole and real ------------------------------------------------------

// A number typed into an edit, checked against range 1. Real numbers are
// typed in display units and held in SI; whole numbers have no unit.
class CNumberKind : public CBindingKind {
public:
    bool ShowsRange() const override { return true; }
    void Read(const CBindingExchange& x, CBinding& b, CWnd* control, int pass) const override
    {
        double value = 0;
        if (!ParseNumber(control->GetWindowText(), &value))
            FailNumber(x.pDX, b);
        // A number the variable cannot hold is a number out of range, not
        // something other than a number.
        if (!ToVariableUnits(b, x.system, value) || (pass == 0 && !b.range1.Contains(value)))
            FailField(x.pDX, b, control, kIdsOutOfRange);
        if (pass == 1)
            StoreNumber(b, value);
    }

protected:
    // Brings a typed value to what the range and variable hold; false when
    // the variable cannot hold it.
    virtual bool ToVariableUnits(const CBinding& b, UnitSystem system, double& value) const = 0;
    virtual void StoreNumber(CBinding& b, double value) const = 0;
};

class CWholeKind final : public CNumberKind {
public:
    std::string Format(const CBinding& b) const override { return std::to_string(b.Var<int>()); }
    void Parse(CBinding& b, const std::string& value) const override { b.Var<int>() = std::atoi(value.c_str()); }
    void Check(const CBinding&, const CValueRange& range, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        if (value.empty())
            return AddProblem(reading, SValueProblem::kEmpty, value);
        // atoi takes the digits before a point or junk and drops the rest.
        errno = 0;
        char* end = nullptr;
        const long number = std::strtol(value.c_str(), &end, 10);
        double real = 0;
        if (end == value.c_str() || *end != '\0' || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
            AddProblem(reading, ParseNumber(value, &real) ? SValueProblem::kNotWhole : SValueProblem::kNotNumber,
                       value);
            return;
        }
        if (!range.Contains(static_cast<double>(number)))
            AddProblem(reading, SValueProblem::kOutOfRange, value, -1, 0, static_cast<double>(number));
        reading.numbers.push_back(static_cast<double>(number));
    }
    void Show(const CBindingExchange&, CBinding& b, CWnd* control) const override
    {
        BindingControls::SetTextIfChanged(control, std::to_string(b.Var<int>()));
    }

protected:
    bool ToVariableUnits(const CBinding&, UnitSystem, double& value) const override
    {
        return value > INT_MIN - 1.0 && value < INT_MAX + 1.0;
    }
    void StoreNumber(CBinding& b, double value) const override { b.Var<int>() = static_cast<int>(std::trunc(value)); }
};

class CRealKind final : public CNumberKind {
public:
    std::string Format(const CBinding& b) const override { return MKeywordFile::FormatDouble(b.Var<double>()); }
    void Parse(CBinding& b, const std::string& value) const override
    {
        b.Var<double>() = std::strtod(value.c_str(), nullptr);
    }
    void Store(const CBinding& b, MKeywordFile& file) const override { file.SetDouble(b.keyword, b.Var<double>()); }
    void Check(const CBinding&, const CValueRange& range, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        if (value.empty())
            return AddProblem(reading, SValueProblem::kEmpty, value);
        CheckNumber(value, range, -1, 0, reading);
    }
    void Show(const CBindingExchange& x, CBinding& b, CWnd* control) const override
    {
        BindingControls::SetTextIfChanged(control, BindingText::FormatG(FromSI(b.quantity1, x.system, b.Var<double>())));
    }

protected:
    bool ToVariableUnits(const CBinding& b, UnitSystem system, double& value) const override
    {
        ConvertToSI(b.quantity1, system, value, &value);
        return true;
    }
    void StoreNumber(CBinding& b, double value) const override { b.Var<double>() = value; }
};

// ---- switch and choice ---------------------------------------------------------

class CSwitchKind final : public CBindingKind {
public:
    std::string Format(const CBinding& b) const override { return b.Var<bool>() ? "ON" : "OFF"; }
    void Parse(CBinding& b, const std::string& value) const override { b.Var<bool>() = value == "ON"; }
    void Check(const CBinding&, const CValueRange&, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        // Anything but "ON" reads as off, "on" and "YES" included.
        if (value.empty())
            AddProblem(reading, SValueProblem::kEmpty, value);
        else if (value != "ON" && value != "OFF")
            AddProblem(reading, SValueProblem::kNotSwitch, value);
    }
    void Show(const CBindingExchange&, CBinding& b, CWnd* control) const override
    {
        if (auto* button = dynamic_cast<CButton*>(control))
            button->SetCheck(b.Var<bool>() ? BST_CHECKED : BST_UNCHECKED);
    }
    void Read(const CBindingExchange&, CBinding& b, CWnd* control, int pass) const override
    {
        if (pass == 1)
            if (auto* button = dynamic_cast<CButton*>(control))
                b.Var<bool>() = button->GetCheck() == BST_CHECKED;
    }
};

// A combo box (items numbered by their data) or a radio group (by position).
class CChoiceKind final : public CBindingKind {
public:
    std::string Format(const CBinding& b) const override { return b.Var<CChoiceField>().GetToken(); }
    void Parse(CBinding& b, const std::string& value) const override { b.Var<CChoiceField>().SetToken(value); }
    void Check(const CBinding& b, const CValueRange&, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        if (value.empty())
            return AddProblem(reading, SValueProblem::kEmpty, value);
        CChoiceField probe;
        probe.m_tokens = b.Var<CChoiceField>().m_tokens;
        probe.SetToken(value);
        if (probe.m_index < 0)
            AddProblem(reading, SValueProblem::kUnknownToken, value);
    }
    void Show(const CBindingExchange& x, CBinding& b, CWnd* control) const override
    {
        const int index = b.Var<CChoiceField>().m_index;
        if (auto* combo = dynamic_cast<CComboBox*>(control)) {
            const int count = combo->GetCount();
            if (count <= 0)
                return;
            // Items straight from a template carry no data yet: number them.
            if (count > 1 && combo->GetItemData(1) == 0) {
                for (int i = 0; i < count; ++i)
                    combo->SetItemData(i, static_cast<DWORD_PTR>(i));
                combo->SetCurSel(index);
                return;
            }
            int chosen = 0;
            for (int i = 0; i < count; ++i) {
                if (static_cast<intptr_t>(combo->GetItemData(i)) == index) {
                    chosen = i;
                    break;
                }
            }
            combo->SetCurSel(chosen);
        } else if (IsRadio(control)) {
            int position = 0;
            for (CWnd* member : x.page->GetGroup(control)) {
                if (!IsRadio(member))
                    continue;
                static_cast<CButton*>(member)->SetCheck(position == index ? BST_CHECKED : BST_UNCHECKED);
                ++position;
            }
        }
    }
    void Read(const CBindingExchange& x, CBinding& b, CWnd* control, int pass) const override
    {
        if (pass != 1)
            return;
        int index = -1;
        if (auto* combo = dynamic_cast<CComboBox*>(control)) {
            const int selected = combo->GetCurSel();
            if (selected >= 0)
                index = static_cast<int>(static_cast<intptr_t>(combo->GetItemData(selected)));
        } else if (IsRadio(control)) {
            int position = 0;
            for (CWnd* member : x.page->GetGroup(control)) {
                if (!IsRadio(member))
                    continue;
                if (static_cast<CButton*>(member)->GetCheck() == BST_CHECKED) {
                    index = position;
                    break;
                }
                ++position;
            }
        }
        b.Var<CChoiceField>().m_index = index;
    }
};

// ---- lists of numbers ------------------------------------------------------------

// Reads a grid of one or two value columns, checking each row against the
// ranges; stores on pass 1.
void ReadGrid(const CBindingExchange& x, CBinding& b, CWnd* control, int pass, bool pairs)
{
    CValueGrid* grid = BindingControls::AsGrid(control);
    if (grid == nullptr)
        return;
    const int rows = grid->GetValueRowCount();
    if (rows == 0)
        FailField(x.pDX, b, control, kIdsCannotBeBlank);
    CDoublePairList values(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        auto& [first, second] = values[static_cast<std::size_t>(row)];
        if (!grid->GetRowValues(row + 1, &first, pairs ? &second : nullptr))
            FailField(x.pDX, b, control, kIdsEnterNumber);
        ConvertToSI(b.quantity1, x.system, first, &first);
        if (pairs)
            ConvertToSI(b.quantity2, x.system, second, &second);
        if (pass == 0 && (!b.range1.Contains(first) || (pairs && !b.range2.Contains(second))))
            FailField(x.pDX, b, control, kIdsOutOfRange);
    }
    if (pass != 1)
        return;
    if (pairs) {
        b.Var<CDoublePairList>() = std::move(values);
        return;
    }
    auto& list = b.Var<std::vector<double>>();
    list.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        list[i] = values[i].first;
}

// Numbers typed into an edit (blank, comma or semicolon apart) or one grid column.
class CListKind final : public CBindingKind {
public:
    std::string Format(const CBinding& b) const override { return JoinNumbers(b.Var<std::vector<double>>()); }
    void Parse(CBinding& b, const std::string& value) const override
    {
        auto& list = b.Var<std::vector<double>>();
        list.clear();
        ForEachNumber(value.substr(0, kListTextLimit), " ,;", [&](double number) { list.push_back(number); });
    }
    void Check(const CBinding&, const CValueRange& range, const CValueRange&, const std::string& value,
               SValueReading& reading) const override
    {
        if (value.find_first_not_of(" ,;") == std::string::npos)
            return AddProblem(reading, SValueProblem::kEmpty, value);
        int item = 0;
        int whole = -1; // items read whole before the cut
        ForEachPiece(value, " ,;", [&](const std::string& piece, std::size_t end) {
            if (end > kListTextLimit && whole < 0)
                whole = item;
            CheckNumber(piece, range, item++, 0, reading);
        });
        if (whole >= 0)
            AddProblem(reading, SValueProblem::kListCut, value.substr(0, kListTextLimit), whole);
    }
    bool ShowsRange() const override { return true; }
    void Show(const CBindingExchange& x, CBinding& b, CWnd* control) const override
    {
        const auto& list = b.Var<std::vector<double>>();
        if (BindingControls::IsEdit(control)) {
            std::string text;
            for (double value : list) {
                if (!text.empty())
                    text += ' ';
                text += BindingText::FormatG(FromSI(b.quantity1, x.system, value));
            }
            BindingControls::SetTextIfChanged(control, text);
        } else if (CValueGrid* grid = BindingControls::AsGrid(control)) {
            grid->ClearValueRows();
            for (double value : list)
                grid->AppendValueRow(FromSI(b.quantity1, x.system, value));
        }
    }
    void Read(const CBindingExchange& x, CBinding& b, CWnd* control, int pass) const override
    {
        if (!BindingControls::IsEdit(control)) {
            ReadGrid(x, b, control, pass, false);
            return;
        }
        // Checked and stored in both passes: the edit's text is the list.
        const std::string text = control->GetWindowText();
        if (text.empty())
            FailField(x.pDX, b, control, kIdsCannotBeBlank);
        std::vector<double> list;
        std::size_t pos = 0;
        while ((pos = text.find_first_not_of(" ,;", pos)) != std::string::npos) {
            const std::size_t end = std::min(text.find_first_of(" ,;", pos), text.size());
            double value = std::strtod(text.substr(pos, end - pos).c_str(), nullptr);
            ConvertToSI(b.quantity1, x.system, value, &value);
            if (!b.range1.Contains(value))
                FailField(x.pDX, b, control, kIdsOutOfRange);
            list.push_back(value);
            pos = end;
        }
        b.Var<std::vector<double>>() = std::move(list);
    }
};

// Pairs of numbers in a two-column grid; a file holds them two by two.
class CPairsKind final : public CBindingKind {
public:
    std::string Format(const CBinding& b) const override
    {
        std::string text;
        for (const auto& [first, second] : b.Var<CDoublePairList>()) {
            if (!text.empty())
                text += kItemSeparator;
            text += BindingText::FormatG(first);
            text += ' ';
            text += BindingText::FormatG(second);
        }
        return text;
    }
    void Parse(CBinding& b, const std::string& value) const override
    {
        auto& list = b.Var<CDoublePairList>();
        list.clear();
        bool haveFirst = false;
        ForEachNumber(value, " \t\n", [&](double number) {
            if (haveFirst)
                list.back().second = number;
            else
                list.emplace_back(number, 0.0);
            haveFirst = !haveFirst;
        });
    }
    void Check(const CBinding&, const CValueRange& range1, const CValueRange& range2, const std::string& value,
               SValueReading& reading) const override
    {
        if (value.find_first_not_of(" \t\n") == std::string::npos)
            return AddProblem(reading, SValueProblem::kEmpty, value);
        int count = 0;
        ForEachPiece(value, " \t\n", [&](const std::string& piece, std::size_t) {
            CheckNumber(piece, count % 2 ? range2 : range1, count / 2, count % 2, reading);
            ++count;
        });
        if (count % 2)
            AddProblem(reading, SValueProblem::kMissingSecond, std::string(), count / 2, 1);
    }
    void Show(const CBindingExchange& x, CBinding& b, CWnd* control) const override
    {
        CValueGrid* grid = BindingControls::AsGrid(control);
        if (grid == nullptr)
            return;
        grid->ClearValueRows();
        for (const auto& [first, second] : b.Var<CDoublePairList>())
            grid->AppendValueRow(FromSI(b.quantity1, x.system, first), FromSI(b.quantity2, x.system, second));
    }
    void Read(const CBindingExchange& x, CBinding& b, CWnd* control, int pass) const override
    {
        ReadGrid(x, b, control, pass, true);
    }
};

} // namespace

void CBindingKind::Store(const CBinding& binding, MKeywordFile& file) const
{
    file.SetValue(binding.keyword, Format(binding));
}

const CBindingKind& GetBindingKind(int type)
{
    // In BindingType order, which is also the order of BindingVariable.
    static const CTextKind text;
    static const CWholeKind whole;
    static const CRealKind real;
    static const CSwitchKind onOff;
    static const CChoiceKind choice;
    static const CListKind list;
    static const CPairsKind pairs;
    static const CBindingKind* const kinds[] = {&text, &whole, &real, &onOff, &choice, &list, &pairs};
    static_assert(std::size(kinds) == std::variant_size_v<BindingVariable>);
    assert(type >= 0 && type < static_cast<int>(std::size(kinds)) && "binding of unknown type");
    return *kinds[type];
}

namespace BindingText {

std::string FormatG(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace BindingText

namespace BindingControls {

bool IsEdit(const CWnd* control) { return control->GetKind() == WndKind::Edit; }

CValueGrid* AsGrid(CWnd* control) { return dynamic_cast<CValueGrid*>(control); }

bool IsTwoStateCheckBox(const CWnd* control)
{
    const auto* button = dynamic_cast<const CButton*>(control);
    if (button == nullptr)
        return false;
    const UINT type = button->ButtonType();
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

void SetTextIfChanged(CWnd* control, const std::string& text)
{
    if (control->GetWindowText() != text)
        control->SetWindowText(text);
}

} // namespace BindingControls
