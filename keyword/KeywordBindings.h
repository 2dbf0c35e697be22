#pragma once
// CKeywordBindings: the table that ties each keyword of a wizard (or dialog)
// to the member variable holding its value in SI units, the control that shows
// it, a companion control (its caption or a check box governing it), a value
// type and the unit quantities used to show it. Pages register their keywords
// once; the table then loads and saves keyword files and does the page data
// exchange with validation against the ranges of its range store.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "keyword/ChoiceField.h"
#include "keyword/KeywordFile.h"
#include "keyword/ValueRange.h"
#include "platform/system/Result.h"
#include "platform/window/WinDef.h"
#include "units/Units.h"

class CWnd;
class CDataExchange;

// The value types; the number is what Bind receives.
enum BindingType {
    kBindText = 0,   // std::string, an edit's text
    kBindWhole = 1,  // int, "%d"
    kBindDouble = 2, // double in SI, shown in display units
    kBindSwitch = 3, // bool, "ON"/"OFF", a check box
    kBindChoice = 4, // CChoiceField, a combo box or radio group
    kBindList = 5,   // list of doubles, an edit or a one-column grid
    kBindPairs = 6,  // list of pairs of doubles, a two-column grid
};

using CDoublePairList = std::vector<std::pair<double, double>>;

// Where a bound value lives. The alternative's position is its BindingType.
using BindingVariable = std::variant<std::string*, int*, double*, bool*, CChoiceField*,
                                     std::vector<double>*, CDoublePairList*>;

// What a binding does beyond its kind.
enum BindingFlag : unsigned {
    kBindNoFlags = 0,
    // The variable's value when bound is the page's default: the field is
    // present (shown and saved) though no file gives it. Not for a field a
    // check box governs: that one follows its keyword's presence.
    kBindPageDefault = 1u << 0,
    // Both values of a pair take the second range (a pressure at a node).
    kBindPairSharesSecondRange = 1u << 1,
};

// A member of `Owner` a binding row ties to its keyword; the kind of value
// follows from the member's type.
template <class Owner>
using BindingMember = std::variant<std::string Owner::*, int Owner::*, double Owner::*, bool Owner::*,
                                   CChoiceField Owner::*, std::vector<double> Owner::*, CDoublePairList Owner::*>;

// One row of a page's binding table. The rows of a page are registered in
// table order; a row whose `applies` says no for the owner is left out.
template <class Owner> struct CBindingRow {
    const char* keyword = "";
    int control = -1;   // -1: no control, always present
    int companion = -1; // caption, radio or check box; -1: none
    BindingMember<Owner> member;
    UnitQuantity quantity = kQuantityDimensionless;
    UnitQuantity quantity2 = kQuantityDimensionless;
    unsigned flags = kBindNoFlags;
    bool (*applies)(const Owner&) = nullptr;
};

// One binding seen from outside the table, for tools that read keyword files
// as a wizard would. The views stay valid while the table and its variables do.
struct SBindingView {
    std::string_view keyword;
    int type = kBindText;
    int controlId = -1;
    int companionId = -1;
    CWnd* page = nullptr; // null for a keyword without a control
    UnitQuantity quantity1 = kQuantityDimensionless;
    UnitQuantity quantity2 = kQuantityDimensionless;
    // The ranges the page would check against now (from the range store).
    CValueRange range1;
    CValueRange range2;
    // The tokens of a choice field; empty for other kinds.
    std::span<const std::string> tokens;
};

// What is wrong with one value of a keyword file, as its binding reads it.
struct SValueProblem {
    enum Kind {
        kEmpty,         // no value at all
        kNotNumber,     // a number was wanted
        kNotWhole,      // a whole number was wanted
        kOutOfRange,    // a number outside its column's range
        kUnknownToken,  // a choice none of whose tokens matches
        kNotSwitch,     // neither ON nor OFF
        kMissingSecond, // a pair without its second number
        kListCut,       // a list longer than the part the wizard reads
    };
    Kind kind = kEmpty;
    int item = -1;     // list item or pair, from 0; -1 for a single value
    int column = 0;    // 0 or 1: which value of a pair
    std::string text;  // the piece as written
    double value = 0;  // kOutOfRange: the number, in SI
};

