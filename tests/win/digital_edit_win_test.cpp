// The numeric edit under Wine, subclassed in a real dialog: characters typed as WM_CHAR, the
// focus moved with SetFocus, and what the dialog hears (EN_CHANGE, EN_KILLFOCUS) and the tip
// under the edit says.
#include "controls_test_ids.h"
#include "digital_edit_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kCommitted = {"EN_CHANGE", "EN_KILLFOCUS"};
const std::vector<std::string> kNothing = {};

class DigitalDialog : public CDialog {
public:
    DigitalDialog() : CDialog(IDD_CONTROLS_TEST) {}

    CDigitalEdit edit;
    std::vector<std::string> heard; // the edit's notifications, in order

protected:
    void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, IDC_DIGITAL, edit); }
    void OnEditChange() { heard.push_back("EN_CHANGE"); }
    void OnEditKillFocus() { heard.push_back("EN_KILLFOCUS"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DigitalDialog, CDialog)
ON_EN_CHANGE(IDC_DIGITAL, &DigitalDialog::OnEditChange)
ON_EN_KILLFOCUS(IDC_DIGITAL, &DigitalDialog::OnEditKillFocus)
END_MESSAGE_MAP()

// A shown dialog whose numeric edit is of `kind` and holds `text`, the dialog having heard
// nothing yet.
class Host {
public:
    explicit Host(int kind, const wchar_t* text = L"") {
        dialog.edit.valueKind = kind;
        made = dialog.Create(IDD_CONTROLS_TEST) != FALSE;
        if (!made)
            return;
        dialog.ShowWindow(SW_SHOW);
        dialog.edit.SetWindowText(text);
        dialog.heard.clear();
    }

    CDigitalEdit& Edit() { return dialog.edit; }
    std::wstring Text() const { return dialog.edit.GetWindowText(); }
    void Enter() { dialog.edit.SetFocus(); }
    void Leave() { ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_OTHER)); }
    void Type(wchar_t c) { dialog.edit.SendMessage(WM_CHAR, WPARAM(c), 1); }
    void TypeAt(int caret, wchar_t c) {
        dialog.edit.SetSel(caret, caret);
        Type(c);
    }
    // The top tip, or an empty one when the edit has shown none.
    BalloonTip TopTip() {
        BalloonTip tip;
        if (dialog.edit.tipWindow.m_hWnd == nullptr || !dialog.edit.tipWindow.GetTip(0, tip))
            return BalloonTip{};
        return tip;
    }
    bool TipShown() const {
        HWND balloon = dialog.edit.tipWindow.m_hWnd;
        return balloon != nullptr && ::IsWindowVisible(balloon);
    }

    DigitalDialog dialog;
    bool made = false;
};

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
}

} // namespace

