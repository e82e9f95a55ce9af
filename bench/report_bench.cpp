// The failure report on large Ant logs: a log of M megabytes holding E compiler errors, built
// like javac's real output (error line, source line, caret, symbol and location lines) with
// note lines between the errors to reach the size.
#include <benchmark/benchmark.h>

#include <string>

#include "core/build/failure_report.h"

namespace {

const std::string kProject = "C:\\Projects\\BigApp\\";

std::string make_log(std::size_t megabytes, int errors) {
    const std::size_t target = megabytes * 1024 * 1024;
    const std::size_t per_error = target / static_cast<std::size_t>(errors);
    std::string log =
        "Buildfile: C:\\Projects\\BigApp\\build.xml\r\n\r\n-pre-compile:\r\n\r\n-compile:\r\n"
        "    [javac] Compiling 5000 source files to C:\\Projects\\BigApp\\bin\\classes\r\n";
    log.reserve(target + 4096);
    for (int i = 0; i < errors; ++i) {
        const std::size_t start = log.size();
        const std::string n = std::to_string(i);
        log += "    [javac] " + kProject + "src\\com\\example\\big\\Class" + n +
               ".java:" + std::to_string(10 + i % 900) +
               ": error: incompatible types: List<String> cannot be converted to Map<K, V>\r\n";
        log += "    [javac]         Map<K, V> m" + n + " = names.get(index & mask);\r\n";
        log += "    [javac]                            ^\r\n";
        log += "    [javac]   symbol:   method get(int)\r\n";
        log += "    [javac]   location: variable names of type List<String>\r\n";
        if (i % 10 == 0)
            log += "    [javac] " + kProject + "src\\com\\example\\big\\Old" + n +
                   ".java:5: warning: [deprecation] getDrawable(int) in Resources has been "
                   "deprecated\r\n";
        while (log.size() - start < per_error)
            log += "    [javac] Note: Some input files use unchecked or unsafe operations.\r\n";
    }
    log += "    [javac] " + std::to_string(errors) +
           " errors\r\n\r\nBUILD FAILED\r\n"
           "C:\\Android\\sdk\\tools\\ant\\build.xml:716: Compile failed.\r\n";
    return log;
}

void BM_FailureReport(benchmark::State& state) {
    const std::string log =
        make_log(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    std::size_t entries = 0;
    for (auto _ : state) {
        const build::failure_report report =
            build::make_failure_report(log, kProject, build::report_editor::carried);
        entries = report.link_batches.size();
        benchmark::DoNotOptimize(report.index_htm.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
    state.counters["log_MB"] = static_cast<double>(log.size()) / (1024.0 * 1024.0);
    state.counters["entries"] = static_cast<double>(entries);
}

}  // namespace

// 1 MB and 10 MB at the same error density show how the time grows with the log.
BENCHMARK(BM_FailureReport)->Args({1, 500})->Args({10, 5000})->Unit(benchmark::kMillisecond);
