// The window framework under Wine: resources in a chosen language, message maps, reflection
// of notifications to controls, modeless and modal dialogs, GDI wrappers.
#include "framework.h"
#include "framework_test_ids.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kChinese = 2052;
constexpr UINT kPing = WM_APP + 1;
constexpr UINT kBaseOnly = WM_APP + 2;
constexpr int kGaveUp = 99;

class CountingEdit : public CEdit {
public:
    BOOL consume = TRUE;
    int changes = 0;

protected:
    BOOL OnReflectedChange() {
        ++changes;
        return consume;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingEdit, CEdit)
ON_CONTROL_REFLECT_EX(EN_CHANGE, &CountingEdit::OnReflectedChange)
END_MESSAGE_MAP()

class DrawnStatic : public CStatic {
public:
    int draws = 0;
    UINT drawnId = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++draws;
        drawnId = item->CtlID;
    }
};

class ReflectingList : public CListCtrl {
public:
    int inserted = 0;
    BOOL suppressDeleteNotes = TRUE;

protected:
    void OnInserted(NMHDR*, LRESULT*) { ++inserted; }
    void OnDeletingAll(NMHDR*, LRESULT* result) { *result = suppressDeleteNotes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingList, CListCtrl)
ON_NOTIFY_REFLECT(LVN_INSERTITEM, &ReflectingList::OnInserted)
ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, &ReflectingList::OnDeletingAll)
END_MESSAGE_MAP()

class BaseDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    LRESULT OnPing(WPARAM, LPARAM) { return 1; }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDialog, CDialog)
ON_MESSAGE(kPing, &BaseDialog::OnPing)
ON_MESSAGE(kBaseOnly, &BaseDialog::OnBaseOnly)
END_MESSAGE_MAP()

class TestDialog : public BaseDialog {
public:
    TestDialog() : BaseDialog(IDD_FRAMEWORK_TEST) {}

    CountingEdit edit;
    DrawnStatic drawn;
    ReflectingList list;
    int clicks = 0;
    int parentEditChanges = 0;
    int parentInserts = 0;
    int parentDeletes = 0;
    int savingExchanges = 0;
    bool controlsBoundAtInit = false;
    // Posted from OnInitDialog to `postTo` (the dialog when null), to end a modal run.
    MSG postAtInit{};
    CWnd* postTo = nullptr;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        BaseDialog::DoDataExchange(exchange);
        savingExchanges += exchange->m_bSaveAndValidate ? 1 : 0;
        DDX_Control(exchange, IDC_TEST_EDIT, edit);
        DDX_Control(exchange, IDC_TEST_DRAWN, drawn);
        DDX_Control(exchange, IDC_TEST_LIST, list);
    }
    BOOL OnInitDialog() override {
        BaseDialog::OnInitDialog();
        controlsBoundAtInit = edit.m_hWnd != nullptr && drawn.m_hWnd != nullptr && list.m_hWnd != nullptr;
        if (postAtInit.message != 0) {
            CWnd* target = postTo != nullptr ? postTo : this;
            target->PostMessage(postAtInit.message, postAtInit.wParam, postAtInit.lParam);
        }
        return TRUE;
    }
    LRESULT OnPing(WPARAM, LPARAM) { return 2; }
    void OnButton() { ++clicks; }
    void OnParentEditChange() { ++parentEditChanges; }
    void OnParentInsert(NMHDR*, LRESULT*) { ++parentInserts; }
    void OnParentDelete(NMHDR*, LRESULT*) { ++parentDeletes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, BaseDialog)
