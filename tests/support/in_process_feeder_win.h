// The real program with a feeder of its own: the start-up and main dialog as shipped, plus a
// thread that feeds reports into the dialog through its reader interface, as the report
// reader does while reporting runs (e2e cases without a serial port, benchmarks).
//
// A program defines its feeding and one application object of this class:
//   void Feed(CKOVATevo512ToolDlg& dialog, const std::atomic<bool>& stop);
//   InProcessFeederApp g_application(&Feed);
#pragma once

#include "kova_tevo512_tool_app.h"
#include "kova_tevo512_tool_dlg.h"

#include <atomic>

class InProcessFeederApp : public CKOVATevo512ToolApp {
public:
    // Runs once the main dialog exists, on its own thread, until it returns or `stop` is set.
    using Feeding = void (*)(CKOVATevo512ToolDlg& dialog, const std::atomic<bool>& stop);

    explicit InProcessFeederApp(Feeding feeding) : m_feeding(feeding) {}
    // The feeding stops, and its thread is gone, before the dialog handles WM_DESTROY and its
    // members go: the reader of the real program is stopped at the same point.
    BOOL InitInstance() override;

private:
    Feeding m_feeding;
};
