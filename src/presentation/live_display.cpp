#include "live_display.h"

#include <algorithm>
#include <iterator>

void EnergyHistory::Reset() {
    m_reports = 0;
    std::fill(std::begin(m_moving), std::end(m_moving), uint16_t(0));
    std::fill(std::begin(m_motionless), std::end(m_motionless), uint16_t(0));
}

void EnergyHistory::Push(uint16_t moving, uint16_t motionless) {
    ++m_reports;
    std::move(m_moving + 1, m_moving + kLength, m_moving);
    std::move(m_motionless + 1, m_motionless + kLength, m_motionless);
    m_moving[kLength - 1] = moving;
    m_motionless[kLength - 1] = motionless;
}

uint16_t EnergyHistory::Max(const uint16_t (&history)[kLength]) {
    return *std::max_element(std::begin(history), std::end(history));
}

TargetIndicator IndicatorForState(int32_t state) {
    switch (state) {
    case 0:
        return {IndicatorPicture::Nobody, IndicatorRadio::Neither};
    case 1:
    case 3:
        return {IndicatorPicture::Motion, IndicatorRadio::Moving};
    case 2:
        return {IndicatorPicture::Motionless, IndicatorRadio::Motionless};
    default:
        return {IndicatorPicture::None, IndicatorRadio::Unchanged};
    }
}

ControlStates ComputeControlStates(bool connected, bool reporting) {
    return {!reporting, connected && !reporting, connected && reporting, connected, !reporting};
}

StatisticsLengthLimits StatisticsLengthLimitsFor(int entry) {
    switch (entry) {
    case 0:
        return {true, 120, 120, true};
    case 1:
        return {true, 1, 120, false};
    case 2:
        return {true, 1, 12, false};
    default:
        return {false, 0, 0, false};
    }
}

LinkState ObserveLinkState(LinkState known, bool libraryConnected) {
    return known == LinkState::Open && !libraryConnected ? LinkState::Lost : known;
}
