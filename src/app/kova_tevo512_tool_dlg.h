// The program's one window: the main dialog, owner of the device link, the settings, the
// report reader, the log and every control.
#pragma once

#include "app_settings.h"
#include "base_string.h"
#include "base_thread.h"
#include "dialog.h"
#include "distance_samples.h"
#include "indicator_images_win.h"
#include "log_file.h"
#include "report_decoder.h"
#include "wnd_resize_tool.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

// Posted by the reader thread after each decoded report.
constexpr UINT WM_REPORT_MESSAGE = WM_USER + 256;

class CKOVATevo512ToolDlg : public CDialogEx, public IThreadFuncInterface {
public:
    explicit CKOVATevo512ToolDlg(CWnd* parent = nullptr);
    ~CKOVATevo512ToolDlg() override;

    // The reader thread's body.
    int ThreadFunc(CBaseThread* thread, void* context) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;

    void OnClose();
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnRefreshPorts();
    void OnConnect();
    void OnStartStop();
    void OnReadParameters();
    void OnWriteParameters();
    void OnResetParameters();
    void OnSensitivities();
    void OnApplySensitivity();
    void OnDistanceUnitChanged();
    LRESULT OnReportMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void SetTitleWithVersion();
    void SettingsToControls();
    void ControlsToSettings();
    void StopReporting();

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
    CBaseThread m_reader;
    std::atomic<int> m_stop{0};
    DistanceSampleList m_samples;
    IndicatorImages m_images;
};
