// The page side of the keyword bindings: showing bound values in a page's
// controls with their range captions, and reading them back with validation.
#include <algorithm>
#include <cassert>
#include <cctype>

#include "keyword/KeywordBindings.h"
#include "keyword/KeywordBindingsKinds.h"
#include "keyword/ValueGrid.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ListBoxes.h"
#include "platform/resources/Resources.h"

namespace {

using namespace BindingControls;

constexpr UINT kIdsValueLabel = 13255;

// The dialog manager lists at most this many children for an exchange.
constexpr std::size_t kMaxChildren = 256;
constexpr std::size_t kMaxCaption = 256;
// Longer captions are sentences, not names, and make poor labels in messages.
constexpr std::size_t kMaxLabelCaption = 32;
constexpr const char* kCaptionGap = "   ";
constexpr int kCaptionMargin = 4;

bool ContainsNoCase(const std::string& text, const char* word)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find(word) != std::string::npos;
}

// The caption as a name: without its mnemonic "&", its trailing colon and its leading blanks.
std::string CleanLabel(std::string text, bool noPrefix)
{
    if (!noPrefix) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '&')
                continue;
            if (i + 1 < text.size() && text[i + 1] == '&') {
                ++i; // "&&" shows a literal "&"
                continue;
            }
            text.erase(i, 1);
            break;
        }
    }
    const std::size_t last = text.find_last_not_of(' ');
    if (last != std::string::npos && text[last] == ':')
        text.erase(last);
    const std::size_t first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    return text;
}

void ResizeToText(CWnd* companion, const std::string& text)
{
    if (companion->GetKind() != WndKind::Static)
        return;
    const DWORD kind = companion->GetStyle() & SS_TYPEMASK;
    if (kind != SS_SIMPLE && kind != SS_LEFTNOWORDWRAP)
        return;
    const CSize extent = companion->GetFont()->GetTextExtent(text);
    CRect rect;
    companion->GetWindowRect(&rect);
    companion->MoveWindow(rect.left, rect.top, extent.cx + kCaptionMargin, extent.cy + kCaptionMargin);
}

// Rebuilds a heading from its undecorated start (recorded the first time) and a range caption.
void DecorateHeading(CValueGrid* grid, int column, int& length, const std::string& caption)
{
    std::string heading = grid->GetColumnHeading(column);
    if (length < 0)
        length = static_cast<int>(heading.size());
    heading.resize(std::min(heading.size(), static_cast<std::size_t>(length)));
    if (!heading.empty())
        heading += '\n';
    heading += caption;
    grid->SetColumnHeading(column, heading);
}

} // namespace

// The controls of the page being exchanged, found by id without walking the
// child list for every field.
struct CKeywordBindings::CPageIndex {
    struct CVisit {
        std::size_t position; // in the page's child list
        std::size_t order;    // registration order, for bindings sharing a control
        CBinding* binding;
        CWnd* control;
    };

    CWnd* page = nullptr;
    std::vector<CWnd*> children;                // z-order, at most kMaxChildren
    std::vector<std::pair<int, std::size_t>> ids; // (control id, position), by id
    std::vector<CVisit> visits;                 // tab order
    std::vector<CVisit> byControlId;            // the same, by control id

    // The first child with `id`, as the dialog manager finds it.
    CWnd* FindChild(int id) const
    {
        auto it = std::lower_bound(ids.begin(), ids.end(), id,
                                   [](const auto& entry, int wanted) { return entry.first < wanted; });
        if (it != ids.end() && it->first == id)
            return children[it->second];
        return page->GetDlgItem(id); // past the listed children
    }
    // A switch bound to `controlId` other than `self`, or null.
    const CBinding* FindSwitch(int controlId, const CBinding* self) const
    {
        auto it = std::lower_bound(byControlId.begin(), byControlId.end(), controlId,
                                   [](const CVisit& v, int id) { return v.binding->controlId < id; });
        for (; it != byControlId.end() && it->binding->controlId == controlId; ++it)
            if (it->binding != self && it->binding->type == kBindSwitch)
                return it->binding;
        return nullptr;
    }
};

void CKeywordBindings::ExchangePage(CDataExchange* pDX)
{
    CPageIndex index;
    index.page = pDX->m_pDlgWnd;
    const std::vector<CWnd*>& children = index.page->GetChildren();
    index.children.assign(children.begin(), children.begin() + std::min(children.size(), kMaxChildren));
    index.ids.reserve(index.children.size());
    for (std::size_t i = 0; i < index.children.size(); ++i)
        index.ids.emplace_back(index.children[i]->GetDlgCtrlID(), i);
    // (id, position) pairs are unique, so a plain sort keeps the first child of an id first.
    std::sort(index.ids.begin(), index.ids.end());

    for (CBinding& binding : m_bindings) {
        if (binding.page != index.page || binding.controlId == -1)
            continue;
        auto it = std::lower_bound(index.ids.begin(), index.ids.end(), binding.controlId,
                                   [](const auto& entry, int id) { return entry.first < id; });
        if (it == index.ids.end() || it->first != binding.controlId)
            continue; // the page does not have this control
        index.visits.push_back({it->second, index.visits.size(), &binding, index.children[it->second]});
    }
    // Visiting in tab order makes the first failing field the one reported.
    std::sort(index.visits.begin(), index.visits.end(), [](const auto& a, const auto& b) {
        return a.position != b.position ? a.position < b.position : a.order < b.order;
    });

    if (!pDX->m_bSaveAndValidate) {
        index.byControlId = index.visits;
        std::sort(index.byControlId.begin(), index.byControlId.end(), [](const auto& a, const auto& b) {
            return a.binding->controlId != b.binding->controlId ? a.binding->controlId < b.binding->controlId
                                                                : a.order < b.order;
        });
        for (const auto& visit : index.visits)
            ShowField(*visit.binding, visit.control, index);
        return;
    }
    for (int pass = 0; pass < 2; ++pass)
        for (const auto& visit : index.visits)
            ReadField(*visit.binding, visit.control, pass, index, pDX);
}

