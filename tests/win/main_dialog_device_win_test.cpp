// The real main dialog in this process against radar-sim on a COM port (a twelve-gate module):
// a read rescales both energy charts, and Start/Stop cycles leave no thread, handle or GDI
// object behind.
#include "app_document.h"
#include "kova_tevo512_tool_dlg.h"
#include "process_counts_win.h"
#include "program_environment_win.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (GetTickCount() < end);
}

// A message box the dialog has open: a visible standard dialog it owns with a message text
// (the hidden sensitivity dialog is a standard dialog it owns too).
HWND MessageBoxOf(HWND owner) {
    for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
        if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box) && GetDlgItem(box, 0xFFFF) != nullptr)
            return box;
    }
    return nullptr;
}

// Answers the message boxes the dialog opens, from another thread, as a user would; tells
// what they said.
class BoxAnswerer {
public:
    explicit BoxAnswerer(HWND owner)
        : m_thread([this, owner] {
              while (!m_stop) {
                  HWND box = MessageBoxOf(owner);
                  if (box != nullptr) {
                      // A box that takes a while to close is still one box.
                      if (box != m_lastBox) {
                          wchar_t text[256] = L"";
                          GetDlgItemTextW(box, 0xFFFF, text, 256);
                          m_lastText = text;
                          m_lastBox = box;
                          ++m_answered;
                      }
                      PostMessageW(box, WM_COMMAND, IDOK, 0);
                  }
                  Sleep(20);
              }
          }) {}
    ~BoxAnswerer() {
        m_stop = true;
        m_thread.join();
    }
    int Answered() const { return m_answered; }
    std::wstring LastText() {
        Sleep(100);
        return m_lastText;
    }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_answered{0};
    std::wstring m_lastText;
    HWND m_lastBox = nullptr;
    std::thread m_thread;
};

class MainDialogDevice : public ::testing::Test {
protected:
    void SetUp() override {
        const char* port = std::getenv("KOVA_TEST_PORT");
        ASSERT_NE(port, nullptr) << "run under with-com-port.sh";
        std::string configuration = "<AppConfig/>";
        ASSERT_TRUE(AppConfigDocument().LoadBuffer(configuration.data(), configuration.size()));
        dialog = std::make_unique<CKOVATevo512ToolDlg>();
        ASSERT_TRUE(dialog->Create(IDD_MAIN_DIALOG));
        dialog->ShowWindow(SW_SHOW);
        PumpFor(100);
        std::wstring name(port, port + std::strlen(port));
        ASSERT_NE(
            dialog->SendDlgItemMessage(IDC_COMBO_PORT, CB_SELECTSTRING, WPARAM(-1), LPARAM(name.c_str())),
            CB_ERR);
        Click(IDC_BTN_CONNECT);
        ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_CONNECT), L"Disconnect");
    }
    void TearDown() override {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
        dialog.reset();
        PumpFor(50);
    }
    // A click as the user's: posted, then the dialog's loop runs it.
    void Click(int id, DWORD pumpMs = 300) {
        dialog->PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog->m_hWnd, id)));
        PumpFor(pumpMs);
    }
    CWaveWnd& Chart(int id) {
        return *static_cast<CWaveWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog->m_hWnd, id)));
    }

    std::unique_ptr<CKOVATevo512ToolDlg> dialog;
};

TEST_F(MainDialogDevice, ReadFromATwelveGateModuleRescalesBothEnergyCharts) {
    BoxAnswerer answerer(dialog->m_hWnd);
    Click(IDC_BTN_READ, 1500);
    ASSERT_EQ(answerer.Answered(), 1);
    EXPECT_EQ(answerer.LastText(), L"Read Configuration Succefully");
    EXPECT_EQ(dialog->GetDlgItemText(IDC_EDIT_MOTION_GATE_MAX), L"11");
    for (int id : {IDC_CHART_MOTION, IDC_CHART_MOTIONLESS}) {
        CWaveWnd& chart = Chart(id);
        CAutoBaseLock lock(chart.model.Lock());
        EXPECT_EQ(chart.model.sampleCount, 12) << id;
        EXPECT_EQ(chart.model.bottomAxis.coord.tickCount, 12) << id;
        EXPECT_EQ(chart.model.bottomAxis.coord.maximum, 11) << id;
    }
    // The gate edits now go up to gate 11: 15 typed into one becomes 11 when it is left.
    HWND gate = ::GetDlgItem(dialog->m_hWnd, IDC_EDIT_MOTIONLESS_GATE_MAX);
    ::SetFocus(gate);
    ::SetWindowTextW(gate, L"");
    for (wchar_t c : std::wstring(L"15"))
        ::SendMessageW(gate, WM_CHAR, WPARAM(c), 1);
    ::SetFocus(::GetDlgItem(dialog->m_hWnd, IDC_EDIT_OFF_TIME));
    PumpFor(200);
    EXPECT_EQ(dialog->GetDlgItemText(IDC_EDIT_MOTIONLESS_GATE_MAX), L"11");
}

