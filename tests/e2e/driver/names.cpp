// Symbolic names of virtual keys and dialog button ids on the driver's command line.
#include "names.h"

#include "driver.h"

#include <cwctype>

namespace e2e {
namespace {

struct Name {
    const wchar_t* text;
    int value;
};

constexpr Name kKeys[] = {
    {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"TAB", VK_TAB},
    {L"SPACE", VK_SPACE},   {L"BACK", VK_BACK},    {L"DELETE", VK_DELETE}, {L"HOME", VK_HOME},
    {L"END", VK_END},       {L"LEFT", VK_LEFT},    {L"RIGHT", VK_RIGHT},   {L"UP", VK_UP},
    {L"DOWN", VK_DOWN},     {L"F1", VK_F1},
};

constexpr Name kButtons[] = {
    {L"OK", IDOK},
    {L"CANCEL", IDCANCEL},
    {L"ABORT", IDABORT},
    {L"RETRY", IDRETRY},
    {L"IGNORE", IDIGNORE},
    {L"YES", IDYES},
    {L"NO", IDNO},
    {L"CLOSE", IDCLOSE},
    {L"HELP", IDHELP},
    {L"TRYAGAIN", IDTRYAGAIN},
    {L"CONTINUE", IDCONTINUE},
};

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = wchar_t(std::towupper(c));
    return text;
}

template <size_t N>
int Lookup(const Name (&table)[N], const std::wstring& name, const wchar_t* prefix, const char* what) {
    std::wstring key = Upper(name);
    std::wstring bare = key.rfind(prefix, 0) == 0 ? key.substr(wcslen(prefix)) : key;
    for (const Name& entry : table)
        if (bare == entry.text)
            return entry.value;
    return ParseInt(name, what);
}

} // namespace

int KeyCode(const std::wstring& name) {
    return Lookup(kKeys, name, L"VK_", "a virtual key");
}

int ButtonId(const std::wstring& name) {
    return Lookup(kButtons, name, L"ID", "a button id");
}

std::string ButtonName(int id) {
    for (const Name& entry : kButtons)
        if (entry.value == id)
            return "ID" + Utf8(entry.text);
    return std::to_string(id);
}

} // namespace e2e
