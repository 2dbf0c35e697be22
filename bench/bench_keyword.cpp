// Keyword file Load and Write on generated decks of 5 MB and 50 MB (about a
// million keywords, some long continued lists), against the same bytes parsed
// by libinih, scanned line by line with memchr, and written with one fwrite.
// The ratios printed at the end are what to watch: Load no slower than inih
// and within 4x of the line scan, time linear in size, Write within 3x of the
// plain write. They are printed twice: by wall time, and by the CPU time of
// the process, which on a machine shared with other work moves much less
// (wall time then also counts the time spent waiting for a core).
#include "keyword/KeywordFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

#ifdef WIZ_HAVE_INIH
#include <ini.h>
#endif

namespace {

struct Deck {
    std::string bytes; // as on disk (CR LF)
    std::string path;  // the same bytes in a file
    std::string outPath;
};

// A flow deck scaled up: realistic keyword names and values, and every 500th
// keyword a continued list of 100 "time value" pairs.
std::string Generate(std::size_t targetBytes)
{
    static const char* const kPrefixes[] = {"3DFLOW_", "MOLD3D_", "3DCOOL_", "3DSTRUCT_"};
    static const char* const kNames[] = {"MELT_TEMPERATURE", "MOLD_TEMPERATURE", "INJECTION_TIME",
                                         "PACK_PRESSURE_PROFILE", "VELOCITY_PRESSURE_SWITCH_OVER",
                                         "COOLING_TIME", "CLAMP_FORCE_LIMIT", "ANALYSIS_TYPE"};
    std::string out;
    out.reserve(targetBytes + 4096);
    char line[160];
    for (unsigned i = 0; out.size() < targetBytes; ++i) {
        if (i % 4096 == 0) {
            std::snprintf(line, sizeof line, "# block %u\r\n", i / 4096);
            out += line;
        }
        const char* prefix = kPrefixes[i % 4];
        const char* name = kNames[(i / 4) % 8];
        if (i % 500 == 499) {
            std::snprintf(line, sizeof line, "%s%s_LIST_%u: 0 0 \\\r\n", prefix, name, i);
            out += line;
            for (int k = 1; k < 100; ++k) {
                std::snprintf(line, sizeof line, "  %g %g%s\r\n", k * 0.25, 1e6 + k * 1250.5, k < 99 ? " \\" : "");
                out += line;
            }
        } else if (i % 7 == 0) {
            std::snprintf(line, sizeof line, "%s%s_%u: %s\r\n", prefix, name, i, i % 3 ? "AUTOMATIC" : "ON");
            out += line;
        } else {
            std::snprintf(line, sizeof line, "%s%s_%u: %G\r\n", prefix, name, i, (i % 977) * 1.37e-3 + 200);
            out += line;
        }
    }
    return out;
}

Deck& GetDeck(std::size_t megabytes)
{
    static std::map<std::size_t, Deck> decks;
    Deck& d = decks[megabytes];
    if (d.bytes.empty()) {
        d.bytes = Generate(megabytes << 20);
        const char* tmp = std::getenv("TMPDIR");
        const std::string dir = tmp && *tmp ? tmp : "/tmp";
        d.path = dir + "/bench_keyword_" + std::to_string(::getpid()) + "_" + std::to_string(megabytes) + ".kwd";
        d.outPath = d.path + ".out";
        std::ofstream(d.path, std::ios::binary) << d.bytes;
        // One untimed load first: the first big allocations of a process
        // take memory the system may never have handed out before, which on
        // a virtual machine cost several times a normal load, and turned the
        // 50 MB figure into that one slow run whenever it took over half a second.
        MKeywordFile warm;
        if (!warm.Load(d.path))
            std::abort();
    }
    return d;
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void SetBytes(benchmark::State& state, const Deck& d)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes.size()));
}

void BM_KeywordLoad(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    std::size_t count = 0;
    for (auto _ : state) {
        MKeywordFile f;
        if (!f.Load(d.path))
            state.SkipWithError("load failed");
        count = f.GetKeywordCount();
        benchmark::DoNotOptimize(count);
    }
    state.counters["keywords"] = static_cast<double>(count);
    SetBytes(state, d);
}
BENCHMARK(BM_KeywordLoad)->Apply(Sizes);

// Parsing alone, from the bytes in memory.
void BM_KeywordMergeText(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        MKeywordFile f;
        f.MergeText(d.bytes);
        benchmark::DoNotOptimize(f.GetKeywordCount());
    }
    SetBytes(state, d);
}
BENCHMARK(BM_KeywordMergeText)->Apply(Sizes);

#ifdef WIZ_HAVE_INIH
int CountPair(void* user, const char*, const char*, const char*)
{
    ++*static_cast<std::size_t*>(user);
    return 1;
}

