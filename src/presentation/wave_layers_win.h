// The chart's two 32-bit pixel layers: the background (fills, grid, labels, captions) and
// the frame that is blitted to the screen. Both are top-down DIB sections with a stride of
// width x 4 bytes, so one layer is copied over the other with a single block copy.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

class CWaveLayers {
public:
    CWaveLayers() = default;
    ~CWaveLayers() { Release(); }
    CWaveLayers(const CWaveLayers&) = delete;
    CWaveLayers& operator=(const CWaveLayers&) = delete;

    // Deletes both layers and, when the size is not empty, makes new ones (frame first).
    // False when a size was given but a layer could not be made (both are gone then).
    bool Create(int width, int height);
    void Release();
    bool Exist() const { return m_frame != nullptr && m_background != nullptr; }

    // Puts the background's pixels under the frame's: the start of every frame.
    void CopyBackgroundToFrame();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_width * 4; }
    HBITMAP Frame() const { return m_frame; }
    HBITMAP Background() const { return m_background; }
    uint32_t* FramePixels() const { return m_framePixels; }
    uint32_t* BackgroundPixels() const { return m_backgroundPixels; }

private:
    HBITMAP m_frame = nullptr;
    HBITMAP m_background = nullptr;
    uint32_t* m_framePixels = nullptr;
    uint32_t* m_backgroundPixels = nullptr;
    int m_width = 0;
    int m_height = 0;
};
