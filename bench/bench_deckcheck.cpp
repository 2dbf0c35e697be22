// Checking a deck against its wizard (what `wizhost kw check` does: read the
// deck, build and prepare the wizard that binds it on a scratch project, read
// every bound value by its kind) against listing it (what `wizhost kw list`
// does: read it and print every keyword and value), on decks of 5 and 50 MB.
// What to watch, printed at the end: check within 10x of list at 50 MB, and
// check's time growing with the size as list's does (50 MB over 5 MB near 10).
#include "bench/BenchSupport.h"
#include "keyword/DeckCheck.h"
#include "keyword/KeywordFile.h"
#include "wizard/DeckWizard.h"
#include "wizard/Wizard.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Deck {
    std::string path;
    std::size_t bytes = 0;
};

std::string TempDir()
{
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// Every keyword the flow wizard binds, with the value the wizard itself
// would write, so that the check reads each kind; the wizard is found from a
// seed deck, as the check finds it.
std::string BoundSection()
{
    const std::string seed = TempDir() + "/bench_deckcheck_seed_" + std::to_string(::getpid()) + ".fin";
    std::ofstream(seed) << "3DFLOW_ANALYSIS_AIM: PACKING\nMELT_TEMPERATURE: 240\nINJECTION: TIME\n";
    MKeywordFile deck;
    CDeckWizard wizard;
    if (!deck.Load(seed) || !wizard.Build(seed, deck, {}))
        std::abort();
    std::remove(seed.c_str());
    std::string text;
    const CKeywordBindings& bindings = wizard.GetWizard().GetBindings();
    bindings.ForEachBinding([&](const SBindingView& binding) {
        const std::string value = bindings.FormatValue(binding.keyword);
        if (!value.empty())
            text += std::string(binding.keyword) + ": " + value + "\r\n";
    });
    return text;
}

// The bound section, then keywords of other programs and materials to the
// size wanted, every 500th a continued list of 100 pairs, as big decks are.
std::string Generate(std::size_t targetBytes)
{
    std::string out = BoundSection();
    out.reserve(targetBytes + 4096);
    char line[160];
    for (unsigned i = 0; out.size() < targetBytes; ++i) {
        if (i % 500 == 499) {
            std::snprintf(line, sizeof line, "3DCOOL_RESULT_TABLE_%u: 0 0 \\\r\n", i);
            out += line;
            for (int k = 1; k < 100; ++k) {
                std::snprintf(line, sizeof line, "  %g %g%s\r\n", k * 0.25, 1e6 + k * 1250.5, k < 99 ? " \\" : "");
                out += line;
            }
        } else {
            std::snprintf(line, sizeof line, "MATERIAL_TABLE_ENTRY_%u: %G\r\n", i, (i % 977) * 1.37e-3 + 200);
            out += line;
        }
    }
    return out;
}

// The decks written, removed at the end.
std::vector<std::string>& Made()
{
    static std::vector<std::string> paths;
    return paths;
}

Deck& GetDeck(std::size_t megabytes)
{
    static std::map<std::size_t, Deck> decks;
    Deck& d = decks[megabytes];
    if (d.path.empty()) {
        const std::string bytes = Generate(megabytes << 20);
        d.bytes = bytes.size();
        d.path = TempDir() + "/bench_deckcheck_" + std::to_string(::getpid()) + "_" + std::to_string(megabytes) +
                 ".fin";
        std::ofstream(d.path, std::ios::binary) << bytes;
        Made().push_back(d.path);
        MKeywordFile warm; // the first big allocations of a process cost more
        if (!warm.Load(d.path))
            std::abort();
    }
    return d;
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond); }

void BM_List(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        MKeywordFile f;
        if (!f.Load(d.path))
            state.SkipWithError("load failed");
        for (const std::string& keyword : f.GetKeywords())
            std::fprintf(sink, "%s\t%s\n", keyword.c_str(), f.GetValue(keyword).c_str());
    }
    std::fclose(sink);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}
BENCHMARK(BM_List)->Apply(Sizes);

void BM_Check(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    std::size_t findings = 0, bound = 0;
    for (auto _ : state) {
        MKeywordFile f;
        if (!f.Load(d.path))
            state.SkipWithError("load failed");
        CDeckWizard wizard;
        if (!wizard.Build(d.path, f, {}))
            state.SkipWithError("no wizard");
        findings = CheckDeck(wizard.GetWizard().GetBindings(), f).size();
        if (bound == 0)
            bound = CountBoundKeywords(wizard.GetWizard().GetBindings(), f);
    }
    state.counters["bound"] = static_cast<double>(bound);
    state.counters["findings"] = static_cast<double>(findings);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}
BENCHMARK(BM_Check)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& r) {
        std::printf("\ncheck / list, 50 MB:     %.2f (want at most 10)\n", r.Ratio("BM_Check/50", "BM_List/50"));
        std::printf("check / list, 5 MB:      %.2f\n", r.Ratio("BM_Check/5", "BM_List/5"));
        std::printf("check 50 MB / 5 MB:      %.2f (linear: about 10)\n", r.Ratio("BM_Check/50", "BM_Check/5"));
        std::printf("list 50 MB / 5 MB:       %.2f\n", r.Ratio("BM_List/50", "BM_List/5"));
        for (const std::string& path : Made())
            std::remove(path.c_str());
    });
}
