// The real main dialog under Wine, fed decoded reports through the reader's interface from
// another thread, as the report reader feeds it: readouts, indicator, charts, time axis.
#include "app_document.h"
#include "color_static_win.h"
#include "frame_scanner.h"
#include "kova_tevo512_tool_dlg.h"
#include "program_environment_win.h"
#include "report_frame_builder.h"
#include "resource.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// The dialog of one test, on a configuration given as XML.
class MainDialog : public ::testing::Test {
protected:
    void Open(const std::string& configuration = "<AppConfig/>") {
        ASSERT_TRUE(AppConfigDocument().LoadBuffer(configuration.data(), configuration.size()));
        dialog = std::make_unique<CKOVATevo512ToolDlg>();
        ASSERT_TRUE(dialog->Create(IDD_MAIN_DIALOG));
        dialog->ShowWindow(SW_SHOW);
        PumpPending();
    }
    void TearDown() override {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
        dialog.reset();
        PumpPending();
    }

    // Decodes the frames on a thread of their own, as the reader thread does, then lets the
    // dialog handle what it was sent.
    void Feed(const std::vector<uint8_t>& stream) {
        std::thread reader([&] {
            ReportDecoder decoder = dialog->CreateReportDecoder();
            ScanReportFrames(stream.data(), stream.size(), decoder);
        });
        reader.join();
        PumpFrames();
    }
    // What the dialog does in its next display frames (one may wait on its frame timer).
    static void PumpFrames() {
        for (int frame = 0; frame < 4; ++frame) {
            PumpPending();
            Sleep(10);
        }
        PumpPending();
    }
    void FeedReport(const ReportFields& fields) { Feed(BuildReportFrame(2, BuildReportData(fields))); }

    std::wstring Text(int id) { return dialog->GetDlgItemText(id); }
    // Whether the indicator shows (a copy of) the picture file `name` of the Image folder.
    bool IndicatorShows(const wchar_t* name) {
        Gdiplus::Bitmap* shown =
            static_cast<CColorStatic*>(
                CWnd::FromHandlePermanent(::GetDlgItem(dialog->m_hWnd, IDC_STATIC_INDICATOR)))
                ->GetImage();
        std::wstring path = std::wstring(ProgramFolderW()) + L"\\Image\\" + name;
        std::unique_ptr<Gdiplus::Bitmap> expected(Gdiplus_LoadBitmapFromFileW(path.c_str()));
        if (shown == nullptr || expected == nullptr || shown->GetWidth() != expected->GetWidth() ||
            shown->GetHeight() != expected->GetHeight())
            return false;
        for (UINT y = 0; y < expected->GetHeight(); y += 7) {
            for (UINT x = 0; x < expected->GetWidth(); x += 7) {
                Gdiplus::Color a, b;
                shown->GetPixel(INT(x), INT(y), &a);
                expected->GetPixel(INT(x), INT(y), &b);
                // A copy may drop the colour of fully transparent pixels.
                if (a.GetValue() != b.GetValue() && (a.GetA() != 0 || b.GetA() != 0))
                    return false;
            }
        }
        return true;
    }
    static std::wstring ProgramFolderW() {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder = path;
        return folder.substr(0, folder.find_last_of(L'\\'));
    }
    CWaveWnd& Chart(int id) {
        return *static_cast<CWaveWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog->m_hWnd, id)));
    }

    std::unique_ptr<CKOVATevo512ToolDlg> dialog;
};

TEST_F(MainDialog, SensitivityReadoutsShowTheMaximaOfTheLastFiftyReports) {
    Open();
    const std::wstring before = Text(IDC_EDIT_MOTION_SENSITIVITY);
    // Report 1 brings the largest energies, so the 51st report shows whether it has left.
    for (int report = 1; report <= 49; ++report)
        FeedReport(
            {1, 100, uint8_t(report == 1 ? 250 : report), 100, uint8_t(report == 1 ? 240 : report), 100});
    EXPECT_EQ(Text(IDC_EDIT_MOTION_SENSITIVITY), before);
    FeedReport({1, 100, 50, 100, 7, 100});
    EXPECT_EQ(Text(IDC_EDIT_MOTION_SENSITIVITY), L"250");
    EXPECT_EQ(Text(IDC_EDIT_MOTIONLESS_SENSITIVITY), L"240");
    FeedReport({1, 100, 51, 100, 0, 100});
    EXPECT_EQ(Text(IDC_EDIT_MOTION_SENSITIVITY), L"51");
    EXPECT_EQ(Text(IDC_EDIT_MOTIONLESS_SENSITIVITY), L"49");
}

