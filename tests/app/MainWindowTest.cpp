// The main window in this process: its templates and resources, initialisation,
// skin, the tool list that opens the calculator, and the About box.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "app/quilletDlg.h"
#include "classlib/App.h"
#include "res/resource.h"
#include "tests/support/ControlText.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/WinTest.h"

namespace {

using wintest::WindowTextW;
using wintest::FromUtf8;

std::vector<short> Rect(short x, short y, short cx, short cy) { return {x, y, cx, cy}; }
std::vector<short> Rect(const wintest::TemplateItem& i) { return {i.x, i.y, i.cx, i.cy}; }

TEST(MainResources, MainWindowTemplateWordForWord) {
    wintest::DialogTemplate t;
    ASSERT_TRUE(wintest::ReadDialogTemplate(IDD_QUILLET_DIALOG, &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, 0x900000C0u);
    EXPECT_EQ(t.exStyle, 0x00040000u);
    EXPECT_EQ(Rect(t.x, t.y, t.cx, t.cy), Rect(0, 0, 307, 239));
    EXPECT_EQ(t.title, L"");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.charset, 1);
    EXPECT_EQ(t.typeface, FromUtf8(u8"宋体"));
    struct Expected {
        DWORD id;
        const wchar_t* cls;
        DWORD style;
        std::vector<short> rect;
        const char* text;
    };
    const Expected items[] = {
        {1002, L"SysListView32", 0x50810000, Rect(82, 17, 223, 219), u8"List1"},
        {1003, L"Static", 0x50020000, Rect(7, 152, 64, 12), u8"Orvane"},
        {1004, L"Static", 0x50020000, Rect(7, 27, 60, 12), u8"免费法律咨询"},
        {1005, L"Static", 0x50020000, Rect(7, 52, 53, 12), u8"预约法律咨询"},
        {1006, L"Static", 0x50020000, Rect(7, 77, 56, 12), u8"聘请诉讼律师"},
        {1007, L"Static", 0x50020000, Rect(7, 102, 64, 12), u8"聘请私人法律顾问"},
        {1008, L"Static", 0x50020000, Rect(7, 127, 64, 12), u8"聘请企业法律顾问"}};
    ASSERT_EQ(t.items.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(t.items[i].id, items[i].id) << i;
        EXPECT_EQ(_wcsicmp(t.items[i].className.c_str(), items[i].cls), 0) << i;
        EXPECT_EQ(t.items[i].style, items[i].style) << i;
        EXPECT_EQ(t.items[i].exStyle, 0u) << i;
        EXPECT_EQ(Rect(t.items[i]), items[i].rect) << i;
        EXPECT_EQ(t.items[i].text, FromUtf8(items[i].text)) << i;
    }
}

TEST(MainResources, AboutTemplateWordForWord) {
    wintest::DialogTemplate t;
    ASSERT_TRUE(wintest::ReadDialogTemplate(IDD_ABOUTBOX, &t));
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x80C800C0u);
    EXPECT_EQ(Rect(t.x, t.y, t.cx, t.cy), Rect(0, 0, 235, 55));
    EXPECT_EQ(t.title, FromUtf8(u8"关于 quillet"));
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, FromUtf8(u8"宋体"));
    ASSERT_EQ(t.items.size(), 3u);
    EXPECT_EQ(t.items[0].style & 0xF, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(static_cast<short>(t.items[0].id), -1);
    EXPECT_EQ(t.items[0].text, L"#128");
    EXPECT_EQ(Rect(t.items[0]), Rect(11, 17, 20, 20));
    EXPECT_EQ(t.items[1].text, FromUtf8(u8"quillet 1.0 版"));
    EXPECT_TRUE(t.items[1].style & SS_NOPREFIX);
    EXPECT_TRUE(t.items[1].style & WS_GROUP);
    EXPECT_EQ(static_cast<short>(t.items[1].id), -1);
    EXPECT_EQ(Rect(t.items[1]), Rect(40, 10, 119, 8));
    EXPECT_EQ(t.items[2].id, static_cast<DWORD>(IDOK));
    EXPECT_EQ(t.items[2].style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(t.items[2].text, FromUtf8(u8"确定"));
    EXPECT_EQ(Rect(t.items[2]), Rect(178, 7, 50, 14));
}

TEST(MainResources, StringIconAndVersion) {
    CString about;
    ASSERT_TRUE(about.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ(about.Wide(), FromUtf8(u8"关于 quillet(&A)..."));

    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                   size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }

    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
}

// Closes the dialogs the main window opens, noting what each one was.
struct DialogWatcher {
    struct Seen {
        std::wstring title;
        bool calculator;
        bool mainEnabled;
    };
    explicit DialogWatcher(HWND main)
        : closer([this, main](HWND dialog) {
              if (dialog == main) return 0;
              const bool calculator = GetDlgItem(dialog, IDC_AMOUNT) != nullptr;
              seen.push_back({WindowTextW(dialog), calculator, IsWindowEnabled(main) != FALSE});
              return wintest::CloseButton(dialog);
          }) {}
    std::vector<Seen> seen;
    wintest::DialogCloser closer;
};

// The main window, shown modelessly, as the application's main window.
struct MainWindow {
    CQuilletDlg dialog;
    MainWindow() {
        AfxGetApp()->m_pMainWnd = &dialog;
        dialog.Create();
        wintest::Pump();
    }
    ~MainWindow() { dialog.DestroyWindow(); }
    HWND List() const { return dialog.GetDlgItem(IDC_TOOL_LIST); }
};

TEST(MainWindow, InitialisationGivesTitleIconsColoursAndTheSingleItem) {
    MainWindow w;
    EXPECT_EQ(WindowTextW(w.dialog), L"VantorelV1.0");
    ASSERT_NE(w.dialog.m_appIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(w.dialog.SendMessage(WM_GETICON, ICON_BIG)), w.dialog.m_appIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(w.dialog.SendMessage(WM_GETICON, ICON_SMALL)), w.dialog.m_appIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(w.dialog.SendMessage(WM_QUERYDRAGICON)), w.dialog.m_appIcon);

    EXPECT_EQ(w.dialog.m_toolList.GetBkColor(), RGB(231, 231, 247));
    EXPECT_EQ(w.dialog.m_toolList.GetTextBkColor(), RGB(231, 231, 247));
    EXPECT_EQ(w.dialog.m_toolList.GetTextColor(), RGB(0, 0, 0));
    ASSERT_EQ(w.dialog.m_toolList.GetItemCount(), 1);
    EXPECT_EQ(wintest::ListItemTextW(w.dialog.m_toolList, 0, 0), FromUtf8(u8"诉讼费计算"));
    EXPECT_EQ(w.dialog.m_toolList.GetItemImage(0), 0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(w.List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)),
              w.dialog.m_toolImages.GetSafeHandle());
    EXPECT_EQ(w.dialog.m_toolImages.GetImageCount(), 1);
    EXPECT_EQ(GetFocus(), w.List()) << "the first tab stop";
    // Captionless: no caption, no system-menu style, own taskbar button.
    const DWORD style = w.dialog.GetStyle();
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), 0u);
    EXPECT_TRUE(w.dialog.GetExStyle() & WS_EX_APPWINDOW);
}

