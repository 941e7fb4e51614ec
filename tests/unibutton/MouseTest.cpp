// The pointer over the shape: hover and capture, presses and clicks, double clicks, and
// the parts of the bounding box that belong to the parent.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/WinTest.h"
#include "tests/unibutton/ButtonHost.h"

namespace unibutton_test {
namespace {

const COLORREF NORMAL = RGB(206, 215, 231);
const COLORREF PRESSED = RGB(0, 255, 0);
const COLORREF HOVER = RGB(255, 255, 0);
const COLORREF DISABLED = RGB(255, 0, 255);

// An L-shaped button whose box is 60 x 60; (45, 45) is in the box but not in the shape.
const CPoint IN_CORNER(10, 10);
const CPoint IN_TOP_BAR(45, 10);
const CPoint IN_SIDE_BAR(10, 45);
const CPoint IN_NOTCH(45, 45);
const CPoint ORIGIN(40, 40);
const CPoint FACE_POINT(30, 10);

class MouseTest : public HostTest {
protected:
    void Make(ProbeButton& button) {
        CRgn shape;
        SetEllShape(shape, 0, 0, 60, 20);
        ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, ORIGIN, shape, &host, BUTTON_ID, 2,
                                            NORMAL, PRESSED, HOVER, DISABLED));
        button.facePoint = FACE_POINT;
        wintest::Pump();
    }
    // The face on screen, by its fill.
    static COLORREF Face(const ProbeButton& button) {
        return wintest::ClientPixel(button, FACE_POINT.x, FACE_POINT.y);
    }
    void Leave() { ParkPointer(); }
};

TEST_F(MouseTest, EnteringRepaintsOnceMovingWithinNeverLeavingOnce) {
    ProbeButton button;
    Make(button);
    EXPECT_EQ(Face(button), NORMAL);
    const int base = button.draws;

    wintest::MoveMouseTo(button, IN_CORNER);
    EXPECT_EQ(button.draws, base + 1) << button.Requests();
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "held while the pointer is over the shape";
    wintest::MoveMouseTo(button, IN_TOP_BAR);
    wintest::MoveMouseTo(button, IN_SIDE_BAR);
    EXPECT_EQ(button.draws, base + 1) << button.Requests();
    EXPECT_EQ(GetCapture(), button.m_hWnd);
    EXPECT_EQ(Face(button), HOVER);

    const int hovered = button.draws;
    Leave();
    EXPECT_EQ(button.draws, hovered + 1) << button.Requests();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Face(button), NORMAL);
}

TEST_F(MouseTest, ACapturedMoveIntoTheBoxButOutsideTheShapeEndsTheHover) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    ASSERT_EQ(GetCapture(), button.m_hWnd);
    const int hovered = button.draws;
    wintest::MoveMouseTo(button, IN_NOTCH);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button.draws, hovered + 1) << button.Requests();
    EXPECT_EQ(Face(button), NORMAL);
    CPoint notch = IN_NOTCH;
    button.ClientToScreen(&notch);
    EXPECT_EQ(WindowFromPoint(notch), host.m_hWnd) << "the window is clipped to the shape";
}

TEST_F(MouseTest, APressHoldsTheCaptureAndAReleaseOverTheShapeClicksOnce) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    wintest::LeftButtonAt(button, IN_CORNER, true);
    EXPECT_EQ(GetCapture(), button.m_hWnd);
    EXPECT_TRUE(button.lastState & ODS_SELECTED);
    EXPECT_EQ(Face(button), PRESSED);

    wintest::MoveMouseTo(button, IN_TOP_BAR);
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "held while the button is down";
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 0);

    // The standard button may repaint its pushed state unchanged on every move (Wine 10
    // does): what counts is the face shown.
    const int pressed = button.faceChanges;
    wintest::LeftButtonAt(button, IN_TOP_BAR, false);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 1);
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "hovering again";
    EXPECT_EQ(button.faceChanges, pressed + 1) << "the release changes the face once:" << button.Requests();
    EXPECT_EQ(Face(button), HOVER);

    Leave();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Face(button), NORMAL);
    EXPECT_TRUE(host.ownPresses.empty());
}

TEST_F(MouseTest, AReleaseAwayFromTheButtonIsNoClickAndEndsTheHover) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    wintest::LeftButtonAt(button, IN_CORNER, true);
    wintest::LeftButtonAt(host, CPoint(300, 200), false);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Face(button), NORMAL);
    EXPECT_TRUE(host.ownPresses.empty()) << "the captured release went to the button";

    // And the button works as before.
    wintest::ClickAt(button, IN_SIDE_BAR);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 1);
}

