#include "controls/UniButton.h"

#include "classlib/Dc.h"

namespace {

constexpr UINT REPAINT_NOW = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

// System colours of the 3D edge, by role: the outer pixel and the one inside it, on the
// top-left and on the bottom-right side.
struct EdgeColors {
    int outerTopLeft;
    int innerTopLeft;
    int outerBottomRight;
    int innerBottomRight;
};

constexpr EdgeColors RAISED_EDGE{COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW};
// A sunken edge is the raised one lit from the other side.
constexpr EdgeColors SUNKEN_EDGE{COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT};

// The part of the shape that the shape moved by (offset, offset) leaves uncovered: a band
// `offset` pixels thick along the top-left edges, or along the bottom-right ones when
// the offset is negative.
void FillBand(CDCHandle dc, const CRgn& shape, CRgn& scratch, int offset, int colorIndex) {
    scratch.CombineRgn(shape, nullptr, RGN_COPY);
    scratch.OffsetRgn(offset, offset);
    scratch.CombineRgn(shape, scratch, RGN_DIFF);
    dc.FillRgn(scratch, CBrush(::GetSysColor(colorIndex)));
}

// The caption is drawn in the parent's font. A parent without a font of its own draws
// its text in the system font, and so does the caption then.
LOGFONTW ParentFontDescription(HWND button) {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetParent(button), WM_GETFONT, 0, 0));
    if (!font) font = ::GetStockObject(SYSTEM_FONT);
    LOGFONTW description{};
    ::GetObjectW(font, sizeof(description), &description);
    return description;
}

}  // namespace

BEGIN_MESSAGE_MAP(CUniButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CUniButton::CUniButton()
    : m_borderWidth(1),
      m_normalColor(::GetSysColor(COLOR_BTNFACE)),
      m_pressedColor(m_normalColor),
      m_hoverColor(m_normalColor),
      m_disabledColor(m_normalColor) {}

// The faces go with their members; the shape only while no window has taken it over.
CUniButton::~CUniButton() = default;

BOOL CUniButton::CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape,
                                  CWnd* parent, UINT id, int borderWidth, COLORREF normalColor,
                                  COLORREF pressedColor, COLORREF hoverColor,
                                  COLORREF disabledColor) {
    m_borderWidth = borderWidth;
    m_normalColor = normalColor;
    m_pressedColor = pressedColor;
    m_hoverColor = hoverColor;
    m_disabledColor = disabledColor;
    return CreateShaped(caption, style, origin, shape, parent, id);
}

BOOL CUniButton::CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape,
                                  CWnd* parent, UINT id, COLORREF highlightColor) {
    m_pressedColor = highlightColor;
    m_hoverColor = highlightColor;
    return CreateShaped(caption, style, origin, shape, parent, id);
}

BOOL CUniButton::CreateFromRegion(const char* caption, DWORD style, CPoint origin, HRGN shape,
                                  CWnd* parent, UINT id) {
    return CreateShaped(caption, style, origin, shape, parent, id);
}

BOOL CUniButton::CreateShaped(const char* caption, DWORD style, CPoint origin, HRGN shape,
                              CWnd* parent, UINT id) {
    m_shape.DeleteObject();  // left over from a call whose window never came into being
    // A shape that cannot be copied leaves a plain square button.
    m_shape.CreateRectRgn(0, 0, 31, 31);
    if (!m_shape.IsNull()) m_shape.CombineRgn(shape, nullptr, RGN_COPY);

    CRect box;
    m_shape.GetRgnBox(&box);
    m_shape.OffsetRgn(-box.left, -box.top);
    m_shape.GetRgnBox(&box);
    m_captionCenter = CPoint(box.Width() / 2, box.Height() / 2);

    const CRect rect(origin.x, origin.y, origin.x + box.Width(), origin.y + box.Height());
    return CreateEx(0, L"Button", caption, style, rect, parent, id) ? TRUE : FALSE;
}

void CUniButton::PreSubclassWindow() {
    // The style holds one button type: ORing owner-draw into a radio, three-state or
    // group-box type would make an unknown type (0x0F), which no one paints.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    ConfirmRepeatedMoves();
    CButton::PreSubclassWindow();
}

LRESULT CUniButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // An owner-drawn control answers a double click with BN_DOUBLECLICKED; as a second
    // press it gives the second BN_CLICKED a push button owes.
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

