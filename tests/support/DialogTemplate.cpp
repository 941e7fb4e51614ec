#include "tests/support/DialogTemplate.h"

namespace wintest {

namespace {

// Template fields are WORD-aligned, items DWORD-aligned, relative to the template start.
class Reader {
public:
    explicit Reader(const BYTE* base) : m_base(base), m_at(base) {}
    WORD Word() { WORD w; memcpy(&w, m_at, 2); m_at += 2; return w; }
    DWORD Dword() { DWORD d; memcpy(&d, m_at, 4); m_at += 4; return d; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *m_at++; }
    std::wstring String() {
        std::wstring s;
        for (WORD c = Word(); c != 0; c = Word()) s.push_back(static_cast<wchar_t>(c));
        return s;
    }
    // A string, or 0xFFFF followed by an ordinal.
    std::wstring StringOrOrdinal(bool classOrdinal) {
        WORD first = Word();
        if (first == 0) return std::wstring();
        if (first == 0xFFFF) {
            const WORD ordinal = Word();
            if (!classOrdinal) return L"#" + std::to_wstring(ordinal);
            switch (ordinal) {
            case 0x80: return L"Button";
            case 0x81: return L"Edit";
            case 0x82: return L"Static";
            case 0x83: return L"ListBox";
            case 0x84: return L"ScrollBar";
            case 0x85: return L"ComboBox";
            default: return L"#" + std::to_wstring(ordinal);
            }
        }
        std::wstring s(1, static_cast<wchar_t>(first));
        for (WORD c = Word(); c != 0; c = Word()) s.push_back(static_cast<wchar_t>(c));
        return s;
    }
    void Align(size_t to) {
        const size_t offset = static_cast<size_t>(m_at - m_base);
        m_at += (to - offset % to) % to;
    }
    void Skip(size_t bytes) { m_at += bytes; }

private:
    const BYTE* m_base;
    const BYTE* m_at;
};

void ReadItem(Reader& r, bool extended, TemplateItem* item) {
    r.Align(4);
    if (extended) {
        r.Dword();  // help id
        item->exStyle = r.Dword();
        item->style = r.Dword();
    } else {
        item->style = r.Dword();
        item->exStyle = r.Dword();
    }
    item->x = r.Short();
    item->y = r.Short();
    item->cx = r.Short();
    item->cy = r.Short();
    item->id = extended ? r.Dword() : r.Word();
    item->className = r.StringOrOrdinal(true);
    item->text = r.StringOrOrdinal(false);
    r.Skip(r.Word());  // creation data
}

}  // namespace

bool ReadDialogTemplate(UINT id, DialogTemplate* out) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (!found) return false;
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    Reader r(base);
    WORD count = 0;
    const DWORD first = r.Dword();
    out->extended = first == 0xFFFF0001;
    if (out->extended) {
        r.Dword();  // help id
        out->exStyle = r.Dword();
        out->style = r.Dword();
    } else {
        out->style = first;
        out->exStyle = r.Dword();
    }
    count = r.Word();
    out->x = r.Short();
    out->y = r.Short();
    out->cx = r.Short();
    out->cy = r.Short();
    r.StringOrOrdinal(false);  // menu
    r.StringOrOrdinal(false);  // class
    out->title = r.String();
    if (out->style & DS_SETFONT) {
        out->pointSize = r.Word();
        if (out->extended) {
            out->weight = r.Word();
            out->italic = r.Byte();
            out->charset = r.Byte();
        }
        out->typeface = r.String();
    }
    out->items.resize(count);
    for (TemplateItem& item : out->items) ReadItem(r, out->extended, &item);
    return true;
}

}  // namespace wintest