TEST(DigitalEditTyping, EachKindTakesItsCharactersAndUndoesTheOthersWithATip) {
    const struct {
        int kind;
        const wchar_t* text;
        int caret;
        wchar_t c;
        const wchar_t* after;
        const wchar_t* message; // null: accepted
    } cases[] = {
        {DigitalUInt32, L"12", 2, L'-', L"12", L"Invalid character '-'"},
        {DigitalUInt32, L"12", 0, L'-', L"12", L"Invalid character '-'"},
        {DigitalInt32, L"5", 0, L'-', L"-5", nullptr},
        {DigitalInt32, L"-5", 0, L'-', L"-5", L"Invalid character '-'"},
        {DigitalInt32, L"-5", 2, L'-', L"-5", L"Invalid character '-'"},
        {DigitalInt32, L"5", 1, L'-', L"5", L"Invalid character '-'"},
        {DigitalInt32, L"12", 1, L'.', L"12", L"Invalid character '.'"},
        {DigitalFloat, L"12", 1, L'.', L"1.2", nullptr},
        {DigitalFloat, L"1.2", 3, L'.', L"1.2", L"Invalid character '.'"},
        {DigitalDouble, L"1.2", 0, L'.', L"1.2", L"Invalid character '.'"},
        {DigitalInt32, L"12", 2, L'a', L"12", L"Invalid character 'a'"},
        {DigitalInt32, L"12", 0, L'+', L"12", L"Invalid character '+'"},
        {DigitalDouble, L"12", 2, L'e', L"12", L"Invalid character 'e'"},
        {DigitalUInt32, L"12", 1, L' ', L"12", L"Invalid character ' '"},
        {DigitalUInt32, L"12", 1, L'7', L"172", nullptr},
        {DigitalUInt32, L"12", 2, L'\b', L"1", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", char " << int(c.c) << " at " << c.caret);
        Host host(c.kind, c.text);
        ASSERT_TRUE(host.made);
        host.Enter();
        host.TypeAt(c.caret, c.c);
        EXPECT_EQ(host.Text(), c.after);
        const BalloonTip tip = host.TopTip();
        if (c.message != nullptr) {
            EXPECT_EQ(tip.title, L"Input Error");
            EXPECT_EQ(tip.text, c.message);
            EXPECT_EQ(tip.icon, TipIconError);
            EXPECT_TRUE(host.TipShown());
            // The caret stays where the character was typed.
            int start = -1, end = -1;
            host.Edit().GetSel(start, end);
            EXPECT_EQ(start, c.caret);
            EXPECT_EQ(end, c.caret);
        } else {
            EXPECT_TRUE(tip.title.empty());
            EXPECT_FALSE(host.TipShown());
        }
        // The edit keeps the focus either way, and the dialog hears only of finished edits:
        // an accepted character is one, a rejected one leaves nothing to commit.
        EXPECT_EQ(GetFocus(), host.Edit().m_hWnd);
        EXPECT_EQ(host.dialog.heard, kNothing);
        host.Leave();
        EXPECT_EQ(host.dialog.heard, c.message == nullptr ? kCommitted : kNothing);
    }
}

TEST(DigitalEditTyping, PastedTextPassesAndIsCheckedOnLeaving) {
    const struct {
        const wchar_t* pasted;
        const wchar_t* left; // the text after leaving, with a minimum of 1
    } cases[] = {
        {L"7x", L"7x"}, // the numeric prefix 7 meets the minimum
        {L"abc", L"1"}, // no number at all counts as 0
        {L"-3", L"1"},  // a sign an unsigned edit would refuse when typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.pasted)));
        Host host(DigitalUInt32, L"5");
        ASSERT_TRUE(host.made);
        host.Edit().SetMinimum(1, L"最小值");
        PutOnClipboard(host.dialog.m_hWnd, c.pasted);
        host.Enter();
        host.Edit().SetSel(0, -1);
        host.Type(0x16); // Ctrl+V
        EXPECT_EQ(host.Text(), c.pasted);
        EXPECT_FALSE(host.TipShown());
        host.Leave();
        EXPECT_EQ(host.Text(), c.left);
        EXPECT_EQ(host.dialog.heard, kCommitted);
    }
}

TEST(DigitalEditCommit, AnEmptiedEditBecomesItsMinimumWithATipAndTheDialogHearsChangeThenKillFocus) {
    Host host(DigitalUInt32, L"5");
    ASSERT_TRUE(host.made);
    host.Edit().SetMinimum(1, L"最小值");
    host.Enter();
    host.Edit().SetSel(0, -1);
    host.Type(L'\b');
    EXPECT_EQ(host.Text(), L"");
    host.Leave();

    EXPECT_EQ(host.Text(), L"1");
    EXPECT_EQ(host.dialog.heard, kCommitted);
    const BalloonTip tip = host.TopTip();
    EXPECT_EQ(tip.title, L"Data Invalid");
    EXPECT_EQ(tip.text, L"最小值 Must >= 1");
    EXPECT_EQ(tip.icon, TipIconError);
    ASSERT_TRUE(host.TipShown());
    // The balloon hangs from the edit's lower left, 2 pixels into its client area.
    RECT client{}, balloon{};
    host.Edit().GetClientRect(&client);
    host.Edit().ClientToScreen(&client);
    GetWindowRect(host.Edit().tipWindow.m_hWnd, &balloon);
    EXPECT_EQ(balloon.left, client.left);
    EXPECT_EQ(balloon.top, client.bottom - 2);
    EXPECT_EQ(GetWindow(host.Edit().tipWindow.m_hWnd, GW_OWNER), host.dialog.m_hWnd);
}

