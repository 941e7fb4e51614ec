// Creation from a region: placement, the window region and who owns which copy, the
// fallback square, the owner-draw style and failed creations.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/WinTest.h"
#include "tests/unibutton/ButtonHost.h"

namespace unibutton_test {
namespace {

TEST_F(HostTest, ShapeBoxGoesToTheOriginAndTheRegionStartsAtZero) {
    CRgn shape;
    SetRectShape(shape, 12, 7, 40, 31);
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("按钮", CHILD_STYLE, CPoint(100, 50), shape, &host, BUTTON_ID));
    EXPECT_EQ(RectInParent(button), CRect(100, 50, 128, 74));
    CRect client;
    button.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 28, 24)) << "no non-client area";
    CRgn region;
    CopyWindowRegion(button, region);
    CRgn moved;
    SetRectShape(moved, 0, 0, 28, 24);
    EXPECT_TRUE(SameRegion(region, moved));
    EXPECT_EQ(button.GetDlgCtrlID(), static_cast<int>(BUTTON_ID));
    EXPECT_EQ(wintest::WindowTextW(button), L"按钮");
    EXPECT_EQ(GetObjectType(shape), static_cast<DWORD>(OBJ_REGION)) << "the caller's region stays";
}

TEST_F(HostTest, TheCallersRegionMayGoAtOnceAndAnyShapeMovesAsAWhole) {
    ProbeButton button;
    {
        CRgn shape;
        SetEllShape(shape, -5, 40, 40, 12);
        ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(30, 20), shape, &host, BUTTON_ID));
    }  // deleted right after the call
    EXPECT_EQ(RectInParent(button), CRect(30, 20, 70, 60));
    CRgn region;
    CopyWindowRegion(button, region);
    CRgn expected;
    SetEllShape(expected, 0, 0, 40, 12);
    EXPECT_TRUE(SameRegion(region, expected));
    button.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
    CRgn afterPaint;
    CopyWindowRegion(button, afterPaint);
    EXPECT_TRUE(SameRegion(afterPaint, expected)) << "painting leaves the window's region alone";
}

TEST_F(HostTest, ANullOrForeignShapeGivesThe31PixelSquare) {
    CRgn square;
    SetRectShape(square, 0, 0, 31, 31);
    CBrush notARegion(RGB(1, 2, 3));
    const HRGN shapes[] = {nullptr, static_cast<HRGN>(notARegion.GetSafeHandle())};
    for (HRGN shape : shapes) {
        ProbeButton button;
        ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(10, 15), shape, &host, BUTTON_ID));
        EXPECT_EQ(RectInParent(button), CRect(10, 15, 41, 46));
        CRgn region;
        CopyWindowRegion(button, region);
        EXPECT_TRUE(SameRegion(region, square));
    }
    EXPECT_EQ(GetObjectType(notARegion.GetSafeHandle()), static_cast<DWORD>(OBJ_BRUSH));
}

TEST_F(HostTest, AnEmptyShapeGivesAnEmptyWindowThatTakesNoInput) {
    CRgn empty;
    SetRectShape(empty, 5, 5, 5, 5);
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(60, 70), empty, &host, BUTTON_ID));
    EXPECT_EQ(RectInParent(button), CRect(60, 70, 60, 70));
    wintest::ClickAt(host, CPoint(60, 70));
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 0);
    ASSERT_EQ(host.ownPresses.size(), 1u) << "the click lands on the parent";
    EXPECT_EQ(host.ownPresses[0], CPoint(60, 70));
}

TEST_F(HostTest, AnEllipseTakesClicksInsideItsOutlineOnlyNotInTheCornersOfItsBox) {
    CRgn shape;
    shape.Attach(CreateEllipticRgn(0, 0, 60, 40));
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(40, 30), shape, &host, BUTTON_ID));
    const CPoint corners[] = {{2, 2}, {57, 2}, {2, 37}, {57, 37}};
    for (const CPoint& corner : corners) wintest::ClickAt(button, corner);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 0);
    ASSERT_EQ(host.ownPresses.size(), 4u) << "the corners are the parent's";
    EXPECT_EQ(host.ownPresses[3], CPoint(40 + 57, 30 + 37));
    wintest::ClickAt(button, CPoint(30, 20));
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 1);
    EXPECT_EQ(host.ownPresses.size(), 4u);
}

