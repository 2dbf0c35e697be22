// Building the flow wizard for an analysis of the sample project: every
// binding registered, the molding-window ranges set, the range files merged
// and the defaults loaded, against loading the keyword files it reads with
// MKeywordFile::Load alone (the material, the solver's ranges and defaults).
#include "flow/FlowWizard.h"
#include "host/ProjectTree.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <unistd.h>

namespace {

// Hands freed memory back to the system before each run, so both sides start
// from the cold heap of a fresh host process; otherwise the baseline's reads
// reuse one warm buffer and the ratio measures the allocator.
void ColdHeap()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

struct Project {
    Project()
    {
        folder = (std::filesystem::temp_directory_path() / ("bench_flow_" + std::to_string(getpid()))).string();
        std::filesystem::copy(MProjectTree::GetInstallDataPath() + "sample-project", folder,
                              std::filesystem::copy_options::recursive);
        if (!tree.Open(folder))
            std::fprintf(stderr, "bench_flow: %s\n", tree.GetLastError().c_str());
        CWizard::SetProjectTree(tree);
    }
    ~Project() { std::filesystem::remove_all(folder); }
    std::string folder;
    MProjectTree tree;
};

Project& Sample()
{
    static Project project;
    return project;
}

// The sample's PP on the midplane (0) or on the 3D mesh (1).
ZQ_PM_Node* Material(int mesh) { return Sample().tree.FindFileInTree(mesh == 0 ? "material1.mtl" : "pp3d.mtl"); }

void BM_FlowWizardPrepare(benchmark::State& state)
{
    CWinApp app;
    ZQ_PM_Node* material = Material(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ColdHeap();
        CFlowWizard wizard(material, 0);
        if (!wizard.Prepare())
            state.SkipWithError("Prepare failed");
        benchmark::DoNotOptimize(wizard.GetBindings().GetBindingCount());
    }
}
BENCHMARK(BM_FlowWizardPrepare)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_LoadSameFiles(benchmark::State& state)
{
    MProjectTree& tree = Sample().tree;
    ZQ_PM_Node* material = Material(static_cast<int>(state.range(0)));
    const Node_SubType mesh = material->GetModelMeshNode()->GetSubType();
    const std::string program = tree.GetDataPath() + tree.GetProgramName(kSubFlow, mesh, 0);
    for (auto _ : state) {
        ColdHeap();
        for (const std::string& path : {material->GetFilePath(), program + ".rng", program + ".def"}) {
            MKeywordFile file;
            file.Load(path);
            benchmark::DoNotOptimize(file.GetKeywordCount());
        }
    }
}
BENCHMARK(BM_LoadSameFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What construction does that loading does not: the working copy claimed in
// the temporary folder, written, and removed with the wizard. Its cost is the
// file system's (creating and removing a file), so it is printed beside the
// ratio as the part no change to the wizard's own work can take away.
void BM_WorkingCopyAlone(benchmark::State& state)
{
    ZQ_PM_Node* material = Material(static_cast<int>(state.range(0)));
    MKeywordFile working;
    Sample().tree.InitAnalysisInputs(working, kSubFlow, 0, material);
    for (auto _ : state) {
        ColdHeap();
        const std::string name = MakeTempName();
        if (!working.Write(name, wizsys::Durability::kScratch))
            state.SkipWithError("cannot write the working copy");
        CFilePath(name).Delete(true);
    }
}
BENCHMARK(BM_WorkingCopyAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        std::printf("\nratios (goal):\n");
        std::printf("  flow wizard prepared / same files loaded, midplane   %6.2f  (at most 2)\n",
                    reporter.Ratio("BM_FlowWizardPrepare/0", "BM_LoadSameFiles/0"));
        std::printf("  flow wizard prepared / same files loaded, 3D mesh    %6.2f  (at most 2)\n",
                    reporter.Ratio("BM_FlowWizardPrepare/1", "BM_LoadSameFiles/1"));
        std::printf("  of which the working copy alone (claim, write, remove), midplane   %6.2f\n",
                    reporter.Ratio("BM_WorkingCopyAlone/0", "BM_LoadSameFiles/0"));
        std::printf("  of which the working copy alone (claim, write, remove), 3D mesh    %6.2f\n",
                    reporter.Ratio("BM_WorkingCopyAlone/1", "BM_LoadSameFiles/1"));
    });
}
