// The tests' dialog of links, and what the tests read back from a link the way its
// owner and the system see it: the colour answer, the tooltip, the font, the window.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "controls/HyperLink.h"
#include "tests/hyperlink/LinkTestIds.h"
#include "tests/support/WinTest.h"

// A link that remembers where its window stood before attaching, and which keys went
// on to the static's default processing.
class ProbeLink : public CHyperLink {
public:
    CRect placedRect;
    CRect placedClient;
    std::vector<WPARAM> defaultKeys;

    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class LinkDialog : public CDialog {
public:
    // Every link needs a text or a target: the empty label gets a target.
    LinkDialog() : CDialog(IDD_LINKS) { empty.SetTarget("http://example.org/"); }
    ~LinkDialog() override;
    ProbeLink text, empty, centre, right, middle, bordered;

    // Creates the dialog modelessly, shows and activates it.
    bool Open();

protected:
    void DoDataExchange(CDataExchange* dx) override;
};

// Puts the class-wide link colours back when a test is done with them.
class ColourRestorer {
public:
    ColourRestorer() { CHyperLink::ReadColors(m_saved); }
    ~ColourRestorer() { CHyperLink::AssignColors(m_saved); }
    ColourRestorer(const ColourRestorer&) = delete;
    ColourRestorer& operator=(const ColourRestorer&) = delete;

private:
    CHyperLink::LinkColors m_saved{};
};

namespace linktest {

constexpr COLORREF LINK_BLUE = RGB(0, 0, 255);
constexpr COLORREF LINK_TEAL = RGB(0, 128, 128);
constexpr COLORREF LINK_PURPLE = RGB(128, 0, 128);
constexpr COLORREF LINK_RED = RGB(255, 0, 0);

struct ColourAnswer {
    COLORREF text;
    int backgroundMode;
    HBRUSH brush;
};
// What the parent answers when the static asks for its colours.
ColourAnswer AskColour(HWND link);
COLORREF TextColour(HWND link);

struct Tip {
    HWND window = nullptr;
    std::wstring text;
    RECT rect{};
};
// The tooltip window that holds tool 1 of the link, with the tool's text and rectangle.
Tip FindTip(HWND link);

// The description of the font the window draws with.
LOGFONTW FontOf(HWND window);
// The window's text measured in its current font, independently of the control.
SIZE TextExtent(HWND window);
// One row of the window's client pixels, as shown on the screen.
std::vector<COLORREF> PixelRow(HWND window, int y);
// Whether the label shows on the screen in this one of the four state colours: some
// pixels of it and none of the other three.
::testing::AssertionResult ShowsColour(HWND link, COLORREF colour);
using wintest::RectInParent;
CRect ClientRect(HWND window);

// Mouse messages as the system delivers them, in client coordinates.
void MouseMove(HWND window, int x, int y);
void ButtonDown(HWND window);
void ButtonUp(HWND window);

}  // namespace linktest
