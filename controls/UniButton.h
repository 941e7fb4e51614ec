// A push button cut to an arbitrary region: it takes the mouse only inside its shape,
// tracks the pointer over it and shows one of four faces (normal, pressed, hover,
// disabled) rendered once, at its first paint.
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/Controls.h"
#include "classlib/Dc.h"
#include "classlib/GdiObject.h"

class CUniButton : public CButton {
public:
    CUniButton();
    ~CUniButton() override;

    // `shape` is copied, never kept: the caller may delete it as soon as the call returns.
    // The copy is placed with the top-left corner of its bounding box at `origin`.
    BOOL CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape, CWnd* parent,
                          UINT id, int borderWidth, COLORREF normalColor, COLORREF pressedColor,
                          COLORREF hoverColor, COLORREF disabledColor);
    // One colour for the pressed and the hover face; the other settings stay.
    BOOL CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape, CWnd* parent,
                          UINT id, COLORREF highlightColor);
    BOOL CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape, CWnd* parent,
                          UINT id);

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL OnEraseBkgnd(CDCHandle dc);
    void OnMouseMove(UINT flags, CPoint point);
    int OnCreate(LPCREATESTRUCTW create);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(HWND newCapture);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateShaped(const char* caption, DWORD style, CPoint origin, HRGN shape, CWnd* parent,
                      UINT id);
    // A copy of the window's region, in client coordinates.
    void CopyWindowShape(CRgn& copy) const;
    bool IsOverShape(CPoint point) const;
    bool IsUnderPointer(CPoint point) const;
    void TrackHover(CPoint point);
    void TakeCapture();
    void DropCapture();
    void Repaint();

    void BuildFaces(CDCHandle dc, const CRect& client);
    void PaintFace(CDCHandle dc, CDCHandle memDC, CBitmap* face, COLORREF color, const CRect& client,
                   bool enabled, bool pressed);
    void DrawCaption(CDCHandle memDC, bool enabled, bool pressed);
    void DrawShapeEdge(CDCHandle memDC, const CRgn& shape, bool pressed);
    void ShowFace(CDCHandle dc, const CRect& client, UINT state);

    int m_borderWidth;
    COLORREF m_normalColor;
    COLORREF m_pressedColor;
    COLORREF m_hoverColor;
    COLORREF m_disabledColor;
    std::unique_ptr<CBitmap> m_normalFace;
    std::unique_ptr<CBitmap> m_pressedFace;
    std::unique_ptr<CBitmap> m_hoverFace;
    std::unique_ptr<CBitmap> m_disabledFace;
    CPoint m_captionCenter;
    bool m_buttonDown = false;
    bool m_mouseOver = false;
    bool m_captureHeld = false;
    // Ours until WM_CREATE gives it to the window as its region.
    CRgn m_shape;
    bool m_facesStale = true;
};
