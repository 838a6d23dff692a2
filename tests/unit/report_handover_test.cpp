// The reader-to-GUI hand-over: one message while one is pending, the newest reports kept,
// every arrival counted, and nothing growing however long the GUI stays away.
#include "report_handover.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

ReportValues Report(int32_t n) {
    return ReportValues{n % 4, n, n % 101, n + 1, (n * 7) % 101, n + 2};
}

} // namespace

TEST(ReportHandover, OneMessageUntilTakenAndTheNewestReportsKept) {
    ReportHandover handover;
    std::vector<ReportValues> taken;
    EXPECT_EQ(handover.Take(taken), 0u);
    EXPECT_TRUE(taken.empty());

    EXPECT_TRUE(handover.Put(Report(1)));  // tell the GUI
    EXPECT_FALSE(handover.Put(Report(2))); // already told
    EXPECT_TRUE(handover.Pending());
    EXPECT_EQ(handover.Take(taken), 2u);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].movingDistance, 1);
    EXPECT_EQ(taken[1].detectionDistance, 4);
    EXPECT_FALSE(handover.Pending());

    // A GUI away for 1000 reports finds the newest 50, oldest first, and the count of all.
    int posts = 0;
    for (int n = 1; n <= 1000; ++n)
        posts += handover.Put(Report(n));
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(handover.Take(taken), 1000u);
    ASSERT_EQ(taken.size(), ReportHandover::kCapacity);
    for (size_t i = 0; i < taken.size(); ++i)
        EXPECT_EQ(taken[i].movingDistance, int32_t(951 + i));

    handover.Put(Report(5));
    handover.Reset();
    EXPECT_FALSE(handover.Pending());
    EXPECT_EQ(handover.Take(taken), 0u);
    EXPECT_TRUE(taken.empty());
}

// A reader putting while the GUI takes: every report is counted exactly once, each batch in
// order, and a message is asked for exactly once per batch.
TEST(ReportHandoverThreads, EveryReportIsCountedOnceWhileTheGuiTakes) {
    ReportHandover handover;
    constexpr int kReports = 200000;
    std::atomic<int> posts{0};
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (int n = 1; n <= kReports; ++n)
            posts += handover.Put(Report(n));
        done = true;
    });
    uint64_t counted = 0, batches = 0;
    int32_t last = 0;
    std::vector<ReportValues> taken;
    bool ordered = true;
    for (;;) {
        const bool finished = done.load();
        const uint64_t arrived = handover.Take(taken);
        if (arrived > 0) {
            ++batches;
            counted += arrived;
            ordered = ordered && taken.back().movingDistance == last + int32_t(arrived);
            for (size_t i = 1; i < taken.size(); ++i)
                ordered = ordered && taken[i].movingDistance == taken[i - 1].movingDistance + 1;
            last = taken.back().movingDistance;
        }
        if (finished && arrived == 0)
            break;
    }
    reader.join();
    EXPECT_EQ(counted, uint64_t(kReports));
    EXPECT_TRUE(ordered);
    EXPECT_EQ(uint64_t(posts.load()), batches);
}
