// The chart window's life, operations and mouse handling; painting is in
// wave_wnd_paint_win.cpp.
#include "wave_wnd_win.h"

#include "gdiplus_utils.h"
#include "point_font_win.h"

#include <windowsx.h>

namespace {

constexpr int kDefaultLabelTenths = 80;
const wchar_t kLabelFace[] = L"黑体";
// The tool tip control refuses longer texts.
constexpr size_t kMaxTipText = 1024;

void SetLabelDefaults(WaveAxis& axis) {
    CreatePointFont(&axis.coord.font, kDefaultLabelTenths, kLabelFace);
    axis.coord.textColor = ::GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace

BEGIN_MESSAGE_MAP(CWaveWnd, CWnd)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CWaveWnd::CWaveWnd() {
    CAutoBaseLock hold(model.Lock());
    model.windowBkColor = ::GetSysColor(COLOR_BTNFACE);
    for (WaveAxis* axis : {&model.leftAxis, &model.rightAxis, &model.topAxis, &model.bottomAxis})
        SetLabelDefaults(*axis);
}

CWaveWnd::~CWaveWnd() {
    // A window still alive here is handed back without its WM_DESTROY reaching us.
    m_target = nullptr;
    DropScaledPicture();
    delete m_plotBkPicture;
    m_plotBkPicture = nullptr;
}

void CWaveWnd::PreSubclassWindow() {
    // A static control gets mouse input only with SS_NOTIFY.
    ::SetWindowLongW(m_hWnd, GWL_STYLE, LONG(::GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY));
    m_target = m_hWnd;
    CWnd::PreSubclassWindow();
}

std::wstring CWaveWnd::WideFromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

void CWaveWnd::InvalidateTarget(BOOL erase) {
    HWND target = m_target;
    if (target != nullptr)
        ::InvalidateRect(target, nullptr, erase);
}

void CWaveWnd::Repaint() {
    model.redrawBackground = 1;
    InvalidateTarget(TRUE);
}

void CWaveWnd::RequestRepaint() {
    HWND target = m_target;
    if (target != nullptr && !::GetUpdateRect(target, nullptr, FALSE))
        ::InvalidateRect(target, nullptr, FALSE);
}

void CWaveWnd::InitWindow() {
    RECT client{};
    GetClientRect(&client);
    {
        CAutoBaseLock hold(model.Lock());
        model.clientWidth = client.right - client.left;
        model.clientHeight = client.bottom - client.top;
    }
    EnableToolTips(TRUE);
    if (m_readoutTip.m_hWnd == nullptr && m_readoutTip.Create(this, 0))
        m_readoutTip.AddTool(this, LPSTR_TEXTCALLBACKW, nullptr, 0);
}

void CWaveWnd::DropScaledPicture() {
    delete m_scaledPicture;
    m_scaledPicture = nullptr;
}

void CWaveWnd::ResizeBuffers() {
    CAutoBaseLock hold(model.Lock());
    m_layers.Release();
    DropScaledPicture();
    int width = model.clientWidth, height = model.clientHeight;
    if (width <= 0 || height <= 0)
        return;
    m_layers.Create(width, height);
    model.Layout(width, height);
    const RECT& plot = model.plotRect;
    if (m_plotBkPicture != nullptr)
        m_scaledPicture =
            Gdiplus_ResizeBitmap(m_plotBkPicture, plot.right - plot.left, plot.bottom - plot.top, 0, 0);
    Repaint();
}

void CWaveWnd::SetPlotBkPicture(Gdiplus::Bitmap* picture) {
    CAutoBaseLock hold(model.Lock());
    if (picture != m_plotBkPicture)
        delete m_plotBkPicture;
    m_plotBkPicture = picture;
    // Scaled again at the next paint, to whatever the plot is then.
    DropScaledPicture();
    Repaint();
}

void CWaveWnd::SetSampleType(int type) {
    model.SetSampleType(type);
}

void CWaveWnd::SetSampleCount(int n) {
    if (model.SetSampleCount(n))
        InvalidateTarget(TRUE);
}

void CWaveWnd::SetXRange(double min, double max, double period) {
    if (model.SetXRange(min, max, period))
        InvalidateTarget(TRUE);
}

void CWaveWnd::SetYRange(double min, double max) {
    if (model.SetYRange(min, max))
        InvalidateTarget(TRUE);
}

void CWaveWnd::SetWholeFrames(int whole) {
    model.SetWholeFrames(whole);
}

void CWaveWnd::ClearData() {
    model.ClearData();
    InvalidateTarget(TRUE);
}

void CWaveWnd::ResetFrameCounts() {
    model.ResetFrameCounts();
    InvalidateTarget(TRUE);
}

void CWaveWnd::SetReadoutFormat(int series, const char* name, const char* sampleCaption,
                                const char* valueFormat) {
    model.SetReadoutFormat(series, name, sampleCaption, valueFormat);
}

void CWaveWnd::SetAxisStyle(WaveAxis& first, WaveAxis& second, int pointSize, COLORREF color, int decimals) {
    {
        CAutoBaseLock hold(model.Lock());
        for (WaveAxis* axis : {&first, &second}) {
            CreatePointFont(&axis->coord.font, pointSize * 10, kLabelFace);
            axis->coord.textColor = color;
            axis->coord.decimals = decimals;
        }
    }
    Repaint();
}

void CWaveWnd::SetXAxisStyle(int pointSize, COLORREF color, int decimals) {
    SetAxisStyle(model.topAxis, model.bottomAxis, pointSize, color, decimals);
}

void CWaveWnd::SetYAxisStyle(int pointSize, COLORREF color, int decimals) {
    SetAxisStyle(model.leftAxis, model.rightAxis, pointSize, color, decimals);
}

void CWaveWnd::SetCaption(const wchar_t* text, float pointSize, Gdiplus::ARGB argb) {
    m_captions.SetCaption(text, pointSize, argb);
    Repaint();
}

void CWaveWnd::OnDestroy() {
    CWnd::OnDestroy();
    m_target = nullptr;
    {
        CAutoBaseLock hold(model.Lock());
        m_layers.Release();
        DropScaledPicture();
        delete m_plotBkPicture;
        m_plotBkPicture = nullptr;
    }
    frameCountFont.DeleteObject();
    m_captions.RemoveAll();
    // The tip's only tool is this window; it goes with it.
    if (m_readoutTip.m_hWnd != nullptr)
        m_readoutTip.DestroyWindow();
    m_readoutShown = false;
    m_trackingMouse = false;
    model.redrawBackground = 1;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CWaveWnd::OnEraseBkgnd(CDC*) {
    // The paint covers every pixel.
    return TRUE;
}

void CWaveWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    {
        CAutoBaseLock hold(model.Lock());
        if (cx == model.clientWidth && cy == model.clientHeight)
            return;
        model.clientWidth = cx;
        model.clientHeight = cy;
    }
    ResizeBuffers();
}

void CWaveWnd::OnLButtonDown(UINT flags, CPoint point) {
    CWnd::OnLButtonDown(flags, point);
    CAutoBaseLock hold(model.Lock());
    if (model.MouseDown(point.x, point.y))
        SetCapture();
}

void CWaveWnd::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    CAutoBaseLock hold(model.Lock());
    if (model.MouseUp())
        ::ReleaseCapture();
}

void CWaveWnd::OnLButtonDblClk(UINT flags, CPoint point) {
    CWnd::OnLButtonDblClk(flags, point);
    CAutoBaseLock hold(model.Lock());
    if (model.DoubleClick())
        InvalidateTarget(TRUE);
}

BOOL CWaveWnd::OnMouseWheel(UINT flags, short delta, CPoint point) {
    {
        CAutoBaseLock hold(model.Lock());
        if (model.zoomX || model.zoomY) {
            CPoint client = point;
            ScreenToClient(&client);
            bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
            if (model.Wheel(client.x, client.y, delta, ctrl))
                InvalidateTarget(TRUE);
        }
    }
    // The wheel goes on to the parent in every case.
    return CWnd::OnMouseWheel(flags, delta, point);
}

void CWaveWnd::OnMouseMove(UINT flags, CPoint point) {
    CWnd::OnMouseMove(flags, point);
    CAutoBaseLock hold(model.Lock());
    if (model.dragging) {
        if (model.DragTo(point.x, point.y, model.clientWidth))
            InvalidateTarget(TRUE);
        return;
    }
    if (!m_trackingMouse) {
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_trackingMouse = ::TrackMouseEvent(&track) != FALSE;
    }
    if (!model.AnyReadout())
        return;
    if (!::PtInRect(&model.plotRect, point)) {
        HideReadout();
        return;
    }
    if (point.x == m_readoutPoint.x && point.y == m_readoutPoint.y)
        return;
    m_readoutPoint = point;
    RefreshReadout();
}

void CWaveWnd::OnMouseLeave() {
    CWnd::OnMouseLeave();
    m_trackingMouse = false;
    CAutoBaseLock hold(model.Lock());
    if (model.AnyReadout() && m_readoutShown)
        HideReadout();
}

void CWaveWnd::HideReadout() {
    if (m_readoutTip.m_hWnd != nullptr)
        m_readoutTip.Activate(FALSE);
    m_readoutShown = false;
    // Coming back to the very same point shows the read-out again.
    m_readoutPoint = POINT{-1, -1};
}

void CWaveWnd::RefreshReadout() {
    if (m_readoutTip.m_hWnd == nullptr)
        return;
    std::string text;
    if (!model.ReadoutText(m_readoutPoint.x, m_readoutPoint.y, &text))
        return;
    std::wstring wide = WideFromUtf8(text);
    if (wide.size() <= kMaxTipText)
        m_readoutTip.UpdateTipText(wide.c_str(), this, 0);
    if (!m_readoutShown) {
        m_readoutTip.Activate(TRUE);
        m_readoutShown = true;
    }
    // The tip follows the pointer.
    MSG move{m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(m_readoutPoint.x, m_readoutPoint.y), 0, m_readoutPoint};
    m_readoutTip.RelayEvent(&move);
}
