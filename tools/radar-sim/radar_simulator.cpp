#include "radar_simulator.h"

#include "sim_report_frame.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace radarsim {

namespace {

// Reports the host does not read pile up to this much; beyond it, new reports are dropped as
// a line with no reader would lose them. Acknowledgements are always queued: a module
// answers every command, and a host that starts reading again must find the answer.
constexpr size_t kMaxPendingBytes = 64 * 1024;
// How often the worker looks again without a reason: while no one listens (poll cannot wait
// for a listener to arrive), and otherwise.
constexpr uint64_t kIdleCheckMs = 20;
constexpr uint64_t kMaxWaitMs = 100;

uint64_t SteadyMs() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint64_t WallClockUs() {
    using namespace std::chrono;
    return uint64_t(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count());
}

// The detection distance of the report frame in `frame`, or -1 when it holds none.
int ReportDistanceCm(const Frame& frame) {
    size_t offset = 0, size = 0;
    bool engineering = false;
    ReportData report;
    if (!FindReportFrame(frame.data(), frame.size(), 0, offset, size) ||
        !ParseReportFrame(frame.data() + offset, size, engineering, report))
        return -1;
    return report.detectionDistanceCm;
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Points `link` at `target`, replacing a symbolic link already there in one step.
bool CreateLink(const std::string& link, const std::string& target, std::string& error) {
    struct stat info;
    if (lstat(link.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = link + " exists and is not a symbolic link";
        return false;
    }
    std::string temporary = link + ".tmp" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
        error = SystemError("cannot create the link " + link);
        return false;
    }
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        error = SystemError("cannot create the link " + link);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool LinkPointsAt(const std::string& link, const std::string& target) {
    char buffer[PATH_MAX];
    ssize_t size = readlink(link.c_str(), buffer, sizeof buffer - 1);
    return size >= 0 && std::string(buffer, size_t(size)) == target;
}

} // namespace

RadarSimulator::RadarSimulator(SimulatorOptions options)
    : m_options(std::move(options)),
      m_model(ModelOptions{m_options.gates, m_options.rateHz, m_options.engineering, m_options.seed}),
      m_splitRandom(Mix64(m_options.seed ^ 0x5917u)) {
    m_model.SetFaults(m_options.faults);
    if (m_options.replay)
        m_model.SetReplay(std::move(m_options.replayBytes));
}

RadarSimulator::~RadarSimulator() {
    Stop();
}

std::string RadarSimulator::Start(const std::string& linkPath) {
    if (m_started) {
        m_error = "the simulator was started before";
        return std::string();
    }
    m_started = true;

    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, name, sizeof name) != 0) {
        m_error = SystemError("cannot open a pseudo-terminal");
        CloseFds();
        return std::string();
    }
    int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    m_slavePath = name;

    // The line starts raw, so even a host that does not set the line up gets bytes unchanged.
    // Opening and closing the slave also puts the master into the "no one listening" state.
    int slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) {
        termios settings;
        if (tcgetattr(slave, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(slave, TCSANOW, &settings);
        }
        close(slave);
    }

    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_error = SystemError("cannot create a pipe");
        CloseFds();
        return std::string();
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];

    if (!m_options.recordPath.empty() && !m_record.OpenFile(m_options.recordPath, m_error)) {
        CloseFds();
        return std::string();
    }
    if (!m_options.sentPath.empty()) {
        m_sentFile = std::fopen(m_options.sentPath.c_str(), "we");
        if (m_sentFile == nullptr) {
            m_error = SystemError(m_options.sentPath);
            CloseFds();
            return std::string();
        }
    }
    if (!m_options.reportTimesPath.empty()) {
        m_reportTimesFile = std::fopen(m_options.reportTimesPath.c_str(), "we");
        if (m_reportTimesFile == nullptr) {
            m_error = SystemError(m_options.reportTimesPath);
            CloseFds();
            return std::string();
        }
    }
    if (!linkPath.empty()) {
        if (!CreateLink(linkPath, m_slavePath, m_error)) {
            CloseFds();
            return std::string();
        }
        m_linkPath = linkPath;
    }

    m_startTicks = SteadyMs();
    m_worker = std::thread([this] { Run(); });
    return m_slavePath;
}

