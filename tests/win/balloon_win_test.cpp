// The balloon tip under Wine, owned by a real dialog. Its timers are driven by WM_TIMER
// messages the test sends (the test never pumps messages, so the system's own timers never
// fire); KillTimer tells whether a timer was running. Layered-window alpha does not show on
// Xvfb, so it is read back with GetLayeredWindowAttributes.
#include "balloon_wnd_win.h"
#include "controls_test_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT_PTR kCountDown = 1;
constexpr UINT_PTR kFade = 2;

class BalloonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(IDD_CONTROLS_TEST));
        dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(balloon.Create(dialog.GetDlgItem(IDC_OTHER)));
    }

    void Add(const wchar_t* title, const wchar_t* text = L"text", int icon = TipIconError) {
        balloon.AddTip(kPoint, title, text, icon);
    }
    void Tick(UINT_PTR timer, int times = 1) {
        for (int i = 0; i < times; ++i)
            balloon.SendMessage(WM_TIMER, timer, 0);
    }
    // Whether `timer` was running; it is not afterwards.
    bool WasRunning(UINT_PTR timer) { return KillTimer(balloon.m_hWnd, timer) != FALSE; }
    bool Visible() const { return IsWindowVisible(balloon.m_hWnd) != FALSE; }
    int ShownAlpha() const {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(balloon.m_hWnd, &key, &alpha, &flags) || (flags & LWA_ALPHA) == 0)
            return -1;
        return alpha;
    }
    std::vector<std::wstring> Titles() {
        std::vector<std::wstring> titles;
        BalloonTip tip;
        for (int i = 0; balloon.GetTip(i, tip); ++i)
            titles.push_back(tip.title);
        return titles;
    }
    std::vector<int> Remaining() {
        std::vector<int> times;
        BalloonTip tip;
        for (int i = 0; balloon.GetTip(i, tip); ++i)
            times.push_back(tip.remainingMs);
        return times;
    }
    SIZE Size() const {
        RECT r{};
        GetWindowRect(balloon.m_hWnd, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }
    void Mouse(UINT message, POINT p) { balloon.SendMessage(message, 0, MAKELPARAM(p.x, p.y)); }

    const POINT kPoint{120, 140};
    CDialog dialog{IDD_CONTROLS_TEST};
    CBalloonWnd balloon;
};

} // namespace

TEST_F(BalloonTest, APopupOfItsOwnClassOwnedByTheTopLevelWindowAndHiddenUntilTheFirstTip) {
    wchar_t name[32] = {};
    GetClassNameW(balloon.m_hWnd, name, 32);
    EXPECT_STREQ(name, L"BALLOONWND");
    EXPECT_EQ(GetWindow(balloon.m_hWnd, GW_OWNER), dialog.m_hWnd);
    EXPECT_EQ(balloon.GetExStyle() & (WS_EX_LAYERED | WS_EX_NOACTIVATE),
              DWORD(WS_EX_LAYERED | WS_EX_NOACTIVATE));
    EXPECT_FALSE(Visible());
    // A second balloon finds the class already there.
    CBalloonWnd second;
    EXPECT_TRUE(second.Create(&dialog));
    EXPECT_EQ(GetWindow(second.m_hWnd, GW_OWNER), dialog.m_hWnd);

    Add(L"Input Error", L"Invalid character '-'");
    EXPECT_TRUE(Visible());
    EXPECT_EQ(ShownAlpha(), 255);
    RECT r{};
    GetWindowRect(balloon.m_hWnd, &r);
    EXPECT_EQ(r.left, kPoint.x);
    EXPECT_EQ(r.top, kPoint.y);
    EXPECT_TRUE(WasRunning(kCountDown));
}

TEST_F(BalloonTest, TheSameTipAgainIsRefreshedOnTopRatherThanAddedTwice) {
    Add(L"A");
    Add(L"B");
    Tick(kCountDown, 3);
    const SIZE twoTips = Size();
    Add(L"A", L"text", TipIconWarning);
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(Remaining(), (std::vector<int>{5000, 3500}));
    BalloonTip top;
    ASSERT_TRUE(balloon.GetTip(0, top));
    EXPECT_EQ(top.icon, TipIconWarning);
    EXPECT_EQ(Size().cy, twoTips.cy);
}

TEST_F(BalloonTest, ThreeTipsStackNewestFirstAndTheWindowShrinksWhenTheOldestExpires) {
    Add(L"oldest tip");
    const SIZE one = Size();
    Tick(kCountDown, 2);
    Add(L"middle");
    Tick(kCountDown, 2);
    Add(L"newest");
    const SIZE three = Size();
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"newest", L"middle", L"oldest tip"}));
    EXPECT_GT(three.cy, one.cy);
    BalloonTip newest, oldest;
    ASSERT_TRUE(balloon.GetTip(0, newest));
    ASSERT_TRUE(balloon.GetTip(2, oldest));
    EXPECT_LT(newest.titleRect.top, oldest.titleRect.top);

    Tick(kCountDown, 6); // the oldest has had its ten
    EXPECT_EQ(Remaining(), (std::vector<int>{2000, 1000, 0}));
    EXPECT_LT(Size().cy, three.cy);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(ShownAlpha(), 255);
}

