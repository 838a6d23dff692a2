#include "image_list.h"

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
    return Attach(ImageList_Create(width, height, flags, initial, grow));
}

BOOL CImageList::Attach(HIMAGELIST list) {
    DeleteImageList();
    m_hImageList = list;
    return list != nullptr;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList() {
    return m_hImageList != nullptr ? ImageList_Destroy(Detach()) : FALSE;
}
