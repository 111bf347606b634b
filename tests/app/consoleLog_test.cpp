#include "app/consoleLog.hpp"

#include <gtest/gtest.h>

TEST(ConsoleLog, LinesEndWithABreakRawTextDoesNotAndLinesAreIndexedAsTheyArrive) {
    consoleLog log("first\nsecond\n");
    EXPECT_EQ(log.lineCount(), 2u);
    log.appendText("help one\nhelp two");
    EXPECT_EQ(log.lineCount(), 4u) << "a last line without its break counts";
    log.appendLog("> pause");
    log.appendLog("Game paused.");
    EXPECT_EQ(log.text(), "first\nsecond\nhelp one\nhelp two> pause\nGame paused.\n");
    EXPECT_EQ(log.lineCount(), 5u);
    EXPECT_EQ(log.lines(0, 1), "first\n");
    EXPECT_EQ(log.lines(3, 5), "help two> pause\nGame paused.\n");
    EXPECT_EQ(log.lines(4, 99), "Game paused.\n") << "the end is clamped";
    EXPECT_EQ(log.lines(2, 2), "");

    const unsigned long before = log.revision();
    log.clearLog();
    EXPECT_EQ(log.text(), "");
    EXPECT_GT(log.revision(), before);
    EXPECT_EQ(log.lineCount(), 0u);
    log.appendLog("again");
    EXPECT_EQ(log.lines(0, 1), "again\n");
    EXPECT_EQ(consoleLog().lineCount(), 0u);
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
