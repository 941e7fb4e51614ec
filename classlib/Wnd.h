// Windows as C++ objects. Every attached window has one CWnd; the library's common
// window procedure finds it and calls WindowProc: reflection to the child that caused
// the message, then the message map, then the default processing (the window's
// original procedure).
#pragma once

#include <windows.h>

#include <climits>
#include <string>

#include "classlib/Dc.h"
#include "classlib/MessageMap.h"
#include "classlib/Text.h"
#include "classlib/Types.h"

class CDataExchange;

// A window's text as UTF-16, whatever its length.
std::wstring WindowTextW(HWND hwnd);

// Anything with a message map: windows and the application object.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Offers a message to the map; true when an entry took it.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        return OnWndMsg(message, wParam, lParam, result);
    }

protected:
    virtual bool OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return false; }
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Attaching to an existing window: runs PreSubclassWindow, then replaces the
    // window procedure. Detaching restores it.
    bool SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // Creates a window with this object attached before WM_NCCREATE arrives.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const CString& text, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    bool DestroyWindow();

    // Hooks for derived classes.
    virtual void PreSubclassWindow() {}
    virtual bool PreTranslateMessage(MSG*) { return false; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void DoDataExchange(CDataExchange*) {}

    // Runs the data exchange; false when a control's text was refused.
    bool UpdateData(bool saveAndValidate = true);
    // Default processing of the message being handled.
    LRESULT Default();

    // Text (code page 936 on this side).
    void SetWindowText(const char* text);
    CString GetWindowText() const;

    // State and geometry.
    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    bool RedrawWindow(UINT flags) { return ::RedrawWindow(m_hWnd, nullptr, nullptr, flags) != FALSE; }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    // Whether this window is what the system finds under the pointer: not covered,
    // hidden, nor elsewhere.
    bool IsUnderCursor() const;
    // Asks for WM_MOUSELEAVE. The link and the shaped button learn from their capture
    // that the pointer has left them, but the capture brings no move when the pointer
    // jumps off the program's windows; this notice ends their hover then. Asked for only
    // while the pointer is really on the window: a mouse move sent by code may place it
    // there while it is elsewhere, and the notice would end that hover at once.
    void TrackMouseLeave();
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParentHwnd() const { return ::GetParent(m_hWnd); }
    // The parent's object when it is attached, else null.
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }

    // Fonts, icons, regions, menus.
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT font, bool redraw = true) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HICON SetIcon(HICON icon, bool big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }
    int SetWindowRgn(HRGN region, bool redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int GetWindowRgn(HRGN region) const { return ::GetWindowRgn(m_hWnd, region); }
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // Input.
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }

protected:
    // Asked for by a window that turns a mouse move into a hover and a capture. Wine
    // answers the release of a capture with a move at the last place it knew the pointer
    // at, and reports that place for a while, though the pointer may have left the
    // program since. So a move that reports the pointer where this window's previous one
    // did, and where the system reports it too, while the window holds no capture, is
    // held back and confirmed a little later: it is delivered then, with where the
    // pointer is, only if that is on this window.
    void ConfirmRepeatedMoves() { m_confirmRepeatedMoves = true; }
    // Reflected messages and parent-side routing.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Creation hook plumbing shared with dialogs.
    static void BeginAttach(CWnd* wnd, bool dialog);
    static void EndAttach();

    WNDPROC m_oldProc = nullptr;

private:
    friend LRESULT CALLBACK QuilletWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK QuilletCreationHook(int, WPARAM, LPARAM);
    // Links the object, runs the attach hook, then takes over the window procedure.
    void Attach(HWND hwnd);
    void DetachAfterDestroy();
    bool HoldBackRepeatedMove(UINT message, WPARAM wParam, LPARAM lParam);
    void DeliverHeldMove();

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{0, 0, 0};
    bool m_confirmRepeatedMoves = false;
    // Where the last mouse move put the pointer, on the screen; the held move's flags.
    CPoint m_lastMove{LONG_MIN, LONG_MIN};
    WPARAM m_heldMoveFlags = 0;
};
