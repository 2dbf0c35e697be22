// The page data exchange of the keyword bindings on a page of 200 bound
// number fields with range captions: showing the page and reading it back,
// against the same work written out by hand on the controls (pointers held,
// no table, ranges parsed once), as a page without bindings would do it.
#include "keyword/KeywordBindings.h"
#include "keyword/ValueRange.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/agents/UiLog.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kFields = 200;
constexpr int kFirstId = 1000;
constexpr UnitQuantity kQuantity = 0; // length: mm on the page, m in the file

std::string Keyword(int i) { return "BENCH_FIELD_" + std::to_string(i); }

CDialogTemplate PageTemplate()
{
    CDialogTemplate page;
    page.id = 39990;
    page.style = WS_CHILD | WS_VISIBLE;
    page.font.pointSize = 8;
    page.rect = {0, 0, 400, 14 * kFields};
    for (int i = 0; i < kFields; ++i) {
        CDlgItemTemplate caption;
        caption.id = kFirstId + 2 * i;
        caption.itemClass = DlgItemClass::kStatic;
        caption.className = "Static";
        caption.text = "Field &" + std::to_string(i) + ":";
        caption.style = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP;
        caption.rect = {7, 14 * i + 2, 100, 8};
        CDlgItemTemplate edit;
        edit.id = kFirstId + 2 * i + 1;
        edit.itemClass = DlgItemClass::kEdit;
        edit.className = "Edit";
        edit.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
        edit.rect = {110, 14 * i, 60, 12};
        page.items.push_back(caption);
        page.items.push_back(edit);
    }
    return page;
}

// The page; its exchange is the bindings' or none (the hand-written loop
// below works on the controls directly).
class BenchPage : public CDialog {
public:
    explicit BenchPage(CKeywordBindings* bindings) : m_bindings(bindings) { SetTemplate(PageTemplate()); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_bindings)
            m_bindings->ExchangePage(pDX);
    }

private:
    CKeywordBindings* m_bindings;
};

struct Fixture {
    CWnd frame;
    std::vector<double> values = std::vector<double>(kFields);

    Fixture() { frame.CreateWnd(WndKind::Window, "", WS_VISIBLE, CRect(0, 0, 1000, 4000), nullptr, 0); }
    // Alternating values, so that every show really changes every edit.
    void Vary(int round)
    {
        for (int i = 0; i < kFields; ++i)
            values[i] = 0.001 * (i % 9 + 1) + (round & 1) * 0.0001;
    }
};

void BM_ExchangePage(benchmark::State& state)
{
    Fixture fx;
    CKeywordBindings bindings;
    BenchPage page(&bindings);
    bindings.SetCurrentPage(&page);
    for (int i = 0; i < kFields; ++i) {
        bindings.Bind(Keyword(i), kFirstId + 2 * i + 1, kFirstId + 2 * i, kBindDouble, &fx.values[i], kQuantity);
        bindings.SetRangeText(Keyword(i) + "_RANGE", "(0:0.1]");
    }
    // The fields come from a keyword file, as a wizard's do, so they are present and shown.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench_bindings_" + std::to_string(getpid()) + ".kw")).string();
    {
        MKeywordFile file;
        for (int i = 0; i < kFields; ++i)
            file.SetDouble(Keyword(i), 0.001);
        if (!file.Write(path))
            std::abort();
    }
    if (!bindings.LoadValues(path))
        std::abort();
    std::filesystem::remove(path);
    fx.Vary(0);
    page.CreateChild(&fx.frame);
    int round = 0;
    for (auto _ : state) {
        fx.Vary(++round);
        if (!page.UpdateData(FALSE) || !page.UpdateData(TRUE))
            state.SkipWithError(GetUiLog().empty() ? "exchange failed" : GetUiLog().back().text.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kFields);
}
BENCHMARK(BM_ExchangePage)->Unit(benchmark::kMicrosecond);

void BM_DirectCalls(benchmark::State& state)
{
    Fixture fx;
    BenchPage page(nullptr);
    page.CreateChild(&fx.frame);
    const UnitSystem system = GetUnitSystem();
    std::vector<CWnd*> captions(kFields), edits(kFields);
    std::vector<std::size_t> captionLength(kFields);
    std::vector<CValueRange> ranges(kFields);
    for (int i = 0; i < kFields; ++i) {
        captions[i] = page.GetDlgItem(kFirstId + 2 * i);
        edits[i] = page.GetDlgItem(kFirstId + 2 * i + 1);
        captionLength[i] = captions[i]->GetWindowText().size();
        ranges[i] = CValueRange::Parse("(0:0.1]");
    }
    int round = 0;
    char buffer[64];
    for (auto _ : state) {
        fx.Vary(++round);
        for (int i = 0; i < kFields; ++i) {
            std::string caption = captions[i]->GetWindowText().substr(0, captionLength[i]);
            caption += "   ";
            caption += GetRangeCaption(ranges[i], kQuantity, system);
            if (captions[i]->GetWindowText() != caption) {
                captions[i]->SetWindowText(caption);
                const CSize extent = captions[i]->GetFont()->GetTextExtent(caption);
                CRect rect;
                captions[i]->GetWindowRect(&rect);
                captions[i]->MoveWindow(rect.left, rect.top, extent.cx + 4, extent.cy + 4);
            }
            double shown = 0;
            ConvertFromSI(kQuantity, system, fx.values[i], &shown);
            std::snprintf(buffer, sizeof buffer, "%g", shown);
            if (edits[i]->GetWindowText() != buffer)
                edits[i]->SetWindowText(buffer);
        }
        for (int i = 0; i < kFields; ++i) {
            const std::string text = edits[i]->GetWindowText();
            char* end = nullptr;
            double value = std::strtod(text.c_str(), &end);
            ConvertToSI(kQuantity, system, value, &value);
            if (end == text.c_str() || !ranges[i].Contains(value))
                state.SkipWithError("read-back failed");
            fx.values[i] = value;
        }
    }
    state.SetItemsProcessed(state.iterations() * kFields);
}
BENCHMARK(BM_DirectCalls)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        if (double r = reporter.Ratio("BM_ExchangePage", "BM_DirectCalls"); r > 0)
            std::printf("ExchangePage / direct calls, 200 fields shown and read back: %.2fx (goal: within 3x)\n", r);
    });
}