// The GUI stalls for a second (a modal box, a dragged window) while reports pour in: one
// report message waits for it, no more, and then the readouts show the maxima of the last 50
// reports sent and the distance of the last one.
TEST_F(MainDialog, AStalledGuiFindsOneMessageAndTheMaximaOfTheLastFiftyReports) {
    Open();
    constexpr int kReports = 3000;
    std::vector<ReportFields> sent;
    for (int i = 0; i < kReports; ++i)
        sent.push_back({uint8_t(1 + i % 3), uint16_t(100 + i % 50), uint8_t((i * 37) % 101), 120,
                        uint8_t((i * 53) % 101), uint16_t(100 + i % 300)});
    std::thread reader([&] {
        ReportDecoder decoder = dialog->CreateReportDecoder();
        for (int i = 0; i < kReports; ++i) {
            const std::vector<uint8_t> frame = BuildReportFrame(2, BuildReportData(sent[size_t(i)]));
            ScanReportFrames(frame.data(), frame.size(), decoder);
            if (i % 10 == 0)
                Sleep(3); // about a second in all
        }
    });
    reader.join(); // the GUI thread handles nothing meanwhile
    MSG message;
    int queued = 0;
    while (PeekMessageW(&message, dialog->m_hWnd, WM_REPORT_MESSAGE, WM_REPORT_MESSAGE, PM_REMOVE)) {
        ++queued;
        DispatchMessageW(&message);
    }
    EXPECT_EQ(queued, 1);
    PumpFrames();
    uint8_t moving = 0, motionless = 0;
    for (int i = kReports - 50; i < kReports; ++i) {
        moving = std::max(moving, sent[size_t(i)].movingEnergy);
        motionless = std::max(motionless, sent[size_t(i)].motionlessEnergy);
    }
    EXPECT_EQ(Text(IDC_EDIT_MOTION_SENSITIVITY), std::to_wstring(moving));
    EXPECT_EQ(Text(IDC_EDIT_MOTIONLESS_SENSITIVITY), std::to_wstring(motionless));
    EXPECT_EQ(Text(IDC_STATIC_DISTANCE), std::to_wstring(sent.back().distanceCm));
}

TEST_F(MainDialog, IndicatorAndDistanceFollowTheState) {
    Open();
    EXPECT_EQ(Text(IDC_STATIC_DISTANCE), L"0"); // initialisation shows the empty report
    EXPECT_TRUE(IndicatorShows(L"HumanNobody.png"));
    FeedReport({3, 150, 60, 300, 40, 123});
    EXPECT_TRUE(IndicatorShows(L"HumanMotion.png"));
    EXPECT_EQ(Text(IDC_STATIC_DISTANCE), L"123");
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTION), UINT(BST_CHECKED));
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTIONLESS), UINT(BST_UNCHECKED));
    FeedReport({2, 0, 0, 300, 40, 300});
    EXPECT_TRUE(IndicatorShows(L"HumanMotionless.png"));
    EXPECT_FALSE(IndicatorShows(L"HumanMotion.png"));
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTION), UINT(BST_UNCHECKED));
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTIONLESS), UINT(BST_CHECKED));
    FeedReport({7, 0, 0, 0, 0, 45}); // an unknown state leaves the radio buttons
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTIONLESS), UINT(BST_CHECKED));
    EXPECT_EQ(Text(IDC_STATIC_DISTANCE), L"45");
    FeedReport({0, 0, 0, 0, 0, 0});
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTION), UINT(BST_UNCHECKED));
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_RADIO_MOTIONLESS), UINT(BST_UNCHECKED));
}

