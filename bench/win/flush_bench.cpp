// What making a multi-file Apply durable costs on Windows: the files are staged, then flushed
// in one call (platform::flush_files), which without administrator rights flushes each file.
// Compared in the same run with the baseline of flushing the files one after another.
//     flush_bench [files] [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"

#include "bench_clock.h"

using bench::median;
using bench::now_ms;

namespace {

// The baseline: each file opened and flushed in turn.
void flush_one_by_one(const std::vector<std::string>& paths) {
    for (const std::string& p : paths) {
        const std::wstring w(p.begin(), p.end());  // the bench's paths are ASCII
        HANDLE file = CreateFileW(w.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        FlushFileBuffers(file);
        CloseHandle(file);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int files = argc > 1 ? _wtoi(argv[1]) : 2000;
    const int repetitions = argc > 2 ? _wtoi(argv[2]) : 5;
    const std::string folder = platform::temp_folder() + "\\vexlo-flush-bench";
    platform::make_directories(folder);
    const std::string text(4096, 'x');  // a Java source of the usual size
    std::vector<double> staging, flushing, baseline;
    for (int r = 0; r < 2 * repetitions; ++r) {
        std::vector<std::string> staged;
        const double start = now_ms();
        for (int i = 0; i < files; ++i)
            staged.push_back(
                platform::stage_file(folder + "\\F" + std::to_string(i) + ".java", text));
        const double written = now_ms();
        // Alternating, so that both see the same state of the machine.
        if (r % 2 == 0) {
            if (!platform::flush_files(staged)) std::printf("flush failed\n");
        } else {
            flush_one_by_one(staged);
        }
        const double flushed = now_ms();
        staging.push_back(written - start);
        (r % 2 == 0 ? flushing : baseline).push_back(flushed - written);
        for (const std::string& s : staged) platform::remove_file(s);
    }
    platform::remove_directory(folder);
    const double flush = median(flushing), one_by_one = median(baseline);
    std::printf(
        "%d files of 4 KB: staging %.1f ms; flush_files %.1f ms (%.3f ms per file), "
        "one by one %.1f ms: ratio %.2f\n",
        files, median(staging), flush, flush / files, one_by_one, flush / one_by_one);
    return 0;
}