ON_MESSAGE(kPing, &TestDialog::OnPing)
ON_BN_CLICKED(IDC_TEST_BUTTON, &TestDialog::OnButton)
ON_EN_CHANGE(IDC_TEST_EDIT, &TestDialog::OnParentEditChange)
ON_NOTIFY(LVN_INSERTITEM, IDC_TEST_LIST, &TestDialog::OnParentInsert)
ON_NOTIFY(LVN_DELETEITEM, IDC_TEST_LIST, &TestDialog::OnParentDelete)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
public:
    int initCount = 0;
    HINSTANCE instanceSeen = nullptr;
    BOOL InitInstance() override {
        ++initCount;
        instanceSeen = AfxGetInstanceHandle();
        return FALSE;
    }
    int ExitInstance() override { return 42; }
};

TestApp g_app;

} // namespace

TEST(Application, KovaWinMainRunsTheStaticApplicationObject) {
    EXPECT_EQ(AfxGetApp(), &g_app);
    HINSTANCE module = GetModuleHandleW(nullptr);
    EXPECT_EQ(KovaWinMain(module), 42);
    EXPECT_EQ(g_app.initCount, 1);
    EXPECT_EQ(g_app.instanceSeen, module);
}

TEST(ResourceLanguage, StringsComeInTheChosenLanguage) {
    struct Case {
        LANGID language;
        UINT id;
        const wchar_t* expected;
    } cases[] = {
        {kEnglish, IDS_TEST_PROMPT, L"Prompt"},
        {kChinese, IDS_TEST_PROMPT, L"信息"},
        {kEnglish, IDS_TEST_BLOCK_START, L"Block start"},
        {kChinese, IDS_TEST_BLOCK_END, L"块结束"},
        {kChinese, IDS_TEST_FORMAT, L"距离门 %d 灵敏度"},
        {kChinese, IDS_TEST_ENGLISH_ONLY, L"Only in English"}, // no Chinese version
        {kEnglish, IDS_TEST_PROMPT + 1, L""},                  // gap in a present block
        {kEnglish, 60000, L""},                                // no such block
    };
    for (const Case& c : cases) {
        LanguageScope scope(c.language);
        EXPECT_EQ(AfxLoadString(c.id), c.expected) << c.id << " in " << c.language;
    }
}

TEST(ResourceLanguage, DialogTemplateComesInTheChosenLanguage) {
    struct Case {
        LANGID language;
        const wchar_t* label;
        const wchar_t* ok;
    } cases[] = {{kEnglish, L"Hello", L"OK"}, {kChinese, L"你好", L"确定"}};
    for (const Case& c : cases) {
        LanguageScope scope(c.language);
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
        EXPECT_EQ(dialog.GetDlgItemText(IDC_TEST_LABEL), c.label);
        EXPECT_EQ(dialog.GetDlgItemText(IDOK), c.ok);
    }
}

TEST(MessageMap, DerivedEntriesFirstThenBaseThenTheWindowsOwnProcessing) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    EXPECT_TRUE(dialog.controlsBoundAtInit);
    EXPECT_EQ(dialog.SendMessage(kPing), 2);
    EXPECT_EQ(dialog.SendMessage(kBaseOnly), 7);
    dialog.SetWindowText(L"Renamed");
    EXPECT_EQ(dialog.GetWindowText(), L"Renamed");

    HWND button = dialog.GetDlgItem(IDC_TEST_BUTTON)->m_hWnd;
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), LPARAM(button));
    PumpPending();
    EXPECT_EQ(dialog.clicks, 1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_DOUBLECLICKED), LPARAM(button));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, BN_CLICKED), 0);
    EXPECT_EQ(dialog.clicks, 1);
}

TEST(Reflection, AControlHandlesItsOwnCommandNotifications) {
    struct Case {
        BOOL consume;
        int parentChanges;
    } cases[] = {{TRUE, 0}, {FALSE, 1}};
    for (const Case& c : cases) {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
        dialog.edit.consume = c.consume;
        dialog.edit.SetWindowText(L"12");
        EXPECT_EQ(dialog.edit.changes, 1);
        EXPECT_EQ(dialog.parentEditChanges, c.parentChanges) << "consume " << c.consume;
    }
}

