// The program's resources as Windows reads them: dialog templates, strings, dialog
// initialisation data, icon, manifest and version, in English and Simplified Chinese.
#include "dialog_init.h"
#include "language_resources.h"
#include "resource.h"

#include "KOVA_Common.h"
#include "kova_version.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

HMODULE Program() {
    return GetModuleHandleW(nullptr);
}

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className;
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::wstring className;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring fontFace;
    std::vector<DialogItem> items;
};

// Reads a DLGTEMPLATEEX; a read past the end clears `ok` and yields zeros.
class TemplateReader {
public:
    explicit TemplateReader(ResourceBytes bytes)
        : start_(bytes.data), at_(bytes.data), end_(bytes.data + bytes.size) {}

    bool ok = true;

    template <typename T> T Read() {
        T value{};
        if (!ok || at_ == nullptr || size_t(end_ - at_) < sizeof(T)) {
            ok = false;
            return value;
        }
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }

    // A zero-terminated text, or 0xFFFF and an ordinal (predefined control classes by name).
    std::wstring TextOrOrdinal() {
        WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            static const wchar_t* const classes[] = {L"Button",  L"Edit",      L"Static",
                                                     L"ListBox", L"ScrollBar", L"ComboBox"};
            WORD ordinal = Read<WORD>();
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80]
                                                      : L"#" + std::to_wstring(ordinal);
        }
        std::wstring text;
        for (WORD c = first; ok && c != 0; c = Read<WORD>())
            text += wchar_t(c);
        return text;
    }

    void AlignToDword() {
        while (ok && (at_ - start_) % 4 != 0)
            Read<BYTE>();
    }

private:
    const BYTE* start_;
    const BYTE* at_;
    const BYTE* end_;
};

DialogTemplate ParseDialog(UINT id, LANGID language, bool* ok) {
    TemplateReader in(FindResourceBytes(Program(), RT_DIALOG, MAKEINTRESOURCEW(id), language));
    DialogTemplate dialog;
    bool extended = in.Read<WORD>() == 1 && in.Read<WORD>() == 0xFFFF;
    in.Read<DWORD>(); // help id
    dialog.exStyle = in.Read<DWORD>();
    dialog.style = in.Read<DWORD>();
    WORD count = in.Read<WORD>();
    in.Read<short>();
    in.Read<short>();
    dialog.cx = in.Read<short>();
    dialog.cy = in.Read<short>();
    in.TextOrOrdinal(); // menu
    dialog.className = in.TextOrOrdinal();
    dialog.caption = in.TextOrOrdinal();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Read<WORD>();
        in.Read<WORD>(); // weight
        in.Read<BYTE>(); // italic
        in.Read<BYTE>(); // character set
        dialog.fontFace = in.TextOrOrdinal();
    }
    for (WORD i = 0; i < count && in.ok; ++i) {
        in.AlignToDword();
        DialogItem item;
        in.Read<DWORD>(); // help id
        item.exStyle = in.Read<DWORD>();
        item.style = in.Read<DWORD>();
        item.x = in.Read<short>();
        item.y = in.Read<short>();
        item.cx = in.Read<short>();
        item.cy = in.Read<short>();
        item.id = in.Read<DWORD>();
        item.className = in.TextOrOrdinal();
        item.text = in.TextOrOrdinal();
        WORD extra = in.Read<WORD>();
        for (WORD skip = 0; skip < extra; ++skip)
            in.Read<BYTE>();
        dialog.items.push_back(item);
    }
    *ok = extended && in.ok && dialog.items.size() == count;
    return dialog;
}

const DialogItem* FindItem(const DialogTemplate& dialog, int id, const wchar_t* text) {
    // Labels all have IDC_STATIC, so they are found by their text.
    auto found = std::find_if(dialog.items.begin(), dialog.items.end(), [&](const DialogItem& item) {
        return id == IDC_STATIC ? item.id == DWORD(IDC_STATIC) && item.text == text : item.id == DWORD(id);
    });
    return found != dialog.items.end() ? &*found : nullptr;
}

