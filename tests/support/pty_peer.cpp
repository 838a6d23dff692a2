#include "pty_peer.h"

#include "radar_protocol.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 10;
constexpr auto kPiecePause = std::chrono::milliseconds(15);
} // namespace

PtyPeer::PtyPeer() {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return;
    char path[PATH_MAX];
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, path, sizeof path) != 0) {
        close(master);
        return;
    }
    m_master = master;
    m_slavePath = path;
    m_thread = std::thread([this] { Run(); });
}

PtyPeer::~PtyPeer() {
    HangUp();
}

void PtyPeer::Answer(uint16_t word, std::vector<Bytes> pieces) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_answers[word] = std::move(pieces);
}

void PtyPeer::Send(const Bytes& bytes) {
    WriteAll(bytes);
}

std::vector<Bytes> PtyPeer::Frames(size_t count, int timeoutMs) {
    std::unique_lock<std::mutex> hold(m_lock);
    m_frameArrived.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                            [&] { return m_frames.size() >= count; });
    return m_frames;
}

void PtyPeer::HangUp() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}

void PtyPeer::WriteAll(const Bytes& bytes) {
    size_t written = 0;
    while (m_master >= 0 && written < bytes.size()) {
        ssize_t count = write(m_master, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        written += size_t(count);
    }
}

void PtyPeer::Run() {
    Bytes received;
    while (!m_stop) {
        pollfd wait = {m_master, POLLIN, 0};
        if (poll(&wait, 1, kPollMs) <= 0)
            continue;
        uint8_t chunk[256];
        ssize_t count = (wait.revents & POLLIN) ? read(m_master, chunk, sizeof chunk) : -1;
        if (count <= 0) {
            // No slave open yet, or it was closed: nothing to read until it opens again.
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            continue;
        }
        received.insert(received.end(), chunk, chunk + count);
        for (;;) {
            radar::CommandFrameView frame;
            size_t consumed = 0;
            radar::ScanResult found =
                radar::FindCommandFrame(received.data(), received.size(), frame, consumed);
            if (found != radar::ScanResult::kFrame || frame.dataSize < 2) {
                received.erase(received.begin(), received.begin() + std::ptrdiff_t(consumed));
                if (found != radar::ScanResult::kFrame)
                    break;
                continue;
            }
            Bytes whole(received.begin() + std::ptrdiff_t(frame.offset),
                        received.begin() + std::ptrdiff_t(frame.offset + frame.size));
            received.erase(received.begin(), received.begin() + std::ptrdiff_t(consumed));
            std::vector<Bytes> answer;
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_frames.push_back(whole);
                auto found = m_answers.find(radar::ReadU16(whole.data() + 6));
                if (found != m_answers.end())
                    answer = found->second;
            }
            m_frameArrived.notify_all();
            for (size_t i = 0; i < answer.size(); ++i) {
                if (i > 0)
                    std::this_thread::sleep_for(kPiecePause);
                WriteAll(answer[i]);
            }
        }
    }
}
