#include "balloon_wnd_win.h"

#include "balloon_paint_win.h"

using namespace controls;

namespace {

const wchar_t kBalloonClass[] = L"BALLOONWND";
constexpr DWORD kErrorClassAlreadyExists = 1410;

// A font of `points` on the screen, in the balloon's face.
void MakeFont(CFont& font, int points, int pixelsPerInch) {
    font.CreateFont(-::MulDiv(points, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                    L"黑体");
}

// Size of `text` drawn in `font` (format 0: line feeds start new lines).
SIZE MeasureText(CDC& dc, CFont& font, const std::wstring& text) {
    CDCSelection selected(dc, font);
    RECT box{0, 0, 0, 0};
    dc.DrawText(text.c_str(), int(text.size()), &box, DT_CALCRECT);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

} // namespace

// The class's own procedure, below the object's message map. It drops the tips whenever the
// balloon is about to move, size or restack while its owner is hidden.
LRESULT CALLBACK BalloonClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        auto* balloon = reinterpret_cast<CBalloonWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        HWND owner = ::GetWindow(window, GW_OWNER);
        if (balloon != nullptr && balloon->m_hWnd == window && owner != nullptr && ::IsWindow(owner) &&
            !::IsWindowVisible(owner)) {
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            balloon->StopTimers();
            // Hiding is a position change too: one that hides already goes through as it
            // is rather than starting another hide from inside itself. A change that would
            // show the balloon leaves it hidden, so no empty balloon appears.
            if (position != nullptr)
                position->flags &= ~UINT(SWP_SHOWWINDOW);
            if (position == nullptr || (position->flags & SWP_HIDEWINDOW) == 0)
                ::ShowWindow(window, SW_HIDE);
            balloon->FreeAllTips();
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CBalloonWnd, CWnd)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_KILLFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CBalloonWnd::CBalloonWnd() = default;

CBalloonWnd::~CBalloonWnd() {
    // While the whole object is still there, so OnDestroy frees what it holds.
    DestroyWindow();
    FreeAllTips();
    DeleteBackBitmap();
}

BOOL CBalloonWnd::Create(CWnd* anchor) {
    if (m_hWnd != nullptr)
        return TRUE;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &BalloonClassProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kBalloonClass;
    if (::RegisterClassExW(&windowClass) == 0) {
        const DWORD error = ::GetLastError();
        if (error != kErrorClassAlreadyExists) {
            DbgOutputA(2, "BALLOONWND: RegisterClassEx Failed: %d\r\n", int(error));
            return FALSE;
        }
    }
    HWND owner = anchor != nullptr ? anchor->m_hWnd : nullptr;
    while (owner != nullptr && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) != 0)
        owner = ::GetParent(owner);
    if (!CreateEx(WS_EX_LAYERED | WS_EX_NOACTIVATE, kBalloonClass, nullptr, WS_POPUP, 0, 0, 0, 0, owner,
                  nullptr))
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return TRUE;
}

void CBalloonWnd::PreSubclassWindow() {
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    MakeFont(glyphFontSmall, 10, pixelsPerInch);
    MakeFont(glyphFontLarge, 14, pixelsPerInch);
    MakeFont(titleFont, 14, pixelsPerInch);
    MakeFont(textFont, 9, pixelsPerInch);
}

void CBalloonWnd::AddTip(POINT screenPoint, const std::wstring& title, const std::wstring& text, int icon) {
    if (m_hWnd == nullptr)
        return;
    StopTimers();
    {
        CAutoBaseLock lock(tipsLock);
        AddOrRefreshTip(tips, title, text, icon, displayMs);
    }
    SetWindowPos(nullptr, screenPoint.x, screenPoint.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    Relayout();
    // Shown on top of its owner without activation, so the control keeps the focus and is
    // not left (and committed) just because a tip appeared.
    HWND focus = ::GetFocus();
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (focus != nullptr && ::GetFocus() != focus)
        ::SetFocus(focus);
    mouseInside = 0;
    closeHot = 0;
    alpha = 255;
    ApplyAlpha();
    SetTimer(kCountDownTimer, kCountDownMs);
}

int CBalloonWnd::GetTipCount() {
    CAutoBaseLock lock(tipsLock);
    return tips.GetCount();
}

bool CBalloonWnd::GetTip(int index, BalloonTip& tip) {
    CAutoBaseLock lock(tipsLock);
    const auto* found = static_cast<const BalloonTip*>(tips.GetAt(index));
    if (found == nullptr)
        return false;
    tip = *found;
    return true;
}

void CBalloonWnd::MeasureTips() {
    HDC windowDc = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(windowDc));
    ::ReleaseDC(m_hWnd, windowDc);
    if (dc.m_hDC == nullptr)
        return;
    for (int i = 0; i < tips.GetCount(); ++i) {
        auto* tip = static_cast<BalloonTip*>(tips.GetAt(i));
        if (!IsLive(*tip))
            continue;
        const SIZE title = MeasureText(dc, titleFont, tip->title);
        const SIZE text = MeasureText(dc, textFont, tip->text);
        tip->titleWidth = title.cx;
        tip->titleHeight = title.cy;
        tip->textWidth = text.cx;
        tip->textHeight = text.cy;
    }
}

void CBalloonWnd::Relayout() {
    HRGN region = nullptr;
    BalloonLayout layout;
    {
        CAutoBaseLock lock(tipsLock);
        MeasureTips();
        layout = LayoutTips(tips);
        closeRect = layout.closeRect;
        DeleteBackBitmap();
        backBitmap = CreateHBitmap(&backBits, layout.width, layout.height, 24, nullptr, 0);
        region = BuildBalloonShape(backBitmap, layout.width, layout.height);
        CDC dc;
        if (backBitmap != nullptr && dc.CreateCompatibleDC(nullptr)) {
            CDCSelection selected(dc, backBitmap);
            DrawTips(dc);
        }
    }
    // The window owns the region from here on.
    if (region != nullptr && SetWindowRgn(region, TRUE) == 0)
        ::DeleteObject(region);
    SetWindowPos(nullptr, 0, 0, layout.width, layout.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

void CBalloonWnd::DrawTips(HDC target) {
    // Texts are not clipped to their measured rectangles: Wine draws some CJK fonts a few
    // pixels wider than it measures them, which would cut off the last character. The
    // layout leaves room to the right of every text.
    CBorrowedDC dc(target);
    for (int i = 0; i < tips.GetCount(); ++i) {
        const auto* tip = static_cast<const BalloonTip*>(tips.GetAt(i));
        if (!IsLive(*tip))
            continue;
        DrawTipIcon(dc, tip->icon, tip->iconRect, glyphFontSmall, glyphFontLarge);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(RGB(255, 255, 255));
        dc.SetTextColor(RGB(0, 51, 153));
        RECT box = tip->titleRect;
        {
            CDCSelection font(dc, titleFont);
            dc.DrawText(tip->title.c_str(), int(tip->title.size()), &box, DT_NOCLIP);
        }
        dc.SetTextColor(RGB(0, 0, 0));
        box = tip->textRect;
        CDCSelection font(dc, textFont);
        dc.DrawText(tip->text.c_str(), int(tip->text.size()), &box, DT_NOCLIP);
    }
}

void CBalloonWnd::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    CDC memory;
    if (backBitmap == nullptr || !memory.CreateCompatibleDC(&dc)) {
        dc.FillSolidRect(&client, RGB(255, 255, 255));
        return;
    }
    CDCSelection selected(memory, backBitmap);
    DrawCloseButton(memory, closeRect, closeHot != 0);
    dc.BitBlt(0, 0, client.right, client.bottom, &memory, 0, 0, SRCCOPY);
}

void CBalloonWnd::OnTimer(UINT_PTR id) {
    if (id == kCountDownTimer) {
        CountDownResult result;
        {
            CAutoBaseLock lock(tipsLock);
            result = CountDownTips(tips, kCountDownMs);
        }
        if (!result.anyAlive) {
            // The last layout stays on screen while it fades.
            KillTimer(kCountDownTimer);
            alpha = 255;
            SetTimer(kFadeTimer, kFadeMs);
        } else if (result.anyExpired) {
            Relayout();
        }
    } else if (id == kFadeTimer) {
        alpha -= kFadeStep;
        if (alpha > 0) {
            ApplyAlpha();
        } else {
            KillTimer(kFadeTimer);
            ShowWindow(SW_HIDE);
            FreeAllTips();
        }
    }
    CWnd::OnTimer(id);
}

void CBalloonWnd::OnKillFocus(CWnd* newFocus) {
    CWnd::OnKillFocus(newFocus);
}

void CBalloonWnd::OnLButtonDown(UINT flags, CPoint point) {
    SetForegroundWindow();
    CWnd::OnLButtonDown(flags, point);
}

void CBalloonWnd::OnLButtonUp(UINT flags, CPoint point) {
    if (::PtInRect(&closeRect, point))
        Dismiss();
    CWnd::OnLButtonUp(flags, point);
}

void CBalloonWnd::OnMouseMove(UINT flags, CPoint point) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
    if (mouseInside == 0 && alpha > 0) {
        StopTimers();
        alpha = 255;
        ApplyAlpha();
        mouseInside = 1;
    }
    const int hot = ::PtInRect(&closeRect, point) ? 1 : 0;
    if (hot != closeHot) {
        closeHot = hot;
        Invalidate(TRUE);
    }
    CWnd::OnMouseMove(flags, point);
}

void CBalloonWnd::OnMouseLeave() {
    if (mouseInside == 1) {
        mouseInside = 0;
        {
            CAutoBaseLock lock(tipsLock);
            RaiseRemainingTimes(tips, kResumeMs);
        }
        SetTimer(kCountDownTimer, kCountDownMs);
    }
    CWnd::OnMouseLeave();
}

void CBalloonWnd::OnDestroy() {
    DeleteBackBitmap();
    glyphFontSmall.DeleteObject();
    glyphFontLarge.DeleteObject();
    titleFont.DeleteObject();
    textFont.DeleteObject();
    FreeAllTips();
    CWnd::OnDestroy();
}

void CBalloonWnd::ApplyAlpha() {
    ::SetLayeredWindowAttributes(m_hWnd, 0, BYTE(alpha), LWA_ALPHA);
}

void CBalloonWnd::StopTimers() {
    KillTimer(kCountDownTimer);
    KillTimer(kFadeTimer);
}

void CBalloonWnd::Dismiss() {
    StopTimers();
    ShowWindow(SW_HIDE);
    FreeAllTips();
}

void CBalloonWnd::FreeAllTips() {
    CAutoBaseLock lock(tipsLock);
    FreeTips(tips);
}

void CBalloonWnd::DeleteBackBitmap() {
    if (backBitmap != nullptr)
        ::DeleteObject(backBitmap);
    backBitmap = nullptr;
    backBits = nullptr;
}
