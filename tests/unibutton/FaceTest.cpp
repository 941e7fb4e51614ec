// The four faces on screen: fills, the 3D edge bands, the caption's place, the pressed
// caption's offset, the embossed disabled caption, and faces rendered once for good.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "app/quilletDlg.h"
#include "classlib/Dc.h"
#include "tests/support/WinTest.h"
#include "tests/unibutton/ButtonHost.h"

namespace unibutton_test {
namespace {

const COLORREF NORMAL = RGB(206, 215, 231);
const COLORREF PRESSED = RGB(0, 255, 0);
const COLORREF HOVER = RGB(255, 255, 0);
const COLORREF DISABLED = RGB(255, 0, 255);
const CPoint ORIGIN(20, 20);

COLORREF Sys(int index) {
    return GetSysColor(index);
}

class FaceTest : public HostTest {
protected:
    void Make(ProbeButton& button, const char* caption, int width, int height, int borderWidth) {
        CRgn shape;
        SetRectShape(shape, 0, 0, width, height);
        ASSERT_TRUE(button.CreateFromRegion(caption, CHILD_STYLE, ORIGIN, shape, &host, BUTTON_ID,
                                            borderWidth, NORMAL, PRESSED, HOVER, DISABLED));
        wintest::Pump();
    }
    static void Press(ProbeButton& button, bool down) {
        button.SendMessage(BM_SETSTATE, down ? TRUE : FALSE);
        wintest::Pump();
    }
    static CRect Client(const CWnd& button) {
        CRect client;
        button.GetClientRect(&client);
        return client;
    }
    // Inside the widest edge the tests draw.
    static CRect Interior(const CWnd& button) {
        CRect inner = Client(button);
        inner.DeflateRect(3, 3);
        return inner;
    }
};

// The caption as it belongs on a face the size of `client`: in the parent's font, its
// cell centred on the shape's centre (the anchor is the middle of the cell's bottom edge).
std::vector<COLORREF> ExpectedCaption(HWND parent, const CString& text, const CRect& client,
                                      COLORREF fill, COLORREF ink) {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, client.Width(), client.Height());
    CSelection selectedBitmap(dc, bitmap.GetSafeHandle());
    FillRect(dc, &client, CBrush(fill));
    LOGFONTW description{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(parent, WM_GETFONT, 0, 0)),
               sizeof(description), &description);
    CFont font;
    font.CreateFontIndirect(&description);
    CSelection selectedFont(dc, font.GetSafeHandle());
    TEXTMETRICW metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.SetTextColor(ink);
    dc.TextOut(client.Width() / 2, client.Height() / 2 + metrics.tmHeight / 2, text);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) pixels.push_back(dc.GetPixel(x, y));
    }
    return pixels;
}

// Which pixels of `area` differ from `background`, in an image of rows `width` long.
std::vector<bool> InkMask(const std::vector<COLORREF>& image, int width, const CRect& area,
                          COLORREF background) {
    std::vector<bool> mask;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            mask.push_back(image[PixelAt(x, y, width)] != background);
        }
    }
    return mask;
}

TEST_F(FaceTest, EachFaceIsFilledWithItsColourAndPressedAndDisabledComeFirst) {
    ProbeButton button;
    Make(button, "", 60, 40, 2);
    const CPoint inside(8, 8);
    auto face = [&] { return wintest::ClientPixel(button, inside.x, inside.y); };
    EXPECT_EQ(face(), NORMAL);
    wintest::MoveMouseTo(button, inside);
    EXPECT_EQ(face(), HOVER);
    Press(button, true);
    EXPECT_EQ(face(), PRESSED) << "pressed over hover";
    Press(button, false);
    EXPECT_EQ(face(), HOVER);
    ParkPointer();
    EXPECT_EQ(face(), NORMAL);

    Press(button, true);
    button.EnableWindow(false);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));  // hover, too
    wintest::Pump();
    EXPECT_EQ(face(), DISABLED);
    EXPECT_EQ(button.lastState & (ODS_DISABLED | ODS_SELECTED), static_cast<UINT>(ODS_DISABLED | ODS_SELECTED));
    Press(button, false);
    EXPECT_EQ(face(), DISABLED);
    button.EnableWindow(true);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    wintest::Pump();
    EXPECT_EQ(face(), HOVER);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(face(), NORMAL);
}

