// startup_bench [-n STARTS] [-v] [PROGRAM BASELINE]
//
// Starts PROGRAM (default: $QUILLET_EXE) and BASELINE (default: $QUILLET_EMPTY_DIALOG)
// alternately, STARTS times each, and times each from CreateProcess until its main
// window is visible, idle and painted; then closes it with the Close command. Prints
// the medians and their ratio. Paths may be Unix paths (run under Wine) or Windows paths.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "harness/LaunchedProgram.h"
#include "tools/bench/Samples.h"

namespace {

constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;

// One start: seconds to ready, or a negative value when the program never got there or
// did not end when closed.
double TimeOneStart(const std::wstring& path) {
    const bench::Clock::time_point start = bench::Clock::now();
    LaunchedProgram program(path);
    HWND window = program.WaitUntilReady(kReadyTimeoutMs);
    const double seconds = bench::SecondsSince(start);
    if (!window || !program.Close(window, kExitTimeoutMs)) return -1.0;
    return seconds;
}

struct Options {
    int starts = 10;
    bool verbose = false;
    const char* program = std::getenv("QUILLET_EXE");
    const char* baseline = std::getenv("QUILLET_EMPTY_DIALOG");
};

bool ParseOptions(int argc, char** argv, Options& options) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
            options.starts = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "-v") == 0) {
            options.verbose = true;
        } else if (positional < 2) {
            (positional++ == 0 ? options.program : options.baseline) = argv[i];
        } else {
            return false;
        }
    }
    return options.starts > 0 && options.program && options.baseline;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: startup_bench [-n STARTS] [-v] [PROGRAM BASELINE]\n");
        return 2;
    }
    const std::wstring program = WindowsPath(options.program);
    const std::wstring baseline = WindowsPath(options.baseline);

    // The first start of each loads files the later ones find in the page cache.
    if (TimeOneStart(program) < 0 || TimeOneStart(baseline) < 0) {
        std::fprintf(stderr, "startup_bench: a program did not show a window or did not close\n");
        return 1;
    }
    bench::Samples programTimes;
    bench::Samples baselineTimes;
    for (int i = 0; i < options.starts; ++i) {
        const double p = TimeOneStart(program);
        const double b = TimeOneStart(baseline);
        if (p < 0 || b < 0) {
            std::fprintf(stderr, "startup_bench: start %d failed\n", i + 1);
            return 1;
        }
        programTimes.Add(p);
        baselineTimes.Add(b);
        if (options.verbose) std::printf("start %d: quillet.exe %.1f ms, empty dialog %.1f ms\n", i + 1, p * 1e3, b * 1e3);
    }
    std::printf("startup: quillet.exe %.1f ms, empty dialog %.1f ms, ratio %.2f "
                "(medians of %d starts each, CreateProcess to main window visible and idle; "
                "ranges %.1f-%.1f and %.1f-%.1f ms)\n",
                programTimes.Median() * 1e3, baselineTimes.Median() * 1e3,
                programTimes.Median() / baselineTimes.Median(), options.starts, programTimes.Min() * 1e3,
                programTimes.Max() * 1e3, baselineTimes.Min() * 1e3, baselineTimes.Max() * 1e3);
    return 0;
}
