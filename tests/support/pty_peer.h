// The module's end of a pseudo-terminal, scripted by a test: a thread reads the command
// frames that arrive on the master, records them and answers each command word with the
// bytes set for it. Code under test opens SlavePath() as its serial port.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using Bytes = std::vector<uint8_t>;

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Answers every later frame of `word` with `pieces`, written one after another with a
    // short pause between them (one piece: the answer in one write). No pieces: silence.
    void Answer(uint16_t word, std::vector<Bytes> pieces);
    // Writes bytes towards the slave now.
    void Send(const Bytes& bytes);
    // The command frames received so far, as they came on the wire; waits up to `timeoutMs`
    // until there are at least `count`.
    std::vector<Bytes> Frames(size_t count = 0, int timeoutMs = 2000);
    // Closes the master, which the slave's side sees as a hang-up.
    void HangUp();

private:
    void Run();
    void WriteAll(const Bytes& bytes);

    int m_master = -1;
    std::string m_slavePath;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock; // guards m_answers and m_frames
    std::condition_variable m_frameArrived;
    std::map<uint16_t, std::vector<Bytes>> m_answers;
    std::vector<Bytes> m_frames;
    std::thread m_thread;
};
