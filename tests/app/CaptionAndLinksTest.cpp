// The main window's caption buttons and service links, with real pointer input.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/ServiceHost.h"
#include "app/quilletDlg.h"
#include "classlib/App.h"
#include "harness/LaunchedProgram.h"
#include "res/resource.h"
#include "tests/support/ClassKeyOverride.h"
#include "tests/support/RecordingBrowser.h"
#include "tests/support/WinTest.h"
#include "tests/app/ServiceLinks.h"

namespace {

using wintest::Centre;

const std::vector<std::string> MAIN_LINK_TARGETS = ServicePages(std::string("http://") + SERVICE_HOST);
// The caption buttons' faces, by their fill.
constexpr COLORREF CAPTION_NORMAL = RGB(206, 215, 231);
constexpr COLORREF CAPTION_HOVER = RGB(255, 255, 0);
// On the title strip, left of the caption buttons.
constexpr POINT TITLE_STRIP{300, 12};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        AfxGetApp()->m_pMainWnd = &main;
        ASSERT_TRUE(main.Create());
        SetForegroundWindow(main);
        // The pointer may still rest where an earlier test left it, over a button.
        wintest::MoveMouseTo(main, POINT{300, 300});
        wintest::Pump(5);
    }
    void TearDown() override {
        ReleaseCapture();
        main.DestroyWindow();
    }
    CHyperLink& Link(int i) {
        CHyperLink* links[] = {&main.m_linkCentre, &main.m_linkFreeAdvice, &main.m_linkBooking,
                               &main.m_linkLitigator, &main.m_linkPrivateCounsel,
                               &main.m_linkCompanyCounsel};
        return *links[i];
    }
    // The face a caption button shows, read above its glyph.
    COLORREF Face(HWND button) {
        const POINT centre = Centre(button, button);
        return wintest::ClientPixel(button, centre.x, centre.y / 2);
    }
    static bool Pushed(HWND button) { return SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED; }
    CQuilletDlg main;
};

TEST_F(MainWindowFixture, EachLabelWrapsItsStaticAndHasItsFullUrl) {
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Link(i).m_hWnd, main.GetDlgItem(MAIN_LINK_IDS[i])) << i;
        EXPECT_EQ(CWnd::FromHandlePermanent(main.GetDlgItem(MAIN_LINK_IDS[i])), &Link(i)) << i;
        EXPECT_EQ(Link(i).GetTarget(), MAIN_LINK_TARGETS[i].c_str()) << i;
        // The label keeps its template text.
        EXPECT_FALSE(Link(i).GetWindowText() == MAIN_LINK_TARGETS[i].c_str()) << i;
    }
    EXPECT_EQ(main.m_linkCentre.GetWindowText(), "Orvane");
}

TEST_F(MainWindowFixture, CaptionButtonsStandAtTheRightEndOfTheTitleStrip) {
    struct Expected {
        CUniButton* button;
        const wchar_t* caption;
        POINT origin;
        int id;
    } buttons[] = {{&main.m_closeButton, L"\x00D7", {440, 5}, IDC_CLOSE_BUTTON},
                   {&main.m_minimizeButton, L"\x2015", {420, 5}, IDC_MINIMIZE_BUTTON}};
    for (const Expected& e : buttons) {
        HWND hwnd = e.button->m_hWnd;
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(wintest::WindowTextW(hwnd), e.caption);
        EXPECT_EQ(GetDlgCtrlID(hwnd), e.id);
        EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & ~0xFu, WS_CHILD | WS_VISIBLE);
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, e.origin.x);
        EXPECT_EQ(rect.top, e.origin.y);
        // The shape of ■ in a 24-pixel font: a square of roughly 20 pixels.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
        RECT box{};
        GetRgnBox(region, &box);
        DeleteObject(region);
        EXPECT_EQ(box.left, 0);
        EXPECT_EQ(box.top, 0);
        EXPECT_GE(box.right, 14);
        EXPECT_LE(box.right, 24);
        EXPECT_EQ(box.right, rect.right - rect.left);
    }
}

