// The project asset operations measured against what a user would otherwise run.
//
// Natively (Google Benchmark, globbed into `benchmarks`): duplicating a generated project of
// 10,000 files (200 MB) with the portable duplicate core beside `cp -r` of the same tree,
// include expansion of a 50,000-line program in 200 files, and the six icon resamplings of a
// 1024 x 1024 picture.
//
// Under Wine (scripts/bench-assets.sh builds the _WIN32 part as assets_wine_bench.exe against
// the Windows build): the same duplication beside `xcopy /e /h`, and the whole icon command
// path (GDI+ decoding of a 1024 x 1024 PNG, resampling to the six sizes, PNG encoding, safe
// writes).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/assets/include_expansion.h"
#include "core/assets/picture_resample.h"
#include "core/assets/project_duplicate.h"
#include "platform/platform.h"
#include "unit/test_support.h"

namespace {

// 100 folders of 100 files of 20,000 bytes: 10,000 files, 200 MB.
constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr std::size_t kFileSize = 20000;

void make_big_project(const std::string& root) {
    const std::string bytes(kFileSize, 'v');
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = root + "\\res\\f" + std::to_string(f);
        platform::make_directories(folder);
        for (int i = 0; i < kFilesPerFolder; ++i)
            platform::write_file(folder + "\\file" + std::to_string(i) + ".xml", bytes);
    }
}

// A program of 50,000 lines: main.bas includes 199 library files of 250 lines (in a few
// folders, some of them nesting the next one), each line indented by spaces.
std::string make_program(const testing_support::scratch_folder& dir) {
    std::string line_block;
    for (int i = 0; i < 249; ++i) line_block += "    PRINT \"line " + std::to_string(i) + "\"\r\n";
    std::string main;
    for (int f = 1; f < 200; ++f) {
        const std::string name =
            "lib" + std::to_string(f % 4) + "\\part" + std::to_string(f) + ".bas";
        dir.write(name, line_block + "! end of part\r\n");
        main += "include " + name + "\r\n";
    }
    main += "END\r\n";
    return dir.write("main.bas", main);
}

assets::bgra_picture make_picture(int edge) {
    assets::bgra_picture p;
    p.width = p.height = edge;
    p.pixels.resize(static_cast<std::size_t>(edge) * edge * 4);
    for (int y = 0; y < edge; ++y)
        for (int x = 0; x < edge; ++x) {
            std::uint8_t* q = &p.pixels[(static_cast<std::size_t>(y) * edge + x) * 4];
            q[0] = static_cast<std::uint8_t>(x);
            q[1] = static_cast<std::uint8_t>(y);
            q[2] = static_cast<std::uint8_t>(x ^ y);
            q[3] = static_cast<std::uint8_t>((x + y) / 8);
        }
    return p;
}

constexpr int kIconSizes[] = {192, 144, 96, 72, 48, 36};

}  // namespace

#ifndef _WIN32
#include <benchmark/benchmark.h>

namespace {

const std::string& big_project() {
    static testing_support::scratch_folder dir;
    static const std::string root = [] {
        const std::string r = dir.path() + "project";
        make_big_project(r);
        return r;
    }();
    return root;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v[(v.size() - 1) / 2] + v[v.size() / 2]) / 2;
}

