// Modal runs and the data exchange.
#include <gtest/gtest.h>

#include "classlib/App.h"
#include "classlib/Controls.h"
#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "tests/classlib/TestIds.h"
#include "tests/support/WinTest.h"

namespace {

class ExchangeDialog : public CDialog {
public:
    explicit ExchangeDialog(CWnd* parent = nullptr) : CDialog(IDD_EXCHANGE, parent) {}
    int32_t first = 1;
    int32_t second = 2;
    int32_t third = 3;
    int okCalls = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_FIRST, first);
        DDX_Text(dx, IDC_SECOND, second);
        DDX_Text(dx, IDC_THIRD, third);
    }
    void OnOK() override {
        ++okCalls;
        CDialog::OnOK();
    }
};

class OwnerDialog : public CDialog {
public:
    OwnerDialog() : CDialog(IDD_OWNER) {}
};

// A main window for the duration of a test, as the program's own would be.
struct MainWindow {
    OwnerDialog dialog;
    MainWindow() {
        dialog.Create();
        AfxGetApp()->m_pMainWnd = &dialog;
    }
    ~MainWindow() {
        dialog.DestroyWindow();
        EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr) << "cleared when the window goes";
    }
};

TEST(Exchange, TowardsTheControlsWritesPlainDecimals) {
    ExchangeDialog dialog;
    dialog.first = -2147483647 - 1;
    dialog.second = 0;
    dialog.third = 2147483647;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(wintest::WindowTextW(dialog.GetDlgItem(IDC_FIRST)), L"-2147483648");
    EXPECT_EQ(wintest::WindowTextW(dialog.GetDlgItem(IDC_SECOND)), L"0");
    EXPECT_EQ(wintest::WindowTextW(dialog.GetDlgItem(IDC_THIRD)), L"2147483647");
    dialog.DestroyWindow();
}

TEST(Exchange, RefusedTextStopsAtThatEditAndLeavesItAndLaterMembers) {
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOW);
    SetDlgItemTextW(dialog, IDC_FIRST, L" 10 ");
    SetDlgItemTextW(dialog, IDC_SECOND, L"十二");
    SetDlgItemTextW(dialog, IDC_THIRD, L"30");
    wintest::MessageBoxCloser closer;
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.first, 10);
    EXPECT_EQ(dialog.second, 2);
    EXPECT_EQ(dialog.third, 3);
    ASSERT_EQ(closer.texts.size(), 1u);
    EXPECT_EQ(closer.texts[0], L"请输入一个整数（-2147483648 到 2147483647）。");
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_SECOND)) << "the refused edit gets the focus";

    SetDlgItemTextW(dialog, IDC_SECOND, L"１２");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.second, 12);
    EXPECT_EQ(dialog.third, 30);
    EXPECT_EQ(closer.texts.size(), 1u);
    dialog.DestroyWindow();
}

TEST(Exchange, ValuesBeyondTheRangeAreRefusedNotWrapped) {
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    SetDlgItemTextW(dialog, IDC_FIRST, L"4294967297");
    wintest::MessageBoxCloser closer;
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.first, 1);
    EXPECT_EQ(closer.texts.size(), 1u);
    dialog.DestroyWindow();
}

