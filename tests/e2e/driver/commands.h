// The driver's subcommands; each returns the process exit status.
#pragma once
#include "driver.h"

namespace e2e {

int WaitWindow(const Args& args);
int WaitExit(const Args& args);
int Title(const Args& args);
int Close(const Args& args);
int Resize(const Args& args);
int Minimize(const Args& args);
int Restore(const Args& args);
int Mouse(const Args& args);
int Popup(const Args& args);
int Rect(const Args& args);

int GetText(const Args& args);
int SetText(const Args& args);
int Click(const Args& args);
int PostClick(const Args& args);
int Paste(const Args& args);
int Check(const Args& args);
int Enabled(const Args& args);
int Checked(const Args& args);
int ComboItems(const Args& args);
int ComboSelect(const Args& args);
int Type(const Args& args);
int Key(const Args& args);

int ListRows(const Args& args);
int ListEdit(const Args& args);

int MsgBox(const Args& args);
int MsgBoxAnswer(const Args& args);

int Screenshot(const Args& args);

int Ping(const Args& args);

} // namespace e2e