// The second press of a double click, and then a press of its own (a third press starts
// no double click), each held alike.
TEST_F(MouseTest, WhileTheButtonIsDownMovesDoNotTrackTheHover) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    for (const bool secondPress : {true, false}) {
        const int clicks = host.Notified(BUTTON_ID, BN_CLICKED) + (secondPress ? 2 : 1);
        if (secondPress) wintest::ClickAt(button, IN_CORNER);
        wintest::LeftButtonAt(button, IN_CORNER, true);
        wintest::MoveMouseTo(button, IN_NOTCH);
        EXPECT_EQ(GetCapture(), button.m_hWnd) << "the press keeps the capture outside the shape";
        wintest::MoveMouseTo(button, IN_SIDE_BAR);
        EXPECT_TRUE(button.lastState & ODS_SELECTED) << "still pushed, back on the shape";
        wintest::LeftButtonAt(button, IN_SIDE_BAR, false);
        EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), clicks) << secondPress;
        EXPECT_EQ(GetCapture(), button.m_hWnd);
        EXPECT_EQ(Face(button), HOVER);
    }
}

TEST_F(MouseTest, ADoubleClickIsTwoClicks) {
    ProbeButton button;
    Make(button);
    wintest::ClickAt(button, IN_CORNER, true);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 2);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_DOUBLECLICKED), 0);
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "still over the shape";
    EXPECT_EQ(Face(button), HOVER);
    Leave();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MouseTest, ClicksInTheBoxButOutsideTheShapeReachTheParent) {
    ProbeButton button;
    Make(button);
    const int before = button.draws;
    wintest::ClickAt(button, IN_NOTCH);
    ASSERT_EQ(host.ownPresses.size(), 1u);
    EXPECT_EQ(host.ownPresses[0], CPoint(ORIGIN.x + IN_NOTCH.x, ORIGIN.y + IN_NOTCH.y));
    wintest::ClickAt(button, IN_NOTCH, true);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_NE(GetCapture(), button.m_hWnd);
    EXPECT_EQ(button.draws, before);
}

TEST_F(MouseTest, APressWithoutAMoveBeforeItStillClicksAndThenHovers) {
    ProbeButton button;
    Make(button);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(IN_CORNER.x, IN_CORNER.y));
    EXPECT_EQ(GetCapture(), button.m_hWnd);
    EXPECT_TRUE(button.lastState & ODS_SELECTED);
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(IN_CORNER.x, IN_CORNER.y));
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 1);
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "the release found the pointer over the shape";
    EXPECT_EQ(Face(button), HOVER);
    const int hovered = button.draws;
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(IN_NOTCH.x, IN_NOTCH.y));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button.draws, hovered + 1) << button.Requests();
    EXPECT_EQ(Face(button), NORMAL);
}

TEST_F(MouseTest, ACaptureTakenAwayEndsTheHoverAndTheNextEntryTracksAgain) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    ASSERT_EQ(GetCapture(), button.m_hWnd);
    host.SetCapture();
    EXPECT_EQ(Face(button), NORMAL);
    ReleaseCapture();

    wintest::MoveMouseTo(button, IN_TOP_BAR);
    EXPECT_EQ(GetCapture(), button.m_hWnd) << "the button takes the capture again";
    EXPECT_EQ(Face(button), HOVER);
    Leave();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Face(button), NORMAL);
}

TEST_F(MouseTest, DisablingAHoveredButtonEndsTheHoverAndEnabledItTracksAgain) {
    ProbeButton button;
    Make(button);
    wintest::MoveMouseTo(button, IN_CORNER);
    ASSERT_EQ(GetCapture(), button.m_hWnd);
    // Disabling takes the capture away (WM_CANCELMODE).
    button.EnableWindow(false);
    EXPECT_EQ(Face(button), DISABLED);
    button.EnableWindow(true);
    EXPECT_EQ(Face(button), NORMAL);
    wintest::MoveMouseTo(button, IN_SIDE_BAR);
    EXPECT_EQ(GetCapture(), button.m_hWnd);
    Leave();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MouseTest, DestroyingAHoveredButtonLeavesNoCaptureAndNothingAlive) {
    const long before = CGdiObject::LiveCount();
    auto button = std::make_unique<ProbeButton>();
    Make(*button);
    wintest::MoveMouseTo(*button, IN_CORNER);
    ASSERT_EQ(GetCapture(), button->m_hWnd);
    button.reset();
    wintest::Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CGdiObject::LiveCount(), before);
    wintest::ClickAt(host, CPoint(ORIGIN.x + 10, ORIGIN.y + 10));
    EXPECT_EQ(host.ownPresses.size(), 1u);
}

}  // namespace
}  // namespace unibutton_test
