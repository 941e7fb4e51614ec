#include "controls/HyperLink.h"

#include <shellapi.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/App.h"
#include "classlib/Dc.h"
#include "controls/LaunchCommand.h"
#include "controls/LaunchError.h"

namespace {

constexpr UINT_PTR LINK_TOOL_ID = 1;
constexpr WORD LINK_HAND_CURSOR_ID = 106;
constexpr COLORREF LINK_SYSTEM_HIGHLIGHT = 0xFFFFFFFF;

// The lowest row an underlined font draws into, counted from the top of the cell;
// 0 when the selected font is not underlined or has no outline metrics.
LONG UnderlineBottom(HDC dc) {
    LOGFONTW description{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof description, &description) ||
        !description.lfUnderline) {
        return 0;
    }
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW)) return 0;
    std::vector<char> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (!GetOutlineTextMetricsW(dc, size, metrics)) return 0;
    const int thickness = std::max<int>(metrics->otmsUnderscoreSize, 1);
    // The line's centre lies the underscore position above the baseline.
    return metrics->otmTextMetrics.tmAscent - metrics->otmsUnderscorePosition - thickness / 2 +
           thickness;
}

// A registry key opened for one read, closed when the read is done.
class OpenedKey {
public:
    OpenedKey() = default;
    ~OpenedKey() {
        if (m_key) RegCloseKey(m_key);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    LONG Open(HKEY root, const char* subkey) {
        return RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &m_key);
    }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// A module mapped only to copy a resource out of it, never to run: the help viewer of a
// 64-bit Windows is a 32-bit program, which a 64-bit process cannot load to run.
class LoadedModule {
public:
    explicit LoadedModule(const char* path)
        : m_module(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~LoadedModule() {
        if (m_module) FreeLibrary(m_module);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    operator HMODULE() const { return m_module; }

private:
    HMODULE m_module;
};

// The registry fallback: the open command of the file type that handles ".htm",
// with the target in place of its placeholder. Any step that fails gives back the
// result the fallback was asked to improve on.
int LaunchThroughHtmHandler(std::string_view target, int show, int failedResult) {
    CString text;
    if (CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, ".htm", text) != ERROR_SUCCESS) {
        return failedResult;
    }
    const std::string commandKey = OpenCommandKey(text.Bytes());
    if (CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, commandKey.c_str(), text) != ERROR_SUCCESS) {
        return failedResult;
    }
    const std::optional<std::string> command = AssembleLaunchCommand(text.Bytes(), target);
    if (!command) return failedResult;
    return static_cast<int>(WinExec(command->c_str(), static_cast<UINT>(show)));
}

}  // namespace

CHyperLink::LinkColors CHyperLink::s_colors = {
    RGB(0, 0, 255), RGB(0, 128, 128), RGB(128, 0, 128), RGB(255, 0, 0)};
HCURSOR CHyperLink::s_linkCursor = nullptr;

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CHyperLink::~CHyperLink() {
    m_linkFont.DeleteObject();
}

// ---- Attaching ----

void CHyperLink::PreSubclassWindow() {
    if (m_target.IsEmpty()) m_target = GetWindowText();
    if (GetWindowText().IsEmpty()) SetWindowText(m_target);
    assert(!m_target.IsEmpty() && "a link needs a text or a target");

    if (GetFont()) {
        MakeLinkFont();
        FitToText();
    } else {
        m_styleBits &= ~LS_FITTOTEXT;
    }
    if (!(m_styleBits & LS_NOHANDCURSOR)) LoadHandCursor();

    // The tool keeps the rectangle of this moment; later refits do not move it.
    CRect client;
    GetClientRect(&client);
    m_tip.Create(this, 0);
    m_tip.AddTool(this, m_target, client, LINK_TOOL_ID);
    ConfirmRepeatedMoves();
    CStatic::PreSubclassWindow();
}