TEST_F(HostTest, EveryStyleBecomesOwnerDrawnAndKeepsItsOtherBits) {
    const DWORD types[] = {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_RADIOBUTTON, BS_AUTO3STATE, BS_GROUPBOX};
    for (DWORD type : types) {
        CRgn shape;
        SetRectShape(shape, 0, 0, 30, 20);
        ProbeButton button;
        ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE | WS_TABSTOP | BS_NOTIFY | type,
                                            CPoint(10, 10), shape, &host, BUTTON_ID));
        const DWORD style = button.GetStyle();
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW)) << "type " << type;
        EXPECT_EQ(style & (WS_TABSTOP | BS_NOTIFY | WS_VISIBLE), WS_TABSTOP | BS_NOTIFY | WS_VISIBLE);
        button.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GE(button.draws, 1) << "type " << type << " paints through owner drawing";
    }
}

TEST_F(HostTest, OnlyTheFourFacesOutliveAPaintAndTheyGoWithTheObject) {
    const long before = CGdiObject::LiveCount();
    CRgn shape;
    SetEllShape(shape, 0, 0, 50, 20);
    auto button = std::make_unique<ProbeButton>();
    ASSERT_TRUE(button->CreateFromRegion("关", CHILD_STYLE, CPoint(20, 20), shape, &host, BUTTON_ID));
    EXPECT_EQ(CGdiObject::LiveCount(), before + 1) << "the copy went to the window";
    button->RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(button->draws, 1);
    EXPECT_EQ(CGdiObject::LiveCount(), before + 1 + 4);
    const int draws = button->draws;
    button->SendMessage(BM_SETSTATE, TRUE);
    button->EnableWindow(false);
    button->RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(button->draws, draws);
    EXPECT_EQ(CGdiObject::LiveCount(), before + 1 + 4) << "later paints keep nothing";
    button->DestroyWindow();
    EXPECT_EQ(CGdiObject::LiveCount(), before + 1 + 4) << "the faces belong to the object";
    button.reset();
    EXPECT_EQ(CGdiObject::LiveCount(), before + 1);
}

TEST_F(HostTest, AShapeCopyWithoutAWindowStaysTheButtonsUntilTheNextCallOrTheEnd) {
    CRgn shape;
    SetRectShape(shape, 0, 0, 20, 20);
    const long before = CGdiObject::LiveCount();
    {
        ProbeButton button;
        // A child window without a parent cannot be made.
        EXPECT_FALSE(button.CreateFromRegion("", CHILD_STYLE, CPoint(0, 0), shape, nullptr, 1));
        EXPECT_EQ(button.m_hWnd, nullptr);
        EXPECT_EQ(CGdiObject::LiveCount(), before + 1);
        button.refuseCreate = true;
        EXPECT_FALSE(button.CreateFromRegion("", CHILD_STYLE, CPoint(0, 0), shape, &host, 1));
        EXPECT_EQ(button.m_hWnd, nullptr);
        EXPECT_EQ(CGdiObject::LiveCount(), before + 1) << "the earlier copy was replaced";
        button.refuseCreate = false;
        ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(5, 6), shape, &host, 1));
        EXPECT_EQ(CGdiObject::LiveCount(), before);
        EXPECT_EQ(RectInParent(button), CRect(5, 6, 25, 26));
    }
    {
        ProbeButton button;
        EXPECT_FALSE(button.CreateFromRegion("", CHILD_STYLE, CPoint(0, 0), shape, nullptr, 1));
    }
    EXPECT_EQ(CGdiObject::LiveCount(), before) << "the destructor frees a copy no window took";
}

TEST_F(HostTest, CreatingAgainOnALiveButtonLeavesTheWindowAsItIs) {
    CRgn shape;
    SetRectShape(shape, 0, 0, 20, 20);
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, CPoint(5, 6), shape, &host, 1));
    HWND first = button;
    CRgn other;
    SetRectShape(other, 0, 0, 50, 50);
    const long beforeAgain = CGdiObject::LiveCount();
    EXPECT_FALSE(button.CreateFromRegion("", CHILD_STYLE, CPoint(70, 80), other, &host, 2));
    EXPECT_EQ(CGdiObject::LiveCount(), beforeAgain + 1) << "the unused copy stays until the end";
    EXPECT_EQ(button.m_hWnd, first);
    EXPECT_EQ(RectInParent(button), CRect(5, 6, 25, 26));
    CRgn region;
    CopyWindowRegion(button, region);
    EXPECT_TRUE(SameRegion(region, shape));
}

}  // namespace
}  // namespace unibutton_test
