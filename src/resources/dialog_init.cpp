#include "dialog_init.h"

#include "language_resources.h"

#include <cstring>

namespace {

// Dialog editors store the 16-bit message numbers; these are their 32-bit counterparts.
UINT Win32Message(WORD stored) {
    switch (stored) {
    case 0x0401:
        return LB_ADDSTRING;
    case 0x0403:
        return CB_ADDSTRING;
    default:
        return stored;
    }
}

UINT AnsiCodePage(LANGID language) {
    UINT codePage = 0;
    int got =
        GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(WCHAR));
    return got != 0 && codePage != 0 ? codePage : CP_ACP;
}

std::wstring Widen(const BYTE* text, size_t size, UINT codePage) {
    size_t length = strnlen(reinterpret_cast<const char*>(text), size);
    if (length == 0)
        return {};
    auto* narrow = reinterpret_cast<const char*>(text);
    int wide = MultiByteToWideChar(codePage, 0, narrow, int(length), nullptr, 0);
    std::wstring out(size_t(wide > 0 ? wide : 0), L'\0');
    if (wide > 0)
        MultiByteToWideChar(codePage, 0, narrow, int(length), out.data(), wide);
    return out;
}

template <typename T> bool Read(const BYTE*& at, const BYTE* end, T& value) {
    if (size_t(end - at) < sizeof(T))
        return false;
    std::memcpy(&value, at, sizeof(T)); // entries follow each other unaligned
    at += sizeof(T);
    return true;
}

} // namespace

std::vector<DialogInitEntry> LoadDialogInitEntries(HMODULE module, UINT dialogId, LANGID language) {
    // Entries: WORD control id (0 ends the list), WORD message, DWORD byte count, the bytes.
    ResourceBytes data =
        FindResourceBytes(module, MAKEINTRESOURCEW(240), MAKEINTRESOURCEW(dialogId), language);
    std::vector<DialogInitEntry> entries;
    const BYTE* at = data.data;
    const BYTE* end = at + data.size;
    UINT codePage = AnsiCodePage(language);
    WORD control = 0;
    while (at != nullptr && Read(at, end, control) && control != 0) {
        WORD message = 0;
        DWORD size = 0;
        if (!Read(at, end, message) || !Read(at, end, size) || size > DWORD(end - at))
            return {};
        entries.push_back({control, Win32Message(message), Widen(at, size, codePage)});
        at += size;
    }
    return entries;
}

bool ExecuteDialogInit(HWND dialog, const std::vector<DialogInitEntry>& entries) {
    bool ok = true;
    for (const DialogInitEntry& entry : entries) {
        if (entry.message != CB_ADDSTRING && entry.message != LB_ADDSTRING)
            continue;
        HWND control = GetDlgItem(dialog, int(entry.controlId));
        LRESULT result = control != nullptr ? SendMessageW(control, entry.message, 0,
                                                           reinterpret_cast<LPARAM>(entry.text.c_str()))
                                            : -1;
        ok = ok && result >= 0; // CB_ERR and CB_ERRSPACE (LB_ likewise) are negative
    }
    return ok;
}
