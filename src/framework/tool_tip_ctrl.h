// A thin wrapper of a tool tip window.
#pragma once

#include "wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A pop-up tool tip owned by `parent`, with TTS_ALWAYSTIP and TTS_NOPREFIX besides `style`.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Id 0: a tool that is the whole window `wnd`; another id: a tool over `rect` of it (its
    // client area when null). The text LPSTR_TEXTCALLBACKW asks `wnd` with TTN_GETDISPINFOW.
    BOOL AddTool(CWnd* wnd, LPCWSTR text = LPSTR_TEXTCALLBACKW, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR id = 0);
    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, active); }
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, LPARAM(delay)); }
    int SetMaxTipWidth(int width) { return int(SendMessage(TTM_SETMAXTIPWIDTH, 0, LPARAM(width))); }
    int GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, LPARAM(msg)); }

private:
    static TOOLINFOW ToolInfo(CWnd* wnd, UINT_PTR id);
};
