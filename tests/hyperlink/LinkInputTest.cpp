// Links driven by the mouse, the keyboard and the focus: hit test, hovering and the
// capture, opening on release or press, space, the cursor, and real input that
// shows the tooltip and opens the link in the recording browser.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/ClassKeyOverride.h"
#include "tests/hyperlink/LinkFixture.h"
#include "tests/support/RecordingBrowser.h"
#include "tests/support/WinTest.h"

namespace {

using namespace linktest;
using LS = CHyperLink;

// A scheme nobody registers: the shell answers 31, and ".htm" names a file type
// without an open command, so the fallback stops there too.
constexpr char LAUNCH_UNOPENABLE[] = "quilletnosuch:page";
const std::wstring LAUNCH_NO_ASSOCIATION =
    L"Can't open link:\n\nThere is no application associated\nwith the given filename extension.";

class FailingLinks : public ::testing::Test {
protected:
    void SetUp() override {
        for (ProbeLink* link : {&dialog.text, &dialog.centre, &dialog.right})
            link->SetTarget(LAUNCH_UNOPENABLE);
        dialog.centre.ChangeStyleBits(0, LS::LS_OPENONPRESS, FALSE);
        dialog.right.ChangeStyleBits(LS::LS_FOCUSONCLICK, LS::LS_HOVERCOLOR, FALSE);
        ASSERT_TRUE(dialog.Open());
    }
    void TearDown() override { ReleaseCapture(); }

    ClassKeyOverride htm{".htm", std::string("quillet.test.unhandled")};
    LinkDialog dialog;
};

TEST_F(FailingLinks, HitTestHoverAndLeavingReleaseTheCapture) {
    HWND link = dialog.text;
    POINT inside{2, 2};
    ClientToScreen(link, &inside);
    EXPECT_EQ(SendMessageW(link, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);

    const CRect client = ClientRect(link);
    MouseMove(link, 2, 2);
    EXPECT_EQ(GetCapture(), link);
    MouseMove(link, client.right - 1, client.bottom - 1);
    EXPECT_EQ(GetCapture(), link) << "the last pixel is inside";
    MouseMove(link, client.right, 0);
    EXPECT_EQ(GetCapture(), nullptr) << "the right edge is outside";
    MouseMove(link, 0, 0);
    MouseMove(link, 0, client.bottom);
    EXPECT_EQ(GetCapture(), nullptr) << "the bottom edge is outside";
    MouseMove(link, 0, 0);
    MouseMove(link, -1, 0);
    EXPECT_EQ(GetCapture(), nullptr);

    HWND hover = dialog.right;
    MouseMove(hover, 1, 1);
    EXPECT_EQ(TextColour(hover), LINK_RED);
    MouseMove(hover, 1, -1);
    EXPECT_EQ(TextColour(hover), LINK_BLUE) << "back when the mouse leaves";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FailingLinks, OpensOnReleaseByDefaultAndOnPressWithOpenOnPress) {
    wintest::MessageBoxCloser boxes;
    ButtonUp(dialog.text);
    EXPECT_TRUE(boxes.texts.empty()) << "a release without a press opens nothing";
    ButtonDown(dialog.text);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(GetFocus(), dialog.text.m_hWnd);
    EXPECT_EQ(TextColour(dialog.text), LINK_TEAL);
    ButtonUp(dialog.text);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], LAUNCH_NO_ASSOCIATION);
    EXPECT_FALSE(dialog.text.IsVisited());

    ButtonDown(dialog.centre);
    EXPECT_EQ(boxes.texts.size(), 2u) << "LS_OPENONPRESS opens on the press";
    ButtonUp(dialog.centre);
    EXPECT_EQ(boxes.texts.size(), 2u) << "and not again on the release";

    HWND focused = GetFocus();
    ASSERT_TRUE(ShowsColour(dialog.right, LINK_BLUE));
    ButtonDown(dialog.right);
    EXPECT_EQ(GetFocus(), focused) << "without LS_FOCUSONCLICK the focus stays";
    EXPECT_TRUE(ShowsColour(dialog.right, LINK_TEAL)) << "a press shows the link active at once";
    ButtonUp(dialog.right);
    EXPECT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(TextColour(dialog.right), LINK_TEAL) << "pressed links are active";
}

TEST_F(FailingLinks, SpaceOpensAndOtherKeysGoOnToTheStatic) {
    wintest::MessageBoxCloser boxes;
    HWND link = dialog.text;
    SetFocus(link);
    SendMessageW(link, WM_KEYDOWN, 'A', 1);
    SendMessageW(link, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(dialog.text.defaultKeys, (std::vector<WPARAM>{'A', VK_RETURN}));
    SendMessageW(link, WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(link, WM_KEYDOWN, VK_SPACE, 0x40000001);  // the key's auto-repeat
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], LAUNCH_NO_ASSOCIATION);
    EXPECT_EQ(dialog.text.defaultKeys.size(), 2u) << "space is the link's own";
}

TEST_F(FailingLinks, LosingTheFocusEndsActiveHoverAndTheCapture) {
    HWND link = dialog.right;
    SetFocus(link);
    MouseMove(link, 1, 1);
    EXPECT_EQ(TextColour(link), LINK_RED);
    SetFocus(GetDlgItem(dialog, IDC_OTHER));
    EXPECT_EQ(TextColour(link), LINK_BLUE) << "neither hovering nor active";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(LinkModal, SpaceThroughTheDialogManagerOpensTheFocusedLink) {
    ClassKeyOverride htm(".htm", std::string("quillet.test.unhandled"));
    wintest::MessageBoxCloser boxes;
    LinkDialog dialog;
    dialog.text.SetTarget(LAUNCH_UNOPENABLE);
    wintest::ModalScript script;
    script.steps = {[&] { dialog.text.SetFocus(); }, [] { wintest::PostKey('B'); },
                    [] { wintest::PostKey(VK_SPACE); }, [] {}, [] {}, [&] { dialog.EndDialog(IDOK); }};
    script.Run(dialog);
    EXPECT_FALSE(script.stuck);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], LAUNCH_NO_ASSOCIATION);
    EXPECT_EQ(dialog.text.defaultKeys, std::vector<WPARAM>{'B'});
}

