#include "serial_enum.h"

#include <cwchar>

void AppendSerialPortName(CPtrListCtrl* list, const wchar_t* name) {
    size_t length = std::wcslen(name);
    auto* copy = new wchar_t[length + 1];
    std::wmemcpy(copy, name, length + 1);
    list->Add(copy);
}

void FreeSerialPortNameA(CPtrListCtrl* list) {
    if (list == nullptr)
        return;
    for (int i = 0; i < list->GetCount(); ++i)
        delete[] static_cast<wchar_t*>(list->GetAt(i));
    list->RemoveAll();
}