TEST(Reflection, AControlHandlesItsOwnNotifyMessagesAndAnswersThem) {
    struct Case {
        BOOL suppressDeleteNotes;
        int parentDeletes;
    } cases[] = {{TRUE, 0}, {FALSE, 3}};
    for (const Case& c : cases) {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
        dialog.list.InsertColumn(0, L"Gate", LVCFMT_LEFT, 60);
        for (int i = 0; i < 3; ++i)
            dialog.list.InsertItem(i, L"row");
        EXPECT_EQ(dialog.list.inserted, 3);
        EXPECT_EQ(dialog.parentInserts, 0);
        dialog.list.suppressDeleteNotes = c.suppressDeleteNotes;
        dialog.list.DeleteAllItems();
        EXPECT_EQ(dialog.parentDeletes, c.parentDeletes) << "suppress " << c.suppressDeleteNotes;
    }
}

TEST(Reflection, AnOwnerDrawnStaticDrawsItself) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.ShowWindow(SW_SHOWNA);
    dialog.drawn.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(dialog.drawn.draws, 1);
    EXPECT_EQ(dialog.drawn.drawnId, UINT(IDC_TEST_DRAWN));
}

namespace {

TestDialog* g_modal = nullptr;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    if (g_modal != nullptr)
        g_modal->EndDialog(kGaveUp);
}

} // namespace

TEST(ModalDialog, EndsOnOkAndCancelFromCommandsKeysAndClosing) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool toEdit;
        INT_PTR result;
        int savingExchanges;
    } cases[] = {
        {"OK command", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), false, IDOK, 1},
        {"Cancel command", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), false, IDCANCEL, 0},
        {"Enter in the edit", WM_KEYDOWN, VK_RETURN, true, IDOK, 1},
        {"Escape in the edit", WM_KEYDOWN, VK_ESCAPE, true, IDCANCEL, 0},
        {"close", WM_CLOSE, 0, false, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        TestDialog dialog;
        dialog.postAtInit.message = c.message;
        dialog.postAtInit.wParam = c.wParam;
        dialog.postTo = c.toEdit ? &dialog.edit : nullptr;
        g_modal = &dialog;
        // Only a guard against a dialog that would never end.
        UINT_PTR guard = SetTimer(nullptr, 0, 10000, &GiveUp);
        INT_PTR result = dialog.DoModal();
        KillTimer(nullptr, guard);
        g_modal = nullptr;
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(dialog.savingExchanges, c.savingExchanges) << c.name;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.name;
    }
}

namespace {

const wchar_t kPopupClass[] = L"FrameworkTestPopup";
int g_classProcPositionChanges = 0;

LRESULT CALLBACK PopupClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING)
        ++g_classProcPositionChanges;
    return DefWindowProcW(window, message, wParam, lParam);
}

class PopupWnd : public CWnd {
public:
    bool attached = false;
    bool attachedBeforeCreate = false;
    int mapPositionChanges = 0;
    int lastMessages = 0;
    void PreSubclassWindow() override { attached = true; }
    void PostNcDestroy() override { ++lastMessages; }

protected:
    int OnCreate(LPCREATESTRUCTW create) {
        attachedBeforeCreate = attached;
        return CWnd::OnCreate(create);
    }
    void OnWindowPosChanging(WINDOWPOS* position) {
        ++mapPositionChanges;
        CWnd::OnWindowPosChanging(position);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PopupWnd, CWnd)
ON_WM_CREATE()
ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

} // namespace

