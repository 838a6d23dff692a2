// The balloon tip's stack of tips and the arithmetic of its window: adding or refreshing a
// tip, the count-down, the fade, and where each tip, the close button and the window's edges
// go. The window code measures the texts and draws; everything else is here.
#pragma once

#include "ptr_containers.h"
#include "win_types.h"

#include <cstdint>
#include <string>

// The icon in front of a tip. 4, 5 and 6 look like 1, 2 and 3; any other value draws no icon
// but keeps its room.
enum TipIcon : int32_t {
    TipIconInformation = 1,
    TipIconWarning = 2,
    TipIconError = 3,
};

// One tip, owned by the balloon's list.
struct BalloonTip {
    std::wstring title;
    std::wstring text;
    int32_t icon = 0;
    // Measured by the window before each layout.
    int32_t titleWidth = 0;
    int32_t titleHeight = 0;
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    // Client coordinates, set by the layout.
    RECT iconRect{};
    RECT titleRect{};
    RECT textRect{};
    // 0: expired, neither laid out nor drawn.
    int32_t remainingMs = 0;
};

namespace controls {

constexpr int kCountDownTimer = 1;
constexpr int kFadeTimer = 2;
constexpr int kCountDownMs = 500;
constexpr int kFadeMs = 100;
constexpr int kDisplayMs = 5000;
// Remaining time every tip gets back when the mouse leaves the balloon.
constexpr int kResumeMs = 2000;
// Alpha taken off at each fade step: 255 is gone after 15 steps.
constexpr int kFadeStep = 17;

inline bool IsLive(const BalloonTip& tip) {
    return tip.remainingMs != 0;
}

// The icon drawn for `icon`: 1, 2 or 3, or 0 for none.
int DrawnIcon(int icon);

// A tip with the same title and text (exact) gets the icon and `displayMs` again and moves
// to the top; otherwise a new tip goes on top. Returns whether one was added.
bool AddOrRefreshTip(CPtrListCtrl& tips, const std::wstring& title, const std::wstring& text, int icon,
                     int displayMs);

struct CountDownResult {
    bool anyAlive = false;   // some tip still has time left
    bool anyExpired = false; // some tip ran out at this step
};
// One count-down step of `stepMs` for every tip.
CountDownResult CountDownTips(CPtrListCtrl& tips, int stepMs);

// Every tip below `atLeastMs` gets `atLeastMs`.
void RaiseRemainingTimes(CPtrListCtrl& tips, int atLeastMs);

// Deletes every tip and empties the list.
void FreeTips(CPtrListCtrl& tips);

struct BalloonLayout {
    int width = 0;
    int height = 0;
    RECT closeRect{};
};

// Places the live tips top-down from their measured sizes (icon, title, text) and returns the
// window's size, a multiple of 4 wide, and the close button. No live tip: 40 x 38.
BalloonLayout LayoutTips(CPtrListCtrl& tips);

// Where the balloon's top-left corner goes under a control whose client area is `client`
// (screen coordinates): its pointer then sits just above the lower edge. `rightToLeft`
// swaps the left and right edges, as a mirrored window reports them.
POINT TipAnchorPoint(const RECT& client, bool rightToLeft);

} // namespace controls
