// Code page 936 text across the Win32 boundary, and the GDI wrappers' ownership.
#include <gtest/gtest.h>

#include <string>

#include "classlib/Dc.h"
#include "classlib/GdiObject.h"
#include "classlib/Text.h"
#include "tests/classlib/TestIds.h"
#include "tests/support/WinTest.h"

namespace {

using wintest::FromUtf8;

TEST(Text, NarrowLiteralsAreCodePage936) {
    const CString title = "诉讼费";
    EXPECT_EQ(title.Bytes(), std::string("\xCB\xDF\xCB\xCF\xB7\xD1"));
    EXPECT_EQ(title.Wide(), FromUtf8(u8"诉讼费"));
    EXPECT_EQ(CString("中") + "文", "中文");
}

TEST(Text, ChineseCrossesIntoWindowsAndBackUnchanged) {
    HWND hwnd = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    CWnd wnd;
    wnd.SubclassWindow(hwnd);
    wnd.SetWindowText("说明：每件交纳400元;");
    EXPECT_EQ(wintest::WindowTextW(hwnd), FromUtf8(u8"说明：每件交纳400元;"));
    EXPECT_EQ(wnd.GetWindowText(), CString("说明：每件交纳400元;"));
    SetWindowTextW(hwnd, L"");
    EXPECT_TRUE(wnd.GetWindowText().IsEmpty());
    wnd.DestroyWindow();
}

TEST(Text, StringTableEntriesLoadAsCodePage936) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_EQ(s.Wide(), FromUtf8(u8"诉讼费：你好"));
    EXPECT_FALSE(s.LoadString(12345));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(Gdi, WrappersCountWhatTheyOwnAndFreeIt) {
    const long before = CGdiObject::LiveCount();
    HGDIOBJ brushHandle = nullptr;
    {
        CBrush brush(RGB(1, 2, 3));
        CRgn region;
        region.CreateRectRgn(0, 0, 4, 4);
        EXPECT_EQ(CGdiObject::LiveCount(), before + 2);
        brushHandle = brush.GetSafeHandle();
        EXPECT_EQ(GetObjectType(brushHandle), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(CGdiObject::LiveCount(), before);
    EXPECT_EQ(GetObjectType(brushHandle), 0u) << "deleted";

    CRgn given;
    given.CreateRectRgn(0, 0, 2, 2);
    HGDIOBJ handle = given.Detach();
    EXPECT_EQ(CGdiObject::LiveCount(), before) << "a detached handle is no longer ours";
    EXPECT_NE(GetObjectType(handle), 0u);
    DeleteObject(handle);
}

TEST(Gdi, HandleWrappersBorrowAndFreeNothing) {
    LOGFONTW description{};
    description.lfHeight = -12;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    {
        const CFontHandle borrowed(font);
        LOGFONTW read{};
        EXPECT_TRUE(borrowed.GetLogFont(&read));
        EXPECT_EQ(read.lfHeight, -12);
    }
    EXPECT_EQ(GetObjectType(font.GetSafeHandle()), static_cast<DWORD>(OBJ_FONT));

    HDC made = nullptr;
    {
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
        made = memory;
        { const CDCHandle borrowed(memory); }
        EXPECT_EQ(GetObjectType(made), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(made), 0u) << "the owner deleted its context";
}

TEST(Gdi, RegionCopiesAreIndependent) {
    CRgn source;
    source.CreateRectRgn(12, 7, 40, 31);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(copy.CopyRgn(source), ERROR);
    source.DeleteObject();
    copy.OffsetRgn(-12, -7);
    CRect box;
    copy.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 28, 24));
    EXPECT_TRUE(copy.PtInRegion(CPoint(0, 0)));
    EXPECT_FALSE(copy.PtInRegion(CPoint(28, 24)));
}

TEST(Gdi, ASelectionPutsThePreviousObjectBack) {
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    const HGDIOBJ originalBitmap = GetCurrentObject(screen, OBJ_BITMAP);
    CBitmap bitmap;
    {
        CClientDC desktop(nullptr);
        bitmap.CreateCompatibleBitmap(desktop, 8, 8);
    }
    {
        CSelection selected(screen, bitmap.GetSafeHandle());
        EXPECT_EQ(GetCurrentObject(screen, OBJ_BITMAP), bitmap.GetSafeHandle());
    }
    EXPECT_EQ(GetCurrentObject(screen, OBJ_BITMAP), originalBitmap);
    BITMAP info{};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 8);
}

}  // namespace