// Web pages open in the recording browser.
class LinksOpen : public MainWindowFixture {
protected:
    RecordingBrowser browser;
    ClassKeyOverride http{"http\\shell\\open\\command", RecordingBrowser::QuotedProgram() + " \"%1\""};
    wintest::MessageBoxCloser boxes;
};

TEST_F(LinksOpen, EachLabelOpensItsOwnPage) {
    std::vector<std::string> expected;
    for (int i = 0; i < 6; ++i) {
        wintest::ClickAt(Link(i), POINT{3, 3});
        wintest::MoveMouseTo(main, POINT{300, 300});
        expected.push_back(RecordingBrowser::QuotedProgram() + " \"" + MAIN_LINK_TARGETS[i] + "\"");
        EXPECT_EQ(browser.WaitForLaunches(expected.size()), expected) << i;
    }
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(LinksOpen, OrvaneOpensTheRootAndDoesNotMinimise) {
    wintest::ClickAt(main.m_linkCentre, POINT{3, 3});
    EXPECT_EQ(browser.WaitForLaunches(1),
              std::vector<std::string>{RecordingBrowser::QuotedProgram() + " \"" + MAIN_LINK_TARGETS[0] + "\""});
    EXPECT_FALSE(IsIconic(main));
    EXPECT_FALSE(main.IsEnded());
}

TEST_F(MainWindowFixture, HoveringALabelShowsItsFullUrl) {
    for (int i : {1, 4}) {
        wintest::MoveMouseTo(Link(i), POINT{3, 3});
        HWND tip = nullptr;
        for (int tries = 0; tries < 100 && !tip; ++tries) {
            wintest::Pump(2);
            for (HWND window : wintest::ThreadWindows(TOOLTIPS_CLASSW)) {
                if (IsWindowVisible(window)) tip = window;
            }
        }
        ASSERT_NE(tip, nullptr) << "a tooltip shows over label " << i;
        wchar_t shown[256] = {};
        TTTOOLINFOW current{};
        current.cbSize = sizeof current;
        current.lpszText = shown;
        ASSERT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
        EXPECT_EQ(current.hwnd, Link(i).m_hWnd);
        const std::string& url = MAIN_LINK_TARGETS[i];
        EXPECT_EQ(std::wstring(shown), std::wstring(url.begin(), url.end()));
        wintest::MoveMouseTo(main, POINT{300, 300});
        wintest::Pump(5);
    }
}

TEST_F(MainWindowFixture, TheCloseButtonEndsByTheCancelPath) {
    wintest::ClickAt(main.m_closeButton, Centre(main.m_closeButton, main.m_closeButton));
    EXPECT_TRUE(main.IsEnded());
    EXPECT_EQ(main.ModalResult(), IDCANCEL);
}

TEST_F(MainWindowFixture, TheMinimiseButtonMinimisesAndRestoringShowsEverythingUnchanged) {
    main.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    wintest::Pump(3);
    RECT area{};
    main.GetClientRect(&area);
    const size_t width = static_cast<size_t>(area.right);
    const std::vector<COLORREF> before = wintest::ClientPixels(main, area);
    wintest::ClickAt(main.m_minimizeButton, Centre(main.m_minimizeButton, main.m_minimizeButton));
    EXPECT_TRUE(IsIconic(main));
    EXPECT_FALSE(main.IsEnded());
    main.ShowWindow(SW_RESTORE);
    wintest::MoveMouseTo(main, POINT{300, 300});
    main.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    wintest::Pump(3);
    EXPECT_FALSE(IsIconic(main));
    const std::vector<COLORREF> after = wintest::ClientPixels(main, area);
    ASSERT_EQ(after.size(), before.size());
    int differing = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        if (differing++ < 5) {
            ADD_FAILURE() << "pixel (" << i % width << ", " << i / width << ") was " << std::hex
                          << before[i] << ", is " << after[i];
        }
    }
    EXPECT_EQ(differing, 0) << "skin, labels and buttons look as before";
}

