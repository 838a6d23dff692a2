// A window of ours: wraps an HWND, receives its messages through the message map of its
// class (message_map.h) once it is subclassed or created through CreateEx, and handles the
// notifications its parent reflects to it.
#pragma once

#include "dc.h"
#include "geometry.h"
#include "gdi_objects.h"
#include "message_map.h"

#include <commctrl.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    // How a window and its object part. A window that goes first (DestroyWindow, its parent
    // destroyed, a modal dialog ending) sends WM_DESTROY and WM_NCDESTROY to the whole
    // object, and PostNcDestroy runs after the last one. An object that goes first cannot
    // do that by itself: by the time this destructor runs the derived part is gone, and
    // calls reach only CWnd. Hence the rule:
    //  - A class whose OnDestroy or PostNcDestroy frees anything calls DestroyWindow() in
    //    its own destructor, where the whole object is still there; afterwards the object
    //    no longer has a window and nothing else happens here.
    //  - A window created through this object (CreateEx, a dialog's Create) that is still
    //    there when this destructor runs is destroyed here while still routed to it, so
    //    every procedure in its chain (a later subclasser's too) sees its last messages;
    //    only CWnd's own handling of them runs.
    //  - A window we only subclassed belongs to someone else: it gets its procedure back
    //    and lives on.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Our object for `window`, or null when it has none.
    static CWnd* FromHandlePermanent(HWND window);
    // Our object for `window`, or else a temporary wrapper that lives until the window is
    // gone and a later call tidies up; null for a null handle.
    static CWnd* FromHandle(HWND window);

    // Associates without subclassing: the window's messages do not reach this object.
    BOOL Attach(HWND window);
    HWND Detach();

    // Routes the window's messages to this object (PreSubclassWindow runs first); FALSE when
    // the window is null or already belongs to an object of ours.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creates a window of any registered class, already routed to this object from its
    // first message (WM_NCCREATE) on.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL DestroyWindow();

    // How this object came to its window, known from PreSubclassWindow on: a window made
    // through this object (CreateEx, a dialog's Create) or one that existed before and was
    // subclassed (SubclassWindow, SubclassDlgItem, DDX_Control). Both are false without a
    // window and for a window only attached.
    bool IsCreatedHere() const { return m_origin == Origin::Created; }
    bool WasSubclassed() const { return m_origin == Origin::Subclassed; }

    // Hooks of derived classes.
    // Runs as the window is routed to this object; a created window has not had WM_NCCREATE
    // yet, a subclassed one is complete.
    virtual void PreSubclassWindow() {}
    // Gets keyboard and mouse messages before they are dispatched (message_loop.h); true
    // consumes the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // After the window's last message (WM_NCDESTROY); the object is already detached.
    virtual void PostNcDestroy() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's original processing: its former procedure, or the system default.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification the parent reflects; true when this control handled it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The original processing of the message being handled: the window's former procedure
    // (or the system default) with that message. In a handler of a notification its parent
    // reflected to it (the *_REFLECT entries), the message is the parent's, so Default() is
    // the parent's original processing of it (its class or dialog procedure; the default
    // colours and brush of a WM_CTLCOLOR*, for instance); it runs at most once, so a handler
    // that lets the notification go on to the parent does not have it done twice. Called on
    // a window whose message is not the one being handled, it does nothing and answers 0
    // (asserted in debug builds): it has no message to process.
    LRESULT Default();

    // Tool tips of the framework (tool_tip_filter.h): while enabled, the mouse moving over the
    // window asks OnToolHitTest for the tool under it; the tool's text request then comes to
    // the window as TTN_GETDISPINFOW (LPSTR_TEXTCALLBACKW).
    void EnableToolTips(BOOL enable = TRUE) { m_toolTipsEnabled = enable != FALSE; }
    bool ToolTipsEnabled() const { return m_toolTipsEnabled; }
    // The tool at `point` (client coordinates): its id, with `info` filled (hwnd, uId, rect,
    // lpszText); -1 for none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const;

    // Thin wrappers of the window functions.
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    int GetWindowText(LPWSTR buffer, int capacity) const {
        return ::GetWindowTextW(m_hWnd, buffer, capacity);
    }
    void GetWindowText(std::wstring& text) const;
    std::wstring GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    std::wstring GetDlgItemText(int id) const;
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) {
        ::SetDlgItemInt(m_hWnd, id, value, isSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
    }

    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;

    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw, 0); }

    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, WPARAM(font), redraw); }
    void SetFont(CFont* font, BOOL redraw = TRUE) { SetFont(font ? HFONT(*font) : nullptr, redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, LPARAM(icon)));
    }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    DWORD GetStyle() const { return DWORD(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return DWORD(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
    // Removes and adds style bits; `flags` other than 0 also refresh the frame (SetWindowPos).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    HDC GetDC() { return ::GetDC(m_hWnd); }
    int ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK) {
        return ::MessageBoxW(m_hWnd, text, caption, type);
    }

protected:
    // The map of the object's class; the macros of message_map.h override it.
    virtual const KovaMessageMap* GetMessageMap() const;
    static const KovaMessageMap* GetThisMessageMap();
    // Looks the message up in the maps from this object's class down to CWnd.
    bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Reflection to the child, then the map; false when nobody handled the message.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Base handlers: the window's original processing.
    int OnCreate(LPCREATESTRUCTW) { return int(Default()); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnSysColorChange() { Default(); }
    void OnMouseLeave() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return BOOL(Default()); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    UINT OnGetDlgCode() { return UINT(Default()); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

private:
    friend LRESULT CALLBACK KovaWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CWndCreationHook;
    enum class Origin { None, Attached, Subclassed, Created };
    void SubclassNow(HWND window, Origin origin);
    BOOL ChangeStyleBits(int index, DWORD remove, DWORD add, UINT flags);
    void DetachAfterLastMessage();

    WNDPROC m_superProc = nullptr; // set while this object has the window subclassed
    Origin m_origin = Origin::None;
    bool m_toolTipsEnabled = false;
};

LRESULT CALLBACK KovaWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
