// screenshot FILE.bmp: the dialog and the boxes it has open, as they are on the screen.
#include "commands.h"
#include "screen_image.h"

namespace e2e {

int Screenshot(const Args& args) {
    HWND dialog = Dialog();
    RECT area{};
    GetWindowRect(dialog, &area);
    for (HWND box : OwnedDialogs(dialog)) {
        RECT boxArea{};
        GetWindowRect(box, &boxArea);
        UnionRect(&area, &area, &boxArea);
    }
    // Off-screen parts cannot be copied.
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    if (!SaveBmp(CaptureScreen(area), args[0]))
        Fail("cannot write " + Utf8(args[0]));
    return 0;
}

} // namespace e2e