TEST(DigitalEditCommit, ALimitItselfPassesAndAValueBeyondOneBecomesIt) {
    const struct {
        const wchar_t* text;
        int caret;
        wchar_t c;
        const wchar_t* left;
    } cases[] = {
        {L"12", 2, L'0', L"120"}, // the maximum
        {L"12", 2, L'1', L"120"}, // one past it
        {L"", 0, L'1', L"1"},     // the minimum
        {L"-", 1, L'1', L"1"},    // below it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        Host host(DigitalInt32, c.text);
        ASSERT_TRUE(host.made);
        host.Edit().SetMinimum(1, L"最小值");
        host.Edit().SetMaximum(120, L"最大值");
        host.Enter();
        host.TypeAt(c.caret, c.c);
        host.Leave();
        EXPECT_EQ(host.Text(), c.left);
        EXPECT_EQ(host.dialog.heard, kCommitted);
    }
}

TEST(DigitalEditCommit, TabMovesTheFocusOnAndCommits) {
    Host host(DigitalUInt32, L"3");
    ASSERT_TRUE(host.made);
    host.Edit().SetMaximum(8, L"最大值");
    host.Enter();
    host.TypeAt(1, L'9');
    host.Type(L'\t');
    EXPECT_NE(GetFocus(), host.Edit().m_hWnd);
    EXPECT_EQ(host.Text(), L"8");
    EXPECT_EQ(host.dialog.heard, kCommitted);
    EXPECT_EQ(host.TopTip().text, L"最大值 Must <= 8");
}

TEST(DigitalEditCommit, NoNotificationWithoutTypingOrForTheDialogsOwnTexts) {
    Host host(DigitalUInt32, L"4");
    ASSERT_TRUE(host.made);
    host.Edit().SetMinimum(5, L"最小值");
    host.Enter();
    host.Leave();
    host.dialog.SetDlgItemInt(IDC_DIGITAL, 42, TRUE);
    host.dialog.SetDlgItemText(IDC_DIGITAL, L"17");
    EXPECT_EQ(host.dialog.heard, kNothing);
    // Leaving untouched checks nothing either: 4 stays below the minimum until ValidateNow.
    host.Edit().SetWindowText(L"4");
    host.Enter();
    host.Leave();
    EXPECT_EQ(host.Text(), L"4");
    EXPECT_FALSE(host.TipShown());
}

TEST(DigitalEditCommit, ValidateNowCorrectsTheTextAtOnceAfterALoweredMaximum) {
    Host host(DigitalInt32, L"100");
    ASSERT_TRUE(host.made);
    host.Edit().SetMinimum(1, L"最小值");
    host.Edit().SetMaximum(120, L"最大值");
    host.Edit().ValidateNow();
    EXPECT_EQ(host.dialog.heard, kNothing);
    EXPECT_FALSE(host.TipShown());

    host.Edit().SetMaximum(50, L"最大值");
    host.Edit().ValidateNow();
    EXPECT_EQ(host.Text(), L"50");
    EXPECT_EQ(host.dialog.heard, std::vector<std::string>{"EN_CHANGE"});
    EXPECT_EQ(host.TopTip().text, L"最大值 Must <= 50");
    EXPECT_EQ(host.TopTip().icon, TipIconError);

    // The minimum and maximum of one value, as the statistics length in seconds has them.
    host.Edit().SetMinimum(120, L"最小值");
    host.Edit().SetMaximum(120, L"最大值");
    host.Edit().ValidateNow();
    EXPECT_EQ(host.Text(), L"120");
    // Without a window nothing happens.
    CDigitalEdit loose;
    loose.SetMaximum(1, L"最大值");
    loose.ValidateNow();
    EXPECT_EQ(loose.tipWindow.m_hWnd, nullptr);
}

