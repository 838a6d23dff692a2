// What a Windows test program sets up once for all its tests.
#pragma once

#include "gdiplus_utils.h"

#include <gtest/gtest.h>

// GDI+ started for the whole run, as the program does.
class GdiplusRunning : public ::testing::Environment {
public:
    void SetUp() override { m_handle = Gdiplus_Init(); }
    void TearDown() override { Gdiplus_DeInit(m_handle); }

private:
    GdiplusStartupHandle* m_handle = nullptr;
};
