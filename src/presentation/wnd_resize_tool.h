// Makes a dialog resizable: records every descendant's rectangle and font once, then moves,
// sizes and re-fonts them in proportion to the parent's client size.
#pragma once

#include "ptr_containers.h"
#include "win_types.h"

class CWndResizeTool {
public:
    CWndResizeTool() = default;
    virtual ~CWndResizeTool();
    CWndResizeTool(const CWndResizeTool&) = delete;
    CWndResizeTool& operator=(const CWndResizeTool&) = delete;

    // Records every descendant of `parent` (a window before its own children).
    void RecordChildren(HWND parent);
    // Deletes every record and the fonts made for it.
    void RemoveAllRecords();
    // Re-lays out the recorded windows for a client of cx x cy; returns 1, or 0 (with both
    // factors 1.0) while not enabled. Either factor pointer may be null.
    int Resize(int cx, int cy, double* horizontal, double* vertical);
    int GetRecordCount() const { return m_records.GetCount(); }

    int enabled = 0;
    int keepAspect = 0;
    HWND parent = nullptr;
    int recordedWidth = 0;
    int recordedHeight = 0;

private:
    CPtrListCtrl m_records; // of ChildRecord*, owned, in recording order
};