TEST_F(BalloonTest, ATipGoesAfterTenTicksAndTheWindowFadesInFifteenSteps) {
    Add(L"A");
    Tick(kCountDown, 9);
    EXPECT_EQ(Remaining(), (std::vector<int>{500}));
    Tick(kCountDown);
    EXPECT_EQ(Remaining(), (std::vector<int>{0}));
    EXPECT_TRUE(Visible()); // the last layout stays while it fades
    EXPECT_FALSE(WasRunning(kCountDown));
    EXPECT_TRUE(WasRunning(kFade));

    Tick(kFade, 14);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(ShownAlpha(), 255 - 14 * 17);
    Tick(kFade);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 0);

    // A new tip brings it back at full opacity.
    Add(L"B");
    EXPECT_TRUE(Visible());
    EXPECT_EQ(ShownAlpha(), 255);
    EXPECT_EQ(Titles(), std::vector<std::wstring>{L"B"});
}

TEST_F(BalloonTest, TheMousePausesTheFadeAndLeavingGivesTheTipsTwoSeconds) {
    Add(L"A");
    Tick(kCountDown, 10);
    Tick(kFade, 5);
    EXPECT_EQ(ShownAlpha(), 255 - 5 * 17);

    const POINT inside{8, 30}; // on the body, away from the close button
    Mouse(WM_MOUSEMOVE, inside);
    EXPECT_EQ(ShownAlpha(), 255);
    EXPECT_FALSE(WasRunning(kCountDown));
    EXPECT_FALSE(WasRunning(kFade));
    // Moving on inside changes nothing.
    Mouse(WM_MOUSEMOVE, POINT{9, 31});
    EXPECT_FALSE(WasRunning(kCountDown));

    balloon.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(Remaining(), (std::vector<int>{2000}));
    EXPECT_TRUE(WasRunning(kCountDown));
    Tick(kCountDown, 3);
    EXPECT_EQ(Remaining(), (std::vector<int>{500}));
    EXPECT_FALSE(WasRunning(kFade));
    Tick(kCountDown);
    EXPECT_TRUE(WasRunning(kFade));
    EXPECT_TRUE(Visible());
}

TEST_F(BalloonTest, TheCloseButtonHidesEverythingAndAClickElsewhereDoesNot) {
    Add(L"A");
    Add(L"B");
    Mouse(WM_LBUTTONDOWN, POINT{8, 30});
    Mouse(WM_LBUTTONUP, POINT{8, 30});
    EXPECT_TRUE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 2);

    const RECT close = balloon.GetCloseRect();
    RECT client{};
    balloon.GetClientRect(&client);
    EXPECT_EQ(close.right, client.right - 10);
    EXPECT_EQ(close.top, 32);
    const POINT centre{(close.left + close.right) / 2, (close.top + close.bottom) / 2};
    Mouse(WM_LBUTTONDOWN, centre);
    Mouse(WM_LBUTTONUP, centre);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 0);
    EXPECT_FALSE(WasRunning(kCountDown));
    EXPECT_FALSE(WasRunning(kFade));
}

TEST_F(BalloonTest, MovingTheBalloonOfAHiddenOwnerHidesItAndDropsItsTips) {
    Add(L"A");
    balloon.MoveWindow(kPoint.x + 5, kPoint.y, Size().cx, Size().cy);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 1);

    // Hiding the owner leaves its popups as they are.
    dialog.ShowWindow(SW_HIDE);
    ASSERT_TRUE(Visible());
    balloon.MoveWindow(kPoint.x + 10, kPoint.y, Size().cx, Size().cy);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 0);
    EXPECT_FALSE(WasRunning(kCountDown));

    // A tip for a hidden owner is dropped too, and no empty balloon shows up for it.
    Add(L"B");
    EXPECT_FALSE(Visible());
    EXPECT_EQ(balloon.GetTipCount(), 0);
    dialog.ShowWindow(SW_SHOW);
    Add(L"C");
    EXPECT_TRUE(Visible());
    EXPECT_EQ(Titles(), std::vector<std::wstring>{L"C"});
}

TEST_F(BalloonTest, TheBalloonGoesWithItsOwnerAndThenIgnoresTips) {
    Add(L"A");
    dialog.DestroyWindow();
    EXPECT_EQ(balloon.m_hWnd, nullptr);
    EXPECT_EQ(balloon.GetTipCount(), 0);
    Add(L"B");
    EXPECT_EQ(balloon.GetTipCount(), 0);
}

