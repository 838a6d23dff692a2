#include "xmem_dc.h"

CXMemDC::CXMemDC(CDC* target) : m_target(target), m_offScreen(target != nullptr && !target->IsPrinting()) {
    if (target == nullptr)
        return;
    if (!m_offScreen) {
        // Printing: draw straight to the printer's contexts, which stay the target's.
        m_bPrinting = target->m_bPrinting;
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        return;
    }
    target->GetClipBox(&m_rect);
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target->GetSafeHdc(), m_rect.right - m_rect.left,
                                    m_rect.bottom - m_rect.top);
    m_selection.Select(*this, m_bitmap);
    // Drawing at the target's coordinates lands in the bitmap.
    SetWindowOrg(m_rect.left, m_rect.top);
}

CXMemDC::~CXMemDC() {
    if (m_target == nullptr)
        return;
    if (m_offScreen) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                         this, m_rect.left, m_rect.top, SRCCOPY);
        // Then the members put the old bitmap back and delete ours, and the base deletes the
        // memory context.
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
}
