// A device context that a paint handler draws into instead of the screen: it covers the
// target's clip box with an off-screen bitmap and copies the picture to the target in one
// blit when it goes, so a control repaints without flicker. A printing target is drawn to
// directly, and so is any target whose clip box no bitmap can cover: one too large for the
// memory there is (a huge window) or an empty one.
#pragma once

#include "dc.h"
#include "gdi_objects.h"

class CXMemDC : public CDC {
public:
    explicit CXMemDC(CDC* target);
    ~CXMemDC() override;
    CXMemDC(const CXMemDC&) = delete;
    CXMemDC& operator=(const CXMemDC&) = delete;

    // Whether drawing goes to the off-screen bitmap (rather than straight to the target).
    BOOL IsOffScreen() const { return m_offScreen; }

private:
    bool PrepareOffScreen();
    void DrawStraightToTarget();

    CBitmap m_bitmap;
    // After the bitmap: it is put out of the memory context before the bitmap is deleted.
    CDCSelection m_selection;
    CDC* m_target;
    RECT m_rect{};
    BOOL m_offScreen = FALSE;
};
