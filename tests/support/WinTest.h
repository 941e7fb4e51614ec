// Helpers for tests on real windows under Wine: pumping, driving modal runs from
// inside, finding message boxes, reading pixels and sending real input.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Dialog.h"
#include "classlib/Text.h"
#include "classlib/Wnd.h"

namespace wintest {

// How long a test waits for another program to start, answer, record or end: about ten
// times the slowest start measured, 0.7 s for a 32-bit program under QEMU 10 (where the
// kernel runs 32-bit code, at most 0.45 s for either program on a loaded machine). A wait
// ends as soon as what it waits for happens, so only a failing test waits this long.
constexpr DWORD PROGRAM_WAIT_MS = 7000;
// Pumps this thread's messages until `done` holds or another program has had
// PROGRAM_WAIT_MS to make it so; answers whether it holds.
bool WaitFor(const std::function<bool()>& done);
// Sends a message to a window of another program and answers its reply. A program that
// does not answer within PROGRAM_WAIT_MS fails the running test, naming what was sent.
LRESULT SendToProgram(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Runs a fixed number of rounds: each dispatches every queued message (sent messages
// included), then sleeps 5 ms so that timers and other threads' work can come due.
// Messages that arrive after the last round stay queued; a WM_QUIT ends the pumping and
// is put back for the caller's loop.
void Pump(int rounds = 3);

// Runs a dialog modally while a script acts on it from inside the modal loop: each
// step runs on its own timer tick, so the loop (and the dialog manager's keyboard
// handling) processes what a step posted before the next one runs. The running test
// fails when a step never ran (the dialog did not open, or ended before its script did)
// and when the dialog is still open after the last step; it is then ended with -2 and
// `stuck` is set.
struct ModalScript {
    std::vector<std::function<void()>> steps;
    bool stuck = false;
    INT_PTR Run(CDialog& dialog);
};

// While alive, offers every visible dialog of this thread, on a timer, to `answer`, which
// notes what it needs and returns the button to press, or 0 to leave that dialog open.
class DialogCloser {
public:
    explicit DialogCloser(std::function<int(HWND dialog)> answer);
    ~DialogCloser();
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    std::function<int(HWND)> m_answer;
    UINT_PTR m_timer;
};

// The button a user closes a dialog with: 取消 where it has one, else OK.
int CloseButton(HWND dialog);

// While alive, answers every message box of this thread with OK and keeps its text.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    std::vector<std::wstring> texts;

private:
    DialogCloser m_closer;
};

// Top-level windows of a thread (default: this one), all or those of one window class.
std::vector<HWND> ThreadWindows(const wchar_t* className = nullptr, DWORD threadId = GetCurrentThreadId());
// Visible top-level windows of this thread with the dialog class, other than `except`.
std::vector<HWND> ThreadDialogs(HWND except = nullptr);
// The text of a message box's message (its static text), as UTF-16.
std::wstring MessageBoxText(HWND box);
// Presses a message box's button, as the user would.
void PressButton(HWND dialog, int id);

// Keys through the dialog manager: posted to the focused window.
void PostKey(UINT virtualKey);
// Real input: presses and releases a key; the focused window of the foreground window
// gets it from the loop that runs next (in a modal run, through the dialog manager).
void PressKey(UINT virtualKey);
// Types text into a control by WM_CHAR, as an input method delivers characters.
void TypeText(HWND control, const std::wstring& text);

// Window text as UTF-16, read past the library's code page 936 conversion.
using ::WindowTextW;
// Expected texts come from UTF-8 literals through Windows' own converter, not from the
// compiler's narrow-literal conversion that the library's strings rely on.
std::wstring FromUtf8(const char* utf8);

// The folder of the running test program, with a closing backslash; the helper
// programs the tests build stand in it.
std::string TestDirectory();

// The window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND child);

// The centre of a window's rectangle: on the screen, or in the client coordinates of
// `in`; the centre of the screen's work area.
POINT Centre(HWND window, HWND in = nullptr);
CRect WorkArea();
POINT WorkAreaCentre();
// Success when the window's centre lies within two pixels of `centre` each way: an odd
// size halves with a remainder on either side.
::testing::AssertionResult CentredOn(HWND hwnd, POINT centre);

// Colour of a client pixel, read back from the window's screen contents.
COLORREF ClientPixel(HWND hwnd, int x, int y);

// Real input: moves the pointer to a client point of a window, clicks there.
void MoveMouseTo(HWND hwnd, POINT client);
void ClickAt(HWND hwnd, POINT client, bool doubleClick = false);

// Colours of a rectangle of client pixels, row by row, read from one device context.
std::vector<COLORREF> ClientPixels(HWND hwnd, const RECT& area);

// Real input: moves the pointer to a client point of a window and presses (down) or
// releases (!down) the left button there.
void LeftButtonAt(HWND hwnd, POINT client, bool down);

// X input (xdotool), as a hand gives it: the pointer moves to a client point of a
// window. True once the program has taken it in.
bool XPointerAt(HWND hwnd, POINT client);

// X input: the left button goes down at a client point of a window and stays down while
// this lives, unless released at a point first. The display is shared by every test:
// whatever ends the test, a failed assertion included, the button goes up again.
class XButtonHeld {
public:
    XButtonHeld(HWND hwnd, POINT client);
    ~XButtonHeld();
    XButtonHeld(const XButtonHeld&) = delete;
    XButtonHeld& operator=(const XButtonHeld&) = delete;

    // True once the program has taken the press in.
    bool Pressed() const { return m_pressed; }
    // Moves the pointer to a client point of a window and releases the button there;
    // true once the program has taken it in.
    bool ReleaseAt(HWND hwnd, POINT client);

private:
    bool m_pressed;
    bool m_released = false;
};

// X input: the pointer jumps to the screen's bottom-right corner, off this program's
// windows, and the program is told of no move. True when it got there; returns after
// the program's timers have had time to notice.
bool JumpPointerOffProgram();

}  // namespace wintest
