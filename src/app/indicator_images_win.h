// The three indicator pictures beside the program: no one, moving target, motionless target.
#pragma once

#include "win_types.h"

// The GDI+ bitmap objects, owned; a picture that is missing or unreadable stays null.
struct IndicatorImages {
    void* nobody = nullptr;
    void* motion = nullptr;
    void* motionless = nullptr;

    void Load(const char* programFolder);
    void Free();
};