TEST_F(FaceTest, TheShorterOverloadsKeepTheDefaultsTheyDoNotSet) {
    CRgn shape;
    SetRectShape(shape, 0, 0, 40, 30);
    ProbeButton highlighted;
    ASSERT_TRUE(highlighted.CreateFromRegion("", CHILD_STYLE, CPoint(10, 10), shape, &host, 1, HOVER));
    ProbeButton plain;
    ASSERT_TRUE(plain.CreateFromRegion("", CHILD_STYLE, CPoint(100, 10), shape, &host, 2));
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(highlighted, 5, 5), Sys(COLOR_BTNFACE));
    EXPECT_EQ(wintest::ClientPixel(highlighted, 0, 15), Sys(COLOR_BTNHIGHLIGHT)) << "one-pixel edge";
    EXPECT_EQ(wintest::ClientPixel(highlighted, 1, 15), Sys(COLOR_BTNFACE));
    Press(highlighted, true);
    EXPECT_EQ(wintest::ClientPixel(highlighted, 5, 5), HOVER) << "the pressed face has it too";
    wintest::MoveMouseTo(plain, CPoint(5, 5));
    EXPECT_EQ(wintest::ClientPixel(plain, 5, 5), Sys(COLOR_BTNFACE));
    Press(plain, true);
    EXPECT_EQ(wintest::ClientPixel(plain, 5, 5), Sys(COLOR_BTNFACE));
}

// Edge pixels of a 40 x 30 face by role: A and B the outer and inner top-left colours,
// C and D the outer and inner bottom-right ones, F the fill. The points: three in from
// the left and three in from the right on the middle row, the same from the top and the
// bottom on the middle column, then corners where the bands meet and the later fill wins.
const CPoint EDGE_POINTS[] = {{0, 15},  {1, 15},  {2, 15},  {39, 15}, {38, 15}, {37, 15},
                              {20, 0},  {20, 1},  {20, 2},  {20, 29}, {20, 28}, {20, 27},
                              {39, 0},  {0, 29},  {38, 1},  {0, 0},   {0, 28},  {38, 0}};
struct EdgeCase {
    int borderWidth;
    bool pressed;
    const char* roles;
};

TEST_F(FaceTest, TheEdgeIsTwoBandsOfTwoColoursOrOneBandOfOne) {
    const COLORREF light = Sys(COLOR_3DLIGHT), highlight = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = Sys(COLOR_3DDKSHADOW), shadow = Sys(COLOR_BTNSHADOW);
    ASSERT_TRUE(light != highlight && light != dark && light != shadow && highlight != dark &&
                highlight != shadow && dark != shadow)
        << "the system colours must tell the bands apart";
    const EdgeCase cases[] = {
        {2, false, "ABFCDFABFCDFCCDAAA"}, {2, true, "ABFCDFABFCDFCCDAAA"},
        {1, false, "BFFCFFBFFCFFCCFBBB"}, {1, true, "BFFCFFBFFCFFCCFBBB"},
        {0, false, "BFFCFFBFFCFFCCFBBB"}, {5, true, "BFFCFFBFFCFFCCFBBB"},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "border " << c.borderWidth << (c.pressed ? " sunken" : " raised"));
        ProbeButton button;
        Make(button, "", 40, 30, c.borderWidth);
        Press(button, c.pressed);
        // The sunken edge is lit from the other side.
        auto colour = [&](char role) {
            switch (role) {
            case 'A': return c.pressed ? shadow : light;
            case 'B': return c.pressed ? dark : highlight;
            case 'C': return c.pressed ? highlight : dark;
            case 'D': return c.pressed ? light : shadow;
            default: return c.pressed ? PRESSED : NORMAL;
            }
        };
        for (size_t i = 0; i < std::size(EDGE_POINTS); ++i) {
            const CPoint p = EDGE_POINTS[i];
            EXPECT_EQ(wintest::ClientPixel(button, p.x, p.y), colour(c.roles[i]))
                << "(" << p.x << "," << p.y << ") should be " << c.roles[i];
        }
    }
}

