// The configuration loader on arbitrary file content: parse, settings with their clamps,
// language choice, and the attribute writes that precede a save.
#include "app_settings.h"
#include "config_file.h"
#include "ui_language.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 65536)
        return 0;
    XMLParser document;
    document.LoadBuffer(data, size);
    AppSettings settings;
    LoadSettings(document, settings);

    // The invariants every later user of the settings relies on.
    if (settings.GateCountMax > kMaxGateCount)
        std::abort();
    size_t gates = settings.GateCountMax > 0 ? size_t(settings.GateCountMax) : 0;
    if (settings.MotionSensing.size() != gates || settings.MotionlessSensing.size() != gates)
        std::abort();
    if (settings.DistanceUnit < 0 || settings.DistanceUnit > 2)
        std::abort();
    if (settings.MotionGateMax > settings.GateCountMax && settings.MotionGateMax != 1)
        std::abort();

    UiLanguage language = ChooseUiLanguage(document);
    if (language.preferredList[4] != 0 || language.preferredList[5] != 0)
        std::abort();

    XMLNode root = FindAppConfig(document);
    root.SetAttributeInt64("BaudRate", settings.BaudRate);
    root.SetAttributeInt64("DebugMode", settings.DebugMode);
    std::ostringstream out;
    document.Document().Handle().print(out);
    return 0;
}
