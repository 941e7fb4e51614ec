// calc_bench [-n PRESSES] [-r ROUNDS]
//
// Opens the fee calculator on its real template and, inside its modal run, times
// PRESSES presses of 计算 with the fee read back against as many plain round trips to
// the fee edit, ROUNDS times alternately; once without and once with painting. Prints
// the median time per press, per round trip, and their ratio.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "classlib/App.h"
#include "fees/FeeSchedule.h"
#include "fees/Mydialog_ccaj.h"
#include "tools/bench/CalculatorDriver.h"
#include "tools/bench/Samples.h"

namespace {

CWinApp g_benchApp("quillet-bench");

// In an upper bracket of the property schedule: a real computation, not the flat minimum.
constexpr int32_t BENCH_AMOUNT = 12345678;

struct Figures {
    bench::Samples presses;
    bench::Samples roundTrips;
};

void Measure(CalculatorDriver& driver, int count, int rounds, bool repaint, Figures& figures) {
    for (int r = 0; r < rounds; ++r) {
        figures.presses.Add(driver.TimePresses(count, repaint));
        figures.roundTrips.Add(driver.TimeRoundTrips(count, repaint));
    }
}

// The measurement runs inside the dialog's modal loop: a thread timer fires once the
// loop dispatches messages, and the measurement ends the dialog when it is done.
std::function<void()> g_inModalRun;

void CALLBACK RunInModalLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_inModalRun();
}

void Report(const char* what, const Figures& figures, int count, int rounds) {
    const double press = figures.presses.Median();
    const double trip = figures.roundTrips.Median();
    std::printf("calculate%s: press %.2f us, plain round trip %.2f us, ratio %.2f "
                "(medians of %d rounds of %d each)\n",
                what, press * 1e6, trip * 1e6, press / trip, rounds, count);
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    int rounds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "-n") == 0) count = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "-r") == 0) rounds = std::atoi(argv[i + 1]);
    }
    if (count < 1 || rounds < 1 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: calc_bench [-n PRESSES] [-r ROUNDS]\n");
        return 2;
    }
    g_benchApp.m_hInstance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CMydialog_ccaj dialog;
    Figures bare;
    Figures painted;
    int wrongReads = 0;
    // Cleared again when the modal run is over, before the locals it refers to go.
    // cppcheck-suppress danglingLifetime
    g_inModalRun = [&] {
        CalculatorDriver driver(dialog, std::to_wstring(BENCH_AMOUNT).c_str(),
                                std::to_wstring(ComputeFee(KIND_PROPERTY, BENCH_AMOUNT)));
        Measure(driver, count, rounds, false, bare);
        Measure(driver, count, rounds, true, painted);
        wrongReads = driver.WrongReads();
        dialog.EndDialog(IDCANCEL);
    };
    SetTimer(nullptr, 0, 10, RunInModalLoop);
    dialog.DoModal();
    g_inModalRun = nullptr;
    if (wrongReads != 0 || bare.presses.Count() == 0) {
        std::fprintf(stderr, "calc_bench: the calculator did not show the expected fee (%d wrong reads)\n",
                     wrongReads);
        return 1;
    }
    Report("", bare, count, rounds);
    Report(" with painting", painted, count, rounds);
    return 0;
}
