// Proportional re-layout of real windows under Wine.
#include "wnd_resize_tool.h"

#include <gtest/gtest.h>

namespace {

RECT ClientRectIn(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    HWND parent = GetParent(window);
    ScreenToClient(parent, &corners[0]);
    ScreenToClient(parent, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

LONG FontHeight(HWND window) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW info{};
    if (font == nullptr || GetObjectW(font, sizeof info, &info) == 0)
        return 0;
    return info.lfHeight;
}

void ExpectRect(HWND window, RECT expected) {
    RECT r = ClientRectIn(window);
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

class ResizeToolWin : public ::testing::Test {
protected:
    void SetUp() override {
        parent =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        labelled = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 100, 50, 200, 20, parent,
                                   nullptr, nullptr, nullptr);
        group = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 400, 300, 200, 100, parent, nullptr,
                                nullptr, nullptr);
        inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 50, 30, group, nullptr,
                                nullptr, nullptr);
        font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        SendMessageW(labelled, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        tool.recordedWidth = 800;
        tool.recordedHeight = 600;
        tool.RecordChildren(parent);
        tool.parent = parent;
    }
    void TearDown() override {
        DestroyWindow(parent);
        DeleteObject(font);
    }

    HWND parent = nullptr, labelled = nullptr, group = nullptr, inner = nullptr;
    HFONT font = nullptr;
    CWndResizeTool tool;
};

} // namespace

TEST_F(ResizeToolWin, MovesSizesAndRefontsEveryDescendant) {
    EXPECT_EQ(tool.GetRecordCount(), 3);
    double sx = 0, sy = 0;
    EXPECT_EQ(tool.Resize(1200, 600, &sx, &sy), 0); // not enabled yet
    EXPECT_DOUBLE_EQ(sx, 1.0);
    ExpectRect(labelled, {100, 50, 300, 70});

    tool.enabled = 1;
    EXPECT_EQ(tool.Resize(1200, 600, &sx, &sy), 1);
    EXPECT_DOUBLE_EQ(sx, 1.5);
    EXPECT_DOUBLE_EQ(sy, 1.0);
    ExpectRect(labelled, {150, 50, 450, 70});
    EXPECT_EQ(FontHeight(labelled), -12);
    ExpectRect(inner, {15, 20, 90, 50}); // relative to its own parent

    EXPECT_EQ(tool.Resize(400, 300, nullptr, nullptr), 1);
    ExpectRect(labelled, {50, 25, 150, 35});
    EXPECT_EQ(FontHeight(labelled), -6);
    EXPECT_EQ(FontHeight(group), 0); // no font recorded: none is made

    // Back at the recorded size everything is where it was.
    EXPECT_EQ(tool.Resize(800, 600, nullptr, nullptr), 1);
    ExpectRect(labelled, {100, 50, 300, 70});
    ExpectRect(group, {400, 300, 600, 400});
    ExpectRect(inner, {10, 20, 60, 50});
    EXPECT_EQ(FontHeight(labelled), -12);
}

TEST_F(ResizeToolWin, DestroyedWindowsAreSkipped) {
    tool.enabled = 1;
    DestroyWindow(group); // takes `inner` with it
    EXPECT_EQ(tool.Resize(1600, 1200, nullptr, nullptr), 1);
    ExpectRect(labelled, {200, 100, 600, 140});
    tool.RemoveAllRecords();
    EXPECT_EQ(tool.GetRecordCount(), 0);
}

// ---- Off-screen drawing ----

#include "pixel_buffer.h"
#include "xmem_dc.h"

#include <cstdint>
#include <string>

namespace {

constexpr int kTargetSize = 100;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kRedPixel = 0x00FF0000;  // pixel word of RGB(255, 0, 0)
constexpr uint32_t kBluePixel = 0x000000FF; // pixel word of RGB(0, 0, 255)

// A white 100 x 100 DIB selected into a memory context, whose pixels the test reads.
class MemoryTarget {
public:
    MemoryTarget() {
        bitmap.Attach(
            CreateHBitmap(reinterpret_cast<void**>(&pixels), kTargetSize, kTargetSize, 32, nullptr, 0));
        dc.CreateCompatibleDC(nullptr);
        selected.Select(dc, bitmap);
        RECT all{0, 0, kTargetSize, kTargetSize};
        DrawColorOnBuffer(0x00FFFFFF, pixels, &all, kTargetSize * 4, kTargetSize);
    }
    uint32_t Pixel(int x, int y) {
        GdiFlush();
        return pixels[y * kTargetSize + x] & 0x00FFFFFF;
    }
    // Every pixel whose colour is not what `expected` (device x, y) says, as "x,y" text.
    std::string WrongPixels(uint32_t (*expected)(int x, int y)) {
        std::string wrong;
        for (int y = 0; y < kTargetSize; ++y) {
            for (int x = 0; x < kTargetSize; ++x) {
                if (Pixel(x, y) != expected(x, y) && wrong.size() < 200)
                    wrong += std::to_string(x) + "," + std::to_string(y) + " ";
            }
        }
        return wrong;
    }

