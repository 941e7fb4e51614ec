// The list-view control and the image list it shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "classlib/Wnd.h"

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Images of width `width` cut from a bitmap resource; pixels of `mask` are transparent.
    bool Create(UINT bitmapId, int width, int grow, COLORREF mask);
    bool DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }

private:
    HIMAGELIST m_hImageList = nullptr;
};

class CListCtrl : public CWnd {
public:
    bool SetBkColor(COLORREF colour) { return SendMessage(LVM_SETBKCOLOR, 0, colour) != 0; }
    bool SetTextBkColor(COLORREF colour) { return SendMessage(LVM_SETTEXTBKCOLOR, 0, colour) != 0; }
    bool SetTextColor(COLORREF colour) { return SendMessage(LVM_SETTEXTCOLOR, 0, colour) != 0; }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }

    // Inserts an item whose text is code page 936; answers its index or -1.
    int InsertItem(UINT mask, int item, int subItem, const char* text, int image);
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetItemImage(int item) const;
    // The list only borrows the image list; its owner destroys it.
    HIMAGELIST SetImageList(CImageList* images, int kind);
    bool GetItemRect(int item, LPRECT rect, int code) const;
};
