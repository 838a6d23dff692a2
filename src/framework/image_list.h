// An image list owned by its wrapper (destroyed with it unless detached).
#pragma once

#include "dc.h"

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetIconSize(int* width, int* height) const {
        return ImageList_GetIconSize(m_hImageList, width, height);
    }
    int Add(CBitmap* image, CBitmap* mask) {
        return ImageList_Add(m_hImageList, *image, mask != nullptr ? HBITMAP(*mask) : nullptr);
    }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL Draw(CDC* dc, int image, POINT at, UINT style) {
        return ImageList_Draw(m_hImageList, image, dc->m_hDC, at.x, at.y, style);
    }

    HIMAGELIST m_hImageList = nullptr;
};
