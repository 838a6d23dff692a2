// A borderless, layered popup shaped like a speech balloon that shows a stack of tips (icon,
// title, text) under a control. A tip stays for a while, then the balloon fades out and
// hides; the mouse over it pauses the count-down, its close button dismisses it at once, and
// asking again for a tip already shown refreshes that tip.
#pragma once

#include "balloon_tips.h"
#include "framework.h"
#include "KOVA_Common.h"

#include <string>

class CBalloonWnd : public CWnd {
public:
    CBalloonWnd();
    ~CBalloonWnd() override;

    // Registers the "BALLOONWND" class when needed and makes the hidden popup, owned by the
    // top-level window that holds `anchor`. FALSE (and no window) when that fails.
    BOOL Create(CWnd* anchor);
    // Adds a tip, or refreshes the one with the same title and text, and shows the balloon
    // with its top-left corner at `screenPoint`, without taking the focus. Nothing happens
    // while there is no window.
    void AddTip(POINT screenPoint, const std::wstring& title, const std::wstring& text, int icon);

    // What the balloon holds now, for its owner and tests.
    int GetTipCount();
    // A copy of tip `index` (0 is the top); false when there is none.
    bool GetTip(int index, BalloonTip& tip);
    int GetAlpha() const { return alpha; }
    RECT GetCloseRect() const { return closeRect; }
    // The whole drawing of the window as the last paint left it (null before the first tip).
    HBITMAP GetBackBitmap() const { return backBitmap; }

protected:
    void PreSubclassWindow() override;
    void OnDestroy();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnKillFocus(CWnd* newFocus);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK BalloonClassProc(HWND, UINT, WPARAM, LPARAM);

    void Relayout();
    void MeasureTips();
    void DrawTips(HDC dc);
    void ApplyAlpha();
    void StopTimers();
    // Hides the window and drops every tip.
    void Dismiss();
    void FreeAllTips();
    void DeleteBackBitmap();

    CFont glyphFontSmall; // "!" of the warning icon
    CFont glyphFontLarge; // "i" of the information icon
    CFont titleFont;
    CFont textFont;
    HBITMAP backBitmap = nullptr; // the whole window as drawn at the last layout
    void* backBits = nullptr;
    int displayMs = controls::kDisplayMs;
    int alpha = 255;
    CPtrListCtrl tips; // owned BalloonTip, top first
    CBaseLock tipsLock;
    RECT closeRect{};
    int mouseInside = 0; // count-down paused
    int closeHot = 0;
};
