#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

TEST(ConsoleView, TypingEditsTheLineEnterRunsItAndUpAndDownRecallEarlierLines) {
    interfaceScope game;
    consoleView& console = game.console();
    console.clearLog();
    console.setActive();
    console.inputShown = true;
    game.controller.lastInputTime = 0;
    for (const char32_t c : std::u32string(U"hélq\bp漢\b\t\x1b\x7f\x85")) {
        console.handleConsoleInput(c);
    }
    EXPECT_EQ(std::make_pair(console.input, console.inputText.getString().toUtf32()),
              std::make_pair(std::string("h\xc3\xa9lp"), std::basic_string<sf::Uint32>{'h', 0xe9, 'l', 'p'}))
        << "kept in UTF-8, shown by code point; backspace deletes a whole character; controls are not typed";
    console.handleConsoleInput('\r');
    EXPECT_EQ(std::make_tuple(console.text().substr(0, 8), console.input, console.isActive(),
                              console.inputShown, game.controller.lastInputTime > 0),
              std::make_tuple(std::string("> h\xc3\xa9lp\n"), std::string(), false, false, true))
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
        recalled += console.input + " ";
    }
    EXPECT_EQ(recalled, "nonsense resume hélp hélp resume nonsense h h ")
        << "up stops at the oldest, down at the line being typed";
}

TEST(ConsoleView, NewLinesScrollTheLogJustEnoughToShowTheLast) {
    interfaceScope game;
    consoleView& console = game.console();
    ASSERT_EQ(arial.getLineSpacing(20), 23.0f)
        << "the shipped font's line spacing, which the positions below use";
    console.clearLog();
    // Its last line may end 35 units above the panel's bottom: 265. Eleven lines fit under the top margin
    // of 5. Lines added, wheel notches (down positive, a row each), the log's top after: a new line scrolls
    // back only as far as needed to show it.
    for (const auto& [lines, notches, top] :
         std::vector<std::tuple<int, int, float>>{{11, 0, 5},
                                                  {1, 0, 265 - 12 * 23},
                                                  {0, 5, 265 - 7 * 23},
                                                  {1, 0, 265 - 13 * 23},
                                                  {0, -3, 265 - 16 * 23},
                                                  {1, 0, 265 - 16 * 23}}) {
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

TEST(ConsoleView, LongLinesWrapInTheirToneAndTheTypedLineShowsItsEnd) {
    interfaceScope game; // every glyph 10 units wide: 69 to a row of 690 (700 less the margins of 5)
    consoleView& console = game.console();
    console.clearLog();
    console.appendText(repeated("e", 65));
    console.layoutLog();
    console.appendLog(" " + repeated("f", 10)); // continues the line laid out already
    console.appendLog(repeated("é", 150), logTone::alert);
    console.appendLog("d ☃ J\xe9r\xf4me"); // written in Latin-1: a mark for each byte that is no UTF-8
    console.layoutLog();
    const std::string rowsShown = repeated("e", 65) + " \n" + repeated("f", 10) + "\n\n\n\nd ☃ J�r�me\n";
    const std::string alertRows =
        "\n\n" + repeated("é", 69) + "\n" + repeated("é", 69) + "\n" + repeated("é", 12) + "\n\n";
    EXPECT_EQ(std::make_pair(console.logText.getString(), console.alertText.getString()),
              std::make_pair(sf::String::fromUtf8(rowsShown.begin(), rowsShown.end()),
                             sf::String::fromUtf8(alertRows.begin(), alertRows.end())))
        << "at the last blank that fits, a word wider than a row anywhere, the alert's rows in its colour";

    console.setActive();
    for (const auto& [typed, left] :
         std::vector<std::pair<int, float>>{{80, 20 - 125}, {-10, 20 - 25}, {-5, 20}}) {
        for (int i = 0; i < std::abs(typed); ++i) {
            console.handleConsoleInput(typed > 0 ? U'x' : U'\b');
        }
        EXPECT_EQ(console.inputText.getPosition().x, left) << "the line's box holds 675 units from x 20";
    }
}
