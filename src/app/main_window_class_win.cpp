#include "main_window_class_win.h"

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW dialogClass{};
    if (!GetClassInfoW(instance, L"#32770", &dialogClass) && !GetClassInfoW(nullptr, L"#32770", &dialogClass))
        return false;
    dialogClass.hInstance = instance;
    dialogClass.lpszClassName = L"KOVA_Tevo512Tool";
    return RegisterClassW(&dialogClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