void RadarSimulator::Stop() {
    if (m_worker.joinable()) {
        m_stop = true;
        Wake();
        m_worker.join();
    }
    CloseFds();
    if (!m_linkPath.empty()) {
        if (LinkPointsAt(m_linkPath, m_slavePath))
            unlink(m_linkPath.c_str());
        m_linkPath.clear();
    }
}

void RadarSimulator::CloseFds() {
    for (int* fd : {&m_master, &m_wakeRead, &m_wakeWrite}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
    if (m_sentFile != nullptr) {
        std::fclose(m_sentFile);
        m_sentFile = nullptr;
    }
    if (m_reportTimesFile != nullptr) {
        std::fclose(m_reportTimesFile);
        m_reportTimesFile = nullptr;
    }
}

uint64_t RadarSimulator::NowMs() const {
    return SteadyMs() - m_startTicks;
}

void RadarSimulator::Wake() {
    if (m_wakeWrite >= 0) {
        uint8_t byte = 1;
        [[maybe_unused]] ssize_t ignored = write(m_wakeWrite, &byte, 1);
    }
}

std::vector<CommandEvent> RadarSimulator::Commands() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_record.Events();
}

bool RadarSimulator::WaitForCommands(size_t count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_record.Events().size() >= count; });
}

std::vector<uint8_t> RadarSimulator::Sent() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sent;
}

void RadarSimulator::SetPaused(bool paused) {
    m_paused = paused;
    Wake();
}

void RadarSimulator::SetFaults(const FaultSet& faults) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_model.SetFaults(faults);
    }
    Wake();
}

ModuleState RadarSimulator::State() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_model.State();
}

void RadarSimulator::Queue(std::vector<Frame>& frames, uint64_t nowMs, bool split, bool reports) {
    for (Frame& frame : frames) {
        if (frame.empty() || (reports && m_pendingBytes > kMaxPendingBytes))
            continue;
        uint64_t due = std::max(nowMs, m_lastDueMs);
        m_pendingBytes += frame.size();
        const int distanceCm = reports && m_reportTimesFile != nullptr ? ReportDistanceCm(frame) : -1;
        if (split) {
            // The pauses inside a frame count from when it was made: a line that is behind sends
            // its pieces back to back, as a line at its limit has no gaps. Added up from frame to
            // frame instead, they would hold every later byte, acknowledgements too, seconds back.
            uint64_t pauses = 0;
            for (Piece& piece : SplitFrame(frame, m_splitRandom)) {
                pauses += piece.pauseBeforeMs;
                due = std::max(due, nowMs + pauses);
                m_pending.push_back({std::move(piece.bytes), due});
            }
            if (!m_pending.empty())
                m_pending.back().reportDistanceCm = distanceCm;
        } else {
            m_pending.push_back({std::move(frame), due, distanceCm});
        }
        m_lastDueMs = due;
    }
}

bool RadarSimulator::WritePending(uint64_t nowMs) {
    while (!m_pending.empty() && m_pending.front().dueMs <= nowMs) {
        Pending& next = m_pending.front();
        ssize_t written = write(m_master, next.bytes.data(), next.bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return false;
            // The line is gone; what was meant for it is lost.
            m_pending.clear();
            m_pendingBytes = 0;
            return true;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_options.keepSent)
                m_sent.insert(m_sent.end(), next.bytes.begin(), next.bytes.begin() + written);
            if (m_sentFile != nullptr) {
                std::fwrite(next.bytes.data(), 1, size_t(written), m_sentFile);
                std::fflush(m_sentFile);
            }
        }
        m_pendingBytes -= size_t(written);
        if (size_t(written) < next.bytes.size()) {
            next.bytes.erase(next.bytes.begin(), next.bytes.begin() + written);
            return false;
        }
        if (next.reportDistanceCm >= 0 && m_reportTimesFile != nullptr) {
            std::fprintf(m_reportTimesFile, "%llu %d\n", (unsigned long long)WallClockUs(),
                         next.reportDistanceCm);
            std::fflush(m_reportTimesFile);
        }
        m_pending.pop_front();
    }
    return true;
}

