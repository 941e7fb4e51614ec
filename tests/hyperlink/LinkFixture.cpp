#include "tests/hyperlink/LinkFixture.h"

#include <commctrl.h>

#include <map>

#include "tests/support/WinTest.h"

void ProbeLink::PreSubclassWindow() {
    placedRect = linktest::RectInParent(m_hWnd);
    placedClient = linktest::ClientRect(m_hWnd);
    CHyperLink::PreSubclassWindow();
}

LRESULT ProbeLink::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) defaultKeys.push_back(wParam);
    return CHyperLink::DefWindowProc(message, wParam, lParam);
}

LinkDialog::~LinkDialog() {
    DestroyWindow();
}

bool LinkDialog::Open() {
    if (!Create()) return false;
    ShowWindow(SW_SHOW);
    SetForegroundWindow(m_hWnd);
    SetActiveWindow(m_hWnd);
    wintest::Pump();
    return true;
}

void LinkDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_TEXT_LINK, text);
    DDX_Control(dx, IDC_EMPTY_LINK, empty);
    DDX_Control(dx, IDC_CENTER_LINK, centre);
    DDX_Control(dx, IDC_RIGHT_LINK, right);
    DDX_Control(dx, IDC_MIDDLE_LINK, middle);
    DDX_Control(dx, IDC_BORDER_LINK, bordered);
}

namespace linktest {

ColourAnswer AskColour(HWND link) {
    HDC dc = GetDC(link);
    const int saved = SaveDC(dc);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    const ColourAnswer answer{GetTextColor(dc), GetBkMode(dc), brush};
    RestoreDC(dc, saved);
    ReleaseDC(link, dc);
    return answer;
}

COLORREF TextColour(HWND link) {
    return AskColour(link).text;
}

Tip FindTip(HWND link) {
    for (HWND window : wintest::ThreadWindows(TOOLTIPS_CLASSW)) {
        wchar_t text[1024] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = link;
        info.uId = 1;
        info.lpszText = text;
        if (!SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) continue;
        Tip tip{};
        tip.window = window;
        tip.rect = info.rect;
        info.lpszText = text;
        SendMessageW(window, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
        tip.text = text;
        return tip;
    }
    return {};
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW description{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof description,
               &description);
    return description;
}

SIZE TextExtent(HWND window) {
    const std::wstring text = wintest::WindowTextW(window);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
}

std::vector<COLORREF> PixelRow(HWND window, int y) {
    UpdateWindow(window);
    std::vector<COLORREF> row;
    HDC dc = GetDC(window);
    for (int x = 0; x < ClientRect(window).right; ++x) row.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return row;
}

::testing::AssertionResult ShowsColour(HWND link, COLORREF colour) {
    std::map<COLORREF, int> count;
    for (int y = 0; y < ClientRect(link).bottom; ++y) {
        for (COLORREF pixel : PixelRow(link, y)) ++count[pixel];
    }
    const int others =
        count[LINK_BLUE] + count[LINK_TEAL] + count[LINK_PURPLE] + count[LINK_RED] - count[colour];
    if (count[colour] > 0 && others == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count[colour] << " pixels in the colour, " << others
                                         << " in the other state colours";
}

CRect ClientRect(HWND window) {
    CRect rect;
    GetClientRect(window, &rect);
    return rect;
}

void MouseMove(HWND window, int x, int y) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void ButtonDown(HWND window) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}

void ButtonUp(HWND window) {
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

}  // namespace linktest
