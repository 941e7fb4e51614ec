// Handle discipline: opening and closing the calculator and the About box a thousand
// times each, and repainting the main window ten thousand times, leave no GDI object,
// window or memory behind. Wine's own counters (GetGuiResources) are stubs, so GDI
// objects are counted by the class library's wrappers, windows by enumeration, and
// memory by the process's committed bytes (Wine reports no private bytes, but a leaked
// bitmap or font shows there).
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <functional>

#include "app/quilletDlg.h"
#include "classlib/App.h"
#include "classlib/GdiObject.h"
#include "res/resource.h"
#include "tests/support/WinTest.h"

namespace {

int CountWindows(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        count += 1 + CountWindows(child);
    }
    return count;
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            *reinterpret_cast<int*>(data) += 1 + CountWindows(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct Snapshot {
    long gdi = CGdiObject::LiveCount();
    int windows = ThreadWindows();
    SIZE_T bytes = CommittedBytes();
};

// Ends every dialog the main window opens as soon as it shows.
class Closer {
public:
    explicit Closer(HWND main) {
        s_main = main;
        m_timer = SetTimer(nullptr, 0, 1, Tick);
    }
    ~Closer() { KillTimer(nullptr, m_timer); }
    static int s_closed;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        for (HWND dialog : wintest::ThreadDialogs(s_main)) {
            const bool calculator = GetDlgItem(dialog, IDC_AMOUNT) != nullptr;
            wintest::PressButton(dialog, calculator ? IDCANCEL : IDOK);
            ++s_closed;
        }
    }
    static HWND s_main;
    UINT_PTR m_timer;
};
HWND Closer::s_main = nullptr;
int Closer::s_closed = 0;

class HandleDiscipline : public ::testing::Test {
protected:
    void SetUp() override {
        AfxGetApp()->m_pMainWnd = &main;
        ASSERT_TRUE(main.Create());
        wintest::Pump();
    }
    void TearDown() override { main.DestroyWindow(); }

    // Runs the action `times` times after a warm-up; nothing may have grown.
    void ExpectNoGrowth(int times, const std::function<void()>& action) {
        for (int i = 0; i < 20; ++i) action();
        wintest::Pump();
        const Snapshot before;
        for (int i = 0; i < times; ++i) action();
        wintest::Pump();
        const Snapshot after;
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.windows, before.windows);
        // Heaps keep some slack; a leak of even 1 KiB a cycle would pass 1 MiB.
        ASSERT_GT(before.bytes, 0u) << "the memory counter works";
        EXPECT_LT(after.bytes, before.bytes + (1u << 20))
            << "committed bytes grew from " << before.bytes << " to " << after.bytes;
        RecordProperty("committed_growth", static_cast<int>(after.bytes - before.bytes));
        printf("committed bytes %zu -> %zu\n", before.bytes, after.bytes);
    }

    CQuilletDlg main;
};

TEST_F(HandleDiscipline, AThousandCalculatorRuns) {
    Closer closer(main.m_hWnd);
    NMHDR notify{main.GetDlgItem(IDC_TOOL_LIST), IDC_TOOL_LIST, static_cast<UINT>(NM_DBLCLK)};
    const int before = Closer::s_closed;
    ExpectNoGrowth(1000, [&] {
        main.SendMessage(WM_NOTIFY, IDC_TOOL_LIST, reinterpret_cast<LPARAM>(&notify));
    });
    EXPECT_EQ(Closer::s_closed - before, 1020);
}

TEST_F(HandleDiscipline, AThousandAboutBoxes) {
    Closer closer(main.m_hWnd);
    const int before = Closer::s_closed;
    ExpectNoGrowth(1000, [&] { main.SendMessage(WM_SYSCOMMAND, IDM_SHOW_ABOUT, 0); });
    EXPECT_EQ(Closer::s_closed - before, 1020);
}

TEST_F(HandleDiscipline, TenThousandRepaints) {
    main.ShowWindow(SW_SHOW);
    ExpectNoGrowth(10000, [&] { main.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW); });
}

}  // namespace
