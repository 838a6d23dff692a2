#include "dbg_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Collector {
    std::mutex mutex;
    std::vector<std::string> lines;
    std::vector<int> levels;

    static void Receive(void* context, int level, const char* bytes, int length) {
        auto* self = static_cast<Collector*>(context);
        std::lock_guard<std::mutex> guard(self->mutex);
        self->lines.emplace_back(bytes, size_t(length));
        self->levels.push_back(level);
    }
    std::vector<std::string> Lines() {
        std::lock_guard<std::mutex> guard(mutex);
        return lines;
    }
};

// Logging state is process-wide: every test leaves it as it found it.
class DbgOutput : public ::testing::Test {
protected:
    Collector collector;

    void SetUp() override { ASSERT_TRUE(DbgOutputAddCallback(Collector::Receive, &collector)); }
    void TearDown() override {
        DbgOutputDelCallback(Collector::Receive, &collector);
        DbgOutputSetTimeType(DBG_TIME_NONE);
        DbgOutputSetTag("", 0);
        DbgOutputSetIncludePIDTID(0);
        DbgOutputSetLevel(0);
    }
    std::string OnlyLine() {
        std::vector<std::string> lines = collector.Lines();
        EXPECT_EQ(lines.size(), 1u);
        return lines.empty() ? std::string() : lines.front();
    }
};

} // namespace

TEST_F(DbgOutput, CallbacksReceiveTheFormattedLineWithLevelAndTheirContext) {
    Collector second;
    ASSERT_TRUE(DbgOutputAddCallback(Collector::Receive, &second));
    DbgOutputA(3, "value %d of %s", 42, "sensor");
    ASSERT_TRUE(DbgOutputDelCallback(Collector::Receive, &second));

    EXPECT_EQ(OnlyLine(), "value 42 of sensor");
    EXPECT_EQ(collector.levels, std::vector<int>{3});
    EXPECT_EQ(second.Lines(), std::vector<std::string>{"value 42 of sensor"});
}

TEST_F(DbgOutput, LocalTimePrefix) {
    DbgOutputSetTimeType(DBG_TIME_LOCAL);
    DbgOutputA(0, "tick");
    EXPECT_TRUE(
        std::regex_match(OnlyLine(), std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3} tick)")))
        << OnlyLine();
}

TEST_F(DbgOutput, TickPrefix) {
    DbgOutputSetTimeType(DBG_TIME_TICK);
    DbgOutputA(0, "tick");
    EXPECT_TRUE(std::regex_match(OnlyLine(), std::regex(R"(\[ *\d+\] tick)"))) << OnlyLine();
}

TEST_F(DbgOutput, TagOnlyWhenEnabledAndNotEmpty) {
    const struct {
        const char* tag;
        int enabled;
        const char* expected;
    } cases[] = {
        {"radar", 1, "[radar] x"},
        {"radar", 0, "x"},
        {"", 1, "x"},
        {nullptr, 1, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        DbgOutputSetTag(c.tag, c.enabled);
        DbgOutputA(0, "x");
        EXPECT_EQ(OnlyLine(), c.expected);
        collector.lines.clear();
    }
}

TEST_F(DbgOutput, ProcessAndThreadIdPrefix) {
    DbgOutputSetIncludePIDTID(1);
    DbgOutputA(0, "who");
    std::string line = OnlyLine();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, std::regex(R"(\[(\d+):(\d+)\] who)"))) << line;
    EXPECT_EQ(match[1].str(), std::to_string(getpid()));

    DbgOutputSetIncludePIDTID(0);
    DbgOutputA(0, "who");
    EXPECT_EQ(collector.Lines().back(), "who");
}

TEST_F(DbgOutput, LinesBelowTheMinimumLevelAreDropped) {
    DbgOutputSetLevel(2);
    DbgOutputA(1, "low");
    DbgOutputA(2, "enough");
    DbgOutputA(5, "high");
    EXPECT_EQ(collector.Lines(), (std::vector<std::string>{"enough", "high"}));
}

TEST_F(DbgOutput, DelCallbackStopsDelivery) {
    DbgOutputA(0, "before");
    ASSERT_TRUE(DbgOutputDelCallback(Collector::Receive, &collector));
    DbgOutputA(0, "after");
    EXPECT_EQ(collector.Lines(), std::vector<std::string>{"before"});

    EXPECT_FALSE(DbgOutputDelCallback(Collector::Receive, &collector));
    EXPECT_FALSE(DbgOutputAddCallback(nullptr, &collector));
}

TEST_F(DbgOutput, LongLinesArriveWhole) {
    for (size_t size : {1023u, 1024u, 1025u, 5000u}) {
        SCOPED_TRACE(size);
        std::string text;
        for (size_t i = 0; i < size; ++i)
            text += char('a' + i % 26);
        DbgOutputA(0, "%s|%d", text.c_str(), 77);
        EXPECT_EQ(OnlyLine(), text + "|77");
        collector.lines.clear();
    }
}

TEST_F(DbgOutput, LinesFromConcurrentThreadsNeverInterleave) {
    constexpr int kLines = 400;
    // Long lines with a tag and ids, so a torn line cannot pass for a whole one.
    DbgOutputSetTag("mix", 1);
    auto logger = [](char who) {
        std::string body(300, who);
        for (int i = 0; i < kLines; ++i)
            DbgOutputA(0, "%c%04d %s", who, i, body.c_str());
    };
    std::thread a(logger, 'A'), b(logger, 'B');
    a.join();
    b.join();

    std::map<std::string, int> expected;
    for (char who : {'A', 'B'}) {
        for (int i = 0; i < kLines; ++i) {
            char head[8];
            std::snprintf(head, sizeof head, "%c%04d ", who, i);
            expected["[mix] " + std::string(head) + std::string(300, who)] = 1;
        }
    }
    std::map<std::string, int> received;
    for (const std::string& line : collector.Lines())
        ++received[line];
    EXPECT_EQ(received, expected);
}

namespace {

struct LateCallCheck {
    std::atomic<bool> removed{false};
    std::atomic<int> calls{0};
    std::atomic<int> lateCalls{0};

    static void Receive(void* context, int, const char*, int) {
        auto* self = static_cast<LateCallCheck*>(context);
        ++self->calls;
        if (self->removed)
            ++self->lateCalls;
    }
};

} // namespace

TEST_F(DbgOutput, NoCallAfterDelCallbackReturnedWhileAnotherThreadLogs) {
    LateCallCheck check;
    ASSERT_TRUE(DbgOutputAddCallback(LateCallCheck::Receive, &check));
    std::atomic<bool> done{false};
    std::thread logger([&] {
        while (!done)
            DbgOutputA(0, "busy");
    });
    while (check.calls < 100)
        std::this_thread::yield();
    ASSERT_TRUE(DbgOutputDelCallback(LateCallCheck::Receive, &check));
    check.removed = true;
    for (int i = 0; i < 200; ++i)
        std::this_thread::yield();
    done = true;
    logger.join();
    EXPECT_EQ(check.lateCalls, 0);
}
