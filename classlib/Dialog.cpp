#include "classlib/Dialog.h"

#include <algorithm>

#include "classlib/App.h"
#include "classlib/DialogLayout.h"

namespace {

// Every message reaches the window procedure first; the dialog manager's own
// procedure has nothing left to do.
INT_PTR CALLBACK LibraryDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

const DLGTEMPLATE* LoadTemplate(UINT id) {
    HMODULE module = AfxGetInstanceHandle();
    // Template and type are numeric names, which no code page touches: the narrow call
    // finds what the wide one would and takes RT_DIALOG as this narrow-text build defines it.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

// The start of a span of `length` centred on `middle`, moved back inside [low, high) as
// far as it fits; a span longer than the range keeps its start visible.
LONG CentredStart(LONG middle, LONG length, LONG low, LONG high) {
    return std::max(low, std::min(middle - length / 2, high - length));
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_GETFONT, HandleGetFont)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

HWND CDialog::ResolveOwner() const {
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this) owner = main->GetSafeHwnd();
    }
    // An owner is always a top-level window.
    while (owner && (GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner;
}

bool CDialog::CreateFrom(const DLGTEMPLATE* dialogTemplate, HWND owner) {
    if (!dialogTemplate || m_hWnd) return false;
    m_ended = false;
    m_nModalResult = -1;
    BeginAttach(this, true);
    HWND hwnd = CreateDialogIndirectParamW(AfxGetInstanceHandle(), dialogTemplate, owner,
                                           LibraryDialogProc, 0);
    EndAttach();
    return hwnd != nullptr && m_hWnd == hwnd;
}

bool CDialog::Create(CWnd* parent) {
    if (parent) m_pParentWnd = parent;
    return CreateFrom(LoadTemplate(m_templateId), ResolveOwner());
}

INT_PTR CDialog::DoModal() {
    const DLGTEMPLATE* dialogTemplate = LoadTemplate(m_templateId);
    if (!dialogTemplate) return -1;
    HWND owner = ResolveOwner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    if (CreateFrom(dialogTemplate, owner)) {
        if (!m_ended) {
            ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    // The owner is enabled before the dialog goes, or Windows activates another program.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    m_inModalLoop = true;
    while (!m_ended && m_hWnd) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop: hand it on to the outer one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (PreTranslateChain(&msg)) continue;
        if (m_hWnd && IsDialogMessageW(m_hWnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    m_inModalLoop = false;
}

bool CDialog::PreTranslateChain(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return true;
        if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_ended = true;
    // Wakes the loop should the call come from outside a dispatched message.
    if (m_inModalLoop) PostMessage(WM_NULL);
}

// A dialog that its initialisation neither showed nor moved, and that does not stand
// beside an enabled owner, opens where a user expects it: centred.
LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    m_fontOf96Dpi.DeleteObject();
    if (m_keepLayoutOf96Dpi) LayOutAsAt96Dpi(m_hWnd, LoadTemplate(m_templateId), m_fontOf96Dpi);
    const bool startedHidden = !IsWindowVisible();
    CRect before;
    GetWindowRect(&before);
    const BOOL result = OnInitDialog();
    CRect after;
    GetWindowRect(&after);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const bool placedByNobody = startedHidden && after.TopLeft() == before.TopLeft() &&
                                !(GetStyle() & (WS_VISIBLE | WS_CHILD));
    if (placedByNobody && (!owner || !::IsWindowEnabled(owner))) CentreOverOwnerOrWorkArea(owner);
    return result;
}

// Controls that draw in their parent's font (the shaped button's caption) find the one
// the controls were given.
LRESULT CDialog::HandleGetFont(WPARAM, LPARAM) {
    if (m_fontOf96Dpi.IsNull()) return Default();
    return reinterpret_cast<LRESULT>(static_cast<HFONT>(m_fontOf96Dpi));
}

// Over a shown owner; else on the work area of the owner's monitor (a minimised owner's
// is the one it stands on when restored), or of the dialog's own monitor without one.
void CDialog::CentreOverOwnerOrWorkArea(HWND owner) {
    const bool overOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect work = monitor.rcWork;
    CRect area = work;
    if (overOwner) ::GetWindowRect(owner, &area);
    CRect own;
    GetWindowRect(&own);
    const LONG left = CentredStart((area.left + area.right) / 2, own.Width(), work.left, work.right);
    const LONG top = CentredStart((area.top + area.bottom) / 2, own.Height(), work.top, work.bottom);
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