std::string native(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

// Both copies run in each iteration, in alternating order and each after a sync, so that they
// meet the same page cache and no write-back left by the other; the iteration time is the
// duplicate's, cp -r is a counter.
static void BM_DuplicateProject10000Files(benchmark::State& state) {
    const std::string& source = big_project();
    testing_support::scratch_folder out;
    std::vector<double> ours, cp, ratios;
    int run = 0;
    for (auto _ : state) {
        const std::string a = out.path() + "ours" + std::to_string(run);
        const std::string b = out.path() + "cp" + std::to_string(run);
        const auto duplicate = [&] {
            std::system("sync");
            const auto start = std::chrono::steady_clock::now();
            assets::duplicate_observer quiet;
            const assets::duplicate_result r = assets::duplicate_project(source, a, quiet);
            if (r.files_copied != kFolders * kFilesPerFolder)
                state.SkipWithError("copy incomplete");
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        const auto copy = [&] {
            std::system("sync");
            const std::string command = "cp -r '" + native(source) + "' '" + native(b) + "'";
            const auto start = std::chrono::steady_clock::now();
            if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        double took = 0, cp_took = 0;
        if (run++ % 2 == 0) {
            took = duplicate();
            cp_took = copy();
        } else {
            cp_took = copy();
            took = duplicate();
        }
        state.SetIterationTime(took);
        ours.push_back(took);
        cp.push_back(cp_took);
        ratios.push_back(took / cp_took);
        state.PauseTiming();
        testing_support::remove_tree(a);
        testing_support::remove_tree(b);
        state.ResumeTiming();
    }
    // Medians: the machine may be shared, and one disturbed run should not decide.
    state.counters["ours_ms"] = median(ours) * 1000;
    state.counters["cp_r_ms"] = median(cp) * 1000;
    state.counters["ratio"] = median(ratios);
}
BENCHMARK(BM_DuplicateProject10000Files)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(8);

static void BM_IncludeExpansion50000Lines(benchmark::State& state) {
    testing_support::scratch_folder dir;
    const std::string main = make_program(dir);
    std::size_t lines = 0;
    for (auto _ : state) {
        const std::string merged = assets::expand_includes(main);
        lines = static_cast<std::size_t>(std::count(merged.begin(), merged.end(), '\n'));
        benchmark::DoNotOptimize(merged.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_IncludeExpansion50000Lines)->Unit(benchmark::kMillisecond);

static void BM_SixIconSizesFrom1024(benchmark::State& state) {
    const assets::bgra_picture picture = make_picture(1024);
    for (auto _ : state) {
        assets::resample_source source(picture.view());
        for (int size : kIconSizes)
            benchmark::DoNotOptimize(source.resampled(size, size).pixels.data());
    }
}
BENCHMARK(BM_SixIconSizesFrom1024)->Unit(benchmark::kMillisecond);

#else  // the Windows program run under Wine by scripts/bench-assets.sh

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

#include "platform/win32/utf16.h"
#include "vexlo/picture_files.h"
#include "winui/gdi_handles.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double run_and_wait(const std::wstring& command) {
    std::wstring line = command;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    const double took = seconds_since(start);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return took;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

// Without argument both parts run; "duplicate" or "icons" runs only that one.
int wmain(int argc, wchar_t** argv) {
    start_gdiplus();
    const std::wstring only = argc > 1 ? argv[1] : L"";
    testing_support::scratch_folder dir;
    if (only != L"icons") {
        const std::string source = dir.path() + "project";
        make_big_project(source);

        // Alternate the two copies so both see the same cache and machine load.
        std::vector<double> ours, xcopy;
        for (int run = 0; run < 3; ++run) {
            const std::string a = dir.path() + "ours" + std::to_string(run);
            const auto start = std::chrono::steady_clock::now();
            assets::duplicate_observer quiet;
            const assets::duplicate_result r = assets::duplicate_project(source, a, quiet);
            ours.push_back(seconds_since(start));
            if (r.files_copied != kFolders * kFilesPerFolder) std::printf("duplicate incomplete\n");
            testing_support::remove_tree(a);

            const std::string b = dir.path() + "xcopy" + std::to_string(run);
            xcopy.push_back(run_and_wait(L"xcopy.exe /e /h /i /q /y \"" + platform::widen(source) +
                                         L"\" \"" + platform::widen(b) + L"\""));
            testing_support::remove_tree(b);
        }
        const double o = median(ours), x = median(xcopy);
        std::printf("duplicate 10000 files (200 MB): %.0f ms, xcopy /e /h: %.0f ms, ratio %.2f\n",
                    o * 1000, x * 1000, o / x);
    }
    if (only == L"duplicate") return 0;

    // The icon command from the file on: decode, six resamplings, encode, safe writes.
    const std::string png = dir.path() + "big.png";
    {
        const assets::bgra_picture p = make_picture(1024);
        if (!save_png_file(p, png)) std::printf("could not write the test picture\n");
    }
    platform::make_directories(dir.path() + "icons");
    std::vector<double> icon_runs;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        unique_image image = load_image_file(png);
        const locked_picture pixels(image.get());
        if (!pixels.ok()) {
            std::printf("could not decode the test picture\n");
            return 1;
        }
        assets::resample_source resampler(pixels.view());
        for (int size : kIconSizes)
            save_png_file(resampler.resampled(size, size),
                          dir.path() + "icons\\icon" + std::to_string(size) + ".png");
        icon_runs.push_back(seconds_since(start));
    }
    std::printf("six icon sizes from a 1024x1024 PNG: %.0f ms (median of 5)\n",
                median(icon_runs) * 1000);
    return 0;
}

#endif
