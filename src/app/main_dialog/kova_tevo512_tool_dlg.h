// The program's one window: the main dialog, owner of the device link, the settings, the
// report reader, the log and every control.
#pragma once

#include "app_settings.h"
#include "base_string.h"
#include "base_thread.h"
#include "color_static_win.h"
#include "digital_edit_win.h"
#include "dialog.h"
#include "distance_samples.h"
#include "indicator_images_win.h"
#include "live_display.h"
#include "log_file.h"
#include "report_decoder.h"
#include "report_handover.h"
#include "sensing_setting_dlg_win.h"
#include "wave_wnd_win.h"
#include "wnd_resize_tool.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

// Posted by the reader thread when it has handed over reports and none were pending.
constexpr UINT WM_REPORT_MESSAGE = WM_USER + 256;
// Tells the user of trouble with the Log folder once the current handler has returned;
// wParam: a StorageTrouble.
constexpr UINT WM_STORAGE_NOTICE = WM_USER + 257;
enum class StorageTrouble : WPARAM {
    LogFolder,    // the log or a capture file cannot be made there
    CaptureWrite, // a capture file could not be written further (a full disk)
};
// The dialog's timers: the link's watch while reporting, and a display frame put off.
constexpr UINT_PTR kLinkWatchTimer = 0x4C4E;
constexpr UINT_PTR kDisplayFrameTimer = 0x4446;

// An energy chart as the report decoder drives it from the reader thread.
class EnergyChartLink : public IEnergyChart {
public:
    explicit EnergyChartLink(CWaveWnd& chart) : m_chart(chart) {}
    int GetSampleCount() override;
    int GetSeriesCount() override;
    void SetGateCount(int gates) override;
    void Append(int series, const uint16_t* values, int count) override;
    // Marks the chart for the next display frame: the reader appends at the report rate, the
    // screen follows at most once a frame (FlushRepaint, on the GUI thread).
    void RequestRepaint() override { m_dirty = true; }
    void FlushRepaint();
    CWaveWnd& Chart() { return m_chart; }

private:
    CWaveWnd& m_chart;
    std::atomic<bool> m_dirty{false};
};