// The ■ outline fills each caption button's window: a click beside it is outside both.
TEST_F(MainWindowFixture, ClicksJustOutsideTheCaptionButtonsDoNothingAndJustInsideCloseEnds) {
    const CRect close = wintest::RectInParent(main.m_closeButton);
    // Just below and just right of the close button's shape: the skin, nothing else.
    wintest::ClickAt(main, POINT{(close.left + close.right) / 2, close.bottom + 1});
    wintest::ClickAt(main, POINT{close.right + 1, (close.top + close.bottom) / 2});
    const CRect minimise = wintest::RectInParent(main.m_minimizeButton);
    wintest::ClickAt(main, POINT{minimise.left - 2, (minimise.top + minimise.bottom) / 2});
    EXPECT_FALSE(main.IsEnded());
    EXPECT_FALSE(IsIconic(main));
    // Just inside the close button's outline, it ends the window.
    wintest::ClickAt(main.m_closeButton, POINT{1, 1});
    EXPECT_TRUE(main.IsEnded());
}

TEST_F(MainWindowFixture, ADoubleClickInTheListOpensTheCalculatorAndDoesNotEndTheProgram) {
    int calculators = 0;
    wintest::DialogCloser closer([&](HWND dialog) {
        if (dialog == main.m_hWnd || !GetDlgItem(dialog, IDC_AMOUNT)) return 0;
        ++calculators;
        return IDCANCEL;
    });
    HWND list = main.GetDlgItem(IDC_TOOL_LIST);
    wintest::ClickAt(list, POINT{200, 200}, true);
    wintest::Pump(5);
    EXPECT_EQ(calculators, 1);
    EXPECT_FALSE(main.IsEnded());
    EXPECT_TRUE(main.IsWindowEnabled());
}

// Real pointer, focus and window traffic on the main window.
TEST_F(LinksOpen, ALinkShowsAHandAndOpensOnceForAClickPressedAndReleasedOnIt) {
    CHyperLink& link = Link(1);
    RECT orvane{};
    GetWindowRect(main.m_linkCentre, &orvane);
    POINT skin{orvane.left + 5, orvane.bottom + 20};  // the left panel, below the links
    ScreenToClient(main, &skin);
    // The machine's help viewer may give none: the test gives the links a hand itself.
    CHyperLink::AssignCursor(LoadCursor(nullptr, IDC_HAND));
    wintest::ClickAt(link, POINT{3, 3}, true);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    // Pressed on the skin, released on the link, which has the focus now.
    wintest::LeftButtonAt(main, skin, true);
    wintest::LeftButtonAt(link, POINT{3, 3}, false);
    // The focus moves on while the pointer rests on the link; then a click far away.
    SetFocus(main.GetDlgItem(IDC_TOOL_LIST));
    EXPECT_NE(GetCapture(), link.m_hWnd);
    wintest::ClickAt(main, skin);
    // A last page opened: by the time it is recorded, a page that a step before opened
    // by mistake is recorded too, so the list below is complete.
    wintest::ClickAt(Link(2), POINT{3, 3});
    browser.WaitForLaunches(2);
    wintest::Pump(60);
    const std::string program = RecordingBrowser::QuotedProgram() + " \"";
    EXPECT_EQ(browser.Launches(),
              (std::vector<std::string>{program + MAIN_LINK_TARGETS[1] + "\"",
                                        program + MAIN_LINK_TARGETS[2] + "\""}));
}

// Hover on ―, also after a minimise and a restore under the pointer; then the pointer
// jumps off the program's windows.
TEST_F(MainWindowFixture, TheHoverEndsWhenThePointerJumpsOffTheProgram) {
    CUniButton& minimise = main.m_minimizeButton;
    const POINT centre = Centre(minimise, minimise);
    for (bool minimisedBefore : {false, true}) {
        if (minimisedBefore) {
            wintest::ClickAt(minimise, centre);
            main.ShowWindow(SW_RESTORE);
        }
        wintest::MoveMouseTo(minimise, POINT{centre.x + 1, centre.y});
        ASSERT_EQ(Face(minimise), CAPTION_HOVER);
        ASSERT_TRUE(wintest::JumpPointerOffProgram());
        EXPECT_EQ(Face(minimise), CAPTION_NORMAL) << minimisedBefore;
        EXPECT_EQ(GetCapture(), nullptr) << minimisedBefore;
    }
}

