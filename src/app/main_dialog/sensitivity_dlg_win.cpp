// The main dialog's side of the per-gate sensitivities: the sensitivity dialog filled from
// the tables and confirmed back into them and the module, and Apply of the measured maxima.
#include "kova_tevo512_tool_dlg.h"

#include "resource.h"
#include "sensing_table.h"
#include "resource_language.h"
#include "xlist_text.h"

#include <algorithm>
#include <string>
#include <vector>

// The maxima of the last 50 reports become every gate's threshold. Nothing is sent: Config
// or the sensitivity dialog's Confirm writes them later. The reader copies the tables for its
// threshold lines meanwhile, so their values change in place under its lock.
void CKOVATevo512ToolDlg::OnApplySensitivity() {
    if (!m_sensitivitiesValid)
        return;
    // An energy above what the module takes as a threshold becomes the highest threshold.
    auto threshold = [this](int id) {
        return uint16_t(std::clamp(int(GetDlgItemInt(id, nullptr, TRUE)), 0, int(sensing::kMaxSensitivity)));
    };
    const uint16_t moving = threshold(IDC_EDIT_MOTION_SENSITIVITY);
    const uint16_t motionless = threshold(IDC_EDIT_MOTIONLESS_SENSITIVITY);
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

bool CKOVATevo512ToolDlg::SensitivitiesFromTable(std::vector<uint16_t>& moving,
                                                 std::vector<uint16_t>& motionless) {
    moving = m_settings.MotionSensing;
    motionless = m_settings.MotionlessSensing;
    const int rows = std::min(
        {m_sensingDialog.GetRowCount(), m_settings.GateCountMax, int(moving.size()), int(motionless.size())});
    for (int row = 0; row < rows; ++row) {
        if (!sensing::SensitivityFromText(m_sensingDialog.GetCellText(row, sensing::kColumnMoving),
                                          moving[size_t(row)]) ||
            !sensing::SensitivityFromText(m_sensingDialog.GetCellText(row, sensing::kColumnMotionless),
                                          motionless[size_t(row)])) {
            const std::wstring text = xlist::FormatWithInt(AfxLoadString(IDS_SENSITIVITY_INVALID), row);
            m_sensingDialog.MessageBox(text.c_str(), AfxLoadString(IDS_ERROR).c_str(),
                                       MB_ICONERROR | MB_TOPMOST);
            return false;
        }
    }
    return true;
}

// Every cell is checked before anything changes: one the module cannot take keeps the dialog
// open, the tables and the module as they were.
bool CKOVATevo512ToolDlg::OnSensingConfirm(int64_t) {
    if (!MayTalkToModule())
        return false;
    std::vector<uint16_t> moving, motionless;
    if (!SensitivitiesFromTable(moving, motionless))
        return false;
    {
        CAutoBaseLock lock(m_sensitivityLock);
        std::copy(moving.begin(), moving.end(), m_settings.MotionSensing.begin());
        std::copy(motionless.begin(), motionless.end(), m_settings.MotionlessSensing.begin());
    }
    LoadThresholdLine(m_motionLink, m_settings.MotionSensing, false);
    LoadThresholdLine(m_motionlessLink, m_settings.MotionlessSensing, false);
    WriteParameters();
    return true;
}
