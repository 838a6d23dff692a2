#include "sim_faults.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace radarsim {

namespace {

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos)
            return parts;
        start = colon + 1;
    }
}

// A whole unsigned number (0x.. for hexadecimal) no larger than `max`.
bool ParseUnsigned(const std::string& text, unsigned long long max, unsigned long long& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v > max)
        return false;
    value = v;
    return true;
}

bool ParsePermille(const std::vector<std::string>& parts, int& permille, std::string& error) {
    unsigned long long v = 0;
    if (parts.size() != 2 || !ParseUnsigned(parts[1], 1000, v)) {
        error = "expected " + parts[0] + ":PERMILLE with PERMILLE 0..1000";
        return false;
    }
    permille = int(v);
    return true;
}

} // namespace

bool AddFault(FaultSet& faults, const std::string& text, std::string& error) {
    std::vector<std::string> parts = SplitColons(text);
    const std::string& kind = parts[0];
    if (kind == "noack" || kind == "nak" || kind == "unplug") {
        unsigned long long word = 0, nth = 0;
        if (parts.size() < 2 || parts.size() > 3 || !ParseUnsigned(parts[1], 0xFFFF, word) ||
            (parts.size() == 3 && (!ParseUnsigned(parts[2], 0xFFFFFFFFull, nth) || nth == 0))) {
            error = "expected " + kind + ":CMD[:N], CMD a command word such as 0x0061, N from 1";
            return false;
        }
        const CommandFaultKind which = kind == "noack" ? CommandFaultKind::kNoAck
                                       : kind == "nak" ? CommandFaultKind::kNak
                                                       : CommandFaultKind::kUnplug;
        faults.commands.push_back({which, uint16_t(word), uint32_t(nth)});
        return true;
    }
    if (kind == "late") {
        unsigned long long word = 0, delay = 0, nth = 0;
        if (parts.size() < 3 || parts.size() > 4 || !ParseUnsigned(parts[1], 0xFFFF, word) ||
            !ParseUnsigned(parts[2], 600000, delay) ||
            (parts.size() == 4 && (!ParseUnsigned(parts[3], 0xFFFFFFFFull, nth) || nth == 0))) {
            error = "expected late:CMD:MS[:N], CMD a command word such as 0x0061, MS up to 600000, N from 1";
            return false;
        }
        faults.commands.push_back({CommandFaultKind::kLate, uint16_t(word), uint32_t(nth), uint32_t(delay)});
        return true;
    }
    if (kind == "garbage")
        return ParsePermille(parts, faults.garbagePermille, error);
    if (kind == "badtail")
        return ParsePermille(parts, faults.badTailPermille, error);
    if (kind == "split" || kind == "silent" || kind == "chatty") {
        if (parts.size() != 1) {
            error = kind + " takes no value";
            return false;
        }
        (kind == "split" ? faults.split : kind == "silent" ? faults.silent : faults.chatty) = true;
        return true;
    }
    if (kind == "hangup") {
        double seconds = -1;
        if (parts.size() == 2 && !parts[1].empty()) {
            char* end = nullptr;
            errno = 0;
            seconds = std::strtod(parts[1].c_str(), &end);
            if (errno != 0 || *end != '\0' || !(seconds >= 0) || seconds > 1e6)
                seconds = -1;
        }
        if (seconds < 0) {
            error = "expected hangup:SECONDS with SECONDS 0 or more";
            return false;
        }
        faults.hangupMs = int64_t(std::llround(seconds * 1000));
        return true;
    }
    error = "unknown fault '" + text + "'";
    return false;
}

void FaultInjector::Set(const FaultSet& faults) {
    m_faults = faults;
    m_seen.assign(m_faults.commands.size(), 0);
}

CommandOutcome FaultInjector::OnCommand(uint16_t word) {
    bool noAck = false, nak = false, unplug = false;
    uint32_t delayMs = 0;
    for (size_t i = 0; i < m_faults.commands.size(); ++i) {
        const CommandFault& fault = m_faults.commands[i];
        if (fault.word != word)
            continue;
        uint32_t seen = ++m_seen[i];
        if (fault.nth != 0 && fault.nth != seen)
            continue;
        switch (fault.kind) {
        case CommandFaultKind::kNoAck:
            noAck = true;
            break;
        case CommandFaultKind::kNak:
            nak = true;
            break;
        case CommandFaultKind::kUnplug:
            unplug = true;
            break;
        case CommandFaultKind::kLate:
            delayMs = std::max(delayMs, fault.delayMs);
            break;
        }
    }
    if (unplug)
        return {CommandAction::kUnplug};
    if (noAck)
        return {CommandAction::kNoAck};
    return {nak ? CommandAction::kNak : CommandAction::kAnswer, delayMs};
}

std::vector<uint8_t> FaultInjector::GarbageBeforeReport() {
    std::vector<uint8_t> garbage;
    if (m_random.Permille(m_faults.garbagePermille)) {
        uint32_t count = m_random.Between(1, 16);
        for (uint32_t i = 0; i < count; ++i)
            garbage.push_back(uint8_t(m_random.Next()));
    }
    return garbage;
}

void FaultInjector::MaybeCorruptTail(std::vector<uint8_t>& frame) {
    if (frame.size() < 4 || !m_random.Permille(m_faults.badTailPermille))
        return;
    size_t at = frame.size() - 4 + m_random.Below(4);
    frame[at] ^= uint8_t(m_random.Between(1, 255));
}

std::vector<Piece> SplitFrame(const std::vector<uint8_t>& frame, Random& random) {
    std::vector<Piece> pieces;
    if (frame.size() < 2) {
        pieces.push_back({frame, 0});
        return pieces;
    }
    size_t count = std::min<size_t>(frame.size(), random.Between(2, 4));
    // count - 1 distinct cut points in 1..size-1, in order.
    std::vector<size_t> cuts;
    while (cuts.size() < count - 1) {
        size_t cut = 1 + random.Below(uint32_t(frame.size() - 1));
        bool known = false;
        for (size_t c : cuts)
            known = known || c == cut;
        if (!known)
            cuts.push_back(cut);
    }
    std::sort(cuts.begin(), cuts.end());
    size_t start = 0;
    for (size_t i = 0; i <= cuts.size(); ++i) {
        size_t end = i < cuts.size() ? cuts[i] : frame.size();
        Piece piece;
        piece.bytes.assign(frame.begin() + long(start), frame.begin() + long(end));
        piece.pauseBeforeMs = i == 0 ? 0 : random.Between(1, 4);
        pieces.push_back(std::move(piece));
        start = end;
    }
    return pieces;
}

} // namespace radarsim
