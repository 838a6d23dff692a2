// The program's start-up for tests that run the real main dialog in their own process:
// common controls, GDI+, the dialog's window class, English resources.
#pragma once

#include "main_window_class_win.h"
#include "resource_language.h"
#include "test_environments_win.h"

#include <commctrl.h>

class ProgramEnvironment : public GdiplusRunning {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        GdiplusRunning::SetUp();
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleW(nullptr)));
        AfxSetResourceLanguage(1033);
    }
};