void CKeywordBindings::CurrentRanges(const CBinding& binding, CValueRange& range1, CValueRange& range2) const
{
    // A range the store lacks keeps what the field had.
    const std::string rangeKeyword = std::string(binding.keyword) + "_RANGE";
    range1 = m_rangeStore.HasKeyword(rangeKeyword) ? CValueRange::Parse(m_rangeStore.GetValue(rangeKeyword))
                                                   : binding.range1;
    const std::string secondKeyword = rangeKeyword + "2";
    range2 = m_rangeStore.HasKeyword(secondKeyword) ? CValueRange::Parse(m_rangeStore.GetValue(secondKeyword))
                                                    : binding.range2;
    if (binding.flags & kBindPairSharesSecondRange)
        range1 = range2;
}

void CKeywordBindings::RefreshRanges(CBinding& binding) const
{
    CurrentRanges(binding, binding.range1, binding.range2);
}

std::string CKeywordBindings::LabelOfCaption(std::string caption, bool noPrefix)
{
    if (caption.size() > kMaxCaption)
        caption.resize(kMaxCaption);
    if (caption.empty() || caption.size() > kMaxLabelCaption || ContainsNoCase(caption, "specify"))
        return LoadString(kIdsValueLabel);
    return CleanLabel(std::move(caption), noPrefix);
}

void CKeywordBindings::PrepareCaptions(CBinding& binding, CWnd* control, const CPageIndex& page) const
{
    if (binding.companionId == -1) {
        CValueGrid* grid = AsGrid(control);
        if (grid == nullptr)
            return;
        binding.label = LoadString(kIdsValueLabel);
        DecorateHeading(grid, 0, binding.captionLength,
                        GetRangeCaption(binding.range1, binding.quantity1, m_unitSystem));
        if (binding.type == kBindPairs)
            DecorateHeading(grid, 1, binding.headerLength,
                            GetRangeCaption(binding.range2, binding.quantity2, m_unitSystem));
        return;
    }

    CWnd* companion = page.FindChild(binding.companionId);
    if (companion == nullptr)
        return;

    if (binding.captionLength < 0) {
        std::string caption = companion->GetWindowText();
        binding.captionLength = static_cast<int>(std::min(caption.size(), kMaxCaption));
        const bool noPrefix = companion->GetKind() == WndKind::Static && (companion->GetStyle() & SS_NOPREFIX);
        binding.label = LabelOfCaption(std::move(caption), noPrefix);
    }

    if (GetBindingKind(binding.type).ShowsRange()) {
        std::string caption = companion->GetWindowText();
        caption.resize(std::min(caption.size(), static_cast<std::size_t>(binding.captionLength)));
        if (binding.captionLength > 0)
            caption += kCaptionGap;
        caption += GetRangeCaption(binding.range1, binding.quantity1, m_unitSystem);
        SetTextIfChanged(companion, caption);
        ResizeToText(companion, caption);
    }

    if (companion != control && IsTwoStateCheckBox(companion)) {
        const CBinding* governing = page.FindSwitch(binding.companionId, &binding);
        if (governing != nullptr) {
            control->EnableWindow(governing->Var<bool>());
        } else {
            control->EnableWindow(binding.present);
            static_cast<CButton*>(companion)->SetCheck(binding.present ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void CKeywordBindings::ShowField(CBinding& binding, CWnd* control, const CPageIndex& page)
{
    RefreshRanges(binding);
    PrepareCaptions(binding, control, page);

    if (!binding.present && IsEdit(control)) {
        SetTextIfChanged(control, std::string());
        return;
    }

    GetBindingKind(binding.type).Show(CBindingExchange{page.page, m_unitSystem, nullptr}, binding, control);
}

void CKeywordBindings::ReadField(CBinding& binding, CWnd* control, int pass, const CPageIndex& page,
                                 CDataExchange* pDX)
{
    const bool isButton = control->GetKind() == WndKind::Button;
    if (!isButton && (!control->IsWindowEnabled() || !(control->GetStyle() & WS_VISIBLE))) {
        // A field switched off by its check box is dropped from the file;
        // one disabled for other reasons keeps what it had.
        CWnd* companion = binding.companionId != -1 ? page.FindChild(binding.companionId) : nullptr;
        if (companion != nullptr && companion != control && IsTwoStateCheckBox(companion))
            binding.present = false;
        return;
    }

    GetBindingKind(binding.type).Read(CBindingExchange{page.page, m_unitSystem, pDX}, binding, control, pass);
    if (pass == 1)
        binding.present = true;
}

void CKeywordBindings::OnCompanionClicked(int commandId, int notifyCode, CWnd* control)
{
    if (notifyCode != BN_CLICKED || control == nullptr)
        return;
    const auto* box = dynamic_cast<const CButton*>(control);
    if (box == nullptr)
        return;
    CWnd* page = control->GetParent();
    for (const CBinding& binding : m_bindings) {
        if (binding.page != page || binding.companionId != commandId || binding.controlId == commandId)
            continue;
        if (CWnd* governed = page->GetDlgItem(binding.controlId))
            governed->EnableWindow(box->GetCheck() == BST_CHECKED);
        return;
    }
}

void CKeywordBindings::OnCompanionClicked(WPARAM wParam, LPARAM lParam)
{
    OnCompanionClicked(static_cast<int>(LOWORD(wParam)), static_cast<int>(HIWORD(wParam)),
                       reinterpret_cast<CWnd*>(lParam));
}
