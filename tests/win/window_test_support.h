// Pieces the Windows tests of windows share: the message pump, a scoped resource language
// and common controls started for the run.
#pragma once

#include "framework.h"

#include <gtest/gtest.h>

#include <commctrl.h>

// Dispatches what is queued, as the program's loop does (keys pass the controls' filters).
inline void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Resources in `language` for the life of a scope.
class LanguageScope {
public:
    explicit LanguageScope(LANGID language) : m_previous(AfxGetResourceLanguage()) {
        AfxSetResourceLanguage(language);
    }
    ~LanguageScope() { AfxSetResourceLanguage(m_previous); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    LANGID m_previous;
};

// The common controls (list views, tool tips) registered for the whole run, English texts.
class CommonControlsRunning : public ::testing::Environment {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        AfxSetResourceLanguage(1033);
    }
};
