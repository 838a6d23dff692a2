#include "base_lock.h"
#include "base_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Runs until told to stop, then lingers a little before returning, so a StopThread that
// does not wait for the method would be caught before `returned` is set.
class PollingWorker : public IThreadFuncInterface {
public:
    std::atomic<bool> stop{false};
    std::atomic<bool> started{false};
    std::atomic<bool> returned{false};
    std::atomic<int> runs{0};
    std::atomic<void*> seenContext{nullptr};
    std::atomic<CBaseThread*> seenThread{nullptr};
    std::thread::id workerId; // written before `started`, read after it

    int ThreadFunc(CBaseThread* thread, void* context) override {
        workerId = std::this_thread::get_id();
        seenContext = context;
        seenThread = thread;
        ++runs;
        started = true;
        while (!stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        returned = true;
        return 40 + runs;
    }

    void WaitStarted() {
        while (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void Reset() {
        stop = false;
        started = false;
        returned = false;
    }
};

} // namespace

TEST(CBaseThread, RunsTheMethodWithTheContextOnAnotherThread) {
    PollingWorker worker;
    CBaseThread thread;
    int context = 0;
    ASSERT_TRUE(thread.StartThread("poller", &worker, &context, 0, 0, 0));
    worker.WaitStarted();
    EXPECT_NE(worker.workerId, std::this_thread::get_id());
    EXPECT_EQ(worker.seenContext.load(), &context);
    EXPECT_EQ(worker.seenThread.load(), &thread);
    EXPECT_STREQ(thread.GetName(), "poller");
    EXPECT_TRUE(thread.IsRunning());

    worker.stop = true;
    EXPECT_TRUE(thread.StopThread());
    EXPECT_TRUE(worker.returned);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(thread.GetExitCode(), 41);
}

TEST(CBaseThread, StartWhileRunningIsRefusedAndRestartAfterStopWorks) {
    PollingWorker worker;
    CBaseThread thread;
    int first = 1, second = 2;
    ASSERT_TRUE(thread.StartThread(nullptr, &worker, &first, 0, 256 * 1024, 0));
    worker.WaitStarted();
    EXPECT_FALSE(thread.StartThread(nullptr, &worker, &second, 0, 0, 0));
    worker.stop = true;
    ASSERT_TRUE(thread.StopThread());
    EXPECT_TRUE(worker.returned);

    worker.Reset();
    ASSERT_TRUE(thread.StartThread("again", &worker, &second, 0, 0, 0));
    worker.WaitStarted();
    EXPECT_EQ(worker.seenContext.load(), &second);
    worker.stop = true;
    ASSERT_TRUE(thread.StopThread());
    EXPECT_TRUE(worker.returned);
    EXPECT_EQ(worker.runs, 2);
    EXPECT_EQ(thread.GetExitCode(), 42);
}

TEST(CBaseThread, RestartAfterTheMethodEndedOnItsOwn) {
    // The finished run was never stopped; starting again must reap it rather than refuse.
    PollingWorker worker;
    CBaseThread thread;
    worker.stop = true;
    ASSERT_TRUE(thread.StartThread(nullptr, &worker, nullptr, 0, 0, 0));
    while (thread.IsRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    worker.Reset();
    worker.stop = true;
    ASSERT_TRUE(thread.StartThread(nullptr, &worker, nullptr, 0, 0, 0));
    ASSERT_TRUE(thread.StopThread());
    EXPECT_TRUE(worker.returned);
    EXPECT_EQ(worker.runs, 2);
}

TEST(CBaseThread, StopWithoutARunningThreadSucceeds) {
    CBaseThread thread;
    EXPECT_TRUE(thread.StopThread());
    EXPECT_TRUE(thread.StopThread());
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_FALSE(thread.StartThread(nullptr, nullptr, nullptr, 0, 0, 0));
}

TEST(CBaseThread, DestructorWaitsForTheMethod) {
    PollingWorker worker;
    {
        CBaseThread thread;
        ASSERT_TRUE(thread.StartThread(nullptr, &worker, nullptr, 0, 0, 0));
        worker.WaitStarted();
        worker.stop = true;
    }
    EXPECT_TRUE(worker.returned);
}

TEST(CBaseLock, GivesMutualExclusion) {
    CBaseLock lock;
    long counter = 0; // deliberately plain: only the lock protects it
    constexpr int kRounds = 200000;
    auto work = [&] {
        for (int i = 0; i < kRounds; ++i) {
            CAutoBaseLock hold(lock);
            ++counter;
        }
    };
    std::thread a(work), b(work);
    for (int i = 0; i < kRounds; ++i) {
        CAutoBaseLock hold(&lock);
        ++counter;
    }
    a.join();
    b.join();
    EXPECT_EQ(counter, 3L * kRounds);
}

TEST(CBaseLock, IsRecursiveAndCountsItsHolds) {
    CBaseLock lock;
    auto tryFromOtherThread = [&] {
        bool got = false;
        std::thread other([&] {
            got = lock.TryLock();
            if (got)
                lock.Unlock();
        });
        other.join();
        return got;
    };

    {
        CAutoBaseLock outer(lock);
        {
            // A holder calling back into code that takes the same lock must not block.
            CAutoBaseLock inner(lock);
            EXPECT_TRUE(lock.TryLock());
            lock.Unlock();
        }
        EXPECT_FALSE(tryFromOtherThread()) << "released after the inner hold while the outer one remains";
    }
    EXPECT_TRUE(tryFromOtherThread());
}

namespace {
// Waits until the owner is inside StopThread, then tries to stop its own thread.
class SelfStopper : public IThreadFuncInterface {
public:
    std::atomic<bool> ownerStopping{false};
    std::atomic<int> selfStopResult{-1};
    int ThreadFunc(CBaseThread* thread, void*) override {
        while (!ownerStopping)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        selfStopResult = thread->StopThread() ? 1 : 0;
        return 0;
    }
};
} // namespace

TEST(CBaseThread, StoppingItselfIsRefusedEvenWhileTheOwnerWaits) {
    SelfStopper worker;
    CBaseThread thread;
    ASSERT_TRUE(thread.StartThread("self", &worker, nullptr, 0, 0, 0));
    worker.ownerStopping = true;
    EXPECT_TRUE(thread.StopThread()); // would never return if the worker blocked on the owner
    EXPECT_EQ(worker.selfStopResult.load(), 0);
}