// Messages sent during the main window's creation, as a WH_CALLWNDPROC hook sees them;
// for a tooltip text update, the window of the tool.
struct Sent {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    HWND tool;
};
std::vector<Sent> g_sent;
LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const HWND tool = call->message == TTM_UPDATETIPTEXTW
                          ? reinterpret_cast<const TTTOOLINFOW*>(call->lParam)->hwnd
                          : nullptr;
    g_sent.push_back({call->hwnd, call->message, call->wParam, tool});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindow, InitialisationTakesItsStepsInOrder) {
    g_sent.clear();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
    MainWindow w;
    UnhookWindowsHookEx(hook);
    const CQuilletDlg& d = w.dialog;
    const std::pair<UINT, const char*> listSteps[] = {
        {LVM_SETBKCOLOR, "list background"}, {LVM_SETTEXTBKCOLOR, "list text background"},
        {LVM_SETTEXTCOLOR, "list text colour"}, {LVM_INSERTITEMW, "list item"},
        {LVM_SETIMAGELIST, "list images"}};
    std::vector<std::string> steps;
    for (const Sent& s : g_sent) {
        if (s.hwnd == d.m_hWnd && s.message == WM_INITDIALOG) steps.push_back("initialise");
        if (s.hwnd == d.m_hWnd && s.message == WM_SETICON) {
            steps.push_back(s.wParam == ICON_BIG ? "big icon" : "small icon");
        }
        if (s.hwnd == d.m_hWnd && s.message == WM_SETTEXT) steps.push_back("title");
        if (s.message == TTM_UPDATETIPTEXTW) steps.push_back("target " + std::to_string(GetDlgCtrlID(s.tool)));
        for (const auto& step : listSteps) {
            if (s.hwnd == w.List() && s.message == step.first) steps.push_back(step.second);
        }
        if (s.message == WM_CREATE && s.hwnd == d.m_closeButton.m_hWnd) steps.push_back("close button");
        if (s.message == WM_CREATE && s.hwnd == d.m_minimizeButton.m_hWnd) steps.push_back("minimise button");
    }
    const std::vector<std::string> expected = {
        "initialise",  "big icon",    "small icon",  "title",       "target 1003",
        "target 1004", "target 1005", "target 1006", "target 1007", "target 1008",
        "list background", "list text background", "list text colour", "list item",
        "list images", "close button", "minimise button"};
    EXPECT_EQ(steps, expected);
}

