#include "kova_tevo512_tool_app.h"

#include "app_document.h"
#include "config_file.h"
#include "kova_tevo512_tool_dlg.h"
#include "main_window_class_win.h"
#include "resource.h"
#include "resource_language.h"
#include "ui_language.h"

#include <commctrl.h>
#include <winsock2.h>

extern "C" {
struct KovaGdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
int __stdcall GdiplusStartup(ULONG_PTR* token, const KovaGdiplusStartupInput* input, void* output);
void __stdcall GdiplusShutdown(ULONG_PTR token);
}

BOOL CKOVATevo512ToolApp::InitInstance() {
    XMLParser& document = AppConfigDocument();
    LoadConfigFile(document, AppConfigPath().c_str());

    INITCOMMONCONTROLSEX controls{8, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    // Wine ignores the preferred UI languages when it picks resources, so the resource
    // language is also chosen explicitly.
    UiLanguage language = ChooseUiLanguage(document);
    SetProcessPreferredUILanguages(MUI_LANGUAGE_ID, language.preferredList, nullptr);
    AfxSetResourceLanguage(language.resourceLanguage);

    WSADATA sockets;
    if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        MessageBoxW(nullptr, AfxLoadString(IDP_SOCKETS_INIT_FAILED).c_str(), nullptr, MB_OK);
        return FALSE;
    }

    RegisterMainWindowClass(m_hInstance);
    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    KovaGdiplusStartupInput gdiplusInput{1, nullptr, FALSE, FALSE};
    ULONG_PTR gdiplusToken = 0;
    GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    {
        CKOVATevo512ToolDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }

    GdiplusShutdown(gdiplusToken);
    WSACleanup();
    return FALSE;
}
