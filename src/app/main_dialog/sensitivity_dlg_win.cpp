// The main dialog's side of the per-gate sensitivities: the sensitivity dialog filled from
// the tables and confirmed back into them and the module, and Apply of the measured maxima.
#include "kova_tevo512_tool_dlg.h"

#include "resource.h"
#include "sensing_table.h"

#include <algorithm>
#include <cwchar>

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

void CKOVATevo512ToolDlg::OnSensitivities() {
    const int gates = std::min({std::max(m_settings.GateCountMax, 0), int(m_settings.MotionSensing.size()),
                                int(m_settings.MotionlessSensing.size())});
    m_sensingDialog.FillGates(m_settings.MotionSensing.data(), m_settings.MotionlessSensing.data(), gates);
    m_sensingDialog.ShowWindow(SW_SHOW);
}

// The built-in tables, not the file's lists; gates past the tables take their last entry.
void CKOVATevo512ToolDlg::OnSensingDefaultValues(int gate, int32_t& moving, int32_t& motionless) {
    if (gate < 0 || gate >= m_settings.GateCountMax)
        return;
    const int entry = std::min(gate, kDefaultGateCount - 1);
    moving = kDefaultMotionSensitivity[entry];
    motionless = kDefaultMotionlessSensitivity[entry];
}

namespace {

// A cell's text as a signed decimal (leading blanks and a sign allowed, digits up to the first
// other character, none giving 0), kept to its low 8 bits: 300 becomes 44, -1 becomes 255.
uint16_t SensitivityFromCell(const std::wstring& text) {
    return uint16_t(std::wcstoll(text.c_str(), nullptr, 10) & 0xFF);
}

} // namespace

void CKOVATevo512ToolDlg::OnSensingConfirm(int64_t) {
    {
        CAutoBaseLock lock(m_sensitivityLock);
        const int rows =
            std::min({m_sensingDialog.GetRowCount(), m_settings.GateCountMax,
                      int(m_settings.MotionSensing.size()), int(m_settings.MotionlessSensing.size())});
        for (int row = 0; row < rows; ++row) {
            m_settings.MotionSensing[size_t(row)] =
                SensitivityFromCell(m_sensingDialog.GetCellText(row, sensing::kColumnMoving));
            m_settings.MotionlessSensing[size_t(row)] =
                SensitivityFromCell(m_sensingDialog.GetCellText(row, sensing::kColumnMotionless));
        }
    }
    LoadThresholdLine(m_motionLink, m_settings.MotionSensing, false);
    LoadThresholdLine(m_motionlessLink, m_settings.MotionlessSensing, false);
    WriteParameters();
}