// windres writes class names in capitals; Windows matches class names without regard to case.
bool SameClass(const std::wstring& name, const wchar_t* expected) {
    return CompareStringOrdinal(name.c_str(), -1, expected, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

TEST(DialogTemplates, FramesInBothLanguages) {
    const DWORD mainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT;
    const DWORD sensingStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    struct Case {
        UINT id;
        LANGID language;
        const wchar_t* caption;
        DWORD style;
        DWORD exStyle;
        short cx, cy;
        WORD pointSize;
        const wchar_t* className;
        size_t controls;
    } cases[] = {
        {IDD_MAIN_DIALOG, kLanguageEnglish, L"KOVA_Tevo512Tool", mainStyle, WS_EX_APPWINDOW, 445, 254, 9,
         L"KOVA_Tevo512Tool", 39},
        {IDD_MAIN_DIALOG, kLanguageChinese, L"KOVA_Tevo512Tool", mainStyle, WS_EX_APPWINDOW, 445, 254, 9,
         L"KOVA_Tevo512Tool", 39},
        {IDD_SENSING_SETTING, kLanguageEnglish, L"Sensibility Configuration", sensingStyle, 0, 229, 212, 8,
         L"", 10},
        {IDD_SENSING_SETTING, kLanguageChinese, L"灵敏度设置", sensingStyle, 0, 229, 212, 8, L"", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dialog " << c.id << " language " << c.language);
        bool ok = false;
        DialogTemplate dialog = ParseDialog(c.id, c.language, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(dialog.caption, c.caption);
        EXPECT_TRUE(SameClass(dialog.className, c.className)) << dialog.className;
        EXPECT_EQ(dialog.style, c.style) << std::hex << dialog.style; // never WS_VISIBLE
        EXPECT_EQ(dialog.exStyle, c.exStyle);
        EXPECT_EQ(dialog.cx, c.cx);
        EXPECT_EQ(dialog.cy, c.cy);
        EXPECT_EQ(dialog.pointSize, c.pointSize);
        EXPECT_EQ(dialog.fontFace, L"黑体");
        EXPECT_EQ(dialog.items.size(), c.controls);
    }
}

TEST(DialogTemplates, LanguagesShareControlOrderClassesAndStyles) {
    // The creation order is the tab order; labels carry IDC_STATIC (-1).
    const std::vector<int> mainOrder = {1103, 1500, 1105, -1,   -1,   1201, -1,   1202, -1,   1203,
                                        1210, 1211, 1212, -1,   -1,   1300, -1,   1301, 1302, 1600,
                                        1601, -1,   1101, 1100, 1104, -1,   1102, 1213, 1200, 1401,
                                        1402, 1107, 1602, -1,   1205, 1204, -1,   1603, 1400};
    const std::vector<int> sensingOrder = {IDOK, IDCANCEL, 2005, 2001, -1, 2002, -1, 2003, 2004, -1};
    for (auto [id, order] :
         {std::pair{IDD_MAIN_DIALOG, mainOrder}, std::pair{IDD_SENSING_SETTING, sensingOrder}}) {
        SCOPED_TRACE(testing::Message() << "dialog " << id);
        bool okEnglish = false, okChinese = false;
        DialogTemplate english = ParseDialog(id, kLanguageEnglish, &okEnglish);
        DialogTemplate chinese = ParseDialog(id, kLanguageChinese, &okChinese);
        ASSERT_TRUE(okEnglish && okChinese);
        ASSERT_EQ(english.items.size(), order.size());
        ASSERT_EQ(chinese.items.size(), order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "control " << i);
            EXPECT_EQ(english.items[i].id, DWORD(order[i]));
            EXPECT_EQ(chinese.items[i].id, DWORD(order[i]));
            EXPECT_EQ(english.items[i].className, chinese.items[i].className);
            EXPECT_EQ(english.items[i].style, chinese.items[i].style);
            EXPECT_EQ(english.items[i].exStyle, chinese.items[i].exStyle);
        }
    }
}

TEST(DialogTemplates, ControlKindsTextsAndPositions) {
    const DWORD buttonType = BS_TYPEMASK;
    const DWORD dropDown = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    struct Case {
        UINT dialog;
        LANGID language;
        int id;
        const wchar_t* className;
        const wchar_t* text;
        short x, y, cx, cy;
        DWORD typeMask; // the style bits under the mask must equal `type`
        DWORD type;
        DWORD flags; // and these bits must be set
    } cases[] = {
        {1000, kLanguageEnglish, 1103, L"Button", L"Connect", 87, 18, 43, 14, buttonType, BS_PUSHBUTTON,
         WS_TABSTOP},
        {1000, kLanguageChinese, 1103, L"Button", L"连接设备", 86, 18, 37, 14, buttonType, BS_PUSHBUTTON,
         WS_TABSTOP},
        {1000, kLanguageEnglish, 1500, L"Static", L"460", 293, 2, 72, 55, 0, 0, SS_SUNKEN},
        {1000, kLanguageChinese, 1400, L"Static", L"指示灯", 139, 2, 57, 55, 0, 0, SS_SUNKEN},
        {1000, kLanguageEnglish, -1, L"Button", L"Parameter Config", 2, 57, 130, 118, buttonType, BS_GROUPBOX,
         0},
        {1000, kLanguageChinese, -1, L"Static", L"无人持续时间(秒)", 5, 125, 77, 8, SS_TYPEMASK, SS_LEFT, 0},
        {1000, kLanguageEnglish, 1300, L"Edit", L"", 104, 193, 25, 14, 0, 0, ES_READONLY | WS_TABSTOP},
        {1000, kLanguageChinese, 1301, L"Edit", L"", 99, 210, 25, 14, 0, 0, ES_READONLY | WS_TABSTOP},
        {1000, kLanguageEnglish, 1600, L"Static", L"运动波形", 139, 61, 148, 78, SS_TYPEMASK, SS_CENTER,
         WS_BORDER},
        {1000, kLanguageChinese, 1602, L"Static", L"探测距离", 139, 144, 302, 86, SS_TYPEMASK, SS_CENTER,
         WS_BORDER},
        {1000, kLanguageEnglish, 1101, L"ComboBox", L"", 84, 2, 46, 30, 0, 0, dropDown},
        {1000, kLanguageChinese, 1205, L"ComboBox", L"", 98, 140, 25, 30, 0, 0, dropDown},
        {1000, kLanguageEnglish, 1104, L"Button", L"Engineering Mode", 3, 38, 86, 10, buttonType,
         BS_AUTOCHECKBOX, WS_TABSTOP},
        {1000, kLanguageChinese, 1402, L"Button", L"静止目标", 209, 31, 55, 19, buttonType,
         BS_AUTORADIOBUTTON, WS_DISABLED},
        {1000, kLanguageEnglish, 1213, L"Button", L"Sens....", 95, 158, 34, 14, buttonType, BS_PUSHBUTTON, 0},
        {1000, kLanguageEnglish, -1, L"Static", L"Unit:", 382, 233, 23, 8, 0, 0, 0},
        {1000, kLanguageChinese, -1, L"Static", L"单位:", 405, 233, 23, 8, 0, 0, 0},
        {1000, kLanguageChinese, 1603, L"Static", L"秒", 433, 233, 8, 8, 0, 0, 0},
        {2000, kLanguageEnglish, IDOK, L"Button", L"Confirm", 174, 178, 50, 14, buttonType, BS_DEFPUSHBUTTON,
         WS_TABSTOP},
        {2000, kLanguageChinese, IDCANCEL, L"Button", L"取消", 174, 194, 50, 14, buttonType, BS_PUSHBUTTON,
         WS_TABSTOP},
        {2000, kLanguageEnglish, 2001, L"SysListView32", L"", 4, 1, 220, 153, LVS_TYPEMASK | LVS_ALIGNMASK,
         LVS_REPORT | LVS_ALIGNLEFT, WS_BORDER | WS_TABSTOP},
        {2000, kLanguageChinese, 2004, L"Button", L"设置", 113, 193, 50, 14, buttonType, BS_PUSHBUTTON,
         WS_TABSTOP},
        {2000, kLanguageChinese, -1, L"Button", L"所有距离门", 4, 164, 164, 44, buttonType, BS_GROUPBOX, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "dialog " << c.dialog << " language " << c.language << " control " << c.id);
        bool ok = false;
        DialogTemplate dialog = ParseDialog(c.dialog, c.language, &ok);
        ASSERT_TRUE(ok);
        const DialogItem* item = FindItem(dialog, c.id, c.text);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(SameClass(item->className, c.className)) << item->className;
        EXPECT_EQ(item->text, c.text);
        EXPECT_EQ(item->x, c.x);
        EXPECT_EQ(item->y, c.y);
        EXPECT_EQ(item->cx, c.cx);
        EXPECT_EQ(item->cy, c.cy);
        EXPECT_EQ(item->style & c.typeMask, c.type);
        EXPECT_EQ(item->style & c.flags, c.flags);
        EXPECT_TRUE(item->style & WS_CHILD);
    }
}

TEST(StringTable, TextsInBothLanguages) {
    struct Case {
        UINT id;
        const wchar_t* english;
        const wchar_t* chinese;
    } cases[] = {
        {IDP_SOCKETS_INIT_FAILED, L"Windows socket init. failed.", L"Windows 套接字初始化失败。"},
        {IDS_ERROR, L"Error", L"错误"},
        {IDS_CONNECT, L"Connect", L"连接设备"},
        {IDS_NO_DEVICE, L"No device detected", L"未检测到设备"},
        {IDS_READ_CONFIG_OK, L"Read Configuration Succefully", L"读取配置成功"},
        {IDS_CHART_MOTIONLESS_THRESHOLD, L"Threshold", L"阈值"},
        {IDS_UNIT_HOUR, L"Hour", L"时"},
        {IDS_HEADER_RANGE_GATE, L"Range Gate\r\n(0.75m/RG)", L"距离门\r\n(0.75米/距离门)"},
        {IDS_HEADER_MOTION_SENSITIVITY, L"Moving\r\nSensibility", L"运动灵敏度"},
        {IDS_ROW_GATE_FORMAT, L"RG %d Sensibility", L"距离门 %d 灵敏度"},
        {IDS_STOP_REPORTING_FIRST, L"Stop reporting first: the module takes no commands while it reports.",
         L"请先停止上报：模块上报数据时不接受命令。"},
        {IDS_LINK_LOST, L"The connection to the module was lost. Check the cable, then press Connect.",
         L"与模块的连接已断开。请检查连线，然后点击“连接设备”。"},
        {IDS_SENSITIVITY_INVALID,
         L"RG %d: a sensitivity must be a whole number from 0 to 100. Nothing was written.",
         L"距离门 %d：灵敏度必须是 0 到 100 之间的整数。未写入任何配置。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "string " << c.id);
        EXPECT_EQ(LoadStringForLanguage(Program(), c.id, kLanguageEnglish), c.english);
        EXPECT_EQ(LoadStringForLanguage(Program(), c.id, kLanguageChinese), c.chinese);
    }
}

TEST(StringTable, IdsWithTextExistInBothLanguagesAndNoOthers) {
    std::vector<UINT> expected = {50001, 50002, 50010, 50011, 50012, 50013,
                                  50014, 50015, 50020, 50021, 50022, 50023};
    for (UINT id = 50030; id <= 50042; ++id)
        expected.push_back(id);
    for (UINT id = 50050; id <= 50054; ++id) // the program's own
        expected.push_back(id);
    for (UINT id = 50100; id <= 50103; ++id)
        expected.push_back(id);
    std::vector<UINT> english, chinese;
    for (UINT id = 50000; id <= 50110; ++id) {
        if (!LoadStringForLanguage(Program(), id, kLanguageEnglish).empty())
            english.push_back(id);
        if (!LoadStringForLanguage(Program(), id, kLanguageChinese).empty())
            chinese.push_back(id);
    }
    EXPECT_EQ(english, expected);
    EXPECT_EQ(chinese, expected);
}

TEST(DialogInit, TimeUnitEntriesPerLanguage) {
    struct Case {
        LANGID language;
        std::vector<std::wstring> texts;
    } cases[] = {{kLanguageEnglish, {L"s", L"m", L"h"}}, {kLanguageChinese, {L"秒", L"分", L"时"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language);
        std::vector<DialogInitEntry> entries = LoadDialogInitEntries(Program(), IDD_MAIN_DIALOG, c.language);
        ASSERT_EQ(entries.size(), c.texts.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].controlId, UINT(IDC_COMBO_DISTANCE_UNIT));
            EXPECT_EQ(entries[i].message, UINT(CB_ADDSTRING));
            EXPECT_EQ(entries[i].text, c.texts[i]);
        }
    }
    EXPECT_TRUE(LoadDialogInitEntries(Program(), IDD_SENSING_SETTING, kLanguageEnglish).empty());
}

TEST(ProgramResources, IconInThreeSizes) {
    // A group icon: a 6-byte header (reserved, type 1, count) and 14-byte entries.
    ResourceBytes group = FindResourceBytes(Program(), RT_GROUP_ICON, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                            MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(group.data, nullptr);
    ASSERT_GE(group.size, 6u);
    WORD count = 0;
    std::memcpy(&count, group.data + 4, sizeof(count));
    ASSERT_EQ(group.size, 6u + 14u * count);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i)
        widths.push_back(group.data[6 + 14 * i]);
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48}));
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(Program(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, ManifestAsksForCommonControlsSixAsInvokerDpiAware) {
    HRSRC found = FindResourceW(Program(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    auto* data = static_cast<const char*>(LockResource(LoadResource(Program(), found)));
    std::string manifest(data, SizeofResource(Program(), found));
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", ">true</dpiAware>"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST(ProgramResources, VersionIsTheProjectVersion) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const std::string text = KOVA_VERSION_TEXT;
    const std::wstring expected(text.begin(), text.end());
    wchar_t version[260];
    ASSERT_TRUE(GetFileVersionW(path, version, 260));
    EXPECT_EQ(version, expected);

    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, DWORD(block.size()), block.data()));
    wchar_t* fileVersion = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void**>(&fileVersion), &length));
    EXPECT_EQ(std::wstring(fileVersion), expected);
}

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// As the program does: the main dialog's class is the standard dialog class under its own name.
bool RegisterMainDialogClass() {
    WNDCLASSW dialogClass{};
    if (!GetClassInfoW(nullptr, L"#32770", &dialogClass))
        return false;
    dialogClass.hInstance = Program();
    dialogClass.lpszClassName = L"KOVA_Tevo512Tool";
    return RegisterClassW(&dialogClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFromTemplate(UINT id, LANGID language) {
    auto* dialog = reinterpret_cast<const DLGTEMPLATE*>(
        FindResourceBytes(Program(), RT_DIALOG, MAKEINTRESOURCEW(id), language).data);
    return dialog != nullptr ? CreateDialogIndirectParamW(Program(), dialog, nullptr, QuietDialogProc, 0)
                             : nullptr;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[128] = L"";
    GetDlgItemTextW(dialog, id, text, 128);
    return text;
}

} // namespace

TEST(LiveDialogs, CreatedFromEachLanguage) {
    ASSERT_TRUE(RegisterMainDialogClass());
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    struct Case {
        LANGID language;
        const wchar_t* connect;
        const wchar_t* firstUnit;
        const wchar_t* setAll;
    } cases[] = {{kLanguageEnglish, L"Connect", L"s", L"Set"},
                 {kLanguageChinese, L"连接设备", L"秒", L"设置"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language);
        HWND main = CreateFromTemplate(IDD_MAIN_DIALOG, c.language);
        ASSERT_NE(main, nullptr) << GetLastError();
        wchar_t className[64] = L"";
        GetClassNameW(main, className, 64);
        EXPECT_STREQ(className, L"KOVA_Tevo512Tool");
        EXPECT_EQ(ItemText(main, IDC_BTN_CONNECT), c.connect);
        EXPECT_TRUE(ExecuteDialogInit(main, LoadDialogInitEntries(Program(), IDD_MAIN_DIALOG, c.language)));
        HWND units = GetDlgItem(main, IDC_COMBO_DISTANCE_UNIT);
        EXPECT_EQ(SendMessageW(units, CB_GETCOUNT, 0, 0), 3);
        wchar_t first[16] = L"";
        SendMessageW(units, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        EXPECT_STREQ(first, c.firstUnit);

        HWND sensing = CreateFromTemplate(IDD_SENSING_SETTING, c.language);
        ASSERT_NE(sensing, nullptr) << GetLastError();
        EXPECT_FALSE(IsWindowVisible(sensing));
        EXPECT_NE(GetDlgItem(sensing, IDC_LIST_SENSING), nullptr);
        EXPECT_EQ(ItemText(sensing, IDC_BTN_SET_ALL), c.setAll);
        DestroyWindow(sensing);
        DestroyWindow(main);
    }
}
