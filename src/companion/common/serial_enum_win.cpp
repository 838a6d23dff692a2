#include "serial_enum.h"
#include "win_types.h"

int EnumSerialPortNameW(CPtrListCtrl* list) {
    if (list == nullptr)
        return 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return 0; // no key: no ports
    int added = 0;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameLength = 256;
        wchar_t data[256] = {};
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t); // keep room for a terminator
        DWORD type = 0;
        LONG rc = RegEnumValueW(key, index, valueName, &valueNameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(data), &dataBytes);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS || type != REG_SZ || data[0] == L'\0')
            continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        AppendSerialPortName(list, data);
        ++added;
    }
    RegCloseKey(key);
    return added;
}
