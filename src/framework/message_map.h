// Per-class message maps. A class declares DECLARE_MESSAGE_MAP() and lists its handlers
// between BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(); a message no entry of the
// class handles is looked up in the base class's map, and finally goes to the window's
// original procedure (CWnd::DefWindowProc). A handler that wants the original processing
// too calls the base class's handler, which calls Default().
//
// Notifications from a child control (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
// WM_CTLCOLOR*) are first offered to the child's own object, when it is one of ours, through
// the *_REFLECT entries of its map; the parent's entries see them only when the child did
// not take them (an _EX handler returning FALSE lets them through).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

class CWnd;

// Handles the message when it returns true; `result` is then what the window procedure
// returns.
using KovaMsgHandler = bool (*)(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct KovaMsgEntry {
    UINT message;
    UINT code;    // notification code of WM_COMMAND and WM_NOTIFY entries
    UINT idFirst; // control id range of WM_COMMAND and WM_NOTIFY entries
    UINT idLast;
    KovaMsgHandler handler; // null ends the table
};

struct KovaMessageMap {
    const KovaMessageMap* (*base)(); // null for CWnd
    const KovaMsgEntry* entries;
};

// Reflected notifications arrive at the child's map as this base plus the parent's message.
constexpr UINT KOVA_WM_REFLECT_BASE = 0xBC00;

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const KovaMessageMap* GetThisMessageMap();                                                        \
    const KovaMessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const KovaMessageMap* theClass::GetMessageMap() const {                                                  \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const KovaMessageMap* theClass::GetThisMessageMap() {                                                    \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const KovaMsgEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { 0, 0, 0, 0, nullptr }                                                                                  \
    }                                                                                                        \
    ;                                                                                                        \
    static const KovaMessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                           \
    return &map;                                                                                             \
    }

// One entry whose body sees `self` (the object as ThisClass), `message`, `wParam`, `lParam`
// and `result`, and returns whether it handled the message.
#define KOVA_MSG_ENTRY(msg, code, first, last, ...)                                                          \
    {UINT(msg), UINT(code), UINT(first), UINT(last),                                                         \
     [](CWnd* kovaWnd, [[maybe_unused]] UINT message, [[maybe_unused]] WPARAM wParam,                        \
        [[maybe_unused]] LPARAM lParam, [[maybe_unused]] LRESULT& result) -> bool {                          \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(kovaWnd);                                     \
         __VA_ARGS__                                                                                         \
     }},

#define KOVA_NMHDR() reinterpret_cast<NMHDR*>(lParam)

// Window messages; the handlers have the usual names and parameters.
#define ON_WM_CREATE()                                                                                       \
    KOVA_MSG_ENTRY(WM_CREATE, 0, 0, 0, result = self->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));   \
                   return true;)
#define ON_WM_DESTROY() KOVA_MSG_ENTRY(WM_DESTROY, 0, 0, 0, self->OnDestroy(); return true;)
#define ON_WM_CLOSE() KOVA_MSG_ENTRY(WM_CLOSE, 0, 0, 0, self->OnClose(); return true;)
#define ON_WM_PAINT() KOVA_MSG_ENTRY(WM_PAINT, 0, 0, 0, self->OnPaint(); return true;)
#define ON_WM_SYSCOLORCHANGE()                                                                               \
    KOVA_MSG_ENTRY(WM_SYSCOLORCHANGE, 0, 0, 0, self->OnSysColorChange(); return true;)
#define ON_WM_MOUSELEAVE() KOVA_MSG_ENTRY(WM_MOUSELEAVE, 0, 0, 0, self->OnMouseLeave(); return true;)
#define ON_WM_SIZE()                                                                                         \
    KOVA_MSG_ENTRY(WM_SIZE, 0, 0, 0, self->OnSize(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); return true;)
#define ON_WM_TIMER() KOVA_MSG_ENTRY(WM_TIMER, 0, 0, 0, self->OnTimer(UINT_PTR(wParam)); return true;)
#define ON_WM_ERASEBKGND()                                                                                   \
    KOVA_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0, CBorrowedDC dc(reinterpret_cast<HDC>(wParam));                    \
                   result = self->OnEraseBkgnd(&dc); return true;)
#define KOVA_MOUSE_ENTRY(msg, fn)                                                                            \
    KOVA_MSG_ENTRY(msg, 0, 0, 0, self->fn(UINT(wParam), CPoint(lParam)); return true;)
#define ON_WM_LBUTTONDOWN() KOVA_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() KOVA_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KOVA_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() KOVA_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
// The point is in screen coordinates, as the message carries it.
#define ON_WM_MOUSEWHEEL()                                                                                   \
    KOVA_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0,                                                                   \
                   result = self->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),  \
                                               CPoint(lParam));                                              \
                   return true;)