    CDC dc;
    CBitmap bitmap;
    CDCSelection selected;
    uint32_t* pixels = nullptr;
};

bool Inside(int x, int y, RECT r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

TEST(MemDcWin, DrawsAtTheTargetsCoordinatesOffScreenAndBlitsTheClipBoxAtTheEnd) {
    // In device pixels: the clip box, and a small rectangle inside it.
    static constexpr RECT kClip{10, 10, 60, 40};
    static constexpr RECT kSpot{20, 15, 25, 18};
    struct Case {
        const char* name;
        POINT origin; // the target's window origin: logical = device + origin
    } cases[] = {{"target in device coordinates", {0, 0}}, {"target with a window origin", {100, 200}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryTarget target;
        SetWindowOrgEx(target.dc, c.origin.x, c.origin.y, nullptr);
        const int ox = c.origin.x, oy = c.origin.y;
        IntersectClipRect(target.dc, kClip.left + ox, kClip.top + oy, kClip.right + ox, kClip.bottom + oy);
        {
            CXMemDC memory(&target.dc);
            EXPECT_TRUE(memory.IsOffScreen());
            memory.FillSolidRect(ox, oy, kTargetSize, kTargetSize, RGB(0, 0, 255));
            memory.FillSolidRect(kSpot.left + ox, kSpot.top + oy, kSpot.right - kSpot.left,
                                 kSpot.bottom - kSpot.top, RGB(255, 0, 0));
            EXPECT_EQ(target.Pixel(20, 16), kWhite); // nothing reaches the target before the end
        }
        EXPECT_EQ(target.WrongPixels([](int x, int y) {
            return Inside(x, y, kSpot) ? kRedPixel : Inside(x, y, kClip) ? kBluePixel : kWhite;
        }),
                  "");
    }
}

TEST(MemDcWin, WithoutAnOffScreenBitmapItDrawsStraightToTheTarget) {
    static constexpr RECT kSpot{20, 30, 25, 33}; // device pixels
    struct Case {
        const char* name;
        int unitsPerPixel; // of the target's mapping
        bool emptyClip;
    } cases[] = {
        {"a clip box too large for any bitmap", 1000, false}, // 100000 x 100000 logical units
        {"an empty clip box", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryTarget target;
        SetMapMode(target.dc, MM_ANISOTROPIC);
        SetWindowExtEx(target.dc, kTargetSize * c.unitsPerPixel, kTargetSize * c.unitsPerPixel, nullptr);
        SetViewportExtEx(target.dc, kTargetSize, kTargetSize, nullptr);
        if (c.emptyClip)
            IntersectClipRect(target.dc, 0, 0, 0, 0);
        {
            CXMemDC memory(&target.dc);
            EXPECT_FALSE(memory.IsOffScreen());
            EXPECT_EQ(memory.GetSafeHdc(), target.dc.GetSafeHdc());
            const int u = c.unitsPerPixel;
            memory.FillSolidRect(kSpot.left * u, kSpot.top * u, (kSpot.right - kSpot.left) * u,
                                 (kSpot.bottom - kSpot.top) * u, RGB(255, 0, 0));
        }
        EXPECT_EQ(GetObjectType(target.dc.GetSafeHdc()), DWORD(OBJ_MEMDC)); // still the target's
        if (c.emptyClip)
            EXPECT_EQ(target.WrongPixels([](int, int) { return kWhite; }), "");
        else
            EXPECT_EQ(
                target.WrongPixels([](int x, int y) { return Inside(x, y, kSpot) ? kRedPixel : kWhite; }),
                "");
    }
}

TEST(MemDcWin, PrintingTargetIsDrawnDirectlyAndKeepsItsContexts) {
    MemoryTarget target;
    target.dc.m_bPrinting = TRUE;
    {
        CXMemDC memory(&target.dc);
        EXPECT_FALSE(memory.IsOffScreen());
        EXPECT_EQ(memory.GetSafeHdc(), target.dc.GetSafeHdc());
        memory.FillSolidRect(0, 0, 30, 30, RGB(255, 0, 0));
        EXPECT_EQ(target.Pixel(5, 5), kRedPixel);
    }
    EXPECT_EQ(GetObjectType(target.dc.GetSafeHdc()), DWORD(OBJ_MEMDC));
    target.dc.m_bPrinting = FALSE;
}