TEST(Windows, CreateExRoutesARegisteredClassFromItsFirstMessage) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &PopupClassProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.lpszClassName = kPopupClass;
    ASSERT_NE(RegisterClassExW(&windowClass), 0);

    PopupWnd popup;
    ASSERT_TRUE(
        popup.CreateEx(WS_EX_TOOLWINDOW, kPopupClass, nullptr, WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    EXPECT_TRUE(popup.attachedBeforeCreate);
    EXPECT_EQ(CWnd::FromHandlePermanent(popup.m_hWnd), &popup);

    g_classProcPositionChanges = 0;
    popup.MoveWindow(5, 5, 30, 30);
    EXPECT_GE(popup.mapPositionChanges, 1);
    EXPECT_EQ(g_classProcPositionChanges, popup.mapPositionChanges); // the base handler passed it on

    HWND window = popup.m_hWnd;
    EXPECT_TRUE(popup.DestroyWindow());
    EXPECT_EQ(popup.lastMessages, 1);
    EXPECT_EQ(popup.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    UnregisterClassW(kPopupClass, AfxGetInstanceHandle());
}

TEST(Windows, SubclassingADialogItemAndGivingItBack) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    HWND button = GetDlgItem(dialog.m_hWnd, IDC_TEST_BUTTON);
    auto original = GetWindowLongPtrW(button, GWLP_WNDPROC);

    CWnd* temporary = CWnd::FromHandle(button);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hWnd, button);
    EXPECT_EQ(CWnd::FromHandle(button), temporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);

    CWnd wrapper;
    ASSERT_TRUE(wrapper.SubclassDlgItem(IDC_TEST_BUTTON, &dialog));
    EXPECT_EQ(CWnd::FromHandle(button), &wrapper);
    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(button));
    EXPECT_FALSE(second.SubclassDlgItem(4242, &dialog));

    EXPECT_EQ(wrapper.UnsubclassWindow(), button);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    EXPECT_TRUE(IsWindow(button));
}

namespace {

struct Departure {
    int destroys = 0;
    int lastMessages = 0;
};

// Has something to free when its window goes, so it follows the rule of wnd.h: its own
// destructor destroys the window.
class DepartingWnd : public CWnd {
public:
    explicit DepartingWnd(Departure& log) : m_log(log) {}
    ~DepartingWnd() override { DestroyWindow(); }
    void PostNcDestroy() override { ++m_log.lastMessages; }

protected:
    void OnDestroy() {
        ++m_log.destroys;
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    Departure& m_log;
};

BEGIN_MESSAGE_MAP(DepartingWnd, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

} // namespace

TEST(WindowLifetime, TheObjectSeesItsWindowGoWhicheverGoesFirst) {
    enum class Made { Created, Subclassed };
    enum class First { Object, Window, Parent };
    struct Case {
        const char* name;
        Made made;
        First first;
    } cases[] = {
        {"created, object first", Made::Created, First::Object},
        {"created, window first", Made::Created, First::Window},
        {"created, parent first", Made::Created, First::Parent},
        {"subclassed, object first", Made::Subclassed, First::Object},
        {"subclassed, window first", Made::Subclassed, First::Window},
        {"subclassed, parent first", Made::Subclassed, First::Parent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND parent =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        Departure log;
        auto object = std::make_unique<DepartingWnd>(log);
        if (c.made == Made::Created) {
            ASSERT_TRUE(object->CreateEx(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 10, 10, parent, nullptr));
        } else {
            HWND child =
                CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
            ASSERT_TRUE(object->SubclassWindow(child));
        }
        HWND window = object->m_hWnd;
        switch (c.first) {
        case First::Object:
            object.reset();
            break;
        case First::Window:
            EXPECT_TRUE(object->DestroyWindow());
            break;
        case First::Parent:
            DestroyWindow(parent);
            break;
        }
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(log.destroys, 1);
        EXPECT_EQ(log.lastMessages, 1);
        if (object != nullptr) {
            EXPECT_EQ(object->m_hWnd, nullptr);
            object.reset(); // nothing more happens
        }
        EXPECT_EQ(log.destroys, 1);
        EXPECT_EQ(log.lastMessages, 1);
        DestroyWindow(parent);
    }
}

namespace {

// A procedure put over ours by someone else, as a control library or a tool tip does.
WNDPROC g_belowOutsider = nullptr;
int g_outsiderLastMessages = 0;

LRESULT CALLBACK OutsiderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_NCDESTROY)
        ++g_outsiderLastMessages;
    return CallWindowProcW(g_belowOutsider, window, message, wParam, lParam);
}

} // namespace

TEST(WindowLifetime, AWindowThatGoesWithItsObjectPassesItsLastMessagesThroughTheWholeChain) {
    auto object = std::make_unique<CWnd>();
    ASSERT_TRUE(object->CreateEx(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND window = object->m_hWnd;
    g_outsiderLastMessages = 0;
    g_belowOutsider = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OutsiderProc)));
    object.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_outsiderLastMessages, 2); // WM_DESTROY and WM_NCDESTROY
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

