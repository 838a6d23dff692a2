// Texts drawn with GDI+ over the chart's plot, kept in id order under their own lock (the
// owner may set a caption while the GUI thread draws).
#pragma once

#include "base_lock.h"
#include "ptr_containers.h"
#include "wave_gdiplus_win.h"

#include <cstdint>
#include <string>

struct CaptionItem {
    CaptionItem() = default;
    ~CaptionItem();
    CaptionItem(const CaptionItem&) = delete;
    CaptionItem& operator=(const CaptionItem&) = delete;

    int64_t id = 0;
    std::wstring text;
    RECT rect{}; // empty: the whole plot
    Gdiplus::GpFont* font = nullptr;
    Gdiplus::GpStringFormat* format = nullptr;
    Gdiplus::GpStatus lastStatus = Gdiplus::Ok;
    Gdiplus::ARGB color = 0xFF000000;
};

class CWaveCaptions {
public:
    CWaveCaptions() = default;
    ~CWaveCaptions() { RemoveAll(); }
    CWaveCaptions(const CWaveCaptions&) = delete;
    CWaveCaptions& operator=(const CWaveCaptions&) = delete;

    // The caption with id 0: `text` (null: empty) in a font of `pointSize` points, centred
    // at the top of the plot, in `argb`.
    void SetCaption(const wchar_t* text, float pointSize, Gdiplus::ARGB argb);
    // Draws every caption with text into `dc`, laid out in `plot`.
    void Draw(HDC dc, const RECT& plot);
    // Deletes every caption with its font and format.
    void RemoveAll();

    int GetCount();
    // A copy of the caption's text, colour and whether it has a font; false for no such index.
    bool GetCaption(int index, std::wstring* text, Gdiplus::ARGB* color, bool* hasFont);

private:
    CaptionItem* At(int index) const { return static_cast<CaptionItem*>(m_items.GetAt(index)); }

    CBaseLock m_lock;
    CPtrListCtrl m_items; // of CaptionItem*, owned, by id ascending
};
