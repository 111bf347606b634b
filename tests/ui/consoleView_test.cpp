#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

namespace {
/// The shipped font's line spacing at the console's size, in window units.
constexpr float LINE = 23.0f;
/// Where the log starts, and the lowest its last line may end: 35 units above the panel's bottom.
constexpr float TOP = 5.0f;
constexpr float LOWEST_END = 300.0f - 35.0f;

void typeKeys(consoleView& console, const std::string& keys) {
    for (const char c : keys) {
        console.handleConsoleInput(c);
    }
}
} // namespace

TEST(ConsoleView, TypingEditsTheLineAndEnterRunsIt) {
    interfaceScope game;
    consoleView& console = game.console();
    console.clearLog();
    {
        SCOPED_TRACE("h, e, l, q, backspace, p, Enter runs help and closes the line");
        console.setActive();
        console.inputShown = true;
        typeKeys(console, "helq\bp");
        EXPECT_EQ(console.input, "help");
        EXPECT_EQ(console.inputText.getString().toAnsiString(), "help");
        typeKeys(console, "\r");
        EXPECT_EQ(console.text().substr(0, 7), "> help\n");
        EXPECT_EQ(console.input, "");
        EXPECT_EQ(console.inputText.getString().toAnsiString(), "");
        EXPECT_FALSE(console.isActive());
        EXPECT_FALSE(console.inputShown);
    }
    {
        SCOPED_TRACE("backspace on an empty line; Enter on it closes without echo or reply");
        console.clearLog();
        console.setActive();
        typeKeys(console, "\b\b\r");
        EXPECT_EQ(console.text(), "");
        EXPECT_FALSE(console.isActive());
    }
    {
        SCOPED_TRACE("other control characters are not typed");
        console.setActive();
        typeKeys(console, std::string("a\tb\x1b\x7f") + "c");
        EXPECT_EQ(console.input, "abc");
    }
    {
        SCOPED_TRACE("running a line marks the input time, so Enter's own return neither types nor reopens");
        game.controller.lastInputTime = 0;
        typeKeys(console, "\r");
        EXPECT_GT(game.controller.lastInputTime, 0.0f);
    }
}

TEST(ConsoleView, UpAndDownRecallTheLinesOfThisRun) {
    interfaceScope game;
    consoleView& console = game.console();
    {
        SCOPED_TRACE("nothing to recall yet");
        console.setActive();
        typeKeys(console, "pa");
        console.recallHistory(-1);
        EXPECT_EQ(console.input, "pa");
        typeKeys(console, "use\r");
    }
    game.type("resume");
    game.type("nonsense");
    game.type("");
    console.setActive();
    typeKeys(console, "hel");
    {
        SCOPED_TRACE("up goes back one line at a time and stops at the oldest");
        console.recallHistory(-1);
        EXPECT_EQ(console.input, "nonsense");
        console.recallHistory(-1);
        console.recallHistory(-1);
        EXPECT_EQ(console.input, "pause");
        console.recallHistory(-1);
        EXPECT_EQ(console.input, "pause");
        EXPECT_EQ(console.inputText.getString().toAnsiString(), "pause");
    }
    {
        SCOPED_TRACE("down comes forward and ends on the line being typed");
        console.recallHistory(1);
        EXPECT_EQ(console.input, "resume");
        console.recallHistory(1);
        console.recallHistory(1);
        EXPECT_EQ(console.input, "hel");
        console.recallHistory(1);
        EXPECT_EQ(console.input, "hel");
    }
    {
        SCOPED_TRACE("a recalled line can be edited and run; it joins the history as run");
        console.recallHistory(-1);
        console.recallHistory(-1);
        typeKeys(console, "\b\b\b\b\b\bpause\r");
        EXPECT_EQ(console.history, (std::vector<std::string>{"pause", "resume", "nonsense", "pause"}));
        EXPECT_TRUE(game.controller.gameClock.isPaused());
    }
}

TEST(ConsoleView, NewLinesScrollTheLogJustEnoughToShowTheLast) {
    interfaceScope game;
    consoleView& console = game.console();
    console.clearLog();
    const auto lastLineEnd = [&] {
        return console.logPosition() + static_cast<float>(console.lineCount()) * LINE;
    };
    ASSERT_EQ(arial.getLineSpacing(20), LINE) << "the font's line spacing, which the expected positions use";
    {
        SCOPED_TRACE("eleven lines fit under the top margin; the twelfth scrolls the log up by 12");
        for (int i = 1; i <= 11; ++i) {
            console.appendLog("line " + std::to_string(i));
        }
        console.layoutLog();
        EXPECT_EQ(console.logPosition(), TOP);
        console.appendLog("line 12");
        console.layoutLog();
        // 5 + 12 × 23 = 281 must come up to 265.
        EXPECT_EQ(console.logPosition(), TOP - 16);
        EXPECT_EQ(lastLineEnd(), LOWEST_END);
    }
    {
        SCOPED_TRACE("scrolled back with the wheel, a new line comes back only as far as needed");
        for (int notch = 0; notch < 5; ++notch) {
            console.scrollDown();
        }
        EXPECT_EQ(console.logPosition(), TOP - 16 + 50);
        console.appendLog("line 13");
        console.layoutLog();
        EXPECT_EQ(lastLineEnd(), LOWEST_END);
        for (int notch = 0; notch < 3; ++notch) {
            console.scrollUp();
        }
        console.appendLog("line 14");
        console.layoutLog();
        EXPECT_EQ(lastLineEnd(), LOWEST_END - 30 + LINE) << "already in sight: no move";
    }
    {
        SCOPED_TRACE("help scrolls too, so that the text asked for shows");
        console.clearLog();
        for (int i = 1; i <= 9; ++i) {
            console.appendLog("line " + std::to_string(i));
        }
        game.type("help");
        console.layoutLog();
        EXPECT_EQ(lastLineEnd(), LOWEST_END);
    }
    {
        SCOPED_TRACE("only the lines that can show are laid out, wherever they stand in the log");
        console.clearLog();
        for (int i = 0; i < 10000; ++i) {
            console.appendLog("line " + std::to_string(i));
        }
        console.layoutLog();
        EXPECT_EQ(lastLineEnd(), LOWEST_END);
        const std::string shown = console.logText.getString().toAnsiString();
        // The clip shows 270 units: the last 11 lines and the lower part of the one above.
        EXPECT_EQ(shown.substr(0, 10), "line 9988\n");
        EXPECT_EQ(shown.substr(shown.size() - 10), "line 9999\n");
        EXPECT_EQ(console.logText.getPosition().y, console.logPosition() + 9988 * LINE);
        for (int notch = 0; notch < 230; ++notch) {
            console.scrollDown();
        }
        console.layoutLog();
        EXPECT_EQ(console.logText.getString().toAnsiString().substr(0, 10), "line 9888\n");
    }
}