namespace {

// Names tool 5 over the ten leftmost pixels of its client area.
class TipWnd : public CWnd {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const override {
        if (point.x >= 10)
            return -1;
        info->uId = 5;
        info->rect = CRect(0, 0, 10, 10);
        info->lpszText = LPSTR_TEXTCALLBACKW;
        return 5;
    }
};

} // namespace

TEST(ToolTips, TheThreadsToolTipHoldsTheToolUnderTheMouse) {
    TipWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    window.EnableToolTips();
    struct Case {
        int x;
        int tools;
    } cases[] = {{3, 1}, {4, 1}, {20, 0}, {2, 1}};
    for (const Case& c : cases) {
        window.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.x, 3));
        PumpPending();
        CToolTipCtrl* tip = AfxGetThreadToolTip();
        ASSERT_NE(tip, nullptr);
        ASSERT_EQ(tip->GetToolCount(), c.tools) << "x " << c.x;
        if (c.tools == 0)
            continue;
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        ASSERT_TRUE(tip->SendMessage(TTM_ENUMTOOLSW, 0, LPARAM(&info)));
        EXPECT_EQ(info.hwnd, window.m_hWnd);
        EXPECT_EQ(info.uId, 5u);
    }
}

TEST(GdiWrappers, DeleteWhatTheyOwnAndKeepWhatTheyBorrowOrDetach) {
    std::vector<HGDIOBJ> owned;
    HDC memoryDc = nullptr;
    HDC borrowed = CreateCompatibleDC(nullptr);
    HGDIOBJ detached = nullptr;
    {
        LOGFONTW logFont{};
        logFont.lfHeight = -12;
        lstrcpyW(logFont.lfFaceName, L"Tahoma");
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        CBrush brush(RGB(1, 2, 3));
        CPen pen(PS_SOLID, 2, RGB(4, 5, 6));
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 8, 8));
        CDCSelection selected(dc, bitmap);
        owned = {font.m_hObject, brush.m_hObject, pen.m_hObject, bitmap.m_hObject};
        memoryDc = dc.m_hDC;
        CBrush loose(RGB(7, 8, 9));
        detached = loose.Detach();
        CBorrowedDC view(borrowed);
        for (HGDIOBJ object : owned)
            EXPECT_NE(GetObjectType(object), 0u);
    }
    for (HGDIOBJ object : owned)
        EXPECT_EQ(GetObjectType(object), 0u);
    EXPECT_EQ(GetObjectType(memoryDc), 0u);
    EXPECT_EQ(GetObjectType(borrowed), DWORD(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(detached), DWORD(OBJ_BRUSH));
    DeleteObject(detached);
    DeleteDC(borrowed);
}

TEST(GdiWrappers, Draw3dRectFramesTopLeftAndBottomRight) {
    constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    CClientDC screen(nullptr);
    CBitmap bitmap;
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 10, 10));
    CDCSelection selected(dc, bitmap);
    dc.FillSolidRect(0, 0, 10, 10, kWhite);
    CRect frame(0, 0, 10, 10);
    dc.Draw3dRect(&frame, kRed, kBlue);
    struct Pixel {
        int x, y;
        COLORREF color;
    } pixels[] = {{0, 0, kRed},  {8, 0, kRed},  {0, 8, kRed},   {9, 0, kBlue},
                  {0, 9, kBlue}, {9, 9, kBlue}, {5, 5, kWhite}, {1, 1, kWhite}};
    for (const Pixel& p : pixels)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.color) << p.x << "," << p.y;
}

