#include "xmem_dc.h"

CXMemDC::CXMemDC(CDC* target) : m_target(target) {
    if (target == nullptr)
        return;
    m_offScreen = !target->IsPrinting() && PrepareOffScreen();
    if (!m_offScreen)
        DrawStraightToTarget();
}

bool CXMemDC::PrepareOffScreen() {
    m_target->GetClipBox(&m_rect);
    int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    if (width > 0 && height > 0 && CreateCompatibleDC(m_target) &&
        m_bitmap.CreateCompatibleBitmap(m_target->GetSafeHdc(), width, height) &&
        m_selection.Select(*this, m_bitmap)) {
        // Drawing at the target's coordinates lands in the bitmap.
        SetWindowOrg(m_rect.left, m_rect.top);
        return true;
    }
    // Blitting the memory context's default one-pixel bitmap would paint over the target.
    m_selection.Restore();
    m_bitmap.DeleteObject();
    DeleteDC();
    return false;
}

// The target's contexts are borrowed, not owned: they stay the target's.
void CXMemDC::DrawStraightToTarget() {
    m_bPrinting = m_target->m_bPrinting;
    m_hDC = m_target->m_hDC;
    m_hAttribDC = m_target->m_hAttribDC;
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
