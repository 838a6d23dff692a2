// The application object: one static instance per program, run by KovaWinMain.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; returning FALSE ends the program without a message loop.
    virtual BOOL InitInstance() { return TRUE; }
    // The thread's message loop, run when InitInstance returns TRUE; its result is the exit code.
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // Nothing in this program reads settings from the registry, so the key is only kept.
    void SetRegistryKey(LPCWSTR key) { m_registryKey = key; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    LPCWSTR m_registryKey = nullptr;
};

CWinApp* AfxGetApp();
// The program's module; the instance KovaWinMain received, or the process's own module.
HINSTANCE AfxGetInstanceHandle();

// The body of the program's WinMain: runs the application object.
int KovaWinMain(HINSTANCE instance);
