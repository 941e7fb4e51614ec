// The parent window, probes and region helpers shared by the shaped-button tests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Dialog.h"
#include "classlib/GdiObject.h"
#include "controls/UniButton.h"
#include "tests/support/WinTest.h"

// Readable failure messages for the library's geometry types.
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}

namespace unibutton_test {

constexpr DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE;
constexpr UINT BUTTON_ID = 1002;

// A parent dialog that records the commands and the presses on itself that reach it.
class HostDialog : public CDialog {
public:
    HostDialog();
    int Notified(UINT id, UINT code) const;
    std::vector<std::pair<UINT, UINT>> commands;  // control id, notification code
    std::vector<CPoint> ownPresses;
    // The font the dialog reports, when set; else the template's.
    HFONT reportedFont = nullptr;

protected:
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// A shaped button that counts its owner-draw requests and can refuse its creation.
class ProbeButton : public CUniButton {
public:
    // Focus requests apart: the window manager may move the focus at any time.
    int draws = 0;
    int focusDraws = 0;
    UINT lastState = 0;
    bool refuseCreate = false;
    // Where each draw is read back, when set: how often the face shown there changed.
    CPoint facePoint{-1, -1};
    int faceChanges = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    // The requests so far as action/state pairs, for failure messages.
    std::string Requests() const { return m_requests; }

private:
    std::string m_requests;
    COLORREF m_shownFace = CLR_INVALID;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Makes the host report a font of another height for a while.
class FontSwap {
public:
    FontSwap(HostDialog& host, int height);
    ~FontSwap();
    FontSwap(const FontSwap&) = delete;
    FontSwap& operator=(const FontSwap&) = delete;
    HFONT Font() const { return m_font; }

private:
    HostDialog& m_host;
    HFONT m_previous;
    CFont m_font;
};

void SetRectShape(CRgn& region, int left, int top, int right, int bottom);
// An L at (left, top): a bar `size` wide and `thickness` high along the top, and one
// `thickness` wide and `size` high down the left side.
void SetEllShape(CRgn& region, int left, int top, int size, int thickness);
void CopyWindowRegion(HWND hwnd, CRgn& region);
bool SameRegion(HRGN a, HRGN b);
using wintest::RectInParent;

// Index of pixel (x, y) in an image of rows `width` pixels long, computed in size_t so
// that large images cannot overflow int.
inline size_t PixelAt(int x, int y, int width) {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
}

// Bounding box of the pixels in `area` that differ from `background`, in an image of
// rows `width` pixels long; empty when there are none.
CRect InkBox(const std::vector<COLORREF>& image, int width, const CRect& area, COLORREF background);
CRect WindowInkBox(HWND hwnd, const CRect& area, COLORREF background);

// The host dialog shown above other windows at a fixed place, the pointer on its empty
// client area.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void ParkPointer();
    HostDialog host;
};

}  // namespace unibutton_test
