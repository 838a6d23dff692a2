// Number and list parsing of configuration texts: never reads past the text, never writes
// past the destination, and leaves the destination alone when it refuses a text.
#include "number_parse.h"
#include "string_split.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void CheckScalar(const char* text, int length, int type) {
    uint8_t value[8];
    std::memset(value, 0xA5, sizeof value);
    uint8_t before[8];
    std::memcpy(before, value, sizeof value);
    BOOL ok = DigtalStringToValue(text, length, value, type);
    int size = DigitalValueSize(type);
    // Bytes past the value's size are never touched; a refusal touches none.
    if (std::memcmp(value + size, before + size, sizeof value - size_t(size)) != 0)
        std::abort();
    if (!ok && std::memcmp(value, before, sizeof value) != 0)
        std::abort();
    if (ok && type == DIGITAL_TYPE_INT32) {
        // What was accepted reads back the same from its decimal form.
        int32_t parsed;
        std::memcpy(&parsed, value, 4);
        char again[16];
        std::snprintf(again, sizeof again, "%d", parsed);
        int32_t reparsed = 0;
        if (!DigtalStringToValue(again, -1, &reparsed, type) || reparsed != parsed)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    // An exact-size heap copy, not terminated, so reads past the length are caught.
    std::vector<char> text(data, data + size);
    const char* p = text.empty() ? "" : text.data();
    for (int type : {4, 5, 6, 7, 3}) // 3 is no type: refused
        CheckScalar(p, int(size), type);

    std::vector<uint16_t> guarded(10, 0x5A5A);
    int written = ParseDigitalArrayValue(p, int(size), ",;", 2, 0, DIGITAL_TYPE_UINT16, guarded.data(), 9);
    if (written < 0 || written > 9 || guarded[9] != 0x5A5A)
        std::abort();
    uint32_t words[4];
    ParseDigitalArrayValue(p, int(size), " ", 1, 0, DIGITAL_TYPE_COLOR32, words, 4);

    // The same bytes as wide text for the splitter.
    std::vector<wchar_t> wide(text.begin(), text.end());
    CPtrArrayCtrl pieces;
    wchar_t* block = DevideStringByCharListW(wide.empty() ? L"" : wide.data(), int(wide.size()), L"\n,", 2, 0,
                                             &pieces, -1);
    size_t total = 0;
    for (int i = 0; i < pieces.GetCount(); ++i)
        total += std::wcslen(static_cast<wchar_t*>(pieces.GetAt(i)));
    if (total + size_t(pieces.GetCount() > 0 ? pieces.GetCount() - 1 : 0) > size)
        std::abort();
    Internal_DelArrayW(block);
    return 0;
}