// A press that began on the title strip slides across ― onto × and ends there: it pushes
// neither, and its release on × is no click.
TEST_F(MainWindowFixture, APressThatBeganOffTheCaptionButtonsNeverPushesThem) {
    CUniButton* const buttons[] = {&main.m_minimizeButton, &main.m_closeButton};
    wintest::XButtonHeld press(main, TITLE_STRIP);
    ASSERT_TRUE(press.Pressed());
    for (CUniButton* button : buttons) {
        ASSERT_TRUE(wintest::XPointerAt(*button, Centre(*button, *button)));
        EXPECT_FALSE(Pushed(*button));
        EXPECT_EQ(Face(*button), CAPTION_HOVER) << "held over it";
    }
    ASSERT_TRUE(press.ReleaseAt(main.m_closeButton, Centre(main.m_closeButton, main.m_closeButton)));
    ASSERT_TRUE(wintest::XPointerAt(main, TITLE_STRIP));
    for (CUniButton* button : buttons) {
        EXPECT_FALSE(Pushed(*button));
        EXPECT_EQ(Face(*button), CAPTION_NORMAL);
    }
    EXPECT_FALSE(main.IsEnded());
}

// A second copy of the program comes up beside ours while × is held down and takes the
// focus: the press ends there, and its release on × closes nothing.
TEST_F(MainWindowFixture, APressOnACaptionButtonEndsWhenAnotherProgramTakesTheFocus) {
    const char* program = std::getenv("QUILLET_EXE");
    ASSERT_NE(program, nullptr) << "QUILLET_EXE names the program";
    CUniButton& close = main.m_closeButton;
    const POINT centre = Centre(close, close);
    wintest::XButtonHeld press(close, centre);
    ASSERT_TRUE(press.Pressed());
    ASSERT_TRUE(Pushed(close));
    LaunchedProgram other(WindowsPath(program));
    const HWND window = other.WaitUntilReady(wintest::PROGRAM_WAIT_MS);
    ASSERT_EQ(GetForegroundWindow(), window);
    CRect ours;
    main.GetWindowRect(&ours);
    SetWindowPos(window, nullptr, ours.right + 20, ours.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    wintest::SendToProgram(window, WM_NULL);  // answered once it has moved
    EXPECT_FALSE(Pushed(close));
    ASSERT_TRUE(wintest::XPointerAt(close, POINT{centre.x + 1, centre.y}));
    ASSERT_TRUE(press.ReleaseAt(close, centre));
    EXPECT_FALSE(Pushed(close));
    EXPECT_FALSE(main.IsEnded());
    ASSERT_TRUE(wintest::JumpPointerOffProgram());
    EXPECT_EQ(Face(close), CAPTION_NORMAL);
    EXPECT_TRUE(other.Close(window, wintest::PROGRAM_WAIT_MS));
}

// A window above ours covers the lower half of ―: the pointer moved there from the upper
// half ends the hover.
TEST_F(MainWindowFixture, ACaptionButtonDoesNotHoverWhereAnotherWindowCoversIt) {
    CUniButton& minimise = main.m_minimizeButton;
    const POINT centre = Centre(minimise, minimise);
    RECT area{-30, centre.y, 30, 60};
    MapWindowPoints(minimise, nullptr, reinterpret_cast<POINT*>(&area), 2);
    CWnd cover;
    ASSERT_TRUE(cover.CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"Static", "", WS_POPUP | SS_NOTIFY, area, nullptr, 0));
    cover.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(wintest::XPointerAt(minimise, POINT{centre.x, 3}));
    ASSERT_EQ(Face(minimise), CAPTION_HOVER);
    ASSERT_TRUE(wintest::XPointerAt(minimise, POINT{centre.x, centre.y + 4}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Face(minimise), CAPTION_NORMAL);
}

}  // namespace