// A keyword file's value read by its binding's kind.
struct SValueReading {
    std::vector<SValueProblem> problems;
    // The numbers read, in SI: a single number, a list's items, or a list of
    // pairs first and second in turn. Empty for text, switches and choices.
    std::vector<double> numbers;
};

class CKeywordBindings {
public:
    // Takes the unit system from GetUnitSystem() once, here.
    CKeywordBindings();
    ~CKeywordBindings();
    CKeywordBindings(const CKeywordBindings&) = delete;
    CKeywordBindings& operator=(const CKeywordBindings&) = delete;

    // Later Bind calls attach their keywords to `page` (a property page or dialog).
    void SetCurrentPage(CWnd* page) { m_currentPage = page; }
    CWnd* GetCurrentPage() const { return m_currentPage; }

    // Registers `keyword`. False, and nothing registered, when a control is
    // named but no current page is set. A keyword bound again keeps its
    // ranges and label; everything else is replaced. A keyword without a
    // control (controlId -1) is present from the start, so it is always saved.
    // `type` must match the variable's kind.
    bool Bind(std::string_view keyword, int controlId, int companionId, int type,
              BindingVariable variable, UnitQuantity quantity1 = kQuantityDimensionless,
              UnitQuantity quantity2 = kQuantityDimensionless, unsigned flags = kBindNoFlags);
    // Registers the rows of a table, in order, for the members of `owner`,
    // on the current page.
    template <class Owner> void BindRows(Owner& owner, std::span<const CBindingRow<Owner>> rows)
    {
        for (const CBindingRow<Owner>& row : rows) {
            if (row.applies && !row.applies(owner))
                continue;
            const BindingVariable variable =
                std::visit([&](auto member) -> BindingVariable { return &(owner.*member); }, row.member);
            Bind(row.keyword, row.control, row.companion, static_cast<int>(variable.index()), variable,
                 row.quantity, row.quantity2, row.flags);
        }
    }
    template <class Owner, std::size_t N> void BindRows(Owner& owner, const CBindingRow<Owner> (&rows)[N])
    {
        BindRows(owner, std::span<const CBindingRow<Owner>>(rows));
    }
    // Moves a bound keyword to another page; false when it is not bound.
    bool SetBindingPage(std::string_view keyword, CWnd* page);

    // Merges a range file into the range store (the last file merged wins).
    // An absent file adds nothing; one that exists and cannot be read fails.
    CResult MergeRanges(const std::string& path);
    // Sets a range keyword (with its "_RANGE" or "_RANGE2" suffix) in the store.
    void SetRangeText(std::string_view rangeKeyword, std::string_view text);
    // The range held under keyword + "_RANGE" (GetRange2: "_RANGE2"); the
    // empty range, which admits everything, when the store lacks it.
    void GetRange(std::string_view keyword, CValueRange& range) const;
    void GetRange2(std::string_view keyword, CValueRange& range) const;

    // Sets every bound variable whose keyword the file holds, and marks it
    // present. Bindings the file lacks keep their value and flag. An absent
    // file changes nothing (a new analysis has no file yet); one that exists
    // and cannot be read fails and changes nothing.
    CResult LoadValues(const std::string& path);
    // Rewrites the file at `path`: present bindings are set to their value,
    // the others removed; keywords that are not bound stay as they were.
    // Fails, with the cause, when the file exists and cannot be read (its
    // other keywords would be lost) or cannot be written.
    CResult SaveValues(const std::string& path, wizsys::Durability durability = wizsys::Durability::kFlushed);

    // The data exchange of one page (pDX names the page and the direction).
    // Showing fills the page's bound controls and decorates their captions;
    // reading back validates every field, then stores them. A failing field
    // shows its message and fails the exchange through pDX.
    void ExchangePage(CDataExchange* pDX);
    // For a page's command handler: a click on a check box that governs a
    // field enables the field's control exactly when the box is now checked.
    void OnCompanionClicked(int commandId, int notifyCode, CWnd* control);
    // The same, straight from a command message (LOWORD id, HIWORD code, lParam the control).
    void OnCompanionClicked(WPARAM wParam, LPARAM lParam);

