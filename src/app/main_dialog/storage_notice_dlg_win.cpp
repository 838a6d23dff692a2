// Trouble with the Log folder: the program goes on without its files, and says so once.
#include "kova_tevo512_tool_dlg.h"

#include "resource.h"

LRESULT CKOVATevo512ToolDlg::OnStorageNotice(WPARAM wParam, LPARAM) {
    const bool capture = StorageTrouble(wParam) == StorageTrouble::CaptureWrite;
    bool& told = capture ? m_toldCaptureWrite : m_toldLogFolder;
    if (told)
        return 0;
    told = true; // before the box: its message loop may bring the same trouble again
    ShowFailure(capture ? IDS_CAPTURE_WRITE_FAILED : IDS_LOG_FOLDER_UNWRITABLE);
    return 0;
}