void CHyperLink::MakeLinkFont() {
    LOGFONTW description{};
    if (!GetObjectW(GetFont(), sizeof description, &description)) return;
    description.lfUnderline = (m_styleBits & LS_UNDERLINE) ? 1 : 0;
    if (m_linkFont.CreateFontIndirect(&description)) SetFont(m_linkFont, true);
}

bool CHyperLink::PreTranslateMessage(MSG* msg) {
    m_tip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

// ---- Operations on one link ----

void CHyperLink::SetTarget(CString url) {
    m_target = std::move(url);
    if (!m_hWnd) return;
    ShowWindow(SW_HIDE);
    FitToText();
    m_tip.UpdateTipText(m_target, this, LINK_TOOL_ID);
    ShowWindow(SW_SHOW);
}

void CHyperLink::SetCaption(const char* text) {
    assert(text);
    if (!m_hWnd) return;
    ShowWindow(SW_HIDE);
    SetWindowText(text);
    FitToText();
    ShowWindow(SW_SHOW);
}

void CHyperLink::SetCaptionFont(const CFont* font) {
    assert(font && m_hWnd);
    ShowWindow(SW_HIDE);
    // Copied before the own font goes: the given font may be the own font itself.
    LOGFONTW description{};
    font->GetLogFont(&description);
    m_linkFont.DeleteObject();
    m_linkFont.CreateFontIndirect(&description);
    SetFont(m_linkFont, true);
    FitToText();
    ShowWindow(SW_SHOW);
}

BOOL CHyperLink::ChangeStyleBits(DWORD remove, DWORD add, BOOL apply) {
    if ((remove & LS_UNDERLINE) && add != 0) return FALSE;
    m_styleBits = (m_styleBits & ~remove) | add;
    if (!apply || !m_hWnd) return TRUE;
    if ((add | remove) & LS_UNDERLINE) ApplyUnderline();
    if (add & LS_FITTOTEXT) FitToText();
    if (remove & LS_HOVERCOLOR) Invalidate();
    return TRUE;
}

void CHyperLink::ApplyUnderline() {
    HFONT current = GetFont();
    if (!current) return;
    LOGFONTW description{};
    GetObjectW(current, sizeof description, &description);
    description.lfUnderline = (m_styleBits & LS_UNDERLINE) ? 1 : 0;
    m_linkFont.DeleteObject();
    m_linkFont.CreateFontIndirect(&description);
    SetCaptionFont(&m_linkFont);
}

void CHyperLink::FitToText() {
    assert(m_hWnd);
    if (!(m_styleBits & LS_FITTOTEXT)) return;

    CRect window;
    GetWindowRect(&window);
    // A top-level label moves in screen coordinates; a child in its parent's.
    if (HWND parent = (GetStyle() & WS_CHILD) ? GetParentHwnd() : nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    }
    CRect client;
    GetClientRect(&client);
    const int borderWidth = window.Width() - client.Width();
    const int borderHeight = window.Height() - client.Height();

    const CSize extent = TextExtent();
    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        window.DeflateRect(0, (window.Height() - extent.cy) / 2);
    } else {
        window.bottom = window.top + extent.cy;
    }
    if (style & SS_CENTER) {
        window.DeflateRect((window.Width() - extent.cx) / 2, 0);
    } else if (style & SS_RIGHT) {
        window.left = window.right - extent.cx;
    } else {
        window.right = window.left + extent.cx;
    }
    MoveWindow(window.left, window.top, window.Width() + borderWidth,
               window.Height() + borderHeight, true);
}

// Measured with the font the label draws with: its own font, else the window's,
// else the context's default, which a static without a font uses.
CSize CHyperLink::TextExtent() {
    HGDIOBJ font = m_linkFont.IsNull() ? reinterpret_cast<HGDIOBJ>(GetFont())
                                       : m_linkFont.GetSafeHandle();
    CClientDC dc(this);
    CSelection selection(dc, font ? font : GetCurrentObject(dc, OBJ_FONT));
    CSize extent = dc.GetTextExtent(GetWindowText());
    // Some fonts draw the underline below the character cell (Wine's face for 宋体 at
    // nine points does); an exact fit would cut it off.
    extent.cy = std::max<LONG>(extent.cy, UnderlineBottom(dc));
    return extent;
}

