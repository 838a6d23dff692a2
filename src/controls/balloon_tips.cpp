#include "balloon_tips.h"

#include <algorithm>

namespace controls {

int DrawnIcon(int icon) {
    return icon >= 1 && icon <= 6 ? (icon - 1) % 3 + 1 : 0;
}

namespace {

BalloonTip* TipAt(const CPtrListCtrl& tips, int index) {
    return static_cast<BalloonTip*>(tips.GetAt(index));
}

} // namespace

bool AddOrRefreshTip(CPtrListCtrl& tips, const std::wstring& title, const std::wstring& text, int icon,
                     int displayMs) {
    for (int i = 0; i < tips.GetCount(); ++i) {
        BalloonTip* tip = TipAt(tips, i);
        if (tip->title == title && tip->text == text) {
            tip->icon = icon;
            tip->remainingMs = displayMs;
            tips.Move(i, 1, 0);
            return false;
        }
    }
    auto* tip = new BalloonTip;
    tip->title = title;
    tip->text = text;
    tip->icon = icon;
    tip->remainingMs = displayMs;
    tips.Add(tip, 0);
    return true;
}

CountDownResult CountDownTips(CPtrListCtrl& tips, int stepMs) {
    CountDownResult result;
    for (int i = 0; i < tips.GetCount(); ++i) {
        BalloonTip* tip = TipAt(tips, i);
        if (tip->remainingMs > stepMs) {
            tip->remainingMs -= stepMs;
            result.anyAlive = true;
        } else if (tip->remainingMs != 0) {
            tip->remainingMs = 0;
            result.anyExpired = true;
        }
    }
    return result;
}

void RaiseRemainingTimes(CPtrListCtrl& tips, int atLeastMs) {
    for (int i = 0; i < tips.GetCount(); ++i) {
        BalloonTip* tip = TipAt(tips, i);
        tip->remainingMs = std::max(tip->remainingMs, int32_t(atLeastMs));
    }
}

void FreeTips(CPtrListCtrl& tips) {
    for (int i = 0; i < tips.GetCount(); ++i)
        delete TipAt(tips, i);
    tips.RemoveAll();
}

BalloonLayout LayoutTips(CPtrListCtrl& tips) {
    // Below the pointer (20) and the close button's top (32); icon 30 wide from 14, texts from 54.
    LONG y = 32;
    LONG maxRight = 0;
    for (int i = 0; i < tips.GetCount(); ++i) {
        BalloonTip* tip = TipAt(tips, i);
        if (!IsLive(*tip))
            continue;
        tip->iconRect = RECT{14, y, 44, y + 30};
        tip->titleRect = RECT{54, y, 56 + tip->titleWidth, y + tip->titleHeight + 2};
        const LONG titleBottom = tip->titleRect.bottom;
        tip->textRect = RECT{54, titleBottom + 2, 56 + tip->textWidth, titleBottom + 4 + tip->textHeight};
        maxRight = std::max({maxRight, tip->titleRect.right, tip->textRect.right});
        y = std::max({tip->iconRect.bottom, tip->titleRect.bottom, tip->textRect.bottom}) + 8;
    }
    BalloonLayout layout;
    layout.width = (int(maxRight) + 40 + 3) / 4 * 4;
    layout.height = int(y) + 6;
    layout.closeRect = RECT{layout.width - 30, 32, layout.width - 10, 52};
    return layout;
}

POINT TipAnchorPoint(const RECT& client, bool rightToLeft) {
    return POINT{rightToLeft ? client.right : client.left, client.bottom - 2};
}

} // namespace controls
