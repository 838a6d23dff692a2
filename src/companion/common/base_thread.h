// One worker thread that runs an IThreadFuncInterface's method.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

class CBaseThread;

class IThreadFuncInterface {
public:
    virtual ~IThreadFuncInterface() = default;
    // Runs once on the new thread; `context` is the value given to StartThread.
    virtual int ThreadFunc(CBaseThread* thread, void* context) {
        (void)thread;
        (void)context;
        return 0;
    }
};

class CBaseThread {
public:
    CBaseThread();
    ~CBaseThread(); // joins a thread that is still running
    CBaseThread(const CBaseThread&) = delete;
    CBaseThread& operator=(const CBaseThread&) = delete;

    // Starts `func->ThreadFunc(this, context)` on a new thread.
    //   name       thread name shown by debuggers (may be null)
    //   priority   0 normal; other values are accepted and ignored
    //   stackSize  stack size in bytes, 0 for the system default
    //   flags      reserved, 0
    // Returns false when a thread of this object is still running or creation failed.
    bool StartThread(const char* name, IThreadFuncInterface* func, void* context, int priority,
                     size_t stackSize, unsigned flags);

    // Waits until the thread method has returned; true also when no thread was running.
    bool StopThread();

    bool IsRunning() const { return m_running.load(); }
    int GetExitCode() const { return m_exitCode.load(); }
    const char* GetName() const { return m_name.c_str(); }

private:
    struct Impl;
    static void* Entry(void* self);

    std::mutex m_controlMutex; // serialises Start and Stop
    Impl* m_impl = nullptr;
    std::string m_name;
    IThreadFuncInterface* m_func = nullptr;
    void* m_context = nullptr;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_exitCode{0};
};
