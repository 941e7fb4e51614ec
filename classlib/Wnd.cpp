#include "classlib/Wnd.h"

#include <unordered_map>

#include "classlib/App.h"
#include "classlib/DataExchange.h"

namespace {

// A window's messages arrive on the thread that made it, and that thread attaches its
// object; so each thread keeps its own links and needs no lock. An object is found only
// from the thread that attached it.
thread_local std::unordered_map<HWND, CWnd*> t_windows;

// The timer that brings a held-back mouse move back; its id is kept out of the way of the
// small ids programs give their own timers.
constexpr UINT_PTR HELD_MOVE_TIMER = 0x5155;
// Wine reports the place of its own move for 100 ms.
constexpr UINT HELD_MOVE_DELAY_MS = 200;

}  // namespace

LRESULT CALLBACK QuilletWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// A creation call in progress: the object waiting for its window. Calls may nest.
struct PendingAttach {
    CWnd* wnd = nullptr;
    bool dialog = false;
    HHOOK hook = nullptr;
    PendingAttach* outer = nullptr;
};

thread_local PendingAttach* t_pending = nullptr;

}  // namespace

// The first matching window created during a library creation call gets the object.
LRESULT CALLBACK QuilletCreationHook(int code, WPARAM wParam, LPARAM lParam) {
    PendingAttach* pending = t_pending;
    if (code == HCBT_CREATEWND && pending && pending->wnd) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        // Dialogs are of the dialog class; IME and other helper windows are not ours.
        const bool dialogClass = cs->lpszClass == reinterpret_cast<const wchar_t*>(WC_DIALOG);
        const bool isOurs = pending->dialog ? dialogClass : cs->lpCreateParams == pending->wnd;
        if (isOurs) {
            CWnd* wnd = pending->wnd;
            pending->wnd = nullptr;
            wnd->Attach(reinterpret_cast<HWND>(wParam));
        }
    }
    return CallNextHookEx(pending ? pending->hook : nullptr, code, wParam, lParam);
}

void CWnd::BeginAttach(CWnd* wnd, bool dialog) {
    auto* pending = new PendingAttach;
    pending->wnd = wnd;
    pending->dialog = dialog;
    pending->outer = t_pending;
    pending->hook = SetWindowsHookExW(WH_CBT, QuilletCreationHook, nullptr, GetCurrentThreadId());
    t_pending = pending;
}

void CWnd::EndAttach() {
    PendingAttach* pending = t_pending;
    if (!pending) return;
    UnhookWindowsHookEx(pending->hook);
    t_pending = pending->outer;
    delete pending;
}

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
    if (m_hWnd) t_windows.erase(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto found = t_windows.find(hwnd);
    return found == t_windows.end() ? nullptr : found->second;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    t_windows[hwnd] = this;
    PreSubclassWindow();
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QuilletWindowProc)));
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return false;
    Attach(hwnd);
    return true;
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (!hwnd) return nullptr;
    if (m_oldProc) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    t_windows.erase(hwnd);
    m_oldProc = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const CString& text, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd) return false;
    const std::wstring wideText = text.Wide();
    BeginAttach(this, false);
    // The object itself is the creation parameter the hook recognises.
    HWND hwnd = CreateWindowExW(exStyle, className, wideText.c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top,
                                parent ? parent->m_hWnd : nullptr,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                GetModuleHandleW(nullptr), this);
    EndAttach();
    if (!hwnd && m_hWnd) {
        // Creation failed after attaching (WM_NCCREATE or WM_CREATE refused).
        t_windows.erase(m_hWnd);
        m_hWnd = nullptr;
        m_oldProc = nullptr;
    }
    return hwnd != nullptr;
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd) return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

void CWnd::DetachAfterDestroy() {
    HWND hwnd = m_hWnd;
    if (m_oldProc && ::IsWindow(hwnd)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    }
    t_windows.erase(hwnd);
    m_hWnd = nullptr;
    m_oldProc = nullptr;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

LRESULT CALLBACK QuilletWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const CWnd::CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_current = outer;
    if (message == WM_NCDESTROY) wnd->DetachAfterDestroy();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_confirmRepeatedMoves) {
        if (message == WM_TIMER && wParam == HELD_MOVE_TIMER) {
            DeliverHeldMove();
            return 0;
        }
        if (HoldBackRepeatedMove(message, wParam, lParam)) return 0;
    }
    if (ReflectToChild(message, wParam, lParam, &result)) return result;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    // Commands nobody in the window took go to the application (Help and the like).
    if (message == WM_COMMAND && lParam == 0 && !(GetStyle() & WS_CHILD)) {
        if (CWinApp* app = AfxGetApp(); app && app->Dispatch(message, wParam, lParam, &result)) {
            return result;
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_oldProc) return ::CallWindowProcW(m_oldProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        if (lParam) child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        break;
    default:
        return false;
    }
    CWnd* target = FromHandlePermanent(child);
    if (!target || target == this) return false;
    return target->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // Reflected colour queries carry the kind of control in place of the window.
        return OnWndMsg(WM_REFLECT_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, result);
    }
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
}

bool CWnd::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CDataExchange::Failure&) {
        return false;
    }
    return true;
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextW(m_hWnd, WideFrom936(text).c_str());
}

CString CWnd::GetWindowText() const {
    const std::wstring wide = WindowTextW(m_hWnd);
    return StringFromWide(wide.c_str(), static_cast<int>(wide.size()));
}

std::wstring WindowTextW(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

bool CWnd::IsUnderCursor() const {
    POINT pointer{};
    return ::GetCursorPos(&pointer) && ::WindowFromPoint(pointer) == m_hWnd;
}

bool CWnd::HoldBackRepeatedMove(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOUSEMOVE) return false;
    CPoint place(lParam);
    ClientToScreen(&place);
    const bool repeated = place == m_lastMove;
    m_lastMove = place;
    if (!repeated || ::GetCapture() == m_hWnd) return false;
    // A move sent by code to a place the system does not report is taken at its word.
    CPoint reported;
    if (!::GetCursorPos(&reported) || !(reported == place)) return false;
    m_heldMoveFlags = wParam;
    ::SetTimer(m_hWnd, HELD_MOVE_TIMER, HELD_MOVE_DELAY_MS, nullptr);
    return true;
}

void CWnd::DeliverHeldMove() {
    ::KillTimer(m_hWnd, HELD_MOVE_TIMER);
    POINT pointer{};
    if (!::GetCursorPos(&pointer) || ::WindowFromPoint(pointer) != m_hWnd) return;
    m_lastMove = CPoint(LONG_MIN, LONG_MIN);  // confirmed: news, not a repeat
    ScreenToClient(&pointer);
    SendMessage(WM_MOUSEMOVE, m_heldMoveFlags, MAKELPARAM(pointer.x, pointer.y));
}

void CWnd::TrackMouseLeave() {
    if (!IsUnderCursor()) return;
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&leave);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return true;
}
