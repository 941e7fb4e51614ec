#include "classlib/ListCtrl.h"

#include <string>

#include "classlib/App.h"

bool CImageList::Create(UINT bitmapId, int width, int grow, COLORREF mask) {
    DeleteImageList();
    m_hImageList = ImageList_LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(bitmapId), width,
                                        grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return m_hImageList != nullptr;
}

bool CImageList::DeleteImageList() {
    if (!m_hImageList) return false;
    const bool done = ImageList_Destroy(m_hImageList) != FALSE;
    m_hImageList = nullptr;
    return done;
}

int CListCtrl::InsertItem(UINT mask, int item, int subItem, const char* text, int image) {
    std::wstring wide = WideFrom936(text);
    LVITEMW entry{};
    entry.mask = mask;
    entry.iItem = item;
    entry.iSubItem = subItem;
    entry.pszText = &wide[0];
    entry.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry)));
}

int CListCtrl::GetItemImage(int item) const {
    LVITEMW entry{};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item;
    if (!SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry))) return -1;
    return entry.iImage;
}

HIMAGELIST CListCtrl::SetImageList(CImageList* images, int kind) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                                    reinterpret_cast<LPARAM>(images->GetSafeHandle())));
}

bool CListCtrl::GetItemRect(int item, LPRECT rect, int code) const {
    rect->left = code;
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}