namespace {

struct SelectableKind {
    const char* name;
    DWORD type;
    std::unique_ptr<CGdiObject> (*make)();
};

const SelectableKind kSelectableKinds[] = {
    {"bitmap", OBJ_BITMAP,
     [] {
         auto bitmap = std::make_unique<CBitmap>();
         bitmap->CreateBitmap(8, 8, 1, 32, nullptr);
         return std::unique_ptr<CGdiObject>(std::move(bitmap));
     }},
    {"pen", OBJ_PEN,
     [] { return std::unique_ptr<CGdiObject>(std::make_unique<CPen>(PS_SOLID, 3, RGB(1, 2, 3))); }},
    {"brush", OBJ_BRUSH, [] { return std::unique_ptr<CGdiObject>(std::make_unique<CBrush>(RGB(4, 5, 6))); }},
    {"font", OBJ_FONT,
     [] {
         LOGFONTW logFont{};
         logFont.lfHeight = -15;
         lstrcpyW(logFont.lfFaceName, L"Tahoma");
         auto font = std::make_unique<CFont>();
         font->CreateFontIndirect(&logFont);
         return std::unique_ptr<CGdiObject>(std::move(font));
     }},
};

} // namespace

// An object selected into a context that lives on is deleted with its wrapper (a selected
// object cannot be), and one whose context went first is deleted too.
TEST(GdiWrappers, ASelectionEndsBeforeEitherTheObjectOrTheContextGoes) {
    for (const SelectableKind& kind : kSelectableKinds) {
        SCOPED_TRACE(kind.name);
        {
            SCOPED_TRACE("the context outlives the object");
            CDC dc;
            ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
            HGDIOBJ original = GetCurrentObject(dc, UINT(kind.type));
            HGDIOBJ handle = nullptr;
            {
                std::unique_ptr<CGdiObject> object = kind.make();
                handle = object->m_hObject;
                ASSERT_NE(handle, nullptr);
                CDCSelection selected(dc, *object);
                EXPECT_TRUE(selected.IsSelected());
                EXPECT_EQ(selected.Old(), original);
                EXPECT_EQ(GetCurrentObject(dc, UINT(kind.type)), handle);
            }
            EXPECT_EQ(GetObjectType(handle), 0u);
            EXPECT_EQ(GetCurrentObject(dc, UINT(kind.type)), original);
        }
        {
            SCOPED_TRACE("the object outlives the context");
            std::unique_ptr<CGdiObject> object = kind.make();
            HGDIOBJ handle = object->m_hObject;
            {
                CDC dc;
                ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
                CDCSelection selected(dc, *object);
                EXPECT_TRUE(selected.IsSelected());
            }
            EXPECT_TRUE(object->DeleteObject());
            EXPECT_EQ(GetObjectType(handle), 0u);
        }
    }
}

TEST(GdiWrappers, ASelectionCanEndEarlyAndRefusesWhatCannotBeSelected) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
    CPen first(PS_SOLID, 1, RGB(1, 1, 1)), second(PS_SOLID, 2, RGB(2, 2, 2));
    CDCSelection selected(dc, first);
    ASSERT_TRUE(selected.Select(dc, second)); // the first one is put back before
    EXPECT_EQ(selected.Old(), original);
    selected.Restore();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), original);
    EXPECT_FALSE(selected.IsSelected());

    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 4, 4));
    CDC none;
    EXPECT_FALSE(CDCSelection(dc, region).IsSelected());
    EXPECT_FALSE(CDCSelection(none, first).IsSelected());
    EXPECT_FALSE(CDCSelection(dc, nullptr).IsSelected());
}