int CUniButton::OnCreate(LPCREATESTRUCTW) {
    if (Default() == -1) return -1;
    m_facesStale = true;
    // From here the system owns the shape and frees it with the window.
    if (SetWindowRgn(m_shape, true)) m_shape.Detach();
    return 0;
}

BOOL CUniButton::OnEraseBkgnd(CDCHandle) {
    // The face covers the whole shape and nothing outside it is visible.
    return TRUE;
}

// Mouse and hover tracking.

void CUniButton::OnMouseMove(UINT flags, CPoint point) {
    if (m_buttonDown) {
        Default();
        return;
    }
    TrackHover(point);
    // The control pushes itself on a move with the left button down while it holds the
    // capture, which here is the hover's: a press that began elsewhere must not push it.
    DefWindowProc(WM_MOUSEMOVE, flags & ~MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void CUniButton::OnLButtonDown(UINT, CPoint) {
    m_buttonDown = true;
    if (!m_captureHeld) TakeCapture();
    Default();
}

// The second press of a double click is a press that began on the button like the first.
void CUniButton::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CUniButton::OnLButtonUp(UINT, CPoint point) {
    // Cleared before the standard button's processing: ending a press of its own, it
    // gives up the capture, and OnCaptureChanged must not take that for another window
    // taking the mouse, which ends the hover. The hover's capture, which the standard
    // button never took, is given up after it; TrackHover takes it again while the
    // pointer stays on the shape.
    const bool held = m_captureHeld;
    m_captureHeld = false;
    Default();
    if (!m_hWnd) return;  // the click closed the window
    m_buttonDown = false;
    if (held) ::ReleaseCapture();
    TrackHover(point);
}

void CUniButton::OnCaptureChanged(HWND newCapture) {
    Default();
    if (newCapture == m_hWnd || !m_captureHeld) return;
    // Someone else took the capture (a menu, another window, disabling this one): the
    // button would never see the pointer leave, so the hover and any press end here.
    m_captureHeld = false;
    m_buttonDown = false;
    if (m_mouseOver) {
        m_mouseOver = false;
        Repaint();
    }
}

// The system's leave notice, asked for with the capture, also comes when the pointer
// jumps out of the program's windows, where the capture brings no move.
LRESULT CUniButton::OnMouseLeave(WPARAM, LPARAM) {
    Default();
    // A press keeps the capture until its release, which then tracks the hover.
    if (m_buttonDown || !m_mouseOver) return 0;
    CPoint pointer;
    ::GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    if (IsUnderPointer(pointer)) {
        TrackMouseLeave();  // a late notice: the pointer is back
    } else {
        TrackHover(pointer);
    }
    return 0;
}

// Over the shape, and not under another window: where a window covers part of the
// shape, the pointer there is on that window, not on the button.
bool CUniButton::IsUnderPointer(CPoint point) const {
    if (!IsOverShape(point)) return false;
    ClientToScreen(&point);
    return ::WindowFromPoint(point) == m_hWnd;
}

bool CUniButton::IsOverShape(CPoint point) const {
    CRgn shape;
    CopyWindowShape(shape);
    CRect box;
    shape.GetRgnBox(&box);
    return box.PtInRect(point) && shape.PtInRegion(point);
}

void CUniButton::TrackHover(CPoint point) {
    if (IsUnderPointer(point)) {
        // The capture brings the move that leaves the shape.
        if (!m_captureHeld) TakeCapture();
        if (!m_mouseOver) {
            m_mouseOver = true;
            Repaint();
        }
        return;
    }
    if (m_captureHeld) DropCapture();
    m_mouseOver = false;
    Repaint();
}

void CUniButton::TakeCapture() {
    SetCapture();
    m_captureHeld = true;
    TrackMouseLeave();
}

void CUniButton::DropCapture() {
    m_captureHeld = false;  // first, so the release is not taken for a loss
    ::ReleaseCapture();
}

void CUniButton::Repaint() {
    RedrawWindow(REPAINT_NOW);
}

void CUniButton::CopyWindowShape(CRgn& copy) const {
    copy.CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(copy);
}

// Painting.

void CUniButton::DrawItem(LPDRAWITEMSTRUCT item) {
    const CDCHandle dc(item->hDC);
    CRect client;
    GetClientRect(&client);
    if (m_facesStale) BuildFaces(dc, client);
    ShowFace(dc, client, item->itemState);
}

void CUniButton::BuildFaces(CDCHandle dc, const CRect& client) {
    struct Face {
        std::unique_ptr<CBitmap>& bitmap;
        COLORREF color;
        bool enabled;
        bool pressed;
    };
    const Face faces[] = {
        {m_normalFace, m_normalColor, true, false},
        {m_pressedFace, m_pressedColor, true, true},
        {m_hoverFace, m_hoverColor, true, false},
        {m_disabledFace, m_disabledColor, false, false},
    };
    CDC memDC;
    memDC.CreateCompatibleDC(dc);
    for (const Face& face : faces) {
        face.bitmap.reset();
        face.bitmap = std::make_unique<CBitmap>();
        PaintFace(dc, memDC, face.bitmap.get(), face.color, client, face.enabled, face.pressed);
    }
    m_facesStale = false;
}

void CUniButton::PaintFace(CDCHandle dc, CDCHandle memDC, CBitmap* face, COLORREF color,
                           const CRect& client, bool enabled, bool pressed) {
    // Compatible with the window's context: the memory context alone is monochrome.
    face->CreateCompatibleBitmap(dc, client.Width(), client.Height());
    CSelection selected(memDC, face->GetSafeHandle());
    CRgn shape;
    CopyWindowShape(shape);
    memDC.FillRgn(shape, CBrush(color));
    // The edge goes over the caption where the two meet.
    DrawCaption(memDC, enabled, pressed);
    DrawShapeEdge(memDC, shape, pressed);
}

void CUniButton::DrawCaption(CDCHandle memDC, bool enabled, bool pressed) {
    // The text mode, alignment and colours set here stay set: BuildFaces makes this
    // memory context for the four faces alone and deletes it once they are drawn.
    memDC.SetBkMode(TRANSPARENT);
    const CString caption = GetWindowText();
    const LOGFONTW description = ParentFontDescription(m_hWnd);
    CFont font;
    font.CreateFontIndirect(&description);
    CSelection selected(memDC, font.GetSafeHandle());
    TEXTMETRICW metrics{};
    memDC.GetTextMetrics(&metrics);
    // Centre and bottom: the text cell is centred on the shape's centre.
    CPoint anchor(m_captionCenter.x, m_captionCenter.y + metrics.tmHeight / 2);
    if (pressed) {
        anchor.x += m_borderWidth;
        anchor.y += m_borderWidth;
    }
    memDC.SetTextAlign(TA_CENTER | TA_BOTTOM);
    if (enabled) {
        memDC.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        memDC.TextOut(anchor.x, anchor.y, caption);
    } else {
        // Embossed: a highlight copy below right, the shadow copy over it.
        memDC.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        memDC.TextOut(anchor.x + 1, anchor.y + 1, caption);
        memDC.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        memDC.TextOut(anchor.x, anchor.y, caption);
    }
}

void CUniButton::DrawShapeEdge(CDCHandle memDC, const CRgn& shape, bool pressed) {
    const EdgeColors& colors = pressed ? SUNKEN_EDGE : RAISED_EDGE;
    CRgn scratch;
    scratch.CreateRectRgn(0, 0, 0, 0);
    if (m_borderWidth == 2) {
        // The inner pixel first, then the outer one over the first pixel of it.
        FillBand(memDC, shape, scratch, 2, colors.innerTopLeft);
        FillBand(memDC, shape, scratch, -2, colors.innerBottomRight);
        FillBand(memDC, shape, scratch, 1, colors.outerTopLeft);
        FillBand(memDC, shape, scratch, -1, colors.outerBottomRight);
    } else {
        FillBand(memDC, shape, scratch, 1, colors.innerTopLeft);
        FillBand(memDC, shape, scratch, -1, colors.outerBottomRight);
    }
}

void CUniButton::ShowFace(CDCHandle dc, const CRect& client, UINT state) {
    const CBitmap* face = (state & ODS_DISABLED)   ? m_disabledFace.get()
                          : (state & ODS_SELECTED) ? m_pressedFace.get()
                          : m_mouseOver            ? m_hoverFace.get()
                                                   : m_normalFace.get();
    if (!face) return;
    CDC memDC;
    memDC.CreateCompatibleDC(dc);
    CRgn shape;
    CopyWindowShape(shape);
    CSelection selected(memDC, face->GetSafeHandle());
    // The paint context itself is not always clipped to the window region (Wine's is
    // not), and the face holds nothing worth showing outside the shape.
    dc.SelectClipRgn(shape);
    dc.BitBlt(0, 0, client.Width(), client.Height(), memDC, 0, 0, SRCCOPY);
    dc.SelectClipRgn(nullptr);
}
