// The window framework under Wine: whether an object made its window or took over one that
// existed, as seen from PreSubclassWindow on, and Default() in a handler of a notification
// the parent reflected.
#include "framework.h"
#include "framework_test_ids.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records what it knew of its window's origin when the window was routed to it.
class OriginWnd : public CWnd {
public:
    int preSubclassCalls = 0;
    bool createdAtPreSubclass = false;
    bool subclassedAtPreSubclass = false;
    void PreSubclassWindow() override {
        ++preSubclassCalls;
        createdAtPreSubclass = IsCreatedHere();
        subclassedAtPreSubclass = WasSubclassed();
    }
};

class OriginDialog : public CDialog {
public:
    OriginDialog() : CDialog(IDD_FRAMEWORK_TEST) {}
    OriginWnd list;
    bool createdAtPreSubclass = false;
    void PreSubclassWindow() override { createdAtPreSubclass = IsCreatedHere(); }

protected:
    void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, IDC_TEST_LIST, list); }
};

} // namespace

TEST(WindowOrigin, AnObjectKnowsFromPreSubclassWindowOnWhetherItMadeItsWindow) {
    HWND parent =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    enum class Way { CreateEx, Subclass };
    const struct {
        const char* name;
        Way way;
        bool created;
    } cases[] = {{"created", Way::CreateEx, true}, {"subclassed", Way::Subclass, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OriginWnd object;
        if (c.way == Way::CreateEx) {
            ASSERT_TRUE(object.CreateEx(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 10, 10, parent, nullptr));
        } else {
            HWND child =
                CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
            ASSERT_TRUE(object.SubclassWindow(child));
        }
        EXPECT_EQ(object.preSubclassCalls, 1);
        EXPECT_EQ(object.createdAtPreSubclass, c.created);
        EXPECT_EQ(object.subclassedAtPreSubclass, !c.created);
        EXPECT_EQ(object.IsCreatedHere(), c.created);
        EXPECT_EQ(object.WasSubclassed(), !c.created);
        HWND window = object.UnsubclassWindow();
        EXPECT_FALSE(object.IsCreatedHere());
        EXPECT_FALSE(object.WasSubclassed());
        DestroyWindow(window);
    }

    // Only associated: the window is neither made nor routed here.
    CWnd attached;
    HWND other =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(attached.Attach(other));
    EXPECT_FALSE(attached.IsCreatedHere());
    EXPECT_FALSE(attached.WasSubclassed());
    attached.Detach();
    DestroyWindow(parent);
}

TEST(WindowOrigin, ADialogIsMadeAndItsBoundControlsAreSubclassed) {
    OriginDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    EXPECT_TRUE(dialog.createdAtPreSubclass);
    EXPECT_TRUE(dialog.IsCreatedHere());
    EXPECT_EQ(dialog.list.preSubclassCalls, 1);
    EXPECT_TRUE(dialog.list.subclassedAtPreSubclass);
    EXPECT_FALSE(dialog.list.createdAtPreSubclass);
    dialog.DestroyWindow();
}

namespace {

constexpr UINT kChildId = 7;
constexpr UINT kNotice = 0x7001; // a control notification code of our own
constexpr LRESULT kParentAnswer = 42;
const wchar_t kParentClass[] = L"KovaReflectParent";
int g_parentNotices = 0;

// The parent's original processing: answers the notice and counts it.
LRESULT CALLBACK ParentClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == kNotice) {
        ++g_parentNotices;
        return kParentAnswer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class NoticedChild : public CWnd {
public:
    BOOL consume = FALSE; // TRUE: the parent's map and procedure do not see the notice
    LRESULT defaultAnswer = -1;
    LRESULT secondAnswer = -1;

protected:
    BOOL OnNotice() {
        defaultAnswer = Default();
        secondAnswer = Default(); // the parent's processing is not run a second time
        return consume;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NoticedChild, CWnd)
ON_CONTROL_REFLECT_EX(kNotice, &NoticedChild::OnNotice)
END_MESSAGE_MAP()

} // namespace

TEST(Reflection, DefaultInAReflectedHandlerIsTheParentsOriginalProcessingDoneOnce) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ParentClassProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.lpszClassName = kParentClass;
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    const struct {
        const char* name;
        BOOL consume;
        LRESULT senderGets;
    } cases[] = {
        {"taken by the child", TRUE, 0},
        {"passed on to the parent", FALSE, kParentAnswer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWnd parent;
        ASSERT_TRUE(parent.CreateEx(0, kParentClass, nullptr, WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
        NoticedChild child;
        child.consume = c.consume;
        ASSERT_TRUE(child.CreateEx(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(UINT_PTR(kChildId))));
        g_parentNotices = 0;
        LRESULT answer = parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, kNotice), LPARAM(child.m_hWnd));
        EXPECT_EQ(child.defaultAnswer, kParentAnswer);
        EXPECT_EQ(child.secondAnswer, kParentAnswer);
        EXPECT_EQ(g_parentNotices, 1);
        EXPECT_EQ(answer, c.senderGets);
    }
    UnregisterClassW(kParentClass, AfxGetInstanceHandle());
}