void CHyperLink::OpenTarget() {
    const int result = LaunchTarget(m_target, SW_SHOW);
    if (result > 32) {
        m_visited = TRUE;
        Invalidate();
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ShowLaunchError(result);
    }
}

// ---- Class-wide look ----

void CHyperLink::AssignColors(COLORREF normal, COLORREF active, COLORREF visited,
                              COLORREF hover) {
    if (hover == LINK_SYSTEM_HIGHLIGHT) hover = GetSysColor(COLOR_HIGHLIGHT);
    s_colors = {normal, active, visited, hover};
}

void CHyperLink::AssignColors(const LinkColors& colors) {
    s_colors = colors;
}

void CHyperLink::ReadColors(LinkColors& colors) {
    colors = s_colors;
}

void CHyperLink::AssignCursor(HCURSOR cursor) {
    assert(cursor);
    s_linkCursor = cursor;
    if (!s_linkCursor) LoadHandCursor();
}

// The hand cursor of the system's help viewer, copied so that it outlives the module.
// Without that module or its cursor the links have no cursor of their own.
void CHyperLink::LoadHandCursor() {
    if (s_linkCursor) return;
    char directory[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::string path = std::string(directory, length) + "\\winhlp32.exe";
        LoadedModule viewer(path.c_str());
        HCURSOR hand =
            viewer ? LoadCursorA(viewer, MAKEINTRESOURCEA(LINK_HAND_CURSOR_ID)) : nullptr;
        if (hand) s_linkCursor = CopyIcon(hand);
    }
}

// ---- Launching ----

int CHyperLink::LaunchTarget(const char* target, int show) {
    // The shell takes the NUL-terminated text itself.
    const char* const shellTarget = target ? target : "";
    const std::string_view text(shellTarget);
    // Stands for the shell's answer when a target is too long to hand to it.
    int shellResult = SE_ERR_OOM;
    if (text.size() <= LAUNCH_LONGEST_SHELL_TARGET) {
        const auto answer = reinterpret_cast<UINT_PTR>(
            ShellExecuteA(nullptr, "open", shellTarget, nullptr, nullptr, show));
        if (answer > 32) return static_cast<int>(answer);
        shellResult = static_cast<int>(answer);
    }
    return LaunchThroughHtmHandler(text, show, shellResult);
}

LONG CHyperLink::ReadKeyDefault(HKEY key, const char* subkey, CString& out) {
    OpenedKey opened;
    LONG status = opened.Open(key, subkey);
    if (status != ERROR_SUCCESS) return status;
    char value[MAX_PATH] = {};
    LONG size = MAX_PATH;
    status = RegQueryValueA(opened, nullptr, value, &size);
    if (status != ERROR_SUCCESS) return status;
    // A missing default value reads as empty text; either way it names nothing.
    if (value[0] == '\0') return ERROR_FILE_NOT_FOUND;
    // Data of another type can fill the buffer without a terminator.
    if (!std::memchr(value, '\0', sizeof value)) return ERROR_INVALID_DATA;
    out = value;
    return ERROR_SUCCESS;
}

void CHyperLink::ShowLaunchError(int code) {
    AfxMessageBox(LaunchErrorMessage(code).c_str(), MB_ICONEXCLAMATION | MB_OK, 0);
}

// ---- Messages ----

