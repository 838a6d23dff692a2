// A dialog's initialisation data (resource type 240, RT_DLGINIT, named like the dialog): the
// entries that fill its list and combo boxes once the dialog exists.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogInitEntry {
    UINT controlId;
    UINT message; // CB_ADDSTRING or LB_ADDSTRING for the entries dialogs here use
    std::wstring text;
};

// The entries of dialog `dialogId` in `language`, in resource order; empty when there are none
// or the data is cut short. Texts are converted from the language's ANSI code page.
std::vector<DialogInitEntry> LoadDialogInitEntries(HMODULE module, UINT dialogId, LANGID language);

// Sends each add-string entry to its control. False when a control is missing or refuses one.
bool ExecuteDialogInit(HWND dialog, const std::vector<DialogInitEntry>& entries);
