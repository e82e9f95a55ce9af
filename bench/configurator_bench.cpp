// The configurator's portable work on its window's behalf: the status of the four sections
// (computed by the refresh worker) and the parsing of "android list targets" (the start-up
// check), on outputs as large as an SDK with every platform installed.
#include <benchmark/benchmark.h>

#include <string>

#include "core/configurator/api_targets.h"
#include "core/configurator/section_status.h"

namespace {

// An SDK with platforms of API 3 to API 3 + count - 1, each followed by an add-on.
std::string list_output(int count) {
    std::string out = "Available Android targets:\r\n";
    int id = 1;
    for (int level = 3; level < 3 + count; ++level) {
        out += "----------\r\nid: " + std::to_string(id++) + " or \"android-" +
               std::to_string(level) + "\"\r\n     Name: Android " + std::to_string(level) +
               ".0\r\n     Type: Platform\r\n     API level: " + std::to_string(level) +
               "\r\n     Revision: 1\r\n     Skins: HVGA, QVGA, WVGA800 (default)\r\n Tag/ABIs : "
               "no ABIs.\r\n";
        out += "----------\r\nid: " + std::to_string(id++) +
               " or \"Google Inc.:Google APIs:" + std::to_string(level) +
               "\"\r\n     Name: Google APIs\r\n     Type: Add-On\r\n     Vendor: Google "
               "Inc.\r\n     Revision: 1\r\n     Description: Android + Google APIs\r\n     Based "
               "on Android " +
               std::to_string(level) + ".0 (API level " + std::to_string(level) +
               ")\r\n Tag/ABIs : no ABIs.\r\n";
    }
    return out;
}

void BM_ParseTargets(benchmark::State& state) {
    const std::string output = list_output(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(configurator::parse_api_targets(output));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_ParseTargets)->Arg(1)->Arg(30)->Arg(300);

void BM_ComputeStatus(benchmark::State& state) {
    const std::vector<configurator::api_target> targets =
        configurator::parse_api_targets(list_output(static_cast<int>(state.range(0))));
    build::tool_config c;
    c.jdk_path = "C:\\Program Files\\Java\\jdk1.8.0_202";
    c.android_sdk_path = "C:\\Android\\android-sdk";
    c.ant_path = "apache-ant-1.10.14";
    c.keystore_path = "C:\\Users\\me\\keys\\release.jks";
    c.keystore_state = 1;
    c.api_target_id = targets.empty() ? 0 : targets.back().id;
    for (auto _ : state) benchmark::DoNotOptimize(configurator::compute_status(c, targets));
}
BENCHMARK(BM_ComputeStatus)->Arg(1)->Arg(30)->Arg(300);

}  // namespace
