// The image static under Wine: a real CColorStatic subclassing a STATIC child of a window of
// ours (which reflects WM_DRAWITEM to it), painted by the system, its pixels read back from the
// screen.
#include "color_static_win.h"

#include "pixel_buffer.h"
#include "test_environments_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

const auto* const g_gdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusRunning);

constexpr uint32_t kRgbMask = 0x00FFFFFF;
// A 32-bit DIB pixel reads 0x00RRGGBB.
constexpr uint32_t kRedPixel = 0x00FF0000;
constexpr uint32_t kBluePixel = 0x000000FF;
constexpr COLORREF kBack = RGB(10, 200, 30);
constexpr uint32_t kBackPixel = 0x000AC81E;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// A picture of two halves, red on the left and blue on the right.
BitmapPtr RedBlue(int width, int height) {
    BitmapPtr picture(Gdiplus_CreateColorBmp(width, height, 0xFFFF0000));
    Gdiplus::Graphics graphics(picture.get());
    Gdiplus::SolidBrush blue(Gdiplus::Color(0xFF0000FF));
    graphics.FillRectangle(&blue, width / 2, 0, width - width / 2, height);
    return picture;
}

// A window of ours with one STATIC child of the given size that a CColorStatic subclasses.
class StaticHost {
public:
    StaticHost(int width, int height, const wchar_t* text, DWORD style = SS_CENTER)
        : width(width), height(height) {
        host.CreateEx(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 20, 20, width + 40, height + 40, nullptr,
                      nullptr);
        child =
            CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 20, width, height,
                            host.m_hWnd, reinterpret_cast<HMENU>(1400), GetModuleHandleW(nullptr), nullptr);
    }

    bool Ready() const { return host.m_hWnd != nullptr && child != nullptr; }

    // What the control shows now, as 0x00RRGGBB words, rows from the top.
    std::vector<uint32_t> Paint() {
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
        HDC window = GetDC(child);
        HDC memory = CreateCompatibleDC(window);
        void* bits = nullptr;
        HBITMAP copy = CreateHBitmap(&bits, width, height, 32, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* screen = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = screen[i] & kRgbMask;
        SelectObject(memory, old);
        DeleteObject(copy);
        DeleteDC(memory);
        ReleaseDC(child, window);
        return pixels;
    }

    int width, height;
    CWnd host;
    HWND child = nullptr;
};

// Rows and columns holding dark (text) pixels on a light background.
struct Ink {
    std::vector<bool> rows, columns;
};

Ink InkOf(const std::vector<uint32_t>& pixels, int width, int height) {
    Ink ink{std::vector<bool>(size_t(height)), std::vector<bool>(size_t(width))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
            const int level = int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
            if (level < 3 * 128) {
                ink.rows[size_t(y)] = true;
                ink.columns[size_t(x)] = true;
            }
        }
    return ink;
}

// The maximal runs [first, last] of true entries.
std::vector<std::pair<int, int>> Runs(const std::vector<bool>& marks) {
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < int(marks.size()); ++i) {
        if (!marks[size_t(i)])
            continue;
        if (!runs.empty() && runs.back().second == i - 1)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    return runs;
}

} // namespace

TEST(ColorStatic, BecomesOwnerDrawnKeepingItsOtherStyles) {
    StaticHost host(60, 40, L"x", SS_RIGHT | SS_SUNKEN);
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    EXPECT_EQ(control.GetStyle() & SS_TYPEMASK, DWORD(SS_OWNERDRAW));
    EXPECT_NE(control.GetStyle() & SS_SUNKEN, 0u);
}

TEST(ColorStatic, APictureIsStretchedOverTheWholeControlAndKeptAsACopy) {
    StaticHost host(120, 60, L"");
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    {
        // Square picture, wide control: distorted to fill it, not letter-boxed. The caller's
        // picture is gone before the paint.
        BitmapPtr picture = RedBlue(20, 20);
        control.Setup(picture.get(), kBack, L"", kBlack, 12, FW_NORMAL, 2);
    }
    const std::vector<uint32_t> pixels = host.Paint();
    const struct {
        int x, y;
        uint32_t pixel;
    } probes[] = {
        // Inside by a few pixels: GDI+ blends a stretched picture's outermost pixels with what
        // lies beyond it. A letter-boxed picture would leave the back colour at both sides.
        {8, 8, kRedPixel},    {8, 51, kRedPixel},   {50, 30, kRedPixel},
        {70, 30, kBluePixel}, {111, 8, kBluePixel}, {111, 51, kBluePixel},
    };
    for (const auto& p : probes)
        EXPECT_EQ(pixels[size_t(p.y) * 120 + size_t(p.x)], p.pixel) << p.x << "," << p.y;
}