// The readout paints the new distance as its text is set: what the screen shows follows the
// reports, and the same distance looks the same again.
TEST_F(MainDialog, TheDistanceReadoutIsRepaintedWithEachNewDistance) {
    Open();
    HWND readout = ::GetDlgItem(dialog->m_hWnd, IDC_STATIC_DISTANCE);
    auto shown = [readout] {
        RECT client{};
        ::GetClientRect(readout, &client);
        HDC screen = ::GetDC(readout);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; y += 2)
            for (int x = 0; x < client.right; x += 2)
                pixels.push_back(::GetPixel(screen, x, y));
        ::ReleaseDC(readout, screen);
        return pixels;
    };
    FeedReport({1, 100, 50, 100, 50, 123});
    const std::vector<COLORREF> first = shown();
    FeedReport({1, 100, 50, 100, 50, 456});
    const std::vector<COLORREF> second = shown();
    FeedReport({1, 100, 50, 100, 50, 123});
    EXPECT_NE(first, second);
    EXPECT_EQ(shown(), first);
}

TEST_F(MainDialog, TimeAxisFollowsTheStatisticsLength) {
    struct Case {
        const char* configuration;
        double end;
        const wchar_t* caption;
    } cases[] = {
        {"<AppConfig DistanceUnit='1' DistanceCount='3'/>", 180, L"Second"},
        {"<AppConfig DistanceUnit='1' DistanceCount='10'/>", 10, L"Minute"},
        {"<AppConfig DistanceUnit='2' DistanceCount='4'/>", 240, L"Minute"},
        {"<AppConfig DistanceUnit='0' DistanceCount='120'/>", 120, L"Second"},
    };
    for (const Case& c : cases) {
        Open(c.configuration);
        CWaveWnd& chart = Chart(IDC_CHART_DISTANCE);
        {
            CAutoBaseLock lock(chart.model.Lock());
            EXPECT_EQ(chart.model.bottomAxis.coord.minimum, 0) << c.configuration;
            EXPECT_EQ(chart.model.bottomAxis.coord.maximum, c.end) << c.configuration;
            EXPECT_EQ(chart.model.leftAxis.coord.maximum, 6.75) << c.configuration;
        }
        EXPECT_EQ(Text(IDC_STATIC_TIME_UNIT), c.caption) << c.configuration;
        TearDown();
    }
}

TEST_F(MainDialog, StatisticsUnitSetsTheLengthLimits) {
    Open("<AppConfig DistanceUnit='1' DistanceCount='50'/>");
    CWnd* length = dialog->GetDlgItem(IDC_EDIT_DISTANCE_COUNT);
    EXPECT_EQ(Text(IDC_EDIT_DISTANCE_COUNT), L"50");
    EXPECT_TRUE(length->IsWindowEnabled());
    auto select = [&](int entry) {
        dialog->SendDlgItemMessage(IDC_COMBO_DISTANCE_UNIT, CB_SETCURSEL, WPARAM(entry));
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO_DISTANCE_UNIT, CBN_SELCHANGE),
                            LPARAM(dialog->GetDlgItem(IDC_COMBO_DISTANCE_UNIT)->m_hWnd));
    };
    select(2); // hours: 50 is past the maximum of 12
    EXPECT_EQ(Text(IDC_EDIT_DISTANCE_COUNT), L"12");
    EXPECT_TRUE(length->IsWindowEnabled());
    select(0); // seconds: fixed at 120
    EXPECT_EQ(Text(IDC_EDIT_DISTANCE_COUNT), L"120");
    EXPECT_FALSE(length->IsWindowEnabled());
    select(1);
    EXPECT_EQ(Text(IDC_EDIT_DISTANCE_COUNT), L"120");
    EXPECT_TRUE(length->IsWindowEnabled());
}

TEST_F(MainDialog, EnergyChartsTakeTheGateCountOfEngineeringReports) {
    Open();
    CWaveWnd& moving = Chart(IDC_CHART_MOTION);
    {
        CAutoBaseLock lock(moving.model.Lock());
        EXPECT_EQ(moving.model.sampleCount, 9);
        EXPECT_EQ(moving.model.bottomAxis.coord.maximum, 8);
    }
    // The threshold line is the moving sensitivity table from the start.
    std::vector<double> threshold = moving.model.series[1].buffer.CopyStorage();
    ASSERT_GE(threshold.size(), 9u);
    EXPECT_EQ(std::vector<double>(threshold.end() - 9, threshold.end()),
              (std::vector<double>{50, 50, 40, 40, 40, 40, 30, 30, 30}));

    std::vector<uint8_t> energies(12);
    for (size_t gate = 0; gate < energies.size(); ++gate)
        energies[gate] = uint8_t(10 * gate);
    Feed(BuildReportFrame(1, BuildReportData({1, 100, 60, 100, 40, 100}, energies, energies)));
    {
        CAutoBaseLock lock(moving.model.Lock());
        EXPECT_EQ(moving.model.sampleCount, 12);
        EXPECT_EQ(moving.model.bottomAxis.coord.tickCount, 12);
        EXPECT_EQ(moving.model.bottomAxis.coord.maximum, 11);
    }
    std::vector<double> values = moving.model.series[0].buffer.CopyStorage();
    ASSERT_GE(values.size(), 12u);
    EXPECT_EQ(values.back(), 110);
    // Gates past the sensitivity table show a threshold of 0.
    threshold = moving.model.series[1].buffer.CopyStorage();
    EXPECT_EQ(threshold.back(), 0);
    EXPECT_EQ(threshold[threshold.size() - 12], 50);
}