TEST(Modal, OwnerIsTheMainWindowDisabledDuringTheRunAndEnabledAfter) {
    MainWindow main;
    ExchangeDialog dialog;
    HWND ownerSeen = nullptr;
    bool ownerEnabledDuring = true;
    wintest::ModalScript script;
    script.steps = {[&] {
                        ownerSeen = GetWindow(dialog.m_hWnd, GW_OWNER);
                        ownerEnabledDuring = IsWindowEnabled(main.dialog.m_hWnd) != FALSE;
                    },
                    [&] { dialog.EndDialog(IDCANCEL); }};
    EXPECT_EQ(script.Run(dialog), IDCANCEL);
    EXPECT_EQ(ownerSeen, main.dialog.m_hWnd);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(main.dialog.m_hWnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window is gone when the run returns";
}

TEST(Modal, EnterGivesOkWithExchangeAndEscGivesCancel) {
    ExchangeDialog dialog;
    wintest::ModalScript script;
    script.steps = {[&] {
                        SetDlgItemTextW(dialog, IDC_FIRST, L"55");
                        SetFocus(dialog.GetDlgItem(IDC_FIRST));
                        wintest::PostKey(VK_RETURN);
                    }};
    EXPECT_EQ(script.Run(dialog), IDOK);
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(dialog.first, 55);

    ExchangeDialog again;
    wintest::ModalScript escape;
    escape.steps = {[&] {
        SetFocus(again.GetDlgItem(IDC_SECOND));
        wintest::PostKey(VK_ESCAPE);
    }};
    EXPECT_EQ(escape.Run(again), IDCANCEL);
    EXPECT_EQ(again.okCalls, 0);
}

TEST(Modal, OkWithARefusedTextKeepsTheDialogOpen) {
    ExchangeDialog dialog;
    wintest::MessageBoxCloser closer;
    bool openAfterOk = false;
    wintest::ModalScript script;
    script.steps = {[&] {
                        SetDlgItemTextW(dialog, IDC_THIRD, L"x");
                        wintest::PressButton(dialog, IDOK);
                    },
                    [&] {
                        openAfterOk = !dialog.IsEnded();
                        wintest::PressButton(dialog, IDCANCEL);
                    }};
    EXPECT_EQ(script.Run(dialog), IDCANCEL);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(closer.texts.size(), 1u);
}

TEST(Modal, NestedRunsDisableTheirOwnerInTurn) {
    MainWindow main;
    ExchangeDialog outer;
    bool mainDisabledInInner = false;
    bool outerDisabledInInner = false;
    bool outerEnabledAfterInner = false;
    wintest::ModalScript script;
    script.steps = {[&] {
                        ExchangeDialog inner(&outer);
                        wintest::ModalScript innerScript;
                        innerScript.steps = {[&] {
                            mainDisabledInInner = !IsWindowEnabled(main.dialog.m_hWnd);
                            outerDisabledInInner = !IsWindowEnabled(outer.m_hWnd);
                            inner.EndDialog(IDOK);
                        }};
                        innerScript.Run(inner);
                        outerEnabledAfterInner = IsWindowEnabled(outer.m_hWnd) != FALSE;
                    },
                    [&] { outer.EndDialog(IDCANCEL); }};
    EXPECT_EQ(script.Run(outer), IDCANCEL);
    EXPECT_TRUE(mainDisabledInInner);
    EXPECT_TRUE(outerDisabledInInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_TRUE(IsWindowEnabled(main.dialog.m_hWnd));
}

// Moves itself to (7, 9) during its initialisation.
class MovingDialog : public ExchangeDialog {
protected:
    BOOL OnInitDialog() override {
        SetWindowPos(m_hWnd, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return ExchangeDialog::OnInitDialog();
    }
};

// Over a disabled owner in the work area's corner, a dialog larger than the owner moves
// back inside the work area; over a minimised owner, it is centred on the work area.
TEST(Placement, CentredWithinTheWorkAreaUnlessMovedByItsInitialisationOrBesideAnEnabledOwner) {
    MovingDialog moved;
    ASSERT_TRUE(moved.Create());
    CRect movedRect;
    moved.GetWindowRect(&movedRect);
    EXPECT_EQ(movedRect.TopLeft(), CPoint(7, 9));
    MainWindow main;
    EXPECT_TRUE(wintest::CentredOn(main.dialog, wintest::WorkAreaCentre()));
    ExchangeDialog beside;
    ASSERT_TRUE(beside.Create());
    EXPECT_FALSE(wintest::CentredOn(beside, wintest::Centre(main.dialog)));

    const CRect work = wintest::WorkArea();
    SetWindowPos(main.dialog, nullptr, work.left, work.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    main.dialog.EnableWindow(false);
    ExchangeDialog cornered;
    ASSERT_TRUE(cornered.Create());
    CRect corneredRect;
    cornered.GetWindowRect(&corneredRect);
    EXPECT_EQ(corneredRect.TopLeft(), work.TopLeft());
    main.dialog.ShowWindow(SW_MINIMIZE);
    ExchangeDialog overMinimised;
    ASSERT_TRUE(overMinimised.Create());
    EXPECT_TRUE(wintest::CentredOn(overMinimised, wintest::WorkAreaCentre()));
}

TEST(Modal, MissingTemplateFailsWithoutTouchingTheOwner) {
    MainWindow main;
    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(main.dialog.m_hWnd));
}

}  // namespace
