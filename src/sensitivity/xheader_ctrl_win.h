// The editable list's header: captions on several lines where they hold line breaks, check
// boxes in items whose image index says so (1 clear, 2 ticked), a fixed height when one is
// set, painted off-screen so that it does not flicker.
#pragma once

#include "framework.h"

#include <cstdint>

class IXHeaderCtrlListener {
public:
    virtual ~IXHeaderCtrlListener() = default;
    virtual void OnXHeaderItemClick(int64_t /*value*/, int /*item*/, int /*button*/) {}
    virtual void OnXHeaderItemDblClick(int64_t /*value*/, int /*item*/, int /*button*/) {}
};

class CXHeaderCtrl : public CHeaderCtrl {
public:
    CXHeaderCtrl();

    void SetListener(IXHeaderCtrlListener* listener, int64_t value);
    // The header's height in pixels; -1 (the start) keeps the system's. The list lays itself
    // out again at once.
    void SetHeight(int height);
    int GetHeight() const { return m_height; }
    void SetDoubleBuffer(BOOL doubleBuffer) { m_doubleBuffer = doubleBuffer; }

    // An item's check box (its image index): 0 none, 1 clear, 2 ticked; -1 for no item.
    int GetCheck(int item) const;
    BOOL SetCheck(int item, int state);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSysColorChange();
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    BOOL OnItemClick(NMHDR* header, LRESULT* result);
    BOOL OnItemDblClick(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void ReadSysColors();
    void Paint(CDC& dc, const RECT& update);
    void PaintItem(CDC& dc, int item, const RECT& itemRect);
    void PaintCheckBox(CDC& dc, const RECT& box, bool ticked);

    IXHeaderCtrlListener* m_listener = nullptr;
    int64_t m_listenerValue = 0;
    BOOL m_doubleBuffer = TRUE;
    int m_height = -1;
    int m_textMargin;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    COLORREF m_buttonHighlight = 0;
    COLORREF m_buttonShadow = 0;
    COLORREF m_buttonFace = 0;
    COLORREF m_buttonText = 0;
};