#define ON_WM_SETFOCUS()                                                                                     \
    KOVA_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
                   return true;)
#define ON_WM_KILLFOCUS()                                                                                    \
    KOVA_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0,                                                                    \
                   self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));                      \
                   return true;)
#define KOVA_KEY_ENTRY(msg, fn)                                                                              \
    KOVA_MSG_ENTRY(msg, 0, 0, 0, self->fn(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); return true;)
#define ON_WM_CHAR() KOVA_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_KEYDOWN() KOVA_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_GETDLGCODE() KOVA_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, result = self->OnGetDlgCode(); return true;)
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    KOVA_MSG_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0,                                                            \
                   self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));                          \
                   return true;)

// HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) for every WM_CTLCOLOR* message.
#define KOVA_CTLCOLOR_ENTRY(msg)                                                                             \
    KOVA_MSG_ENTRY(msg, 0, 0, 0, CBorrowedDC dc(reinterpret_cast<HDC>(wParam));                              \
                   result = reinterpret_cast<LRESULT>(self->OnCtlColor(                                      \
                       &dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)); \
                   return true;)
#define ON_WM_CTLCOLOR()                                                                                     \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX)                                                                   \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT)                                                                     \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX)                                                                  \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORBTN)                                                                      \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORDLG)                                                                      \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR)                                                                \
    KOVA_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC)

// LRESULT fn(WPARAM, LPARAM), for any message (a registered or WM_USER-based one).
#define ON_MESSAGE(msg, fn) KOVA_MSG_ENTRY(msg, 0, 0, 0, result = (self->*(fn))(wParam, lParam); return true;)

// void fn() for a command or control notification from control `id` (BN_CLICKED is 0, so
// ON_COMMAND also takes button clicks, and IDOK/IDCANCEL from the dialog manager).
#define ON_CONTROL(code, id, fn) KOVA_MSG_ENTRY(WM_COMMAND, code, id, id, (self->*(fn))(); return true;)
#define ON_COMMAND(id, fn) ON_CONTROL(0, id, fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)

// void fn(NMHDR*, LRESULT*) for WM_NOTIFY `code` from control `id`.
#define ON_NOTIFY(code, id, fn)                                                                              \
    KOVA_MSG_ENTRY(WM_NOTIFY, code, id, id, (self->*(fn))(KOVA_NMHDR(), &result); return true;)
// BOOL fn(UINT id, NMHDR*, LRESULT*); FALSE passes the notification on.
#define ON_NOTIFY_EX_RANGE(code, first, last, fn)                                                            \
    KOVA_MSG_ENTRY(WM_NOTIFY, code, first, last,                                                             \
                   return (self->*(fn))(UINT(KOVA_NMHDR()->idFrom), KOVA_NMHDR(), &result) != FALSE;)
#define ON_NOTIFY_EX(code, id, fn) ON_NOTIFY_EX_RANGE(code, id, id, fn)

// A control's own notifications, reflected from its parent.
// void fn() / BOOL fn() (TRUE: the parent does not see the notification).
#define ON_CONTROL_REFLECT(code, fn)                                                                         \
    KOVA_MSG_ENTRY(KOVA_WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, (self->*(fn))(); return true;)
#define ON_CONTROL_REFLECT_EX(code, fn)                                                                      \
    KOVA_MSG_ENTRY(KOVA_WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, return (self->*(fn))() != FALSE;)
// void fn(NMHDR*, LRESULT*) / BOOL fn(NMHDR*, LRESULT*).
#define ON_NOTIFY_REFLECT(code, fn)                                                                          \
    KOVA_MSG_ENTRY(KOVA_WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, (self->*(fn))(KOVA_NMHDR(), &result);       \
                   return true;)
#define ON_NOTIFY_REFLECT_EX(code, fn)                                                                       \
    KOVA_MSG_ENTRY(KOVA_WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                             \
                   return (self->*(fn))(KOVA_NMHDR(), &result) != FALSE;)
// HBRUSH CtlColor(CDC* dc, UINT ctlColor); a null brush lets the parent choose.
#define KOVA_CTLCOLOR_REFLECT_ENTRY(msg)                                                                     \
    KOVA_MSG_ENTRY(KOVA_WM_REFLECT_BASE + msg, 0, 0, 0, CBorrowedDC dc(reinterpret_cast<HDC>(wParam));       \
                   HBRUSH brush = self->CtlColor(&dc, message - KOVA_WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);   \
                   result = reinterpret_cast<LRESULT>(brush); return brush != nullptr;)
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    KOVA_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLOREDIT)                                                             \
    KOVA_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORLISTBOX)                                                          \
    KOVA_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORBTN)                                                              \
    KOVA_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSCROLLBAR)                                                        \
    KOVA_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSTATIC)
