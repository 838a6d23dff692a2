// The main dialog's side of the per-gate sensitivities: Apply of the measured maxima.
#include "kova_tevo512_tool_dlg.h"

#include "resource.h"

#include <algorithm>

// The maxima of the last 50 reports become every gate's threshold. Nothing is sent: Config
// or the sensitivity dialog's Confirm writes them later. The reader copies the tables for its
// threshold lines meanwhile, so their values change in place under its lock.
void CKOVATevo512ToolDlg::OnApplySensitivity() {
    if (!m_sensitivitiesValid)
        return;
    const uint16_t moving = uint16_t(GetDlgItemInt(IDC_EDIT_MOTION_SENSITIVITY, nullptr, TRUE));
    const uint16_t motionless = uint16_t(GetDlgItemInt(IDC_EDIT_MOTIONLESS_SENSITIVITY, nullptr, TRUE));
    {
        CAutoBaseLock lock(m_sensitivityLock);
        const size_t gates = size_t(std::max(m_settings.GateCountMax, 0));
        std::fill_n(m_settings.MotionSensing.begin(), std::min(gates, m_settings.MotionSensing.size()),
                    moving);
        std::fill_n(m_settings.MotionlessSensing.begin(),
                    std::min(gates, m_settings.MotionlessSensing.size()), motionless);
    }
    LoadThresholdLine(m_motionLink, m_settings.MotionSensing, false);
    LoadThresholdLine(m_motionlessLink, m_settings.MotionlessSensing, false);
}