TEST(DigitalEditCommit, AnAdvisoryLimitWarnsAndKeepsTheValue) {
    Host host(DigitalUInt32, L"1");
    ASSERT_TRUE(host.made);
    host.Edit().SetSuggestedMaximum(10, L"建议");
    host.Enter();
    host.TypeAt(1, L'5');
    host.Leave();
    EXPECT_EQ(host.Text(), L"15");
    EXPECT_EQ(host.dialog.heard, kCommitted);
    EXPECT_EQ(host.TopTip().text, L"建议 Suggest <= 10");
    EXPECT_EQ(host.TopTip().icon, TipIconWarning);
}

TEST(DigitalEditCommit, RepeatedProblemsRefreshOneTip) {
    Host host(DigitalUInt32, L"1");
    ASSERT_TRUE(host.made);
    host.Enter();
    host.TypeAt(1, L'-');
    host.TypeAt(0, L'-');
    host.TypeAt(1, L'x');
    EXPECT_EQ(host.Edit().tipWindow.GetTipCount(), 2);
    EXPECT_EQ(host.TopTip().text, L"Invalid character 'x'");
}

TEST(DigitalEditTyping, ATipWhileTypingLeavesTheFocusAndTheEditInProgressAlone) {
    Host host(DigitalUInt32, L"1");
    ASSERT_TRUE(host.made);
    host.Edit().SetMinimum(5, L"最小值");
    host.Enter();
    host.TypeAt(1, L'2');
    host.TypeAt(2, L'a');
    EXPECT_TRUE(host.TipShown());
    EXPECT_EQ(GetFocus(), host.Edit().m_hWnd);
    EXPECT_EQ(host.dialog.heard, kNothing);
    host.TypeAt(1, L'\b'); // still typing: "2" is below the minimum only once the edit is left
    EXPECT_EQ(host.Text(), L"2");
    EXPECT_EQ(host.TopTip().text, L"Invalid character 'a'");
    EXPECT_EQ(GetFocus(), host.Edit().m_hWnd);
    host.Leave();
    EXPECT_EQ(host.Text(), L"5");
    EXPECT_EQ(host.TopTip().text, L"最小值 Must >= 5");
    EXPECT_EQ(host.dialog.heard, kCommitted);
}

// However the user changes the text, leaving the edit checks it: the limits hold for text
// that never came through WM_CHAR.
TEST(DigitalEditCommit, EveryWayOfChangingTheTextIsCheckedOnLeaving) {
    const struct {
        const char* way;
        void (*change)(Host& host);
        const wchar_t* changed; // the text after the change, before leaving
        const wchar_t* left;    // with the limits 1..8
    } cases[] = {
        {"Delete key",
         [](Host& host) {
             host.Edit().SetSel(0, -1);
             host.Edit().SendMessage(WM_KEYDOWN, VK_DELETE, 1);
         },
         L"", L"1"},
        {"Cut",
         [](Host& host) {
             host.Edit().SetSel(0, -1);
             host.Edit().SendMessage(WM_CUT);
         },
         L"", L"1"},
        {"Clear",
         [](Host& host) {
             host.Edit().SetSel(0, -1);
             host.Edit().SendMessage(WM_CLEAR);
         },
         L"", L"1"},
        {"Paste",
         [](Host& host) {
             PutOnClipboard(host.dialog.m_hWnd, L"99");
             host.Edit().SetSel(0, -1);
             host.Edit().SendMessage(WM_PASTE);
         },
         L"99", L"8"},
        {"Undo",
         [](Host& host) {
             // A typed 3 is committed; undoing it brings back the program's 99.
             host.Edit().SetSel(0, -1);
             host.Type(L'3');
             host.Leave();
             host.dialog.heard.clear();
             host.Enter();
             host.Edit().SendMessage(EM_UNDO);
         },
         L"99", L"8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        Host host(DigitalUInt32, L"99");
        ASSERT_TRUE(host.made);
        host.Edit().SetMinimum(1, L"最小值");
        host.Edit().SetMaximum(8, L"最大值");
        host.Enter();
        c.change(host);
        EXPECT_EQ(host.Text(), c.changed);
        host.Leave();
        EXPECT_EQ(host.Text(), c.left);
        EXPECT_EQ(host.dialog.heard, kCommitted);
        EXPECT_TRUE(host.TipShown());
    }
}
