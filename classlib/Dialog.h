// Dialogs from resource templates, run modally or modelessly.
#pragma once

#include <windows.h>

#include "classlib/GdiObject.h"
#include "classlib/Wnd.h"

class CDialog : public CWnd {
public:
    // A parent of null means: the application's main window, when it exists.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_pParentWnd(parent) {}

    // Runs the dialog in the library's own loop with its owner disabled; answers the
    // result given to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Modeless creation from the resource template.
    bool Create(CWnd* parent = nullptr);

    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    INT_PTR ModalResult() const { return m_nModalResult; }

    // Hooks: initialisation exchanges towards the controls and focuses the first tab
    // stop; OK exchanges from the controls and ends; Cancel ends.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Walks from the message's window up to its top-level window, offering the message
    // to each attached object's PreTranslateMessage; true when one took it.
    static bool PreTranslateChain(MSG* msg);

protected:
    // For a dialog drawn on bitmaps, which keep their pixels at any DPI: at another DPI
    // than 96 it is laid out as at 96 before its initialisation (classlib/DialogLayout.h).
    void KeepLayoutOf96Dpi() { m_keepLayoutOf96Dpi = true; }
    DECLARE_MESSAGE_MAP()

private:
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    LRESULT HandleGetFont(WPARAM, LPARAM);
    void CentreOverOwnerOrWorkArea(HWND owner);
    HWND ResolveOwner() const;
    bool CreateFrom(const DLGTEMPLATE* dialogTemplate, HWND owner);
    void RunModalLoop();

    UINT m_templateId;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
    bool m_ended = false;
    bool m_inModalLoop = false;
    bool m_keepLayoutOf96Dpi = false;
    // The controls' font of the 96-DPI layout, when there is one; the dialog's font then.
    CFont m_fontOf96Dpi;
};
