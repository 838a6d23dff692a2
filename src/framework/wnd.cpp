#include "wnd.h"

#include "win_app.h"
#include "wnd_creation_hook.h"

#include <cassert>
#include <memory>
#include <unordered_map>

namespace {

const wchar_t kObjectProperty[] = L"KovaWndObject";

// The message each window procedure on this thread is handling, innermost first; Default()
// replays it.
struct CurrentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CurrentMessage* outer;
};
thread_local CurrentMessage* t_current = nullptr;

// A parent's notification being offered to its child's object; a Default() in the child's
// handler is the parent's original processing of it, done once.
struct Reflection {
    const CWnd* child;
    const CurrentMessage* message;
    bool defaultRan;
    LRESULT defaultResult;
    Reflection* outer;
};
thread_local Reflection* t_reflection = nullptr;

using TemporaryWrappers = std::unordered_map<HWND, std::unique_ptr<CWnd>>;

TemporaryWrappers& Temporaries() {
    thread_local TemporaryWrappers wrappers;
    return wrappers;
}

// The child a parent's notification is about, or null.
HWND ReflectionTarget(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam != 0 ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: // wParam 0: a menu item
        return wParam != 0 ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam != 0 ? ::GetDlgItem(parent, int(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))
                           : nullptr;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

bool EntryMatches(const KovaMsgEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return HIWORD(wParam) == entry.code && LOWORD(wParam) >= entry.idFirst &&
               LOWORD(wParam) <= entry.idLast;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        return header != nullptr && header->code == entry.code && header->idFrom >= entry.idFirst &&
               header->idFrom <= entry.idLast;
    }
    case KOVA_WM_REFLECT_BASE + WM_COMMAND:
        return HIWORD(wParam) == entry.code;
    case KOVA_WM_REFLECT_BASE + WM_NOTIFY:
        return lParam != 0 && reinterpret_cast<NMHDR*>(lParam)->code == entry.code;
    default:
        return true;
    }
}

} // namespace

LRESULT CALLBACK KovaWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (object == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    CurrentMessage current{window, message, wParam, lParam, t_current};
    t_current = &current;
    LRESULT result = object->WindowProc(message, wParam, lParam);
    t_current = current.outer;
    if (message == WM_NCDESTROY && object->m_hWnd == window)
        object->DetachAfterLastMessage();
    return result;
}

CWnd::~CWnd() {
    HWND window = m_hWnd;
    if (window == nullptr)
        return;
    // Not unsubclassed first: the last messages go through the whole chain of procedures,
    // and WM_NCDESTROY detaches this object.
    if (m_origin == Origin::Created && FromHandlePermanent(window) == this)
        ::DestroyWindow(window);
    if (m_superProc != nullptr)
        UnsubclassWindow(); // also when the window belongs to another thread and could not go
    else if (FromHandlePermanent(window) == this)
        Detach();
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window != nullptr ? static_cast<CWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

CWnd* CWnd::FromHandle(HWND window) {
    if (window == nullptr)
        return nullptr;
    if (CWnd* object = FromHandlePermanent(window))
        return object;
    TemporaryWrappers& temporaries = Temporaries();
    auto found = temporaries.find(window);
    if (found != temporaries.end())
        return found->second.get();
    // Wrappers of windows that are gone are dropped now and then, so the map stays small.
    if (temporaries.size() >= 64)
        std::erase_if(temporaries, [](const auto& entry) { return !::IsWindow(entry.first); });
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = window;
    return temporaries.emplace(window, std::move(wrapper)).first->second.get();
}

BOOL CWnd::Attach(HWND window) {
    if (window == nullptr || m_hWnd != nullptr || FromHandlePermanent(window) != nullptr)
        return FALSE;
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
    m_origin = Origin::Attached;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    if (window != nullptr && FromHandlePermanent(window) == this)
        ::RemovePropW(window, kObjectProperty);
    m_hWnd = nullptr;
    m_origin = Origin::None;
    return window;
}

void CWnd::SubclassNow(HWND window, Origin origin) {
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
    // Known before PreSubclassWindow, which is where a control tells the two apart.
    m_origin = origin;
    PreSubclassWindow();
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KovaWndProc)));
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (window == nullptr || !::IsWindow(window) || m_hWnd != nullptr ||
        FromHandlePermanent(window) != nullptr)
        return FALSE;
    SubclassNow(window, Origin::Subclassed);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id)));
}

