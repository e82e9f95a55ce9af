// Loading the real-world BASIC! fixture (manifest, resources, permissions, icon search).
#include <benchmark/benchmark.h>

#include "core/project/project_loader.h"
#include "unit/test_support.h"

static void BM_LoadRealWorldProject(benchmark::State& state) {
    testing_support::scratch_folder dir;
    const std::string folder = testing_support::copy_fixture("basic-project", dir);
    for (auto _ : state) benchmark::DoNotOptimize(project::load_project_files(folder));
}
BENCHMARK(BM_LoadRealWorldProject)->Unit(benchmark::kMicrosecond);