void BM_InihParseString(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    std::size_t pairs = 0;
    for (auto _ : state) {
        pairs = 0;
        ini_parse_string(d.bytes.c_str(), CountPair, &pairs);
        benchmark::DoNotOptimize(pairs);
    }
    state.counters["pairs"] = static_cast<double>(pairs);
    SetBytes(state, d);
}
BENCHMARK(BM_InihParseString)->Apply(Sizes);

// inih reading the file itself, as Load does.
void BM_InihParseFile(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t pairs = 0;
        ini_parse(d.path.c_str(), CountPair, &pairs);
        benchmark::DoNotOptimize(pairs);
    }
    SetBytes(state, d);
}
BENCHMARK(BM_InihParseFile)->Apply(Sizes);
#endif

std::size_t ScanLines(const std::string& bytes)
{
    std::size_t lines = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        ++lines;
        p = nl ? nl + 1 : end;
    }
    return lines;
}

void BM_MemchrLineScan(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanLines(d.bytes));
    SetBytes(state, d);
}
BENCHMARK(BM_MemchrLineScan)->Apply(Sizes);

// The line scan with the file read first, the fair partner of Load.
void BM_ReadFileAndLineScan(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string bytes;
        FILE* f = std::fopen(d.path.c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        bytes.resize(static_cast<std::size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size())
            state.SkipWithError("short read");
        std::fclose(f);
        benchmark::DoNotOptimize(ScanLines(bytes));
    }
    SetBytes(state, d);
}
BENCHMARK(BM_ReadFileAndLineScan)->Apply(Sizes);

void BM_KeywordWrite(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    MKeywordFile f;
    if (!f.Load(d.path))
        state.SkipWithError("load failed");
    for (auto _ : state)
        if (!f.Write(d.outPath))
            state.SkipWithError("write failed");
    SetBytes(state, d);
}
BENCHMARK(BM_KeywordWrite)->Apply(Sizes);

// One buffered write of what Write produces.
void BM_PlainWrite(benchmark::State& state)
{
    Deck& d = GetDeck(static_cast<std::size_t>(state.range(0)));
    MKeywordFile f;
    if (!f.Load(d.path) || !f.Write(d.outPath))
        state.SkipWithError("load or write failed");
    std::ifstream in(d.outPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string bytes = ss.str();
    for (auto _ : state) {
        FILE* out = std::fopen(d.outPath.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    SetBytes(state, d);
}
BENCHMARK(BM_PlainWrite)->Apply(Sizes);

// Keeps every run's real and CPU time per iteration, for the ratio tables.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_real[run.benchmark_name()] = run.GetAdjustedRealTime();
                m_cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
    double Get(const std::string& name, int mb, bool cpu) const
    {
        const auto& times = cpu ? m_cpu : m_real;
        auto it = times.find(name + "/" + std::to_string(mb) + "/real_time");
        return it == times.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_real, m_cpu;
};

void Ratio(const RatioReporter& r, const char* label, const char* a, const char* b, int mb, bool cpu)
{
    const double x = r.Get(a, mb, cpu), y = r.Get(b, mb, cpu);
    if (x > 0 && y > 0)
        std::printf("  %-44s %6.2f  (%.1f ms / %.1f ms)\n", label, x / y, x, y);
}

void PrintRatios(const RatioReporter& reporter, bool cpu)
{
    const char* clock = cpu ? "CPU time" : "wall time";
    for (int mb : {5, 50}) {
        std::printf("\nratios at %d MB by %s (lower is better for the first name):\n", mb, clock);
        Ratio(reporter, "Load / inih ini_parse (file)", "BM_KeywordLoad", "BM_InihParseFile", mb, cpu);
        Ratio(reporter, "MergeText / inih ini_parse_string", "BM_KeywordMergeText", "BM_InihParseString", mb, cpu);
        Ratio(reporter, "Load / read file + memchr line scan", "BM_KeywordLoad", "BM_ReadFileAndLineScan", mb, cpu);
        Ratio(reporter, "MergeText / memchr line scan", "BM_KeywordMergeText", "BM_MemchrLineScan", mb, cpu);
        Ratio(reporter, "Write / one fwrite of the same bytes", "BM_KeywordWrite", "BM_PlainWrite", mb, cpu);
    }
    std::printf("\nlinearity by %s (50 MB time / 5 MB time; 10 is linear):\n", clock);
    for (const char* name : {"BM_KeywordLoad", "BM_KeywordMergeText", "BM_KeywordWrite"}) {
        const double t5 = reporter.Get(name, 5, cpu), t50 = reporter.Get(name, 50, cpu);
        if (t5 > 0)
            std::printf("  %-44s %6.2f\n", name, t50 / t5);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter, false);
    PrintRatios(reporter, true);
    for (std::size_t mb : {5u, 50u}) {
        Deck& d = GetDeck(mb);
        std::remove(d.path.c_str());
        std::remove(d.outPath.c_str());
    }
    benchmark::Shutdown();
    return 0;
}
