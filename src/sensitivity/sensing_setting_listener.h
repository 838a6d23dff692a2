// What the sensitivity dialog asks of its owner.
#pragma once

#include <cstdint>

class ISensingSettingDlgListener {
public:
    virtual ~ISensingSettingDlgListener() = default;
    // Reset asks once per row. `moving` and `motionless` arrive as 20 and 40; an owner without
    // values for `gate` leaves them.
    virtual void OnSensingDefaultValues(int gate, int32_t& moving, int32_t& motionless) = 0;
    // Confirm was pressed; the owner reads the table itself (before the dialog hides). False
    // keeps the dialog open: the owner refused the table and said why.
    virtual bool OnSensingConfirm(int64_t value) = 0;
};
