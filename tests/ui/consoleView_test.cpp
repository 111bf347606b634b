#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

TEST(ConsoleView, TypingEditsTheLineEnterRunsItAndUpAndDownRecallEarlierLines) {
    interfaceScope game;
    consoleView& console = game.console();
    console.clearLog();
    console.setActive();
    console.inputShown = true;
    game.controller.lastInputTime = 0;
    for (const char c : std::string("helq\bp\t\x1b\x7f")) {
        console.handleConsoleInput(c);
    }
    EXPECT_EQ(console.inputText.getString().toAnsiString(), "help")
        << "backspace deletes, control characters are not typed";
    console.handleConsoleInput('\r');
    EXPECT_EQ(std::make_tuple(console.text().substr(0, 7), console.input, console.isActive(),
                              console.inputShown, game.controller.lastInputTime > 0),
              std::make_tuple(std::string("> help\n"), std::string(), false, false, true))
        << "Enter runs the line, closes it and marks the time, so that its own return neither types nor "
           "reopens";
    game.log();
    game.type("resume");
    game.type("nonsense");
    console.setActive();
    console.handleConsoleInput('h');
    std::string recalled;
    for (const int step : {-1, -1, -1, -1, 1, 1, 1, 1}) {
        console.recallHistory(step);
        recalled += console.inputText.getString().toAnsiString() + " ";
    }
    EXPECT_EQ(recalled, "nonsense resume help help resume nonsense h h ")
        << "up stops at the oldest, down at the line being typed";
}

TEST(ConsoleView, NewLinesScrollTheLogJustEnoughToShowTheLast) {
    interfaceScope game;
    consoleView& console = game.console();
    ASSERT_EQ(arial.getLineSpacing(20), 23.0f)
        << "the shipped font's line spacing, which the positions below use";
    console.clearLog();
    // Its last line may end 35 units above the panel's bottom: 265. Eleven lines fit under the top margin
    // of 5. Lines added, wheel notches (down positive), the log's top after: a new line scrolls back only as
    // far as needed to show it.
    for (const auto& [lines, notches, top] :
         std::vector<std::tuple<int, int, float>>{{11, 0, 5},
                                                  {1, 0, 265 - 12 * 23},
                                                  {0, 5, 265 - 12 * 23 + 50},
                                                  {1, 0, 265 - 13 * 23},
                                                  {0, -3, 265 - 13 * 23 - 30},
                                                  {1, 0, 265 - 13 * 23 - 30}}) {
        for (int i = 0; i < lines; ++i) {
            console.appendLog("line");
        }
        for (int i = 0; i < std::abs(notches); ++i) {
            notches > 0 ? console.scrollDown() : console.scrollUp();
        }
        console.layoutLog();
        EXPECT_EQ(console.logPosition(), top) << lines << " more lines, " << notches << " notches";
    }
}
