// Boundary-condition files at the size of a large mold: loading and saving a
// million rows against the cost of just finding the lines, the cooling
// wizard's one SetMoldMaterial per mold element, and the group queries.
#include "cool/BoundaryConditionFile.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <unistd.h>

namespace {

constexpr int kRows = 1000000;

// Hands freed memory back to the system between iterations, so every run
// starts from the same cold heap, as a wizard in a fresh host process does.
// Otherwise a small run reuses its warm pages while a large one pays for
// fresh ones, and the ratio of the two measures the allocator.
void ColdHeap()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / ("bench_bc_" + std::to_string(getpid()) + "_" + name)).string();
}

// A cooling set of a million rows in the form the suite writes: valve-gate
// groups and mold materials per element, circuit settings, CR LF.
const std::string& BigFile()
{
    static const std::string path = [] {
        std::string text = "*MODEL     mold.m3i\r\n\t1\t1\t1\r\n*ELEMENTAL VGGRP\r\n";
        char line[64];
        for (int i = 1; i <= kRows * 4 / 10; ++i)
            text.append(line, std::snprintf(line, sizeof line, "\t%d\t%d\t1\r\n", i, i % 16 + 1));
        text += "*ELEMENTAL MOLDMAT\r\n";
        for (int i = 1; i <= kRows * 4 / 10; ++i)
            text.append(line, std::snprintf(line, sizeof line, "\t%d\t%f\t1\r\n", i, 101.0 + i % 3));
        text += "*ELEMENTAL INLETTMP\r\n";
        for (int i = 1; i <= kRows * 2 / 10; ++i)
            text.append(line, std::snprintf(line, sizeof line, "\t%d\t%f\t1\r\n", i, 20.0 + (i % 50) * 0.5));
        const std::string p = TempPath("big.bc3");
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        return p;
    }();
    return path;
}

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

// The floor: read the bytes and find every line end, nothing more.
void BM_MemchrLineScan(benchmark::State& state)
{
    const std::string& path = BigFile();
    for (auto _ : state) {
        std::string bytes = ReadAll(path);
        std::size_t lines = 0;
        for (const char* p = bytes.data(), *end = p + bytes.size(); p < end; ++lines) {
            const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            p = lf ? static_cast<const char*>(lf) + 1 : end;
        }
        benchmark::DoNotOptimize(lines);
        state.PauseTiming();
        std::string().swap(bytes);
        ColdHeap();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemchrLineScan)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state)
{
    const std::string& path = BigFile();
    for (auto _ : state) {
        MBoundaryConditionFile bc;
        benchmark::DoNotOptimize(bc.Load(path));
        state.PauseTiming(); // freeing the rows is not part of loading
        bc.Clear();
        ColdHeap();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state)
{
    MBoundaryConditionFile bc(BigFile());
    const std::string out = TempPath("out.bc3");
    for (auto _ : state)
        benchmark::DoNotOptimize(bc.Save(out));
    std::remove(out.c_str());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// The cooling wizard sets material 101 on every element of a fresh file.
void BM_SetMoldMaterialNewElements(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        MBoundaryConditionFile bc;
        for (int e = 1; e <= count; ++e)
            bc.SetMoldMaterial(e, 101);
        benchmark::DoNotOptimize(bc.GetSlot(kSlotElementalMoldMat));
        state.PauseTiming();
        bc.Clear();
        ColdHeap();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SetMoldMaterialNewElements)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Distinct groups of a million rows: few groups (a real valve-gate set) and
// every row its own group (the sorting worst case).
void BM_DistinctGroups(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const int groups = static_cast<int>(state.range(1));
    MBoundaryConditionFile bc;
    MBoundarySection& s = bc.AddSection("ELEMENTAL", "VGGRP");
    for (int i = 0; i < rows; ++i) {
        const int g = static_cast<int>((static_cast<long long>(i) * 7919) % groups);
        s.AddRow(i + 1, g, g, 1, "");
    }
    std::vector<int> out;
    for (auto _ : state) {
        bc.GetValveGateGroups(out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_DistinctGroups)
    ->Args({100000, 16})
    ->Args({1000000, 16})
    ->Args({100000, 100000})
    ->Args({1000000, 1000000})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        std::printf("\nratios (goal):\n");
        std::printf("  Load / memchr line scan            %6.2f  (within 5)\n", reporter.Ratio("BM_Load", "BM_MemchrLineScan"));
        std::printf("  Save / memchr line scan            %6.2f  (within 5)\n", reporter.Ratio("BM_Save", "BM_MemchrLineScan"));
        std::printf("  SetMoldMaterial 1000000 / 100000   %6.2f  (at most 12)\n",
                    reporter.Ratio("BM_SetMoldMaterialNewElements/1000000", "BM_SetMoldMaterialNewElements/100000"));
        std::printf("  distinct groups, 16 groups, 1M / 100k rows   %6.2f  (linear: about 10)\n",
                    reporter.Ratio("BM_DistinctGroups/1000000/16", "BM_DistinctGroups/100000/16"));
        std::printf("  distinct groups, all distinct, 1M / 100k     %6.2f  (n log n: about 12)\n",
                    reporter.Ratio("BM_DistinctGroups/1000000/1000000", "BM_DistinctGroups/100000/100000"));
        std::remove(BigFile().c_str());
    });
}