HBRUSH CHyperLink::CtlColor(CDCHandle dc, [[maybe_unused]] UINT kind) {
    assert(kind == CTLCOLOR_STATIC);
    dc.SetTextColor(StateColor());
    dc.SetBkMode(TRANSPARENT);
    // The static paints its text over the parent's background and fills nothing.
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

COLORREF CHyperLink::StateColor() const {
    if (m_hovering && (m_styleBits & LS_HOVERCOLOR)) return s_colors.hover;
    if (m_active && !(m_styleBits & LS_NOACTIVECOLOR)) return s_colors.active;
    if (m_visited) return s_colors.visited;
    return s_colors.normal;
}

// A static without SS_NOTIFY is transparent to the mouse; a link must not be.
LRESULT CHyperLink::OnNcHitTest(CPoint) {
    return HTCLIENT;
}

BOOL CHyperLink::OnSetCursor(HWND, UINT, UINT) {
    if (!s_linkCursor) return FALSE;
    SetCursor(s_linkCursor);
    return TRUE;
}

// The link holds the capture exactly while it hovers or is pressed: the capture brings
// the move that leaves the label and the release of a press. With the capture it asks
// for the system's leave notice, which also comes when the pointer jumps out of the
// program's windows, where the capture brings no move.

bool CHyperLink::IsInside(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    return client.PtInRect(point) != FALSE;
}

void CHyperLink::SetHovering(bool hovering) {
    if (hovering != static_cast<bool>(m_hovering)) {
        m_hovering = hovering;
        Invalidate();
        if (hovering) TrackMouseLeave();
    }
    MatchCapture();
}

void CHyperLink::MatchCapture() {
    const bool wanted = m_hovering || m_pressed;
    if (wanted == (::GetCapture() == m_hWnd)) return;
    if (wanted) {
        SetCapture();
    } else {
        ReleaseCapture();
    }
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point) {
    // The button came up where the link did not see it.
    if (!(flags & MK_LBUTTON)) m_pressed = FALSE;
    SetHovering(IsInside(point));
}

LRESULT CHyperLink::OnMouseLeave(WPARAM, LPARAM) {
    if (IsUnderCursor()) {
        // A late notice: the pointer is back.
        if (m_hovering) TrackMouseLeave();
        return 0;
    }
    // A press keeps the capture for its release, as long as the button is down.
    if (GetKeyState(VK_LBUTTON) >= 0) m_pressed = FALSE;
    SetHovering(false);
    return 0;
}

void CHyperLink::OnCaptureChanged(HWND newCapture) {
    if (newCapture == m_hWnd) return;
    m_pressed = FALSE;
    if (m_hovering) {
        m_hovering = FALSE;
        Invalidate();
    }
}

void CHyperLink::OnLButtonDown(UINT, CPoint point) {
    Press(point, true);
}

// The second press of a double click: focus and colour as a press, but no opening.
void CHyperLink::OnLButtonDblClk(UINT, CPoint point) {
    Press(point, false);
}

void CHyperLink::Press(CPoint point, bool opens) {
    if (!IsInside(point)) {
        // Only the capture brings a press from outside the label: the pointer has left.
        m_pressed = FALSE;
        SetHovering(false);
        return;
    }
    m_pressed = opens;
    MatchCapture();
    if (m_styleBits & LS_FOCUSONCLICK) SetFocus();
    if (opens && (m_styleBits & LS_OPENONPRESS)) OpenTarget();
    m_active = TRUE;
    Invalidate();
}

void CHyperLink::OnLButtonUp(UINT, CPoint point) {
    const bool click = m_pressed && IsInside(point);
    m_pressed = FALSE;
    if (IsInside(point)) {
        MatchCapture();
    } else {
        SetHovering(false);
    }
    if (click && !(m_styleBits & LS_OPENONPRESS)) OpenTarget();
}

void CHyperLink::OnSetFocus(HWND) {
    m_active = TRUE;
    Invalidate();
}

// Hover, press and capture end with the focus; the next move over the label hovers again.
void CHyperLink::OnKillFocus(HWND) {
    m_active = FALSE;
    m_pressed = FALSE;
    SetHovering(false);
    Invalidate();
}

// Space opens once per key press; the key's auto-repeat does not open again.
void CHyperLink::OnKeyDown(UINT key, UINT, UINT flags) {
    if (key != VK_SPACE) {
        Default();
    } else if (!(flags & KF_REPEAT)) {
        OpenTarget();
    }
}
