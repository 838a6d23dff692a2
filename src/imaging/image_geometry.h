// Where the image functions put their pictures: which part of a source goes to which part of
// a destination for each scaling, cropping and tiling mode, in plain arithmetic.
#pragma once

#include "win_types.h"

#include <climits>
#include <functional>

namespace imaging {

// One drawing: the source part (srcX, srcY, srcWidth, srcHeight) stretched over the destination
// part, in pixels.
struct ImageDraw {
    double destX = 0, destY = 0, destWidth = 0, destHeight = 0;
    double srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;
};

// Picture type of an extension given without its dot, ASCII letters compared ignoring case:
// "bmp" 0; "jpeg", "jpg" 1; "gif" 2; "tiff" 3; everything else 4 (png, tif, none).
int PictureTypeFromExtension(const wchar_t* extension);

// The size of a resized picture and how the source is drawn into it: mode 0 stretches to
// width x height; 1 to 4 scale proportionally by min, max, the width's or the height's factor.
// False for another mode, a size below 1 or a result that would be empty.
bool PlanResize(int sourceWidth, int sourceHeight, int width, int height, int mode, int* resultWidth,
                int* resultHeight, ImageDraw* draw);

// The centred part of `source` with the target's proportions, as large as fits: stretched over
// a target of width x height it fills it, cutting what overhangs. False for an empty target or
// source.
bool CoverPart(const RECT& source, int width, int height, RECT* part);

// Receives the drawings of a plan one at a time; false stops the walk.
using DrawVisitor = std::function<bool(const ImageDraw& draw)>;

// No limit on where drawing shows.
inline constexpr RECT kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

// Tiles of `source` from the destination's top-left corner, 1:1, the last ones cut, row by row.
// Only tiles that meet `visible` are visited. Each tile is made as it is visited, never kept in a
// list: a 1 x 1 source over 65536 x 65536 would be 2^32 of them. False when the visitor stopped.
bool ForEachTile(const RECT& destination, const RECT& source, const RECT& visible, const DrawVisitor& visit);

// The drawings of Gdiplus_DrawBitmap's mode: 0 cover, 1 fit centred, 2 tiles (those meeting
// `visible`), 3 1:1 centred, other stretched. None for an empty destination or source. False when
// the visitor stopped.
bool ForEachBitmapDraw(const RECT& destination, const RECT& source, int mode, const RECT& visible,
                       const DrawVisitor& visit);

// `source` 1:1 centred in `destination`: its middle where it is larger, the whole where smaller.
ImageDraw PlanCentred(const RECT& destination, const RECT& source);

// Gdiplus_DrawAlphaBitmap: stretched over `destination`, or 1:1 from the source's top-left
// corner centred in it.
ImageDraw PlanAlphaDraw(const RECT& destination, const RECT& source, bool stretch);

// Cuts a drawing's source part to the picture (0, 0, width, height) and its destination part in
// proportion, so nothing is read from outside the picture. False when nothing is left.
bool ClipToSource(ImageDraw* draw, int sourceWidth, int sourceHeight);

} // namespace imaging
