#include "log_file.h"

#include "dbg_output.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <thread>

TEST(LogFile, EachStartMakesANewFileOfStampedLinesFromEveryThread) {
    TempFolder folder;
    std::string logFolder = (folder.Path() / "Log").string();
    std::string first;
    {
        LogFile log;
        ASSERT_TRUE(log.Open(logFolder));
        first = log.Path();
        DbgOutputA(2, "State=%d, M_D=%03d\r\n", 3, 150);
        // A line is on disk while the log is still open (a program that dies keeps it).
        EXPECT_NE(ReadBytes(first).find("State=3, M_D=150\r\n"), std::string::npos);
        std::thread([] { DbgOutputA(2, "from the reader\r\n"); }).join();
    }
    DbgOutputA(2, "after close\r\n");
    std::string text = ReadBytes(first);
    EXPECT_TRUE(
        std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} State=3, M_D=150\r\n)"
                                          R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} from the reader\r\n)")))
        << text;
    EXPECT_TRUE(std::regex_match(std::filesystem::path(first).filename().string(),
                                 std::regex(R"(Tevo512Tool_\d{8}_\d{6}_\d{3}\.log)")));

    std::this_thread::sleep_for(std::chrono::milliseconds(2)); // a different millisecond
    LogFile again;
    ASSERT_TRUE(again.Open(logFolder));
    EXPECT_NE(again.Path(), first);
    DbgOutputSetTimeType(DBG_TIME_NONE);
}

TEST(LogFile, AFolderThatCannotBeMadeLeavesTheProgramRunning) {
    TempFolder folder;
    WriteBytes(folder.File("Log"), "a file where the folder should be");
    LogFile log;
    EXPECT_FALSE(log.Open(folder.File("Log")));
    DbgOutputA(2, "goes nowhere\r\n");
    log.Close();
    DbgOutputSetTimeType(DBG_TIME_NONE);
    EXPECT_EQ(LogFile::WriteLine(nullptr, "x", 1), 0);
}