// An image list is a reference-counted object and destroying it drops one reference:
// with two of the test's own, the count says who destroyed it, and how often.
ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TEST(MainWindow, TheImageListOutlivesTheListViewAndIsDestroyedOnce) {
    IUnknown* images = nullptr;
    {
        MainWindow w;
        // The import library lacks this comctl32 export.
        using Query = HRESULT(WINAPI*)(HIMAGELIST, REFIID, void**);
        const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "HIMAGELIST_QueryInterface")));
        ASSERT_NE(query, nullptr);
        ASSERT_EQ(query(w.dialog.m_toolImages.GetSafeHandle(), IID_IUnknown, reinterpret_cast<void**>(&images)),
                  S_OK);
        images->AddRef();
        w.dialog.DestroyWindow();
        EXPECT_EQ(References(images), 3u) << "the list view leaves it to the dialog object";
    }
    EXPECT_EQ(References(images), 2u) << "the dialog object destroys it, once";
    while (images->Release() != 0) {
    }
}

TEST(MainWindow, TheListIconIsAnOpaqueDarkBlueSquare) {
    MainWindow w;
    HIMAGELIST images = w.dialog.m_toolImages.GetSafeHandle();
    // Drawn over white and over black, an opaque image looks the same.
    COLORREF over[2][4];
    const COLORREF grounds[2] = {RGB(255, 255, 255), RGB(0, 0, 0)};
    for (int g = 0; g < 2; ++g) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(grounds[g]);
        RECT all{0, 0, 32, 32};
        FillRect(dc, &all, brush);
        ImageList_Draw(images, 0, dc, 0, 0, ILD_TRANSPARENT);
        over[g][0] = GetPixel(dc, 0, 0);
        over[g][1] = GetPixel(dc, 31, 31);
        over[g][2] = GetPixel(dc, 16, 16);
        over[g][3] = GetPixel(dc, 5, 28);
        SelectObject(dc, old);
        DeleteObject(brush);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(over[0][i], over[1][i]) << i;
    EXPECT_EQ(over[0][0], RGB(0, 0, 128));
    EXPECT_EQ(over[0][1], RGB(0, 0, 128));
}

TEST(MainWindow, TheSkinIsPaintedOneToOne) {
    MainWindow w;
    w.dialog.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HWND d = w.dialog.m_hWnd;
    EXPECT_EQ(wintest::ClientPixel(d, 300, 0), RGB(242, 248, 255)) << "title strip top line";
    EXPECT_EQ(wintest::ClientPixel(d, 100, 25), RGB(101, 152, 224)) << "separator";
    EXPECT_EQ(wintest::ClientPixel(d, 100, 26), RGB(212, 230, 254)) << "separator";
    EXPECT_EQ(wintest::ClientPixel(d, 0, 200), RGB(87, 137, 203)) << "left frame";
    EXPECT_EQ(wintest::ClientPixel(d, 120, 200), RGB(87, 137, 203)) << "vertical separator";
    EXPECT_EQ(wintest::ClientPixel(d, 60, 260), RGB(237, 245, 255)) << "left panel";
    // The title strip lightens downwards.
    const COLORREF high = wintest::ClientPixel(d, 300, 2);
    const COLORREF low = wintest::ClientPixel(d, 300, 19);
    EXPECT_LT(GetRValue(high), GetRValue(low));
}