// The reader copies the sensitivity tables for a new gate count's threshold lines under the
// dialog's own lock, the one Apply and Confirm hold while they change the tables: while the
// test holds it, the reader cannot finish such a report.
TEST_F(MainDialog, TheReaderCopiesTheTablesUnderTheDialogsSensitivityLock) {
    Open();
    const std::vector<uint8_t> energies(12, 30);
    const std::vector<uint8_t> frame =
        BuildReportFrame(1, BuildReportData({1, 100, 60, 100, 40, 100}, energies, energies));
    std::atomic<bool> decoded{false};
    std::thread reader;
    {
        CAutoBaseLock hold(dialog->SensitivityLock());
        reader = std::thread([&] {
            ReportDecoder decoder = dialog->CreateReportDecoder();
            ScanReportFrames(frame.data(), frame.size(), decoder);
            decoded = true;
        });
        // Long enough for an unlocked copy to finish many times over.
        Sleep(500);
        EXPECT_FALSE(decoded.load());
    }
    reader.join();
    EXPECT_TRUE(decoded.load());
    PumpPending();
}

// Apply makes the maxima of the last 50 reports every gate's threshold.
TEST_F(MainDialog, ApplyFlattensBothThresholdLinesAtTheMaxima) {
    Open();
    auto apply = [&] {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_APPLY, BN_CLICKED),
                            LPARAM(::GetDlgItem(dialog->m_hWnd, IDC_BTN_APPLY)));
    };
    auto lastLine = [&](int id) {
        std::vector<double> line = Chart(id).model.series[1].buffer.CopyStorage();
        return std::vector<double>(line.end() - 9, line.end());
    };
    const std::vector<double> before = lastLine(IDC_CHART_MOTION);
    for (int report = 0; report < 49; ++report)
        FeedReport({3, 100, uint8_t(report % 37), 100, uint8_t(report % 12), 100});
    apply(); // fewer than 50 reports: nothing
    EXPECT_EQ(lastLine(IDC_CHART_MOTION), before);
    for (int report = 49; report < 60; ++report)
        FeedReport({3, 100, uint8_t(report == 55 ? 37 : 5), 100, uint8_t(report == 57 ? 12 : 3), 100});
    apply();
    EXPECT_EQ(lastLine(IDC_CHART_MOTION), std::vector<double>(9, 37));
    EXPECT_EQ(lastLine(IDC_CHART_MOTIONLESS), std::vector<double>(9, 12));
}

