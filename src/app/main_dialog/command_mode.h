// The command-mode bracket every exchange with the module runs in: entered and the stale
// bytes dropped on construction, left on destruction, however the exchange ends.
#pragma once

#include "KOVA_DataProcess.h"

#include <windows.h>

class CommandMode {
public:
    explicit CommandMode(RADAR_HANDLE device) : m_device(device) {
        KOVA_Interface_RadarDevice_StartCmdMode(m_device, 2, 150);
        KOVA_Interface_RadarDevice_CleanCmdBuffer(m_device, 500);
    }
    ~CommandMode() { KOVA_Interface_RadarDevice_StopCmdMode(m_device); }
    CommandMode(const CommandMode&) = delete;
    CommandMode& operator=(const CommandMode&) = delete;

private:
    RADAR_HANDLE m_device;
};

// Marks a handler's run, its result box included, so that nothing starts another exchange
// meanwhile (the window keeps handling messages, and a nested message loop still delivers
// posted clicks). A close asked for meanwhile is asked again once the run has ended.
class CommandRun {
public:
    CommandRun(bool& running, bool& closeAsked, HWND window)
        : m_running(running), m_closeAsked(closeAsked), m_window(window) {
        m_running = true;
    }
    ~CommandRun() {
        m_running = false;
        if (m_closeAsked) {
            m_closeAsked = false;
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        }
    }
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

private:
    bool& m_running;
    bool& m_closeAsked;
    HWND m_window;
};
