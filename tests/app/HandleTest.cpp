// Handle discipline: opening and closing the calculator and the About box, and
// repainting the main window, leave no GDI object, window or heap block behind. Wine's
// own counters (GetGuiResources) are stubs, so GDI objects are counted in the process's
// GDI handle table and by the class library's wrappers, windows by enumeration and
// memory by walking the heaps. The counts are exact, so a few cycles catch a leak of one
// object a cycle; `--long` (ctest -C Long) runs a thousand dialogs and ten thousand paints.
#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "app/quilletDlg.h"
#include "classlib/App.h"
#include "classlib/GdiObject.h"
#include "res/resource.h"
#include "tests/support/WinTest.h"

namespace {

constexpr int HANDLE_WARM_UP = 20;

// Cycles of a run: the CI run's few, or the given number under --long.
int Cycles(int longRun) {
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--long") == 0) return longRun;
    }
    return 10;
}

int CountWindows(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        count += 1 + CountWindows(child);
    }
    return count;
}

int WindowsOfThisThread() {
    int count = 0;
    for (HWND window : wintest::ThreadWindows()) count += 1 + CountWindows(window);
    return count;
}

// The GDI handle table that the system maps into the process: the 64-bit PEB's
// GdiSharedHandleTable at 0xF8, the PEB being at 0x60 of the 64-bit TEB. A 32-bit process
// has them as WOW64 does, in a 64-bit TEB WowTebOffset (at 0xFDC of its own TEB) away;
// their pointers lie below 4 GiB, so reading the low half reads all of each.
const BYTE* GdiHandleTable() {
    // The thread's basic information, as ntdll lays it out.
    struct {
        NTSTATUS exitStatus;
        const BYTE* teb;
        void* clientId[2];
        ULONG_PTR affinityMask;
        LONG priority;
        LONG basePriority;
    } thread{};
    using Query = NTSTATUS(WINAPI*)(HANDLE, THREADINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    if (!query || query(GetCurrentThread(), static_cast<THREADINFOCLASS>(0), &thread, sizeof thread, nullptr) != 0) {
        return nullptr;
    }
    const BYTE* teb = thread.teb;
    if (sizeof(void*) == 4) {
        const LONG wowTebOffset = *reinterpret_cast<const LONG*>(teb + 0xFDC);
        if (wowTebOffset == 0) return nullptr;  // no 64-bit TEB: the test fails, not crashes
        teb += wowTebOffset;
    }
    const BYTE* peb = *reinterpret_cast<const BYTE* const*>(teb + 0x60);
    return peb ? *reinterpret_cast<const BYTE* const*>(peb + 0xF8) : nullptr;
}

// The used slots of that table (24-byte entries, the object type at byte 14 and zero in
// a free slot). Under Wine it holds this process's objects only.
int GdiObjects() {
    const BYTE* table = GdiHandleTable();
    int count = 0;
    for (size_t slot = 0; table && slot < 0x10000; ++slot) count += table[slot * 24 + 14] != 0;
    return count;
}

// Bytes in use in the process's heaps. Wine packs the smallest blocks into groups, so a
// leak of a few dozen bytes shows only when a group fills; larger blocks show exactly.
size_t HeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr));
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t busy = 0;
    for (HANDLE heap : heaps) {
        HeapLock(heap);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        }
        HeapUnlock(heap);
    }
    return busy;
}

struct Snapshot {
    long wrapped = CGdiObject::LiveCount();
    int gdi = GdiObjects();
    int windows = WindowsOfThisThread();
    size_t heap = HeapBytes();
};

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
        for (int i = 0; i < HANDLE_WARM_UP; ++i) action();
        wintest::Pump();
        const Snapshot before;
        for (int i = 0; i < times; ++i) action();
        wintest::Pump();
        const Snapshot after;
        ASSERT_GT(before.gdi, 0) << "the handle table is readable";
        EXPECT_EQ(after.wrapped, before.wrapped);
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.heap, before.heap);
    }

    // Closes every dialog the main window opens, counting them.
    int closed = 0;
    wintest::DialogCloser closer{[this](HWND dialog) {
        if (dialog == main.m_hWnd) return 0;
        ++closed;
        return wintest::CloseButton(dialog);
    }};
    CQuilletDlg main;
};

TEST_F(HandleDiscipline, CalculatorRuns) {
    NMHDR notify{main.GetDlgItem(IDC_TOOL_LIST), IDC_TOOL_LIST, static_cast<UINT>(NM_DBLCLK)};
    const int cycles = Cycles(1000);
    ExpectNoGrowth(cycles, [&] {
        main.SendMessage(WM_NOTIFY, IDC_TOOL_LIST, reinterpret_cast<LPARAM>(&notify));
    });
    EXPECT_EQ(closed, HANDLE_WARM_UP + cycles);
}

TEST_F(HandleDiscipline, AboutBoxes) {
    const int cycles = Cycles(1000);
    ExpectNoGrowth(cycles, [&] { main.SendMessage(WM_SYSCOMMAND, IDM_SHOW_ABOUT, 0); });
    EXPECT_EQ(closed, HANDLE_WARM_UP + cycles);
}

TEST_F(HandleDiscipline, Repaints) {
    main.ShowWindow(SW_SHOW);
    ExpectNoGrowth(Cycles(10000), [&] { main.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW); });
    EXPECT_EQ(closed, 0);
}

}  // namespace
