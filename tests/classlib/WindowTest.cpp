// Windows as objects: attaching during creation, message-map dispatch, default
// processing, reflection to child controls, detaching at destruction.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/App.h"
#include "classlib/Controls.h"
#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "tests/classlib/TestIds.h"
#include "tests/support/WinTest.h"

namespace {

// Stands for the attach hook in a recorded message sequence.
constexpr UINT ATTACHED = ~0u;

// Records every message the object sees, and when its attach hook ran.
class ProbeWnd : public CWnd {
public:
    std::vector<UINT> seen;
    HWND hwndInHook = nullptr;

    void PreSubclassWindow() override {
        seen.push_back(ATTACHED);
        hwndInHook = m_hWnd;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool Saw(UINT message) const {
        for (UINT m : seen) if (m == message) return true;
        return false;
    }
};

TEST(Attach, CreatedWindowHasItsObjectBeforeNcCreateAndCreate) {
    ProbeWnd probe;
    ASSERT_TRUE(probe.CreateEx(0, L"Static", "探针", WS_POPUP, CRect(0, 0, 50, 20), nullptr, 0));
    const std::vector<UINT> creation = {ATTACHED, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE};
    ASSERT_GE(probe.seen.size(), creation.size());
    EXPECT_EQ(std::vector<UINT>(probe.seen.begin(), probe.seen.begin() + 4), creation);
    EXPECT_EQ(probe.hwndInHook, probe.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(probe.m_hWnd), &probe);
    EXPECT_EQ(wintest::WindowTextW(probe.m_hWnd), L"探针");
    probe.DestroyWindow();
}

TEST(Attach, DestroyDetachesAndRestoresNothingDangling) {
    ProbeWnd probe;
    ASSERT_TRUE(probe.CreateEx(0, L"Static", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    HWND hwnd = probe.m_hWnd;
    probe.DestroyWindow();
    EXPECT_TRUE(probe.Saw(WM_NCDESTROY));
    EXPECT_EQ(probe.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(Attach, SubclassingAnExistingWindowRunsTheHookAndCanBeUndone) {
    HWND raw = CreateWindowExW(0, L"Static", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrW(raw, GWLP_WNDPROC);
    ProbeWnd probe;
    ASSERT_TRUE(probe.SubclassWindow(raw));
    EXPECT_EQ(probe.seen, std::vector<UINT>{ATTACHED});
    EXPECT_NE(GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
    SendMessageW(raw, WM_USER + 7, 0, 0);
    EXPECT_TRUE(probe.Saw(WM_USER + 7));
    ProbeWnd second;
    EXPECT_FALSE(second.SubclassWindow(raw)) << "one object per window";
    EXPECT_EQ(probe.UnsubclassWindow(), raw);
    EXPECT_EQ(GetWindowLongPtrW(raw, GWLP_WNDPROC), original);
    DestroyWindow(raw);
}

// A map with typed handlers and a derived map that falls back to it.
class MappedWnd : public CWnd {
public:
    CPoint lastMove{-1, -1};
    int clicked = 0;
    int otherCode = 0;
    int notified = 0;

protected:
    void OnMouseMove(UINT, CPoint point) { lastMove = point; }
    void OnClicked() { ++clicked; }
    void OnOtherCode() { ++otherCode; }
    void OnNotified(NMHDR*, LRESULT* result) {
        ++notified;
        *result = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MappedWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_BN_CLICKED(77, OnClicked)
    ON_CONTROL(EN_CHANGE, 77, OnOtherCode)
    ON_NOTIFY(NM_DBLCLK, 78, OnNotified)
END_MESSAGE_MAP()

class DerivedWnd : public MappedWnd {
public:
    int ownClicks = 0;

protected:
    void OnOwnClick() { ++ownClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, MappedWnd)
    ON_BN_CLICKED(99, OnOwnClick)
END_MESSAGE_MAP()

TEST(Dispatch, HandlersMatchMessageCodeAndIdAndGetTypedArguments) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"Static", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-3, 12));
    EXPECT_EQ(wnd.lastMove, CPoint(-3, 12)) << "points are signed";

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(77, EN_CHANGE), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(76, BN_CLICKED), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(99, BN_CLICKED), 0);
    EXPECT_EQ(wnd.clicked, 1);
    EXPECT_EQ(wnd.otherCode, 1);
    EXPECT_EQ(wnd.ownClicks, 1);

    NMHDR right{nullptr, 78, NM_DBLCLK};
    NMHDR wrongId{nullptr, 79, NM_DBLCLK};
    NMHDR wrongCode{nullptr, 78, NM_CLICK};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&right)), 42);
    wnd.SendMessage(WM_NOTIFY, 79, reinterpret_cast<LPARAM>(&wrongId));
    wnd.SendMessage(WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&wrongCode));
    EXPECT_EQ(wnd.notified, 1);
    wnd.DestroyWindow();
}

// Default processing that a class overrides: here it swaps one message for another.
class SwappingWnd : public ProbeWnd {
public:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER + 1) message = WM_USER + 2;
        return ProbeWnd::DefWindowProc(message, wParam, lParam);
    }
};

TEST(Dispatch, UnmappedMessagesReachTheOverridableDefaultProcessing) {
    HWND raw = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    SwappingWnd wnd;
    wnd.SubclassWindow(raw);
    // The static answers WM_GETTEXTLENGTH through the original procedure.
    SetWindowTextW(raw, L"abc");
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 3);
    wnd.SendMessage(WM_USER + 1);
    EXPECT_TRUE(wnd.Saw(WM_USER + 1));
    wnd.DestroyWindow();
}

