#include "wave_layers_win.h"

#include "pixel_buffer.h"

#include <cstring>

bool CWaveLayers::Create(int width, int height) {
    Release();
    if (width <= 0 || height <= 0)
        return true;
    void* frame = nullptr;
    void* background = nullptr;
    m_frame = CreateHBitmap(&frame, width, height, 32, nullptr, 0);
    m_background = CreateHBitmap(&background, width, height, 32, nullptr, 0);
    if (m_frame == nullptr || m_background == nullptr || frame == nullptr || background == nullptr) {
        Release();
        return false;
    }
    m_framePixels = static_cast<uint32_t*>(frame);
    m_backgroundPixels = static_cast<uint32_t*>(background);
    m_width = width;
    m_height = height;
    return true;
}

void CWaveLayers::Release() {
    if (m_frame != nullptr)
        ::DeleteObject(m_frame);
    if (m_background != nullptr)
        ::DeleteObject(m_background);
    m_frame = m_background = nullptr;
    m_framePixels = m_backgroundPixels = nullptr;
    m_width = m_height = 0;
}

void CWaveLayers::CopyBackgroundToFrame() {
    if (!Exist())
        return;
    // GDI may still be writing into the background through a DC.
    ::GdiFlush();
    std::memcpy(m_framePixels, m_backgroundPixels, size_t(m_width) * size_t(m_height) * 4);
}