TEST(LinkCursor, AnAssignedCursorIsUsedAndKeptByLaterLinks) {
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    HWND link = dialog.text;
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    CHyperLink::AssignCursor(cross);
    EXPECT_EQ(CHyperLink::CurrentCursor(), cross);
    EXPECT_EQ(SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), cross);
    wintest::MoveMouseTo(dialog, {4, 4});
    wintest::MoveMouseTo(link, {3, 3});
    EXPECT_EQ(GetCursor(), cross) << "real pointer over the label";
    LinkDialog second;
    ASSERT_TRUE(second.Open());
    EXPECT_EQ(CHyperLink::CurrentCursor(), cross) << "attaching keeps the assigned cursor";
    ReleaseCapture();
}

// The shell's open of an http URL runs the recording browser.
class OpeningLinks : public ::testing::Test {
protected:
    RecordingBrowser browser;
    ClassKeyOverride http{"http\\shell\\open\\command", RecordingBrowser::QuotedProgram() + " \"%1\""};
    ClassKeyOverride htm{".htm", std::string("quillet.test.unhandled")};
    wintest::MessageBoxCloser boxes;
};

TEST_F(OpeningLinks, ASuccessfulOpenReachesTheBrowserAndTheLinkTurnsVisited) {
    LinkDialog dialog;
    dialog.text.SetTarget("http://example.org/showNote.php?id=580");
    ASSERT_TRUE(dialog.Open());
    ButtonDown(dialog.text);
    ButtonUp(dialog.text);
    EXPECT_EQ(browser.WaitForLaunches(1),
              std::vector<std::string>{RecordingBrowser::QuotedProgram() +
                                       " \"http://example.org/showNote.php?id=580\""});
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(dialog.text.IsVisited());
    EXPECT_EQ(TextColour(dialog.text), LINK_TEAL) << "active while it has the focus";
    SetFocus(GetDlgItem(dialog, IDC_OTHER));
    EXPECT_EQ(TextColour(dialog.text), LINK_PURPLE);
}

TEST_F(OpeningLinks, RealPointerShowsTheTooltipClicksOpenAndLeavingEndsHovering) {
    const char url[] = "http://example.org/showNote.php?id=579";
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.text.SetTarget(url);
    HWND link = dialog.text;
    ASSERT_EQ(GetForegroundWindow(), dialog.m_hWnd) << "another program holds the foreground";
    wintest::MoveMouseTo(link, {3, 3});
    EXPECT_EQ(GetCapture(), link);

    const HWND tip = FindTip(link).window;
    for (int i = 0; i < 100 && !IsWindowVisible(tip); ++i) wintest::Pump(2);
    EXPECT_TRUE(IsWindowVisible(tip)) << "the tooltip shows on hover";
    wchar_t shown[256] = {};
    TTTOOLINFOW current{};
    current.cbSize = sizeof(current);
    current.lpszText = shown;
    EXPECT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, 1u);
    EXPECT_EQ(std::wstring(shown), L"http://example.org/showNote.php?id=579") << "the URL, not the label";

    wintest::ClickAt(link, {3, 3});
    EXPECT_EQ(browser.WaitForLaunches(1),
              std::vector<std::string>{RecordingBrowser::QuotedProgram() + " \"" + url + "\""});
    EXPECT_TRUE(dialog.text.IsVisited());

    wintest::MoveMouseTo(dialog, {400, 200});
    EXPECT_EQ(GetCapture(), nullptr) << "the first move outside ends hovering";
}

// Each state change of real input reaches the screen.
TEST_F(OpeningLinks, StateChangesOfRealInputReachTheScreen) {
    LinkDialog dialog;
    dialog.centre.ChangeStyleBits(0, LS::LS_HOVERCOLOR, FALSE);
    dialog.centre.SetTarget("http://example.org/");
    ASSERT_TRUE(dialog.Open());
    HWND link = dialog.centre;
    wintest::MoveMouseTo(link, {3, 3});
    EXPECT_TRUE(ShowsColour(link, LINK_RED)) << "hovering";
    SetCapture(GetDlgItem(dialog, IDC_OTHER));
    EXPECT_TRUE(ShowsColour(link, LINK_BLUE)) << "another window took the capture";
    ReleaseCapture();
    wintest::MoveMouseTo(link, {6, 3});
    EXPECT_TRUE(ShowsColour(link, LINK_RED)) << "the next move hovers again";
    ASSERT_TRUE(wintest::JumpPointerOffProgram());
    EXPECT_TRUE(ShowsColour(link, LINK_BLUE)) << "the pointer left in one jump";
    wintest::ClickAt(link, {3, 3});
    browser.WaitForLaunches(1);
    wintest::MoveMouseTo(dialog, {5, 5});
    EXPECT_TRUE(ShowsColour(link, LINK_TEAL)) << "focused";
    SetFocus(GetDlgItem(dialog, IDC_OTHER));
    EXPECT_TRUE(ShowsColour(link, LINK_PURPLE)) << "visited";
}

}  // namespace