TEST_F(FaceTest, TheEdgeFollowsTheOutlineOfAnyShape) {
    CRgn shape;
    SetEllShape(shape, 0, 0, 60, 20);
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("", CHILD_STYLE, ORIGIN, shape, &host, BUTTON_ID, 1, NORMAL,
                                        PRESSED, HOVER, DISABLED));
    wintest::Pump();
    // The inner corner of the L: the top bar's underside and the side bar's right side.
    EXPECT_EQ(wintest::ClientPixel(button, 40, 19), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(wintest::ClientPixel(button, 19, 40), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(wintest::ClientPixel(button, 40, 18), NORMAL);
    EXPECT_EQ(wintest::ClientPixel(host, ORIGIN.x + 45, ORIGIN.y + 45),
              wintest::ClientPixel(host, 390, 290))
        << "outside the shape the parent shows";
}

TEST_F(FaceTest, TheEdgeIsDrawnOverTheCaption) {
    FontSwap font(host, -24);
    ProbeButton button;
    Make(button, "■", 14, 14, 1);
    const COLORREF text = Sys(COLOR_BTNTEXT);
    ASSERT_EQ(wintest::ClientPixel(button, 1, 7), text) << "the caption reaches the edge";
    ASSERT_EQ(wintest::ClientPixel(button, 7, 1), text);
    EXPECT_EQ(wintest::ClientPixel(button, 0, 7), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(wintest::ClientPixel(button, 7, 0), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(FaceTest, ErasingTheBackgroundDrawsNothing) {
    ProbeButton button;
    Make(button, "", 30, 20, 1);
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 30, 20);
    CSelection selected(dc, bitmap.GetSafeHandle());
    const CRect all(0, 0, 30, 20);
    FillRect(dc, &all, CBrush(RGB(1, 2, 3)));
    EXPECT_NE(button.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc())), 0);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 2, 3));
}

TEST_F(FaceTest, TheCaptionCellIsCentredOnTheShapeAndOddSizesRoundDown) {
    FontSwap font(host, -9);
    const CSize sizes[] = {CSize(28, 24), CSize(80, 50), CSize(21, 31), CSize(26, 27)};
    for (const CSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        ProbeButton button;
        Make(button, "■", size.cx, size.cy, 1);
        const CRect client = Client(button);
        const CRect inner = Interior(button);
        const auto expected = ExpectedCaption(host, "■", client, NORMAL, Sys(COLOR_BTNTEXT));
        const auto shown = wintest::ClientPixels(button, client);
        const CRect expectedBox = InkBox(expected, client.Width(), inner, NORMAL);
        EXPECT_FALSE(expectedBox.IsRectEmpty());
        EXPECT_EQ(InkBox(shown, client.Width(), inner, NORMAL), expectedBox);
        // Ink for ink, not only the box.
        EXPECT_EQ(InkMask(shown, client.Width(), inner, NORMAL),
                  InkMask(expected, client.Width(), inner, NORMAL));
        const int middle = size.cx / 2;  // odd widths round down
        EXPECT_NEAR((expectedBox.left + expectedBox.right) / 2.0, middle, 1.0);
    }
}

TEST_F(FaceTest, ThePressedCaptionMovesByTheBorderWidthUnderAOnePixelEdge) {
    FontSwap font(host, -20);
    for (int borderWidth : {0, 2, 5}) {
        SCOPED_TRACE(testing::Message() << "border " << borderWidth);
        ProbeButton button;
        Make(button, "■", 80, 50, borderWidth);
        const CRect inner = Interior(button);
        const CRect released = WindowInkBox(button, inner, NORMAL);
        ASSERT_FALSE(released.IsRectEmpty());
        Press(button, true);
        CRect pressed = WindowInkBox(button, inner, PRESSED);
        pressed.OffsetRect(-borderWidth, -borderWidth);
        EXPECT_EQ(pressed, released);
        if (borderWidth != 2) {
            EXPECT_EQ(wintest::ClientPixel(button, 0, 25), Sys(COLOR_3DDKSHADOW));
            EXPECT_EQ(wintest::ClientPixel(button, 1, 25), PRESSED);
        }
    }
}

TEST_F(FaceTest, TheDisabledCaptionIsAShadowOverAHighlightOnePixelDownRight) {
    FontSwap font(host, -20);
    ProbeButton button;
    Make(button, "■", 80, 50, 2);
    button.EnableWindow(false);
    wintest::Pump();
    const CRect client = Client(button);
    const COLORREF ink = RGB(0, 0, 0), paper = RGB(255, 255, 255);
    const auto expected = ExpectedCaption(host, "■", client, paper, ink);
    const auto shown = wintest::ClientPixels(button, client);
    int shadowPixels = 0, highlightPixels = 0;
    for (int y = 3; y < client.Height() - 3; ++y) {
        for (int x = 3; x < client.Width() - 3; ++x) {
            const size_t at = PixelAt(x, y, client.Width());
            const size_t upLeft = PixelAt(x - 1, y - 1, client.Width());
            if (expected[at] == ink) {
                ++shadowPixels;
                EXPECT_EQ(shown[at], Sys(COLOR_BTNSHADOW)) << x << "," << y;
            } else if (expected[at] == paper && expected[upLeft] == ink) {
                ++highlightPixels;
                EXPECT_EQ(shown[at], Sys(COLOR_BTNHIGHLIGHT)) << x << "," << y;
            } else if (expected[at] == paper && expected[upLeft] == paper) {
                EXPECT_EQ(shown[at], DISABLED) << x << "," << y;
            }
        }
    }
    EXPECT_GT(shadowPixels, 20);
    EXPECT_GT(highlightPixels, 10);
}

