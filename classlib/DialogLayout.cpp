#include "classlib/DialogLayout.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "classlib/Dc.h"

namespace {

constexpr int LAYOUT_DPI = 96;

// A rectangle in dialog units, as a template stores it: origin and size.
struct DialogUnitRect {
    short x, y, cx, cy;
};

struct TemplateLayout {
    DialogUnitRect dialog{};
    WORD pointSize = 0;  // none without DS_SETFONT
    std::vector<DialogUnitRect> controls;
};

// Walks a dialog template, classic (DLGTEMPLATE) or extended (DLGTEMPLATEEX), field by
// field. Templates stand DWORD-aligned in memory, as their items do within them.
class TemplateReader {
public:
    explicit TemplateReader(const void* start) : m_at(static_cast<const BYTE*>(start)) {}
    template <typename T>
    T Read() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    void Skip(size_t bytes) { m_at += bytes; }
    // A menu, class or text field: 0xFFFF and an ordinal, or text ending in a 0.
    void SkipNameOrOrdinal() {
        WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            Skip(sizeof(WORD));
            return;
        }
        while (first != 0) first = Read<WORD>();
    }
    void AlignToDword() {
        const auto address = reinterpret_cast<std::uintptr_t>(m_at);
        m_at += (4 - address % 4) % 4;
    }

private:
    const BYTE* m_at;
};

TemplateLayout ReadLayout(const DLGTEMPLATE* dialogTemplate) {
    TemplateReader reader(dialogTemplate);
    const bool extended = reinterpret_cast<const WORD*>(dialogTemplate)[1] == 0xFFFF;
    if (extended) reader.Skip(3 * sizeof(DWORD));  // version and signature, help id, extended style
    const DWORD style = reader.Read<DWORD>();
    if (!extended) reader.Skip(sizeof(DWORD));  // extended style
    const WORD count = reader.Read<WORD>();
    TemplateLayout layout;
    layout.dialog = reader.Read<DialogUnitRect>();
    for (int field = 0; field < 3; ++field) reader.SkipNameOrOrdinal();  // menu, class, title
    if (style & DS_SETFONT) {
        layout.pointSize = reader.Read<WORD>();
        if (extended) reader.Skip(sizeof(WORD) + 2 * sizeof(BYTE));  // weight, italic, character set
        reader.SkipNameOrOrdinal();                                    // face name
    }
    for (WORD item = 0; item < count; ++item) {
        reader.AlignToDword();
        // Help id (extended only), styles; the id follows the rectangle.
        reader.Skip(extended ? 3 * sizeof(DWORD) : 2 * sizeof(DWORD));
        layout.controls.push_back(reader.Read<DialogUnitRect>());
        reader.Skip(extended ? sizeof(DWORD) : sizeof(WORD));
        reader.SkipNameOrOrdinal();  // class
        reader.SkipNameOrOrdinal();  // text
        // Creation data, after its size, which in a classic template counts itself.
        const WORD data = reader.Read<WORD>();
        reader.Skip(extended || data == 0 ? data : data - sizeof(WORD));
    }
    return layout;
}

// The dialog manager's base units of a font: the average width of the 52 Latin letters,
// rounded, and the character height.
SIZE BaseUnits(HFONT font) {
    CClientDC screen(nullptr);
    CSelection selected(screen, font);
    TEXTMETRICW metrics{};
    screen.GetTextMetrics(&metrics);
    const CSize letters = screen.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

// Dialog units to pixels, one coordinate at a time, as the dialog manager maps them.
RECT ToPixels(const DialogUnitRect& units, SIZE base) {
    const LONG left = MulDiv(units.x, base.cx, 4);
    const LONG top = MulDiv(units.y, base.cy, 8);
    return RECT{left, top, left + MulDiv(units.cx, base.cx, 4), top + MulDiv(units.cy, base.cy, 8)};
}

void ResizeClientArea(HWND dialog, LONG width, LONG height) {
    RECT window{};
    RECT client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left - client.right + width,
                 window.bottom - window.top - client.bottom + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A list view's icon spacing is by default the system's, which grows with the DPI.
void KeepIconSpacingOf96Dpi(HWND control, int dpi) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    if (std::wcscmp(className, WC_LISTVIEWW) != 0) return;
    SendMessageW(control, LVM_SETICONSPACING, 0,
                 MAKELPARAM(MulDiv(GetSystemMetrics(SM_CXICONSPACING), LAYOUT_DPI, dpi),
                            MulDiv(GetSystemMetrics(SM_CYICONSPACING), LAYOUT_DPI, dpi)));
}

}  // namespace

bool LayOutAsAt96Dpi(HWND dialog, const DLGTEMPLATE* dialogTemplate, CFont& font) {
    const int dpi = GetDeviceCaps(CClientDC(nullptr), LOGPIXELSY);
    if (dpi == LAYOUT_DPI || !dialogTemplate) return false;
    const TemplateLayout layout = ReadLayout(dialogTemplate);
    LOGFONTW description{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (layout.pointSize == 0 || !CFontHandle(current).GetLogFont(&description)) return false;
    description.lfHeight = -MulDiv(layout.pointSize, LAYOUT_DPI, 72);
    if (!font.CreateFontIndirect(&description)) return false;

    const SIZE base = BaseUnits(font);
    const RECT client = ToPixels(layout.dialog, base);
    ResizeClientArea(dialog, client.right - client.left, client.bottom - client.top);
    // The dialog manager makes the controls in template order, each below the last.
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const DialogUnitRect& units : layout.controls) {
        if (!control) break;
        const RECT rect = ToPixels(units, base);
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), FALSE);
        KeepIconSpacingOf96Dpi(control, dpi);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    return true;
}