HWND CWnd::UnsubclassWindow() {
    if (m_superProc != nullptr && m_hWnd != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    return Detach();
}

void CWnd::DetachAfterLastMessage() {
    UnsubclassWindow();
    PostNcDestroy();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    if (m_hWnd != nullptr)
        return FALSE;
    HWND window;
    {
        CWndCreationHook hook(this);
        window = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                                   menuOrId, AfxGetInstanceHandle(), param);
    }
    if (window == nullptr)
        return FALSE;
    // The hook missed it only if the window already belonged to someone.
    if (m_hWnd != window) {
        if (m_hWnd != nullptr || FromHandlePermanent(window) != nullptr)
            return FALSE;
        SubclassNow(window, Origin::Created);
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFOW*) const {
    return -1;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc != nullptr)
        return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const CurrentMessage* current = t_current;
    if (current != nullptr && current->window == m_hWnd && m_hWnd != nullptr)
        return DefWindowProc(current->message, current->wParam, current->lParam);
    Reflection* reflection = t_reflection;
    if (current != nullptr && reflection != nullptr && reflection->child == this &&
        reflection->message == current) {
        if (!reflection->defaultRan) {
            CWnd* parent = FromHandlePermanent(current->window);
            reflection->defaultResult =
                parent != nullptr
                    ? parent->DefWindowProc(current->message, current->wParam, current->lParam)
                    : ::DefWindowProcW(current->window, current->message, current->wParam, current->lParam);
            reflection->defaultRan = true;
        }
        return reflection->defaultResult;
    }
    assert(!"Default() outside a message of this window");
    return 0;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* child = FromHandlePermanent(ReflectionTarget(m_hWnd, message, wParam, lParam));
    if (child != nullptr && child != this) {
        Reflection reflection{child, t_current, false, 0, t_reflection};
        t_reflection = &reflection;
        const bool handled = child->OnChildNotify(message, wParam, lParam, result);
        t_reflection = reflection.outer;
        if (handled)
            return true;
        // The child had the original processing done already: only our own map is left.
        if (reflection.defaultRan) {
            if (!DispatchToMap(message, wParam, lParam, result))
                *result = reflection.defaultResult;
            return true;
        }
    }
    return DispatchToMap(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return DispatchToMap(KOVA_WM_REFLECT_BASE + message, wParam, lParam, result);
}

bool CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const KovaMessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const KovaMsgEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            if (entry->message == message && EntryMatches(*entry, message, wParam, lParam) &&
                entry->handler(this, message, wParam, lParam, *result))
                return true;
        }
    }
    return false;
}

const KovaMessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

const KovaMessageMap* CWnd::GetThisMessageMap() {
    static const KovaMsgEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const KovaMessageMap map = {nullptr, entries};
    return &map;
}

void CWnd::GetWindowText(std::wstring& text) const {
    text.assign(size_t(GetWindowTextLength()) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(m_hWnd, text.data(), int(text.size()))));
}

std::wstring CWnd::GetWindowText() const {
    std::wstring text;
    GetWindowText(text);
    return text;
}

std::wstring CWnd::GetDlgItemText(int id) const {
    CWnd* item = GetDlgItem(id);
    return item != nullptr ? item->GetWindowText() : std::wstring();
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ScreenToClient(reinterpret_cast<LPPOINT>(rect));
    ScreenToClient(reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    ClientToScreen(reinterpret_cast<LPPOINT>(rect));
    ClientToScreen(reinterpret_cast<LPPOINT>(rect) + 1);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ChangeStyleBits(GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ChangeStyleBits(GWL_EXSTYLE, remove, add, flags);
}

BOOL CWnd::ChangeStyleBits(int index, DWORD remove, DWORD add, UINT flags) {
    DWORD style = DWORD(::GetWindowLongW(m_hWnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongW(m_hWnd, index, LONG(changed));
    if (flags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
