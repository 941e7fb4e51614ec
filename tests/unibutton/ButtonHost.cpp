#include "tests/unibutton/ButtonHost.h"

#include <algorithm>
#include <climits>

#include "tests/support/WinTest.h"
#include "tests/unibutton/UniButtonTestIds.h"

namespace unibutton_test {

HostDialog::HostDialog() : CDialog(IDD_HOST) {}

BEGIN_MESSAGE_MAP(HostDialog, CDialog)
    ON_MESSAGE(WM_COMMAND, OnCommandMessage)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

LRESULT HostDialog::OnCommandMessage(WPARAM wParam, LPARAM) {
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return 0;
}

LRESULT HostDialog::OnGetFont(WPARAM, LPARAM) {
    return reportedFont ? reinterpret_cast<LRESULT>(reportedFont) : Default();
}

void HostDialog::OnLButtonDown(UINT, CPoint point) {
    ownPresses.push_back(point);
}

int HostDialog::Notified(UINT id, UINT code) const {
    return static_cast<int>(std::count(commands.begin(), commands.end(), std::make_pair(id, code)));
}

void ProbeButton::DrawItem(LPDRAWITEMSTRUCT item) {
    ++(item->itemAction == ODA_FOCUS ? focusDraws : draws);
    lastState = item->itemState;
    m_requests += " " + std::to_string(item->itemAction) + "/" + std::to_string(item->itemState);
    CUniButton::DrawItem(item);
    if (facePoint.x < 0 || item->itemAction == ODA_FOCUS) return;
    const COLORREF shown = GetPixel(item->hDC, facePoint.x, facePoint.y);
    if (shown != m_shownFace) ++faceChanges;
    m_shownFace = shown;
}

LRESULT ProbeButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE && refuseCreate) return -1;
    return CUniButton::DefWindowProc(message, wParam, lParam);
}

FontSwap::FontSwap(HostDialog& host, int height) : m_host(host), m_previous(host.reportedFont) {
    LOGFONTW description{};
    GetObjectW(host.GetFont(), sizeof(description), &description);
    description.lfHeight = height;
    m_font.CreateFontIndirect(&description);
    m_host.reportedFont = m_font;
}

FontSwap::~FontSwap() {
    m_host.reportedFont = m_previous;
}

void SetRectShape(CRgn& region, int left, int top, int right, int bottom) {
    region.CreateRectRgn(left, top, right, bottom);
}

void SetEllShape(CRgn& region, int left, int top, int size, int thickness) {
    region.CreateRectRgn(left, top, left + size, top + thickness);
    CRgn down;
    down.CreateRectRgn(left, top, left + thickness, top + size);
    region.CombineRgn(region, down, RGN_OR);
}

void CopyWindowRegion(HWND hwnd, CRgn& region) {
    region.CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(hwnd, region);
}

bool SameRegion(HRGN a, HRGN b) {
    return EqualRgn(a, b) != FALSE;
}

CRect InkBox(const std::vector<COLORREF>& image, int width, const CRect& area, COLORREF background) {
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image[PixelAt(x, y, width)] == background) continue;
            any = true;
            box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                        std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
        }
    }
    return any ? box : CRect();
}

CRect WindowInkBox(HWND hwnd, const CRect& area, COLORREF background) {
    CRect client;
    GetClientRect(hwnd, &client);
    return InkBox(wintest::ClientPixels(hwnd, client), client.Width(), area, background);
}

void HostTest::SetUp() {
    ASSERT_TRUE(host.Create());
    // Above other windows and away from the screen's corner, where other programs'
    // windows tend to appear.
    SetWindowPos(host, HWND_TOPMOST, 640, 480, 400, 300, SWP_SHOWWINDOW);
    SetForegroundWindow(host);
    // Activation arrives from the display server a little later; let it settle.
    for (int i = 0; i < 10 && GetForegroundWindow() != host.m_hWnd; ++i) wintest::Pump();
    wintest::Pump();
    ParkPointer();
}

void HostTest::TearDown() {
    ParkPointer();
    host.DestroyWindow();
    wintest::Pump();
}

void HostTest::ParkPointer() {
    wintest::MoveMouseTo(host, CPoint(390, 290));
}

}  // namespace unibutton_test