TEST(MainWindow, DoubleClicksOnTheItemAndOnEmptySpaceOpenTheCalculator) {
    MainWindow w;
    RECT item{};
    ASSERT_TRUE(w.dialog.m_toolList.GetItemRect(0, &item, LVIR_ICON));
    DialogWatcher watcher(w.dialog.m_hWnd);
    const POINT onItem{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    wintest::ClickAt(w.List(), onItem, true);
    wintest::Pump(5);
    RECT client{};
    GetClientRect(w.List(), &client);
    wintest::ClickAt(w.List(), POINT{client.right - 40, client.bottom - 40}, true);
    wintest::Pump(5);
    ASSERT_EQ(watcher.seen.size(), 2u);
    for (const auto& s : watcher.seen) {
        EXPECT_TRUE(s.calculator);
        EXPECT_FALSE(s.mainEnabled) << "the main window is disabled while the calculator runs";
    }
    EXPECT_TRUE(w.dialog.IsWindowEnabled());
    EXPECT_EQ(w.dialog.m_toolList.GetItemCount(), 1) << "unchanged after";
}

TEST(MainWindow, TheCalculatorOpensAgainAndAgain) {
    MainWindow w;
    DialogWatcher watcher(w.dialog.m_hWnd);
    NMHDR notify{w.List(), IDC_TOOL_LIST, static_cast<UINT>(NM_DBLCLK)};
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(w.dialog.SendMessage(WM_NOTIFY, IDC_TOOL_LIST, reinterpret_cast<LPARAM>(&notify)), 0);
    }
    EXPECT_EQ(watcher.seen.size(), 25u);
    EXPECT_TRUE(w.dialog.IsWindowEnabled());
}

TEST(MainWindow, AboutBoxOpensExactlyForCommandIds0x10To0x1F) {
    MainWindow w;
    DialogWatcher watcher(w.dialog.m_hWnd);
    for (UINT id = 0x0010; id <= 0x001F; ++id) w.dialog.SendMessage(WM_SYSCOMMAND, id, 0);
    ASSERT_EQ(watcher.seen.size(), 16u);
    for (const auto& s : watcher.seen) {
        EXPECT_EQ(s.title, FromUtf8(u8"关于 quillet"));
        EXPECT_FALSE(s.calculator);
        EXPECT_FALSE(s.mainEnabled);
    }
    for (UINT id : {0x0000u, 0x000Fu, 0x0020u, 0x0110u, 0x1010u}) {
        w.dialog.SendMessage(WM_SYSCOMMAND, id, 0);
    }
    EXPECT_EQ(watcher.seen.size(), 16u);
    EXPECT_TRUE(w.dialog.IsWindowVisible());
}

// Gives the next dialog created a system-menu style, as a system that puts system
// menus on every top-level window would.
HHOOK g_sysMenuHook = nullptr;
LRESULT CALLBACK AddSysMenuStyle(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!(cs->style & WS_CHILD)) {
            cs->style |= WS_SYSMENU;
            SetWindowLongPtrW(reinterpret_cast<HWND>(wParam), GWL_STYLE, cs->style);
        }
    }
    return CallNextHookEx(g_sysMenuHook, code, wParam, lParam);
}

TEST(MainWindow, WhereASystemMenuExistsTheAboutEntryEndsIt) {
    g_sysMenuHook = SetWindowsHookExW(WH_CBT, AddSysMenuStyle, nullptr, GetCurrentThreadId());
    CQuilletDlg dialog;
    AfxGetApp()->m_pMainWnd = &dialog;
    dialog.Create();
    UnhookWindowsHookEx(g_sysMenuHook);
    HMENU menu = GetSystemMenu(dialog, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), IDM_SHOW_ABOUT);
    wchar_t text[64] = {};
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), FromUtf8(u8"关于 quillet(&A)..."));
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    dialog.DestroyWindow();
}

}  // namespace
