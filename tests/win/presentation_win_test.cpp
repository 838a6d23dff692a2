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

namespace {

class MemoryTarget {
public:
    MemoryTarget() {
        bitmap = CreateHBitmap(reinterpret_cast<void**>(&pixels), 100, 100, 32, nullptr, 0);
        dc.CreateCompatibleDC(nullptr);
        old = dc.SelectObject(bitmap);
        RECT all{0, 0, 100, 100};
        DrawColorOnBuffer(0x00FFFFFF, pixels, &all, 400);
    }
    ~MemoryTarget() {
        dc.SelectObject(old);
        DeleteObject(bitmap);
    }
    uint32_t Pixel(int x, int y) {
        GdiFlush();
        return pixels[y * 100 + x] & 0x00FFFFFF;
    }

    CDC dc;
    HBITMAP bitmap = nullptr;
    uint32_t* pixels = nullptr;
    HGDIOBJ old = nullptr;
};

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kRedPixel = 0x00FF0000; // pixel word of RGB(255, 0, 0)

} // namespace

TEST(MemDcWin, DrawsOffScreenAndBlitsTheClipBoxAtTheEnd) {
    MemoryTarget target;
    IntersectClipRect(target.dc, 10, 10, 60, 40);
    {
        CXMemDC memory(&target.dc);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT everything{0, 0, 100, 100};
        memory.FillRect(&everything, red);
        DeleteObject(red);
        EXPECT_EQ(target.Pixel(20, 20), kWhite); // nothing reaches the target before the end
    }
    EXPECT_EQ(target.Pixel(10, 10), kRedPixel);
    EXPECT_EQ(target.Pixel(59, 39), kRedPixel);
    EXPECT_EQ(target.Pixel(60, 20), kWhite);
    EXPECT_EQ(target.Pixel(20, 40), kWhite);
    EXPECT_EQ(target.Pixel(5, 5), kWhite);
}

TEST(MemDcWin, PrintingTargetIsDrawnDirectlyAndKeepsItsContexts) {
    MemoryTarget target;
    target.dc.m_bPrinting = TRUE;
    {
        CXMemDC memory(&target.dc);
        EXPECT_EQ(memory.GetSafeHdc(), target.dc.GetSafeHdc());
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT part{0, 0, 30, 30};
        memory.FillRect(&part, red);
        DeleteObject(red);
        EXPECT_EQ(target.Pixel(5, 5), kRedPixel);
    }
    EXPECT_EQ(GetObjectType(target.dc.GetSafeHdc()), DWORD(OBJ_MEMDC));
    target.dc.m_bPrinting = FALSE;
}
