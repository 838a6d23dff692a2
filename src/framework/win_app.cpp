#include "win_app.h"

#include "message_loop.h"

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run() {
    int code = AfxRunMessageLoop();
    ExitInstance();
    return code;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_app != nullptr && g_app->m_hInstance != nullptr)
        return g_app->m_hInstance;
    return GetModuleHandleW(nullptr);
}

int KovaWinMain(HINSTANCE instance) {
    if (g_app == nullptr)
        return 1;
    g_app->m_hInstance = instance;
    if (!g_app->InitInstance())
        return g_app->ExitInstance();
    return g_app->Run();
}
