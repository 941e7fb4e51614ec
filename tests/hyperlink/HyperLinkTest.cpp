// Links attached to a dialog's statics: target and text, own font, fitting, the colour
// answer in each state, class-wide colours, captions and style bits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/hyperlink/LinkFixture.h"
#include "tests/support/WinTest.h"

namespace {

using namespace linktest;
using wintest::WindowTextW;
using LS = CHyperLink;

// The client area is the text's extent, or a little taller where the font draws its
// underline below the character cell: then the last row is that underline. Halving
// the spare room of a centred label may leave one pixel over.
::testing::AssertionResult FitsText(HWND link, int rounding = 0) {
    const CRect client = ClientRect(link);
    const SIZE extent = TextExtent(link);
    if (client.Width() < extent.cx || client.Width() > extent.cx + rounding ||
        client.Height() < extent.cy || client.Height() > extent.cy + rounding + 2) {
        return ::testing::AssertionFailure() << "client " << client.Width() << "x" << client.Height()
                                             << ", text " << extent.cx << "x" << extent.cy;
    }
    if (client.Height() > extent.cy + rounding) {
        const std::vector<COLORREF> row = PixelRow(link, client.Height() - 1);
        if (std::count(row.begin(), row.end(), TextColour(link)) != static_cast<long>(row.size())) {
            return ::testing::AssertionFailure() << "the row below the text is not an underline";
        }
    }
    return ::testing::AssertionSuccess();
}

// Rows drawn in the colour, and whether one of them (the underline) spans the label.
struct Ink {
    bool any = false;
    bool fullRow = false;
};
Ink InkOf(HWND link, COLORREF colour) {
    Ink ink;
    for (int y = 0; y < ClientRect(link).bottom; ++y) {
        const std::vector<COLORREF> row = PixelRow(link, y);
        const auto count = std::count(row.begin(), row.end(), colour);
        ink.any = ink.any || count > 0;
        ink.fullRow = ink.fullRow || count == static_cast<long>(row.size());
    }
    return ink;
}

TEST(Attach, TargetAndTextSettleEachOtherAndTheTooltipShowsTheTarget) {
    LinkDialog dialog;
    dialog.empty.SetTarget("http://example.org/quest.php");
    EXPECT_EQ(dialog.empty.GetTarget(), "http://example.org/quest.php") << "stored before attaching";
    ASSERT_TRUE(dialog.Open());

    EXPECT_EQ(dialog.text.GetTarget(), CString("法律咨询服务")) << "an empty target takes the text";
    EXPECT_EQ(FindTip(dialog.text).text, L"法律咨询服务");
    EXPECT_EQ(WindowTextW(dialog.empty), L"http://example.org/quest.php") << "an empty text shows the target";
    EXPECT_EQ(FindTip(dialog.empty).text, L"http://example.org/quest.php");
    EXPECT_NE(FindTip(dialog.text).window, FindTip(dialog.empty).window) << "a tooltip per link";

    dialog.text.SetTarget("http://example.org/showNote.php?id=581");
    const Tip tip = FindTip(dialog.text);
    EXPECT_EQ(tip.text, L"http://example.org/showNote.php?id=581");
    EXPECT_EQ(SendMessageW(tip.window, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(CRect(tip.rect), ClientRect(dialog.text));
    EXPECT_EQ(WindowTextW(dialog.text), L"法律咨询服务") << "the label keeps its text";
    EXPECT_TRUE(IsWindowVisible(dialog.text));
}

TEST(Attach, OwnFontIsAnUnderlinedCopyAndTheLabelIsDrawnBlue) {
    const long fontsBefore = CGdiObject::LiveCount();
    {
        LinkDialog dialog;
        dialog.right.ChangeStyleBits(LS::LS_UNDERLINE, 0, FALSE);
        ASSERT_TRUE(dialog.Open());
        LOGFONTW dialogFont = FontOf(dialog);
        LOGFONTW own = FontOf(dialog.text);
        EXPECT_NE(SendMessageW(dialog.text, WM_GETFONT, 0, 0), SendMessageW(dialog, WM_GETFONT, 0, 0));
        EXPECT_EQ(own.lfUnderline, 1);
        EXPECT_EQ(own.lfHeight, dialogFont.lfHeight);
        EXPECT_STREQ(own.lfFaceName, dialogFont.lfFaceName);
        EXPECT_EQ(FontOf(dialog.right).lfUnderline, 0);
        EXPECT_EQ(CGdiObject::LiveCount(), fontsBefore + 6) << "one own font per link";

        const Ink underlined = InkOf(dialog.text, LINK_BLUE);
        EXPECT_TRUE(underlined.any && underlined.fullRow) << "blue text with a blue underline";
        const Ink plain = InkOf(dialog.right, LINK_BLUE);
        EXPECT_TRUE(plain.any && !plain.fullRow);
    }
    EXPECT_EQ(CGdiObject::LiveCount(), fontsBefore) << "links delete their fonts";
}

TEST(Fit, LabelsShrinkToTheirTextKeepingCornerCentreOrRightEdge) {
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_TRUE(FitsText(dialog.text));
    EXPECT_TRUE(FitsText(dialog.centre, 1));
    EXPECT_TRUE(FitsText(dialog.right));
    EXPECT_TRUE(FitsText(dialog.middle, 1));
    EXPECT_TRUE(FitsText(dialog.bordered));
    for (ProbeLink* link : {&dialog.text, &dialog.centre, &dialog.right, &dialog.middle, &dialog.bordered}) {
        EXPECT_LT(RectInParent(*link).Width(), link->placedRect.Width()) << "fitting had work to do";
    }
    const CRect left = RectInParent(dialog.text);
    EXPECT_EQ(left.TopLeft(), dialog.text.placedRect.TopLeft());

    const CRect centre = RectInParent(dialog.centre);
    const CRect centrePlaced = dialog.centre.placedRect;
    EXPECT_LE(std::abs((centre.left + centre.right) - (centrePlaced.left + centrePlaced.right)), 1);
    EXPECT_EQ(centre.top, centrePlaced.top);

    const CRect right = RectInParent(dialog.right);
    EXPECT_EQ(right.right, dialog.right.placedRect.right);
    EXPECT_EQ(right.top, dialog.right.placedRect.top);

    const CRect middle = RectInParent(dialog.middle);
    const CRect middlePlaced = dialog.middle.placedRect;
    EXPECT_LE(std::abs((middle.top + middle.bottom) - (middlePlaced.top + middlePlaced.bottom)), 1)
        << "SS_CENTERIMAGE keeps the vertical centre";
    EXPECT_EQ(middle.left, middlePlaced.left);

    const CRect border = RectInParent(dialog.bordered);
    const CRect borderClient = ClientRect(dialog.bordered);
    EXPECT_GT(dialog.bordered.placedRect.Width() - dialog.bordered.placedClient.Width(), 0);
    EXPECT_EQ(border.Width() - borderClient.Width(),
              dialog.bordered.placedRect.Width() - dialog.bordered.placedClient.Width());
    EXPECT_EQ(border.Height() - borderClient.Height(),
              dialog.bordered.placedRect.Height() - dialog.bordered.placedClient.Height())
        << "the border allowance stays";
    EXPECT_EQ(border.TopLeft(), dialog.bordered.placedRect.TopLeft());
}

TEST(Fit, ALabelWithoutAFontKeepsItsSizeUntilFittingIsAskedFor) {
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    HWND raw = CreateWindowExW(0, L"Static", L"无字体的标签", WS_CHILD | WS_VISIBLE, 10, 100, 300, 30,
                               dialog, nullptr, nullptr, nullptr);
    ASSERT_EQ(SendMessageW(raw, WM_GETFONT, 0, 0), 0);
    const CRect placed = RectInParent(raw);
    ProbeLink link;
    ASSERT_TRUE(link.SubclassWindow(raw));
    EXPECT_EQ(RectInParent(raw), placed);
    EXPECT_EQ(SendMessageW(raw, WM_GETFONT, 0, 0), 0) << "no own font";
    EXPECT_EQ(link.GetStyleBits(), LS::LS_UNDERLINE | LS::LS_FOCUSONCLICK);

    EXPECT_TRUE(link.ChangeStyleBits(0, LS::LS_FITTOTEXT, TRUE));
    EXPECT_TRUE(FitsText(raw)) << "measured in the font the static draws with";
    EXPECT_EQ(RectInParent(raw).TopLeft(), placed.TopLeft());
}

TEST(Colours, TheColourAnswerFollowsTheStateRules) {
    LinkDialog dialog;
    dialog.centre.ChangeStyleBits(0, LS::LS_HOVERCOLOR, FALSE);
    dialog.right.ChangeStyleBits(0, LS::LS_NOACTIVECOLOR, FALSE);
    ASSERT_TRUE(dialog.Open());
    HWND other = GetDlgItem(dialog, IDC_OTHER);

    HWND link = dialog.text;
    const ColourAnswer answer = AskColour(link);
    EXPECT_EQ(answer.text, LINK_BLUE);
    EXPECT_EQ(answer.backgroundMode, TRANSPARENT);
    EXPECT_EQ(answer.brush, GetStockObject(NULL_BRUSH));
    MouseMove(link, 2, 2);
    EXPECT_EQ(TextColour(link), LINK_BLUE) << "no hover colour without LS_HOVERCOLOR";
    SetFocus(link);
    EXPECT_EQ(TextColour(link), LINK_TEAL);
    SetFocus(other);
    EXPECT_EQ(TextColour(link), LINK_BLUE) << "never opened, so not visited";
    dialog.text.MarkVisited(TRUE);
    EXPECT_EQ(TextColour(link), LINK_PURPLE);
    SetFocus(link);
    EXPECT_EQ(TextColour(link), LINK_TEAL) << "active comes before visited";
    ReleaseCapture();

    HWND hover = dialog.centre;
    MouseMove(hover, 2, 2);
    EXPECT_EQ(TextColour(hover), LINK_RED);
    SetFocus(hover);
    EXPECT_EQ(TextColour(hover), LINK_RED) << "hover comes before active";
    MouseMove(hover, -1, 2);
    EXPECT_EQ(TextColour(hover), LINK_TEAL);

    HWND noActive = dialog.right;
    SetFocus(noActive);
    EXPECT_EQ(TextColour(noActive), LINK_BLUE);
    dialog.right.MarkVisited(TRUE);
    EXPECT_EQ(TextColour(noActive), LINK_PURPLE);
}

TEST(Colours, AssignedColoursAreClassWideAndHoverMinusOneIsTheHighlightOfThatMoment) {
    ColourRestorer restorer;
    LinkDialog dialog;
    dialog.centre.ChangeStyleBits(0, LS::LS_HOVERCOLOR, FALSE);
    ASSERT_TRUE(dialog.Open());

    CHyperLink::AssignColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
    CHyperLink::LinkColors read{};
    CHyperLink::ReadColors(read);
    EXPECT_EQ(read.normal, RGB(1, 1, 1));
    EXPECT_EQ(read.active, RGB(2, 2, 2));
    EXPECT_EQ(read.visited, RGB(3, 3, 3));
    EXPECT_EQ(read.hover, RGB(4, 4, 4));
    EXPECT_EQ(TextColour(dialog.text), RGB(1, 1, 1));
    EXPECT_EQ(TextColour(dialog.right), RGB(1, 1, 1)) << "every link uses them";
    MouseMove(dialog.centre, 2, 2);
    EXPECT_EQ(TextColour(dialog.centre), RGB(4, 4, 4));

    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    CHyperLink::AssignColors(RGB(5, 5, 5), RGB(6, 6, 6), RGB(7, 7, 7), 0xFFFFFFFF);
    const int element = COLOR_HIGHLIGHT;
    const COLORREF changed = highlight ^ 0x00FFFFFF;
    SetSysColors(1, &element, &changed);
    const COLORREF highlightLater = GetSysColor(COLOR_HIGHLIGHT);
    CHyperLink::ReadColors(read);
    SetSysColors(1, &element, &highlight);
    EXPECT_EQ(highlightLater, changed) << "the system colour did change";
    EXPECT_EQ(read.hover, highlight) << "the colour of the moment of the call";
    EXPECT_EQ(read.normal, RGB(5, 5, 5));

    CHyperLink::AssignColors(CHyperLink::LinkColors{RGB(9, 0, 0), RGB(0, 9, 0), RGB(0, 0, 9), RGB(9, 9, 9)});
    CHyperLink::ReadColors(read);
    EXPECT_EQ(read.active, RGB(0, 9, 0));
    EXPECT_EQ(TextColour(dialog.centre), RGB(9, 9, 9));
    ReleaseCapture();
}

TEST(Caption, CaptionAndFontChangesRefitAndLeaveTheTarget) {
    CHyperLink unattached;
    unattached.SetCaption("没有窗口");
    EXPECT_TRUE(unattached.GetTarget().IsEmpty());

    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    ProbeLink& link = dialog.text;
    link.SetCaption("一个更长一些的新标题");
    EXPECT_EQ(WindowTextW(link), L"一个更长一些的新标题");
    EXPECT_TRUE(FitsText(link));
    EXPECT_EQ(RectInParent(link).TopLeft(), link.placedRect.TopLeft());
    EXPECT_TRUE(IsWindowVisible(link));
    EXPECT_EQ(link.GetTarget(), CString("法律咨询服务"));

    const long fontsBefore = CGdiObject::LiveCount();
    LOGFONTW description = FontOf(dialog);
    description.lfHeight = -24;
    description.lfUnderline = 0;
    CFont big;
    ASSERT_TRUE(big.CreateFontIndirect(&description));
    const int heightBefore = ClientRect(link).Height();
    link.SetCaptionFont(&big);
    EXPECT_NE(SendMessageW(link, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(static_cast<HFONT>(big)))
        << "the link draws with its own copy";
    EXPECT_EQ(FontOf(link).lfHeight, -24);
    EXPECT_EQ(FontOf(link).lfUnderline, 0) << "the given font's underline, not the style bit";
    EXPECT_GT(ClientRect(link).Height(), heightBefore);
    EXPECT_TRUE(FitsText(link));
    EXPECT_TRUE(IsWindowVisible(link));
    EXPECT_EQ(GetObjectType(big), static_cast<DWORD>(OBJ_FONT)) << "the caller's font is left alone";
    EXPECT_EQ(CGdiObject::LiveCount(), fontsBefore + 1) << "the old own font was deleted";
}

TEST(StyleBits, RefusalRuleAndAppliedChanges) {
    CHyperLink unattached;
    EXPECT_TRUE(unattached.ChangeStyleBits(LS::LS_FITTOTEXT, 0x80, TRUE));
    EXPECT_EQ(unattached.GetStyleBits(), 0x91u);

    LinkDialog dialog;
    ASSERT_TRUE(dialog.Open());
    ProbeLink& link = dialog.text;
    const long fonts = CGdiObject::LiveCount();
    EXPECT_FALSE(link.ChangeStyleBits(LS::LS_UNDERLINE, LS::LS_HOVERCOLOR, TRUE));
    EXPECT_EQ(link.GetStyleBits(), 0x15u) << "a refusal changes nothing";

    EXPECT_TRUE(link.ChangeStyleBits(LS::LS_UNDERLINE, 0, FALSE));
    EXPECT_EQ(link.GetStyleBits(), 0x14u);
    EXPECT_EQ(FontOf(link).lfUnderline, 1) << "stored, not applied";
    EXPECT_TRUE(link.ChangeStyleBits(LS::LS_UNDERLINE, 0, TRUE));
    EXPECT_EQ(FontOf(link).lfUnderline, 0);
    EXPECT_TRUE(link.ChangeStyleBits(0, LS::LS_UNDERLINE | 0x80, TRUE));
    EXPECT_EQ(FontOf(link).lfUnderline, 1);
    EXPECT_EQ(link.GetStyleBits(), 0x95u);
    EXPECT_TRUE(FitsText(link));
    EXPECT_EQ(CGdiObject::LiveCount(), fonts) << "each new own font replaced the old one";

    EXPECT_TRUE(link.ChangeStyleBits(LS::LS_FITTOTEXT, 0, TRUE));
    SetWindowPos(link, nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
    link.SetCaption("不再适应");
    EXPECT_EQ(ClientRect(link).Width(), 300) << "without LS_FITTOTEXT the size stays";
    EXPECT_TRUE(link.ChangeStyleBits(0, LS::LS_FITTOTEXT, TRUE));
    EXPECT_TRUE(FitsText(link));

    ValidateRect(link, nullptr);
    EXPECT_TRUE(link.ChangeStyleBits(0, LS::LS_HOVERCOLOR, TRUE));
    EXPECT_FALSE(GetUpdateRect(link, nullptr, FALSE));
    EXPECT_TRUE(link.ChangeStyleBits(LS::LS_HOVERCOLOR, 0, TRUE));
    EXPECT_TRUE(GetUpdateRect(link, nullptr, FALSE)) << "dropping the hover colour repaints";
}

}  // namespace
