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