TEST_F(FaceTest, FacesAreRenderedOnceAndKeptWhateverChangesLater) {
    auto font = std::make_unique<FontSwap>(host, -20);
    ProbeButton button;
    Make(button, "■", 80, 50, 2);
    const CRect client = Client(button);
    const auto normal = wintest::ClientPixels(button, client);
    Press(button, true);
    const auto pressed = wintest::ClientPixels(button, client);
    Press(button, false);
    ASSERT_FALSE(InkBox(normal, client.Width(), Interior(button), NORMAL).IsRectEmpty()) << "a caption shows";

    button.SetWindowText("");
    font.reset();
    FontSwap smaller(host, -9);
    ASSERT_EQ(host.GetFont(), smaller.Font());
    CRgn other;
    SetRectShape(other, 0, 0, 10, 10);
    EXPECT_FALSE(button.CreateFromRegion("×", CHILD_STYLE, ORIGIN, other, &host, BUTTON_ID, 1,
                                         RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4)));
    host.SendMessage(WM_SYSCOLORCHANGE);
    button.SendMessage(WM_SYSCOLORCHANGE);
    const int draws = button.draws;
    button.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(button.draws, draws);
    EXPECT_EQ(wintest::ClientPixels(button, client), normal);
    Press(button, true);
    EXPECT_EQ(wintest::ClientPixels(button, client), pressed);
}

TEST_F(FaceTest, FocusRepaintsTheSameFaceWithoutAFocusRectangle) {
    ProbeButton button;
    Make(button, "■", 60, 40, 1);
    const CRect client = Client(button);
    const auto before = wintest::ClientPixels(button, client);
    const int draws = button.focusDraws;
    button.SetFocus();
    wintest::Pump();
    EXPECT_GT(button.focusDraws, draws);
    EXPECT_TRUE(button.lastState & ODS_FOCUS);
    EXPECT_EQ(wintest::ClientPixels(button, client), before);
    host.SetFocus();
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixels(button, client), before);
}

// Shaped as the main window's caption buttons are.
TEST_F(FaceTest, AGlyphOutlineButtonShowsItsFacesAndClicks) {
    CRgn glyph;
    ASSERT_TRUE(MakeCaptionButtonShape(&host, glyph));
    ProbeButton button;
    ASSERT_TRUE(button.CreateFromRegion("×", CHILD_STYLE, CPoint(300, 5), glyph, &host, BUTTON_ID, 2,
                                        RGB(206, 215, 231), RGB(0, 255, 0), RGB(255, 255, 0),
                                        RGB(0, 255, 0)));
    wintest::Pump();
    CRect box;
    glyph.GetRgnBox(&box);
    EXPECT_EQ(RectInParent(button), CRect(300, 5, 300 + box.Width(), 5 + box.Height()));
    EXPECT_GE(box.Width(), 12);
    glyph.OffsetRgn(-box.left, -box.top);
    CRgn region;
    CopyWindowRegion(button, region);
    EXPECT_TRUE(SameRegion(region, glyph));

    const CPoint fill(3, box.Height() / 2);
    EXPECT_EQ(wintest::ClientPixel(button, fill.x, fill.y), RGB(206, 215, 231));
    wintest::MoveMouseTo(button, fill);
    EXPECT_EQ(wintest::ClientPixel(button, fill.x, fill.y), RGB(255, 255, 0));
    wintest::ClickAt(button, fill);
    EXPECT_EQ(host.Notified(BUTTON_ID, BN_CLICKED), 1);
    const CRect center(box.Width() / 2 - 3, box.Height() / 2 - 3, box.Width() / 2 + 3, box.Height() / 2 + 3);
    EXPECT_FALSE(WindowInkBox(button, center, RGB(255, 255, 0)).IsRectEmpty()) << "the caption";
}

}  // namespace
}  // namespace unibutton_test