// Disconnect is disabled while reporting; should its click still come, it stops the
// reporting first and closes the port.
TEST_F(MainDialogDevice, DisconnectWhileReportingStopsFirst) {
    Click(IDC_BTN_START, 600);
    ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Stop");
    Click(IDC_BTN_CONNECT);
    EXPECT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Start");
    EXPECT_EQ(dialog->GetDlgItemText(IDC_BTN_CONNECT), L"Connect");
    EXPECT_FALSE(dialog->GetDlgItem(IDC_BTN_START)->IsWindowEnabled());
}

// During reporting Apply makes the measured maxima the thresholds; after Stop it does nothing,
// although 1300/1301 still show their numbers.
TEST_F(MainDialogDevice, ApplyWorksOnlyWhileReporting) {
    auto lastLine = [&](int id) {
        std::vector<double> line = Chart(id).model.series[1].buffer.CopyStorage();
        return std::vector<double>(line.end() - 12, line.end());
    };
    {
        BoxAnswerer answerer(dialog->m_hWnd);
        Click(IDC_BTN_READ, 1500); // the module's twelve gates
        ASSERT_EQ(answerer.Answered(), 1);
    }
    Click(IDC_BTN_START, 6500); // more than 50 reports at ten a second
    ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Stop");
    const double moving = dialog->GetDlgItemInt(IDC_EDIT_MOTION_SENSITIVITY, nullptr, TRUE);
    Click(IDC_BTN_APPLY, 100);
    // The twelve-gate module's reports rescaled the chart; every gate now has the maximum.
    EXPECT_EQ(lastLine(IDC_CHART_MOTION), std::vector<double>(12, moving));
    Click(IDC_BTN_START);
    ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Start");
    const std::vector<double> afterStop = lastLine(IDC_CHART_MOTION);
    dialog->SetDlgItemInt(IDC_EDIT_MOTION_SENSITIVITY, UINT(moving) + 7, TRUE);
    Click(IDC_BTN_APPLY, 100);
    EXPECT_EQ(lastLine(IDC_CHART_MOTION), afterStop);
}

TEST_F(MainDialogDevice, StartStopCyclesLeaveNothingBehind) {
    // One cycle first: what is made once and kept (GDI+ caches, the capture folder) is made.
    Click(IDC_BTN_START, 600);
    ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Stop");
    Click(IDC_BTN_START);
    ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Start");
    const int threads = ThreadCount(), handles = HandleCount(), gdiObjects = GdiObjectCount();
    // The counts are real: the GUI thread and the simulator's port at least.
    ASSERT_GE(threads, 1);
    ASSERT_GT(handles, 0);
    ASSERT_GT(gdiObjects, 0);
    for (int cycle = 0; cycle < 10; ++cycle) {
        Click(IDC_BTN_START, 400);
        ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Stop") << cycle;
        Click(IDC_BTN_START, 200);
        ASSERT_EQ(dialog->GetDlgItemText(IDC_BTN_START), L"Start") << cycle;
    }
    // Wine lets go of a handle of its own a moment late now and then, on a loaded machine; a
    // leak of the cycles stays whatever the wait.
    for (int wait = 0; wait < 20 && (ThreadCount() != threads || HandleCount() != handles); ++wait) {
        PumpFor(100);
    }
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(HandleCount(), handles);
    EXPECT_EQ(GdiObjectCount(), gdiObjects);
}

} // namespace