    // Queries for the owners of the table.
    bool IsBound(std::string_view keyword) const;
    // Whether the keyword will be written on save; false when not bound.
    bool IsPresent(std::string_view keyword) const;
    // The field's name in messages ("" until its page was first shown).
    std::string GetLabel(std::string_view keyword) const;
    UnitSystem GetUnitSystem() const { return m_unitSystem; }
    const MKeywordFile& GetRangeStore() const { return m_rangeStore; }
    std::size_t GetBindingCount() const;
    // Where each keyword is shown, in registration order.
    struct SBindingPlace {
        std::string keyword;
        int controlId;
        int companionId;
        CWnd* page;
    };
    std::vector<SBindingPlace> ListBindings() const;

    // The text a bound value has in a keyword file (what SaveValues writes).
    std::string FormatValue(std::string_view keyword) const;

    // Every binding, in registration order.
    void ForEachBinding(const std::function<void(const SBindingView&)>& visit) const;
    // The binding of `keyword`; empty when it is not bound.
    std::optional<SBindingView> FindBinding(std::string_view keyword) const;
    // Reads `value`, as a keyword file holds it, by the kind of the keyword's
    // binding and checks it against the binding's current ranges, leaving the
    // bound variable alone. False when the keyword is not bound.
    bool CheckValue(std::string_view keyword, const std::string& value, SValueReading& reading) const;
    // The name a field with this companion caption has in messages: the
    // caption without its mnemonic and colon, or "Value" (string 13255) for a
    // caption that is empty, long, or asks to specify something.
    static std::string LabelOfCaption(std::string caption, bool noPrefix);

    struct CBinding; // one record; defined with the implementation

private:
    struct CPageIndex;
    const CBinding* Find(std::string_view keyword) const;
    CBinding* Find(std::string_view keyword);
    // The index entry that holds `keyword`, or the empty one where it would go.
    std::size_t Locate(std::string_view keyword) const;
    void GrowIndex();
    // A copy of `text` that lives as long as the table.
    std::string_view KeepKeyword(std::string_view text);
    void RefreshRanges(CBinding& binding) const;
    // The ranges RefreshRanges would give the binding, without giving them.
    void CurrentRanges(const CBinding& binding, CValueRange& range1, CValueRange& range2) const;
    SBindingView ViewOf(const CBinding& binding) const;
    void PrepareCaptions(CBinding& binding, CWnd* control, const CPageIndex& page) const;
    void ShowField(CBinding& binding, CWnd* control, const CPageIndex& page);
    void ReadField(CBinding& binding, CWnd* control, int pass, const CPageIndex& page, CDataExchange* pDX);

    // The records in registration order, in blocks of 64 that never move: a
    // record's address stays valid as others are bound, and growing the
    // table copies nothing. Defined with the record (BindingRecord.h).
    class CRecords {
    public:
        CRecords() = default;
        ~CRecords();
        CRecords(const CRecords&) = delete;
        CRecords& operator=(const CRecords&) = delete;
        std::size_t size() const { return m_size; }
        CBinding& operator[](std::size_t i);
        const CBinding& operator[](std::size_t i) const;
        CBinding& emplace_back();
        template <class Records, class Record> struct Iterator {
            Records* records;
            std::size_t i;
            Record& operator*() const { return (*records)[i]; }
            Iterator& operator++() { ++i; return *this; }
            bool operator!=(const Iterator& other) const { return i != other.i; }
        };
        Iterator<CRecords, CBinding> begin() { return {this, 0}; }
        Iterator<CRecords, CBinding> end() { return {this, m_size}; }
        Iterator<const CRecords, const CBinding> begin() const { return {this, 0}; }
        Iterator<const CRecords, const CBinding> end() const { return {this, m_size}; }

    private:
        static constexpr std::size_t kShift = 6, kBlock = std::size_t{1} << kShift;
        std::vector<CBinding*> m_blocks; // storage for kBlock records each
        std::size_t m_size = 0;
    };

    // A wizard registers a hundred keywords and more every time it is built,
    // so the records sit in blocks, their keywords in a few shared blocks,
    // and the index is open addressing over positions: building the table
    // costs a handful of allocations, not several per keyword.
    CRecords m_bindings;
    std::vector<std::uint32_t> m_index; // position + 1, 0 empty; a power of two, at most half full
    std::vector<std::unique_ptr<char[]>> m_keywordBlocks;
    char* m_keywordNext = nullptr; // the free end of the last block
    std::size_t m_keywordRoom = 0;
    CWnd* m_currentPage = nullptr;
    MKeywordFile m_rangeStore;
    UnitSystem m_unitSystem;
};