// The line closed from the module's side, as a pulled cable does; the worker ends.
void RadarSimulator::HangUp() {
    close(m_master);
    m_master = -1;
    m_hungUp = true;
    m_changed.notify_all();
}

void RadarSimulator::Run() {
    std::vector<uint8_t> buffer(4096);
    bool listening = false;
    while (!m_stop.load()) {
        uint64_t now = NowMs();

        // A master reports a hang-up while no one has the slave open.
        pollfd probe = {m_master, 0, 0};
        bool nobody = poll(&probe, 1, 0) > 0 && (probe.revents & (POLLHUP | POLLERR)) != 0;
        if (nobody && listening) {
            m_pending.clear();
            m_pendingBytes = 0;
            tcflush(m_master, TCIOFLUSH);
        }
        listening = !nobody;

        std::vector<Frame> frames;
        bool split = false;
        int64_t hangupMs = -1;
        std::optional<uint64_t> nextReport;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            hangupMs = m_model.Faults().hangupMs;
            // Reports are made only for a listener: a replay waits for one to start.
            // Paused, no report is made or waited for; the first after resuming skips the
            // missed ones.
            if (listening && !m_paused.load() && (hangupMs < 0 || now < uint64_t(hangupMs))) {
                m_model.Tick(now, frames);
                split = m_model.Faults().split;
                nextReport = m_model.NextReportMs();
            }
        }
        if (hangupMs >= 0 && now >= uint64_t(hangupMs)) {
            HangUp();
            return;
        }

        bool blocked = false;
        if (listening) {
            Queue(frames, now, split, true);
            blocked = !WritePending(now);
        }

        uint64_t wakeAt = now + (listening ? kMaxWaitMs : kIdleCheckMs);
        if (nextReport)
            wakeAt = std::min(wakeAt, *nextReport);
        if (!m_pending.empty() && !blocked)
            wakeAt = std::min(wakeAt, m_pending.front().dueMs);
        if (hangupMs >= 0)
            wakeAt = std::min(wakeAt, uint64_t(hangupMs));
        int timeout = wakeAt > now ? int(wakeAt - now) : 0;

        pollfd fds[2] = {{m_wakeRead, POLLIN, 0}, {m_master, short(POLLIN | (blocked ? POLLOUT : 0)), 0}};
        if (poll(fds, listening ? 2 : 1, timeout) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            uint8_t drain[64];
            while (read(m_wakeRead, drain, sizeof drain) > 0) {
            }
        }
        if (!listening || (fds[1].revents & POLLIN) == 0)
            continue;
        ssize_t got = read(m_master, buffer.data(), buffer.size());
        if (got <= 0)
            continue;
        uint64_t at = NowMs();
        std::vector<Frame> acks;
        std::vector<CommandEvent> events;
        uint32_t ackDelayMs = 0;
        bool unplug = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_model.Receive(buffer.data(), size_t(got), at, acks, events);
            for (const CommandEvent& event : events)
                m_record.Add(event);
            split = m_model.Faults().split;
            ackDelayMs = m_model.TakeAckDelayMs();
            unplug = m_model.TakeUnplugRequest();
        }
        if (unplug) {
            HangUp();
            return;
        }
        if (!events.empty())
            m_changed.notify_all();
        Queue(acks, at + ackDelayMs, split, false);
        WritePending(at);
    }
}

} // namespace radarsim
