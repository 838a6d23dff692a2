// A point in time by which a call has to return, for loops that wait in several steps.
#pragma once

#include <algorithm>
#include <chrono>
#include <climits>

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(int timeoutMs)
        : m_end(Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0))) {}

    bool Expired() const { return Clock::now() >= m_end; }
    // Rounded up, so that a wait for the rest never returns before the deadline.
    int RemainingMs() const {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(m_end - Clock::now()).count();
        return int(std::clamp<decltype(left)>(left, 0, INT_MAX));
    }

private:
    Clock::time_point m_end;
};