// A window squeezed to no client height keeps the charts' scale: nothing is set up at size 0.
TEST_F(MainDialog, NoClientHeightKeepsTheDisplayScale) {
    Open();
    RECT window;
    dialog->GetWindowRect(&window);
    RECT client;
    dialog->GetClientRect(&client);
    const int frame = (window.bottom - window.top) - (client.bottom - client.top);
    dialog->SetWindowPos(nullptr, 0, 0, window.right - window.left, frame, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    dialog->GetClientRect(&client);
    ASSERT_EQ(client.bottom - client.top, 0);
    CWaveWnd& chart = Chart(IDC_CHART_DISTANCE);
    CAutoBaseLock lock(chart.model.Lock());
    EXPECT_GT(chart.model.leftAxis.size, 0);
    EXPECT_GT(chart.model.lineWidth, 0);
}

// The bands behind the distance line, in the layer that is blitted to the screen.
// Every axis label of the three charts is whole at the default size, in both languages: no
// label ink on the chart's outermost pixels, where the rest of a label would be cut off.
TEST_F(MainDialog, EveryAxisLabelIsWholeAtTheDefaultSize) {
    for (LANGID language : {LANGID(1033), LANGID(2052)}) {
        SCOPED_TRACE(language);
        AfxSetResourceLanguage(language);
        Open();
        for (int id : {IDC_CHART_MOTION, IDC_CHART_MOTIONLESS, IDC_CHART_DISTANCE}) {
            SCOPED_TRACE(id);
            CWaveWnd& chart = Chart(id);
            chart.Repaint();
            chart.UpdateWindow();
            CAutoBaseLock lock(chart.model.Lock());
            const CWaveLayers& layers = chart.Layers();
            ASSERT_TRUE(layers.Exist());
            const int width = layers.Width(), height = layers.Height();
            int ink = 0, cut = 0;
            for (const WaveAxis* axis : {&chart.model.leftAxis, &chart.model.bottomAxis}) {
                ASSERT_TRUE(axis->visible);
                // The labels' colour, white or black: the same as a pixel word and a COLORREF.
                const uint32_t text = axis->coord.textColor & 0xFFFFFF;
                const RECT band = axis->coord.rect;
                for (int y = std::max<int>(band.top, 0); y < std::min<int>(band.bottom, height); ++y)
                    for (int x = std::max<int>(band.left, 0); x < std::min<int>(band.right, width); ++x) {
                        if ((layers.FramePixels()[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF) != text)
                            continue;
                        ++ink;
                        cut += x == 0 || y == 0 || x == width - 1 || y == height - 1;
                    }
            }
            EXPECT_GT(ink, 50); // the labels are there
            EXPECT_EQ(cut, 0);
        }
        dialog->DestroyWindow();
        dialog.reset();
        PumpPending();
    }
    AfxSetResourceLanguage(1033);
}

TEST_F(MainDialog, DistanceChartPaintsThePresenceBands) {
    Open("<AppConfig><DistanceWnd NoBodyBkColor='0xFF000000' MotionBkColor='0x80FFFFFF' "
         "MotionlessBkColor='0xFF0000FF'/></AppConfig>");
    CWaveWnd& chart = Chart(IDC_CHART_DISTANCE);
    // Moving reports, then motionless ones, a second apart: the span is 120 s, so the
    // bands cover the left end of the plot.
    for (int report = 0; report < 6; ++report) {
        FeedReport({uint8_t(report < 3 ? 1 : 2), 100, 50, 100, 50, 100});
        Sleep(1000);
    }
    chart.UpdateWindow();
    PumpPending();

    RECT plot;
    {
        CAutoBaseLock lock(chart.model.Lock());
        plot = chart.model.plotRect;
    }
    const CWaveLayers& layers = chart.Layers();
    ASSERT_TRUE(layers.Exist());
    const int width = plot.right - plot.left;
    ASSERT_GT(width, 100);
    auto pixel = [&](int column) {
        return layers.FramePixels()[size_t(plot.top + 1) * size_t(layers.Width()) +
                                    size_t(plot.left + column)] &
               0xFFFFFF;
    };
    // 120 s over the plot: one second is width/120 columns.
    const int second = width / 120;
    EXPECT_EQ(pixel(0), 0x808080u);          // moving, 0x80FFFFFF over black
    EXPECT_EQ(pixel(4 * second), 0x0000FFu); // motionless
    EXPECT_EQ(pixel(width - 2), 0x000000u);  // no one yet

    // The line has one point per plot column, lined up with the bands.
    {
        CAutoBaseLock lock(chart.model.Lock());
        EXPECT_EQ(chart.model.sampleCount, width);
    }
    std::vector<double> line = chart.model.series[0].buffer.CopyStorage();
    ASSERT_GE(line.size(), size_t(width));
    const double* newest = line.data() + line.size() - size_t(width);
    EXPECT_EQ(newest[0], 1.0);
    EXPECT_EQ(newest[4 * second], 1.0);
    EXPECT_EQ(newest[width - 2], 0.0);

    // Rebuilds without a new sample (a resize, a report racing with a paint) keep the bands.
    for (int rebuild = 0; rebuild < 2; ++rebuild) {
        chart.Repaint();
        chart.UpdateWindow();
        PumpPending();
        EXPECT_EQ(pixel(0), 0x808080u) << rebuild;
        EXPECT_EQ(pixel(4 * second), 0x0000FFu) << rebuild;
    }
}

} // namespace