namespace {

// The balloon's drawing, as 0x00RRGGBB words, rows from the top.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
        return {};
    width = info.bmWidth;
    height = info.bmHeight;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return {};
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

int CountIn(const std::vector<uint32_t>& pixels, int width, const RECT& r, bool (*match)(uint32_t)) {
    int count = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            count += match(pixels[size_t(y) * size_t(width) + size_t(x)]) ? 1 : 0;
    return count;
}

bool IsWhite(uint32_t pixel) {
    return pixel == 0x00FFFFFF;
}
bool IsNotWhite(uint32_t pixel) {
    return pixel != 0x00FFFFFF;
}
bool IsErrorRed(uint32_t pixel) {
    return pixel == 0x00F03A17; // RGB(240, 58, 23)
}

} // namespace

TEST_F(BalloonTest, AnUnknownIconLeavesItsRoomEmptyAndTheTextsStillShow) {
    const struct {
        int icon;
        bool red;
    } cases[] = {{TipIconError, true}, {6, true}, {7, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.icon);
        CBalloonWnd own;
        ASSERT_TRUE(own.Create(&dialog));
        own.AddTip(kPoint, L"Data Invalid", L"最小值 Must >= 1", c.icon);
        BalloonTip tip;
        ASSERT_TRUE(own.GetTip(0, tip));
        int width = 0, height = 0;
        const std::vector<uint32_t> pixels = Pixels(own.GetBackBitmap(), width, height);
        ASSERT_FALSE(pixels.empty());
        const int iconPixels =
            (tip.iconRect.right - tip.iconRect.left) * (tip.iconRect.bottom - tip.iconRect.top);
        EXPECT_EQ(iconPixels, 900);
        if (c.red)
            EXPECT_GT(CountIn(pixels, width, tip.iconRect, &IsErrorRed), iconPixels / 2);
        else
            EXPECT_EQ(CountIn(pixels, width, tip.iconRect, &IsWhite), iconPixels);
        EXPECT_EQ(tip.titleRect.left, 54);
        EXPECT_GT(CountIn(pixels, width, tip.titleRect, &IsNotWhite), 10);
        EXPECT_GT(CountIn(pixels, width, tip.textRect, &IsNotWhite), 10);
    }
}

namespace {

// Ink (non-white pixels) of `text` drawn unclipped in the balloon's text font on white.
int ReferenceInk(const wchar_t* text) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    CFont font;
    font.CreateFont(-MulDiv(9, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"黑体");
    CBitmap bitmap;
    bitmap.Attach(CreateHBitmap(nullptr, 400, 60, 24, nullptr, 0));
    CDC dc;
    if (font.m_hObject == nullptr || bitmap.m_hObject == nullptr || !dc.CreateCompatibleDC(nullptr))
        return -1;
    {
        CDCSelection selectedBitmap(dc, bitmap);
        CDCSelection selectedFont(dc, font);
        const RECT all{0, 0, 400, 60};
        dc.FillSolidRect(&all, RGB(255, 255, 255));
        RECT box{10, 10, 10, 10};
        dc.DrawText(text, -1, &box, DT_NOCLIP);
    }
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = Pixels(HBITMAP(bitmap.m_hObject), width, height);
    return CountIn(pixels, width, RECT{0, 0, width, height}, &IsNotWhite);
}

} // namespace

TEST_F(BalloonTest, ATextIsDrawnInFullUpToItsLastCharacter) {
    for (const wchar_t* text : {L"Invalid character '-'", L"最小值 Must >= 1", L"Invalid character 'W'"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        CBalloonWnd own;
        ASSERT_TRUE(own.Create(&dialog));
        own.AddTip(kPoint, L"Input Error", text, TipIconError);
        BalloonTip tip;
        ASSERT_TRUE(own.GetTip(0, tip));
        int width = 0, height = 0;
        const std::vector<uint32_t> pixels = Pixels(own.GetBackBitmap(), width, height);
        ASSERT_FALSE(pixels.empty());
        // Everything right of the text's start up to the close button, in the text's rows.
        const RECT band{tip.textRect.left, tip.textRect.top, own.GetCloseRect().left, tip.textRect.bottom};
        const int expected = ReferenceInk(text);
        EXPECT_GT(expected, 0);
        EXPECT_EQ(CountIn(pixels, width, band, &IsNotWhite), expected);
    }
}

TEST_F(BalloonTest, TheWindowRegionIsTheBalloonWithoutItsKeyColouredCorners) {
    Add(L"A");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(balloon.m_hWnd, region), ERROR);
    const SIZE size = Size();
    const struct {
        POINT p;
        bool inside;
    } cases[] = {
        {{0, 0}, false},                     // beside the pointer
        {{30, 5}, false},                    // right of the pointer's slope
        {{22, 15}, true},                    // in the pointer
        {{size.cx / 2, size.cy / 2}, true},  // in the body
        {{size.cx - 1, size.cy - 1}, false}, // a rounded corner
        {{0, 21}, false},                    // the body's upper left corner
    };
    for (const auto& c : cases)
        EXPECT_EQ(PtInRegion(region, c.p.x, c.p.y) != FALSE, c.inside) << c.p.x << ", " << c.p.y;
    DeleteObject(region);
}
