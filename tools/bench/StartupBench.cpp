// startup_bench [-n STARTS] [-v] PROGRAM BASELINE...
//
// Starts PROGRAM and each BASELINE in turn, STARTS rounds, and times each start from
// CreateProcess until its main window is visible, idle and painted; then closes it with
// the Close command. Prints the medians and the program's ratio to each baseline.
// Paths may be Unix paths (run under Wine) or Windows paths.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness/LaunchedProgram.h"
#include "tools/bench/Samples.h"

namespace {

constexpr DWORD BENCH_READY_TIMEOUT_MS = 30000;
constexpr DWORD BENCH_EXIT_TIMEOUT_MS = 15000;

// One start: seconds to ready, or a negative value when the program never got there or
// did not end when closed.
double TimeOneStart(const std::wstring& path) {
    const bench::Clock::time_point start = bench::Clock::now();
    LaunchedProgram program(path);
    HWND window = program.WaitUntilReady(BENCH_READY_TIMEOUT_MS);
    const double seconds = bench::SecondsSince(start);
    if (!window || !program.Close(window, BENCH_EXIT_TIMEOUT_MS)) return -1.0;
    return seconds;
}

struct Contender {
    const char* name;
    std::wstring path;
    bench::Samples times;
};

struct Options {
    int starts = 10;
    bool verbose = false;
    std::vector<Contender> contenders;  // the program first, then the baselines
};

// The name shown for a path: its file name without the folder.
const char* FileName(const char* path) {
    const char* name = path;
    for (const char* c = path; *c; ++c) {
        if (*c == '/' || *c == '\\') name = c + 1;
    }
    return name;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
            options.starts = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "-v") == 0) {
            options.verbose = true;
        } else {
            options.contenders.push_back(Contender{FileName(argv[i]), WindowsPath(argv[i]), {}});
        }
    }
    return options.starts > 0 && options.contenders.size() >= 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: startup_bench [-n STARTS] [-v] PROGRAM BASELINE...\n");
        return 2;
    }
    // The first start of each loads files the later ones find in the page cache.
    for (const Contender& c : options.contenders) {
        if (TimeOneStart(c.path) < 0) {
            std::fprintf(stderr, "startup_bench: %s did not show a window or did not close\n", c.name);
            return 1;
        }
    }
    for (int i = 0; i < options.starts; ++i) {
        for (Contender& c : options.contenders) {
            const double seconds = TimeOneStart(c.path);
            if (seconds < 0) {
                std::fprintf(stderr, "startup_bench: start %d of %s failed\n", i + 1, c.name);
                return 1;
            }
            c.times.Add(seconds);
            if (options.verbose) std::printf("start %d: %s %.1f ms\n", i + 1, c.name, seconds * 1e3);
        }
    }
    const Contender& program = options.contenders.front();
    for (size_t b = 1; b < options.contenders.size(); ++b) {
        const Contender& baseline = options.contenders[b];
        std::printf("startup: %s %.1f ms, %s %.1f ms, ratio %.2f "
                    "(medians of %d starts each, CreateProcess to main window visible and idle; "
                    "ranges %.1f-%.1f and %.1f-%.1f ms)\n",
                    program.name, program.times.Median() * 1e3, baseline.name,
                    baseline.times.Median() * 1e3, program.times.Median() / baseline.times.Median(),
                    options.starts, program.times.Min() * 1e3, program.times.Max() * 1e3,
                    baseline.times.Min() * 1e3, baseline.times.Max() * 1e3);
    }
    return 0;
}