class CKOVATevo512ToolDlg : public CDialogEx,
                            public IThreadFuncInterface,
                            public IReportSink,
                            public IWaveWndDrawListener,
                            public ISensingSettingDlgListener {
public:
    explicit CKOVATevo512ToolDlg(CWnd* parent = nullptr);
    ~CKOVATevo512ToolDlg() override;

    // The reader thread's body.
    int ThreadFunc(CBaseThread* thread, void* context) override;
    // A decoder of reports into this dialog's current-report fields, samples and charts: what
    // the reader thread runs on every frame.
    ReportDecoder CreateReportDecoder();

    // What the decoder tells the dialog, from the reader thread.
    void PostReportMessage(const ReportValues& report) override;
    void InvalidateDistanceChart() override;
    IEnergyChart* MovingEnergyChart() override { return &m_motionLink; }
    IEnergyChart* MotionlessEnergyChart() override { return &m_motionlessLink; }

    // The sensitivity dialog's questions: the built-in default pair of a gate, and its Confirm
    // (false when the table was refused and the dialog stays open).
    void OnSensingDefaultValues(int gate, int32_t& moving, int32_t& motionless) override;
    bool OnSensingConfirm(int64_t value) override;

    // Held while the sensitivity tables' values change and while the reader copies them.
    CBaseLock& SensitivityLock() { return m_sensitivityLock; }

    // The distance chart's background hook: presence bands and the distance line.
    void OnDrawBackground(HDC dc, HBITMAP bitmap, uint32_t* pixels, int width, int height, int stride,
                          const RECT* left, const RECT* top, const RECT* right, const RECT* bottom,
                          const RECT* plot, LONG_PTR data) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;

    void OnClose();
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnRefreshPorts();
    void OnConnect();
    void OnStartStop();
    void ReadParameters();
    void WriteParameters();
    void ResetParameters();
    void OnSensitivities();
    void OnApplySensitivity();
    void OnDistanceUnitChanged();
    LRESULT OnReportMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnStorageNotice(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void SetTitleWithVersion();
    void SetupImageStatics();
    void SettingsToControls();
    void ControlsToSettings();
    void ParametersToControls();
    // Reporting: 1 when started, 0 when the link is not open.
    int StartReporting();
    void StopReporting();
    // Stops a running report stream and gives Start its caption back.
    void StopReportingShown();
    // Closes the port: the Connect caption, the version text "Unknown".
    void CloseLink();
    // Message boxes over the dialog in the UI language: an error (caption "Error", error icon,
    // topmost) and a success (caption "Prompt", information icon).
    void ShowFailure(UINT text);
    int BaudRateToOpen();
    void ShowSuccess(UINT text);
    // The link as it stands: an open link the library found gone is lost.
    LinkState CurrentLinkState();
    // A lost link ends like a Disconnect (reporting stopped first), logged and told once.
    void HandleLinkLost();
    // After a command failed: a lost link is told as such, anything else with `text`.
    void ReportCommandFailure(UINT text);
    // Whether a command may go to the module now: not while reporting runs (the user is told
    // to stop it first) and not inside another command's run (a second Confirm while the
    // first one's result box is up).
    bool MayTalkToModule();
    // The threshold line of an energy chart from its sensitivity table; a new gate count
    // rescales the chart first when `rescale` is set.
    void LoadThresholdLine(EnergyChartLink& chart, const std::vector<uint16_t>& table, bool rescale);
    // The sensitivity dialog's table as the two sensitivity tables; false (with a message
    // naming the gate) when a cell is not a value the module takes.
    bool SensitivitiesFromTable(std::vector<uint16_t>& moving, std::vector<uint16_t>& motionless);
    // The maximum of the two gate edits: the highest gate index of the module.
    void SetGateEditLimits();

    // Live display (presentation).
    void SetupCharts();
    void SetupEnergyChart(EnergyChartLink& link, const EnergyChartSettings& colours, bool fixedColours,
                          UINT title, UINT energyName, UINT thresholdName,
                          const std::vector<uint16_t>& thresholds);
    void SetupDistanceChart();
    // The indicator, radio buttons and distance readout for the current-report fields, or
    // for one report's state and distance.
    void ShowTargetState();
    void ShowTargetState(int32_t state, int32_t distance);
    void ShowIndicatorPicture(IndicatorPicture picture);
    // The reports handed over since the last display frame, shown in one go.
    void ShowHandedOverReports();
    void UpdateControlStates();
    // Distance statistics.
    void DrawDistanceBackground(uint32_t* pixels, int width, int height, const RECT& plot);
    void ApplyStatisticsUnit();

    HICON m_icon = nullptr;
    CWndResizeTool m_resizeTool;
    double m_displayScale = 1.0;
    LogFile m_log;
    std::FILE* m_capture = nullptr;
    CurrentReport m_current;
    AppSettings m_settings;
    uint64_t m_device = 0;
    CBaseStringA m_version{"Unknown"};
    int m_reporting = 0;
    LinkState m_link = LinkState::Closed;
    bool m_commandRunning = false;            // a handler is talking to the module (or showing its result)
    bool m_closeAsked = false;                // WM_CLOSE came while m_commandRunning was set
    std::atomic<bool> m_captureFailed{false}; // the reader could not write the capture
    // Each trouble with the Log folder is told once a run of the program; then only logged.
    bool m_toldLogFolder = false;
    bool m_toldCaptureWrite = false;
    CBaseThread m_reader;
    std::atomic<int> m_stop{0};
    ReportHandover m_handover;
    std::vector<ReportValues> m_takenReports; // the GUI's copy of the last hand-over
    DWORD m_lastDisplayTick = 0;
    std::atomic<bool> m_distanceSampled{false}; // a sample came since the last display frame
    IndicatorPicture m_shownPicture = IndicatorPicture::None;
    int m_shownMaxima[2] = {0, 0}; // what 1300/1301 show once m_sensitivitiesValid is set
    DistanceSampleList m_samples;
    IndicatorImages m_images;

    CDigitalEdit m_motionGateEdit;      // 1201: farthest moving gate index
    CDigitalEdit m_motionlessGateEdit;  // 1202: farthest motionless gate index
    CDigitalEdit m_distanceCountEdit;   // 1204: statistics length
    CSensingSettingDlg m_sensingDialog; // hidden until Sens... shows it
    CColorStatic m_indicator;           // 1400: who is there
    CColorStatic m_distanceReadout;     // 1500
    CColorStatic m_distanceUnit;        // 1107
    CColorStatic m_gateNote;            // 1200
    CWaveWnd m_motionChart;
    CWaveWnd m_motionlessChart;
    CWaveWnd m_distanceChart;
    EnergyChartLink m_motionLink{m_motionChart};
    EnergyChartLink m_motionlessLink{m_motionlessChart};
    EnergyHistory m_energyHistory;
    std::atomic<int> m_sensitivitiesValid{0}; // 1300/1301 hold maxima of a full history
    // Held while the sensitivity tables' values change and while the reader copies them.
    CBaseLock m_sensitivityLock;
};
