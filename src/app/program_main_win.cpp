// The program's entry point and its one application object.
#include "kova_tevo512_tool_app.h"

namespace {
CKOVATevo512ToolApp g_application;
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return KovaWinMain(instance);
}
