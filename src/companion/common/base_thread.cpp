#include "base_thread.h"

#include <pthread.h>

// winpthreads (mingw-w64's posix flavour) and Linux share this API, so one file serves both.
struct CBaseThread::Impl {
    pthread_t handle;
};

// The CBaseThread whose method runs on the calling thread, if any.
static thread_local const CBaseThread* t_runningThread = nullptr;

CBaseThread::CBaseThread() = default;

CBaseThread::~CBaseThread() {
    StopThread();
}

void* CBaseThread::Entry(void* self) {
    auto* thread = static_cast<CBaseThread*>(self);
    t_runningThread = thread;
    thread->m_exitCode.store(thread->m_func->ThreadFunc(thread, thread->m_context));
    thread->m_running.store(false);
    return nullptr;
}

bool CBaseThread::StartThread(const char* name, IThreadFuncInterface* func, void* context, int priority,
                              size_t stackSize, unsigned flags) {
    (void)priority;
    (void)flags;
    if (func == nullptr)
        return false;
    std::lock_guard<std::mutex> guard(m_controlMutex);
    if (m_impl != nullptr) {
        if (m_running.load())
            return false;
        // The previous run has finished; reap it before starting the next.
        pthread_join(m_impl->handle, nullptr);
        delete m_impl;
        m_impl = nullptr;
    }
    m_name = name ? name : "";
    m_func = func;
    m_context = context;
    m_exitCode.store(0);

    pthread_attr_t attr;
    pthread_attr_init(&attr);
    if (stackSize != 0)
        pthread_attr_setstacksize(&attr, stackSize);
    auto* impl = new Impl;
    m_running.store(true);
    int rc = pthread_create(&impl->handle, &attr, &CBaseThread::Entry, this);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        m_running.store(false);
        delete impl;
        return false;
    }
#if defined(__linux__)
    if (!m_name.empty()) {
        // Linux limits thread names to 15 characters.
        pthread_setname_np(impl->handle, m_name.substr(0, 15).c_str());
    }
#endif
    m_impl = impl;
    return true;
}

bool CBaseThread::StopThread() {
    // A thread cannot wait for itself; checked before the lock, which a waiter may hold.
    if (t_runningThread == this)
        return false;
    std::lock_guard<std::mutex> guard(m_controlMutex);
    if (m_impl == nullptr)
        return true;
    pthread_join(m_impl->handle, nullptr);
    delete m_impl;
    m_impl = nullptr;
    return true;
}