TEST(ColorStatic, SetImageNullShowsTheBackColour) {
    StaticHost host(80, 50, L"");
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    BitmapPtr picture = RedBlue(8, 8);
    control.Setup(picture.get(), kBack, L"", kBlack, 12, FW_NORMAL, 0);
    ASSERT_EQ(host.Paint()[0], kRedPixel);
    control.SetImage(nullptr);
    EXPECT_EQ(control.GetImage(), nullptr);
    const std::vector<uint32_t> pixels = host.Paint();
    for (size_t i : {size_t(0), size_t(79), size_t(25 * 80 + 40), pixels.size() - 1})
        EXPECT_EQ(pixels[i], kBackPixel) << "pixel " << i;
}

TEST(ColorStatic, ANullTextKeepsTheTemplatesText) {
    StaticHost host(80, 50, L"cm");
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    control.Setup(nullptr, kWhite, nullptr, kBlack, 20, FW_NORMAL, 0);
    EXPECT_EQ(control.GetWindowText(), L"cm");
    const Ink ink = InkOf(host.Paint(), 80, 50);
    EXPECT_FALSE(Runs(ink.columns).empty()); // and it is drawn
    control.Setup(nullptr, kWhite, L"", kBlack, 20, FW_NORMAL, 0);
    EXPECT_EQ(control.GetWindowText(), L"");
}

TEST(ColorStatic, TextRightAlignedAndVerticallyCentred) {
    StaticHost host(240, 80, L"");
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    control.Setup(nullptr, kWhite, L"460", kBlack, 24, FW_NORMAL, 2);
    const Ink ink = InkOf(host.Paint(), 240, 80);
    const auto columns = Runs(ink.columns), rows = Runs(ink.rows);
    ASSERT_FALSE(columns.empty());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_GT(columns.front().first, 120);      // in the right half
    EXPECT_GT(columns.back().second, 240 - 16); // up to the right edge, less the font's side bearing
    const int middle = (rows[0].first + rows[0].second) / 2;
    EXPECT_NEAR(middle, 40, 8);
}

TEST(ColorStatic, TwoLinesWithThreeEqualGaps) {
    const int height = 150;
    StaticHost host(200, height, L"");
    ASSERT_TRUE(host.Ready());
    CColorStatic control;
    ASSERT_TRUE(control.SubclassWindow(host.child));
    // The same text on both lines and alone, so the ink sits the same way in every line box.
    control.Setup(nullptr, kWhite, L"EE\nEE", kBlack, 16, FW_NORMAL, 1);
    const auto lines = Runs(InkOf(host.Paint(), 200, height).rows);
    control.SetWindowText(L"EE");
    const auto alone = Runs(InkOf(host.Paint(), 200, height).rows);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(alone.size(), 1u);

    // The height of a line box, as GDI+ measures "EE" in the control's font.
    HDC dc = GetDC(host.child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(host.child, WM_GETFONT, 0, 0)));
    Gdiplus::RectF box;
    {
        Gdiplus::Font font(dc);
        ASSERT_EQ(font.GetLastStatus(), Gdiplus::Ok);
        Gdiplus::Graphics graphics(dc);
        graphics.MeasureString(L"EE", -1, &font, Gdiplus::RectF(0, 0, 200, Gdiplus::REAL(height)), nullptr,
                               &box);
    }
    SelectObject(dc, old);
    ReleaseDC(host.child, dc);
    const double h = box.Height;
    ASSERT_GT(h, 10);

    // Equal gaps g = (H - 2h) / 3 put the boxes at g and 2g + h; a lone line's box is at
    // (H - h) / 2. Ink tops differ as their boxes do.
    const double gap = (height - 2 * h) / 3;
    EXPECT_NEAR(lines[1].first - lines[0].first, h + gap, 2.0);                // the gap between
    EXPECT_NEAR(alone[0].first - lines[0].first, (height - h) / 2 - gap, 2.0); // the gap above
    // Both lines are centred across the width.
    const auto columns = Runs(InkOf(host.Paint(), 200, height).columns);
    ASSERT_FALSE(columns.empty());
    EXPECT_NEAR(columns.front().first + columns.back().second, 200 - 1, 6);
}
