// What the balloon tip draws: its shape, the tip icons and the close button, and the window
// region cut out of its drawing.
#pragma once

#include "framework.h"

// Draws the balloon's body and pointer on the key colour into `bitmap` (width x height) and
// returns the region of everything that is not key colour; the caller owns it. Null when
// nothing could be drawn.
HRGN BuildBalloonShape(HBITMAP bitmap, int width, int height);

// The region of every pixel of `bitmap` that is not the key colour; null on failure.
HRGN RegionFromKeyColor(HBITMAP bitmap, int width, int height);

// Icon `icon` (TipIcon) in `r` (30 x 30); nothing for an unknown icon.
void DrawTipIcon(CDC& dc, int icon, const RECT& r, CFont& glyphFontSmall, CFont& glyphFontLarge);

// The round close button in `r`, highlighted while the mouse is over it.
void DrawCloseButton(CDC& dc, const RECT& r, bool hot);
