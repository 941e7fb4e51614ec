// A static text control shown and used as a web link: state colours, underline, hand
// cursor, tooltip, fitting to its text; it opens its target through the shell, with
// the registered handler of ".htm" files as the fallback, and explains a failure.
#pragma once

#include <windows.h>

#include "classlib/Controls.h"
#include "classlib/GdiObject.h"
#include "classlib/Text.h"
#include "classlib/ToolTipCtrl.h"

class CHyperLink : public CStatic {
public:
    // Link style bits; others are kept and have no effect.
    static constexpr DWORD LS_UNDERLINE = 0x01;
    static constexpr DWORD LS_HOVERCOLOR = 0x02;
    static constexpr DWORD LS_FITTOTEXT = 0x04;
    static constexpr DWORD LS_OPENONPRESS = 0x08;
    static constexpr DWORD LS_FOCUSONCLICK = 0x10;
    static constexpr DWORD LS_NOHANDCURSOR = 0x20;
    static constexpr DWORD LS_NOACTIVECOLOR = 0x40;

    struct LinkColors {
        COLORREF normal;
        COLORREF active;
        COLORREF visited;
        COLORREF hover;
    };

    CHyperLink() = default;
    ~CHyperLink() override;

    // Before attaching only the target is stored; afterwards the label refits and the
    // tooltip shows the new target.
    void SetTarget(CString url);
    // A copy of its own for the caller, which the link may change afterwards.
    // cppcheck-suppress returnByReference
    CString GetTarget() const { return m_target; }
    void SetCaption(const char* text);
    // The link draws with its own copy of the font, underlined or not as given.
    void SetCaptionFont(const CFont* font);
    // Refuses (FALSE, nothing changed) to remove the underline while adding bits.
    BOOL ChangeStyleBits(DWORD remove, DWORD add, BOOL apply);
    DWORD GetStyleBits() const { return m_styleBits; }
    void MarkVisited(BOOL visited) { m_visited = visited; }
    BOOL IsVisited() const { return m_visited; }

    // Look shared by every link of the process. A hover colour of 0xFFFFFFFF stands for
    // the system highlight colour at the time of the call.
    static void AssignColors(COLORREF normal, COLORREF active, COLORREF visited, COLORREF hover);
    static void AssignColors(const LinkColors& colors);
    static void ReadColors(LinkColors& colors);
    static void AssignCursor(HCURSOR cursor);
    static HCURSOR CurrentCursor() { return s_linkCursor; }

    // Launching: a result above 32 means the target was opened.
    static int LaunchTarget(const char* target, int show);
    // Reads a key's default value into out; ERROR_SUCCESS only when the key opened and
    // a non-empty text that fits 260 bytes was read. On failure out is left as it was.
    // Subkey may point into out.
    static LONG ReadKeyDefault(HKEY key, const char* subkey, CString& out);
    static void ShowLaunchError(int code);

protected:
    void PreSubclassWindow() override;
    bool PreTranslateMessage(MSG* msg) override;

    HBRUSH CtlColor(CDCHandle dc, UINT kind);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnSetFocus(HWND previous);
    void OnKillFocus(HWND next);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    LRESULT OnNcHitTest(CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnCaptureChanged(HWND newCapture);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void MakeLinkFont();
    void FitToText();
    CSize TextExtent();
    void ApplyUnderline();
    void OpenTarget();
    COLORREF StateColor() const;
    static void LoadHandCursor();
    bool IsInside(CPoint point) const;
    void Press(CPoint point, bool opens);
    void SetHovering(bool hovering);
    void MatchCapture();

    BOOL m_active = FALSE;
    BOOL m_hovering = FALSE;
    // The left button went down on the label and has not come up: its release on the
    // label opens the target. The second press of a double click does not set it.
    BOOL m_pressed = FALSE;
    BOOL m_visited = FALSE;
    DWORD m_styleBits = LS_UNDERLINE | LS_FITTOTEXT | LS_FOCUSONCLICK;
    CString m_target;
    CFont m_linkFont;
    CToolTipCtrl m_tip;

    static LinkColors s_colors;
    static HCURSOR s_linkCursor;
};
