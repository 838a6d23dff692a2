// A small dialog program in the place of the real tool, so that the e2e harness can be proved
// before the tool exists: same window class, a few controls of the same kinds and ids, a message
// box, a serial port, a list view, a font that follows the window size, and a file written when
// the dialog ends.
#include "standin_ids.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kDistanceFontPx = 24;

HANDLE g_port = INVALID_HANDLE_VALUE;
HFONT g_distanceFont = nullptr;
SIZE g_initialClient{};
RECT g_tableMargins{}; // left, top, and the distances to the right and bottom edges

std::wstring Text(HWND dialog, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

std::vector<std::wstring> SerialPorts() {
    std::vector<std::wstring> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[64];
        DWORD nameSize = 256, dataSize = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            ports.emplace_back(data);
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end());
    return ports;
}

void FillTable(HWND table) {
    const wchar_t* titles[] = {L"Gate", L"Moving", L"Motionless"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 90;
        column.pszText = const_cast<wchar_t*>(titles[c]);
        ListView_InsertColumn(table, c, &column);
    }
    const int moving[] = {50, 50, 40, 40, 40, 40, 30, 30, 30};
    const int motionless[] = {0, 0, 40, 40, 40, 40, 15, 15, 15};
    for (int gate = 0; gate < 9; ++gate) {
        std::wstring cells[] = {std::to_wstring(gate), std::to_wstring(moving[gate]),
                                std::to_wstring(motionless[gate])};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = gate;
        item.pszText = cells[0].data();
        ListView_InsertItem(table, &item);
        for (int c = 1; c < 3; ++c)
            ListView_SetItemText(table, gate, c, cells[c].data());
    }
}

void SetDistanceFont(HWND dialog, double scale) {
    HFONT font = CreateFontW(-int(kDistanceFontPx * scale + 0.5), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET,
                             0, 0, 0, 0, L"Tahoma");
    SendDlgItemMessageW(dialog, IDC_DISTANCE, WM_SETFONT, WPARAM(font), TRUE);
    if (g_distanceFont != nullptr)
        DeleteObject(g_distanceFont);
    g_distanceFont = font;
}

void OnInit(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_PORT_LABEL, L"串口号");
    SetDlgItemTextW(dialog, IDC_BAUD, L"256000");
    HWND combo = GetDlgItem(dialog, IDC_PORT);
    for (const std::wstring& port : SerialPorts())
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(port.c_str()));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    FillTable(GetDlgItem(dialog, IDC_TABLE));
    SetDistanceFont(dialog, 1.0);

    RECT client{}, table{};
    GetClientRect(dialog, &client);
    g_initialClient = {client.right, client.bottom};
    GetWindowRect(GetDlgItem(dialog, IDC_TABLE), &table);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&table), 2);
    g_tableMargins = {table.left, table.top, client.right - table.right, client.bottom - table.bottom};
}

void OnSize(HWND dialog, int width, int height) {
    MoveWindow(GetDlgItem(dialog, IDC_TABLE), g_tableMargins.left, g_tableMargins.top,
               width - g_tableMargins.left - g_tableMargins.right,
               height - g_tableMargins.top - g_tableMargins.bottom, TRUE);
    double scale = std::min(double(width) / g_initialClient.cx, double(height) / g_initialClient.cy);
    SetDistanceFont(dialog, scale);
}

// Opens the chosen port and says hello to the module (enter and leave command mode).
void OnConnect(HWND dialog) {
    if (g_port != INVALID_HANDLE_VALUE) {
        CloseHandle(g_port);
        g_port = INVALID_HANDLE_VALUE;
        SetDlgItemTextW(dialog, IDC_CONNECT, L"Connect");
        EnableWindow(GetDlgItem(dialog, IDC_START), FALSE);
        return;
    }
    std::wstring port = Text(dialog, IDC_PORT);
    g_port = CreateFileW((L"\\\\.\\" + port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         0, nullptr);
    if (g_port == INVALID_HANDLE_VALUE) {
        MessageBoxW(dialog, (L"Cannot open \"" + port + L"\"").c_str(), L"Error", MB_ICONERROR | MB_TOPMOST);
        return;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(g_port, &dcb);
    dcb.BaudRate = DWORD(_wtoi(Text(dialog, IDC_BAUD).c_str()));
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    SetCommState(g_port, &dcb);
    COMMTIMEOUTS timeouts{0, 0, 1000, 0, 1000};
    SetCommTimeouts(g_port, &timeouts);
    const unsigned char hello[] = {0xFD, 0xFC, 0xFB, 0xFA, 0x04, 0x00, 0xFF, 0x00, 0x01,
                                   0x00, 0x04, 0x03, 0x02, 0x01, 0xFD, 0xFC, 0xFB, 0xFA,
                                   0x02, 0x00, 0xFE, 0x00, 0x04, 0x03, 0x02, 0x01};
    DWORD written = 0;
    WriteFile(g_port, hello, sizeof hello, &written, nullptr);
    SetDlgItemTextW(dialog, IDC_CONNECT, L"Disconnect");
    EnableWindow(GetDlgItem(dialog, IDC_START), TRUE);
    MessageBoxW(dialog, (L"Connected to " + port).c_str(), L"Prompt", MB_ICONINFORMATION);
}

// Reads what the module sends for up to a second.
void OnStart(HWND dialog) {
    unsigned char buffer[256];
    DWORD got = 0;
    ReadFile(g_port, buffer, sizeof buffer, &got, nullptr);
    SetDlgItemTextW(dialog, IDC_BYTES, (std::to_wstring(got) + L" bytes").c_str());
}

// What the dialog held when it ended, for the tests to check on disk.
void WriteState(HWND dialog, int result) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"standin-state.txt";
    std::wstring state = L"result=" + std::to_wstring(result) + L"\nport=" + Text(dialog, IDC_PORT) +
                         L"\nbaud=" + Text(dialog, IDC_BAUD) + L"\nengineering=" +
                         std::to_wstring(IsDlgButtonChecked(dialog, IDC_ENGINEERING)) + L"\nmoving_max=" +
                         Text(dialog, IDC_MOVING_MAX) + L"\nlabel=" + Text(dialog, IDC_PORT_LABEL) + L"\n";
    int size =
        WideCharToMultiByte(CP_UTF8, 0, state.c_str(), int(state.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, state.c_str(), int(state.size()), utf8.data(), size, nullptr, nullptr);
    if (FILE* out = _wfopen(file.c_str(), L"wb")) {
        std::fwrite(utf8.data(), 1, utf8.size(), out);
        std::fclose(out);
    }
}

void Finish(HWND dialog, int result) {
    WriteState(dialog, result);
    if (g_port != INVALID_HANDLE_VALUE)
        CloseHandle(g_port);
    EndDialog(dialog, result);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSize(dialog, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_CLOSE:
        Finish(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            Finish(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_CONNECT:
            OnConnect(dialog);
            return TRUE;
        case IDC_START:
            OnStart(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The template names this class, as the real program's does: found by FindWindow.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"KOVA_Tevo512Tool";
    RegisterClassExW(&windowClass);
    INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_STANDIN), nullptr, DialogProc, 0);
    if (g_distanceFont != nullptr)
        DeleteObject(g_distanceFont);
    return int(result);
}
