#include "classlib/Dialog.h"

#include "classlib/App.h"

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

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
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
