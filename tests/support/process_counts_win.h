// What this process holds, for tests that look for leaks: threads, kernel handles, GDI objects.
// Wine answers GetProcessHandleCount and GetGuiResources with 0, so both are counted slot by
// slot there (the handle scan costs a server call a slot: ask now and then, not in a loop).
#pragma once

#include <string>

int ThreadCount();
int HandleCount();
int GdiObjectCount();
// The kernel handles by type, such as "Event:12 File:3 Thread:2", to tell what grows.
std::string HandleTypes();