// Children that answer reflected messages themselves.
class ColourLabel : public CStatic {
public:
    HBRUSH brush = nullptr;
    UINT kind = 999;

protected:
    HBRUSH CtlColor(CDCHandle dc, UINT ctlKind) {
        kind = ctlKind;
        dc.SetTextColor(RGB(1, 2, 3));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class DrawnButton : public CButton {
public:
    int draws = 0;
    UINT lastId = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++draws;
        lastId = item->CtlID;
    }
};

class ReflectDialog : public CDialog {
public:
    ReflectDialog() : CDialog(IDD_EXCHANGE) {}
    ColourLabel label;
    DrawnButton drawn;
    int parentColourQueries = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_LABEL, label);
        DDX_Control(dx, IDC_DRAWN, drawn);
    }
    LRESULT OnColour(WPARAM, LPARAM) {
        ++parentColourQueries;
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectDialog, CDialog)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnColour)
END_MESSAGE_MAP()

TEST(Reflection, ColourQueryGoesToTheStaticThatAskedAndFallsBackToTheParent) {
    ReflectDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HDC dc = GetDC(dialog.label.m_hWnd);
    const HBRUSH own = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    dialog.label.brush = own;
    const LRESULT answer = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(dialog.label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), own);
    EXPECT_EQ(dialog.label.kind, static_cast<UINT>(CTLCOLOR_STATIC));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(dialog.parentColourQueries, 0);

    dialog.label.brush = nullptr;  // no answer: the parent's own handling applies
    const LRESULT fallback = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                reinterpret_cast<LPARAM>(dialog.label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(fallback), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dialog.parentColourQueries, 1);
    ReleaseDC(dialog.label.m_hWnd, dc);
    dialog.DestroyWindow();
}

TEST(Reflection, OwnerDrawRequestsReachTheButtonWhenItPaints) {
    ReflectDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    dialog.drawn.Invalidate();
    dialog.drawn.UpdateWindow();
    wintest::Pump();
    EXPECT_GE(dialog.drawn.draws, 1);
    EXPECT_EQ(dialog.drawn.lastId, static_cast<UINT>(IDC_DRAWN));
    dialog.DestroyWindow();
}

TEST(Reflection, ChildrenBoundInTheExchangeAreDetachedWithTheDialog) {
    ReflectDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND label = dialog.label.m_hWnd;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label, dialog.GetDlgItem(IDC_LABEL));
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.label.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
}

}  // namespace
