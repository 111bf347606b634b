#include "app/consoleLog.hpp"

#include <gtest/gtest.h>

TEST(ConsoleLog, LinesEndWithABreakAndRawTextDoesNot) {
    consoleLog log("Generated world with seed: 7\n");
    log.appendText("help line");
    log.appendLog("> pause");
    log.appendLog("Game paused.");
    EXPECT_EQ(log.text(), "Generated world with seed: 7\nhelp line> pause\nGame paused.\n");

    const unsigned long before = log.revision();
    log.clearLog();
    EXPECT_EQ(log.text(), "");
    EXPECT_GT(log.revision(), before);
}

TEST(ConsoleLog, LinesReachTheCurrentConsoleOnly) {
    logToConsole("dropped: there is no console");
    consoleLog log;
    globalConsoleReference = &log;
    logToConsole("A child was born in Ardmore");
    globalConsoleReference = nullptr;
    logToConsole("dropped again");
    EXPECT_EQ(log.text(), "A child was born in Ardmore\n");
}
