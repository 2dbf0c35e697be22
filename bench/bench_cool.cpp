// The cooling wizard's Finish with the automatic boundary conditions: a
// mold of N elements, all of them steel, read from its element list and
// written as a set of N MOLDMAT rows. Linear: a million elements should take
// about ten times a hundred thousand.
#include "bench/BenchSupport.h"
#include "cool/CoolOutput.h"
#include "keyword/FilePath.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A scratch folder to work in: the set is numbered in the current directory.
const std::string& WorkFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/wizbench-cool-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// The mold model path whose ".ela" lists `count` mold elements.
std::string MoldWithElements(int count)
{
    const std::string mold = WorkFolder() + "/mold" + std::to_string(count) + ".m3i";
    const std::string list = WorkFolder() + "/mold" + std::to_string(count) + ".ela";
    if (!std::filesystem::exists(list)) {
        FILE* file = std::fopen(list.c_str(), "w");
        for (int e = 1; e <= count; ++e)
            std::fprintf(file, "%d\r\n", -e);
        std::fclose(file);
    }
    return mold;
}

void BM_AutomaticBoundaryFile(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string mold = MoldWithElements(count);
    if (chdir(WorkFolder().c_str()) != 0)
        state.SkipWithError("cannot enter the work folder");
    for (auto _ : state) {
        std::string made;
        CFilePath name;
        if (!MakeAutomaticBoundaryFile(mold, made, name))
            state.SkipWithError("the set was not written");
        state.PauseTiming();
        std::remove(made.c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AutomaticBoundaryFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const int result = wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        std::printf("\nratios (goal):\n");
        std::printf("  automatic set, 1000000 / 100000 elements   %6.2f  (linear: about 10, at most 12)\n",
                    reporter.Ratio("BM_AutomaticBoundaryFile/1000000", "BM_AutomaticBoundaryFile/100000"));
    });
    std::filesystem::remove_all(WorkFolder());
    return result;
}
