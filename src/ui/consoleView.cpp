#include "ui/consoleView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "app/utilities.hpp"
#include "app/worldSelection.hpp"
#include "ui/alertNotices.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Utf.hpp>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {
constexpr float LOG_LEFT = 5.0f;
constexpr float LOG_TOP = 5.0f;
constexpr unsigned CHARACTER_SIZE = 20;
/// Height of the command line under the log, separator included.
constexpr int INPUT_HEIGHT = 30;
/// Where the typed line starts, right of the prompt.
constexpr float INPUT_LEFT = 20.0f;
/// Kept clear between the text and the panel's right edge.
constexpr float RIGHT_MARGIN = 5.0f;
/// The log's last line ends at least this far above the panel's bottom: clear of the command line, with
/// room for its descenders, so the newest line shows whole.
constexpr float LOG_BOTTOM_MARGIN = INPUT_HEIGHT + 5.0f;
constexpr char32_t BACKSPACE = 8;
constexpr char32_t CARRIAGE_RETURN = 13;

/// The C0 and C1 control characters and DELETE, which type nothing; and what is no character at all.
bool untypable(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
}
} // namespace

std::string initialConsoleText() {
    return "Generated world with seed: " + intToString(worldSeed) + ", worldName: " + worldName +
           "\nUse the arrow keys to explore.\nPress '+' to zoom in and '-' to zoom back out.\nPress enter to "
           "use the console.\nType 'help' to see commands.\n";
}

consoleView::consoleView(gameController* gameControl, glyphWidth glyphs)
    : consoleLog(initialConsoleText()), controller(gameControl), window(&currentGameWindow()),
      measure(glyphs ? std::move(glyphs) : fontGlyphWidth(arial, CHARACTER_SIZE)),
      rows(static_cast<float>(consoleWidth) - LOG_LEFT - RIGHT_MARGIN, measure), logTop(LOG_TOP),
      laidOutRevision(revision() - 1) {
    box.setSize(sf::Vector2f(static_cast<float>(consoleWidth), static_cast<float>(consoleHeight)));
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(3);
    separator.setSize(sf::Vector2f(static_cast<float>(consoleWidth), 3));
    separator.setFillColor(sf::Color::Black);
    separator.setPosition(0, static_cast<float>(consoleHeight - INPUT_HEIGHT));
    for (sf::Text* line : {&inputText, &logText, &alertText, &prompt}) {
        line->setFont(arial);
        line->setCharacterSize(CHARACTER_SIZE);
        line->setFillColor(sf::Color::Green);
    }
    alertText.setFillColor(alertNotices::COLOUR);
    inputText.setPosition(INPUT_LEFT, static_cast<float>(consoleHeight - 27));
    logText.setPosition(LOG_LEFT, LOG_TOP);
    prompt.setString(">");
    prompt.setPosition(LOG_LEFT, static_cast<float>(consoleHeight - 27));
}

float consoleView::lineSpacing() const {
    return arial.getLineSpacing(CHARACTER_SIZE);
}

void consoleView::appendHelp() {
    appendText(CONSOLE_HELP);
}

void consoleView::clearLog() {
    consoleLog::clearLog();
    rows.clear();
    logTop = LOG_TOP;
}

void consoleView::scrollUp() {
    logTop -= lineSpacing();
}

void consoleView::scrollDown() {
    logTop += lineSpacing();
}

void consoleView::layoutLog() {
    const bool changed = laidOutRevision != revision();
    if (changed) {
        rows.update(*this);
    }
    const float spacing = lineSpacing();
    const float count = static_cast<float>(rows.size());
    if (changed) {
        laidOutRevision = revision();
        const float excess = logTop + count * spacing + LOG_BOTTOM_MARGIN - static_cast<float>(consoleHeight);
        if (excess > 0) {
            logTop -= std::ceil(excess);
        }
    }
    std::size_t first = 0;
    std::size_t end = rows.size();
    if (spacing > 0) {
        const float clipHeight = static_cast<float>(consoleHeight - INPUT_HEIGHT);
        first = static_cast<std::size_t>(std::clamp(std::floor(-logTop / spacing), 0.0f, count));
        end = static_cast<std::size_t>(std::clamp(std::ceil((clipHeight - logTop) / spacing), 0.0f, count));
        end = std::max(first, end);
    }
    if (changed || first != shownFirst || end != shownEnd) {
        shownFirst = first;
        shownEnd = end;
        std::string plain;
        std::string alerts;
        for (std::size_t row = first; row < end; ++row) {
            const bool alert = rows[row].tone == logTone::alert;
            (alert ? alerts : plain) += rows[row].text;
            plain += '\n';
            alerts += '\n';
        }
        logText.setString(screenText(plain));
        alertText.setString(screenText(alerts));
    }
    logText.setPosition(LOG_LEFT, logTop + static_cast<float>(first) * spacing);
    alertText.setPosition(logText.getPosition());
}

void consoleView::drawConsole() {
    layoutLog();
    // A view that shows `area` of the panel one-to-one and nothing outside it.
    const auto clipTo = [](const sf::FloatRect& area) {
        sf::View clip(area);
        const float across = static_cast<float>(width);
        const float down = static_cast<float>(height);
        clip.setViewport(
            sf::FloatRect(area.left / across, area.top / down, area.width / across, area.height / down));
        return clip;
    };
    App->draw(box);
    App->draw(separator);
    const float logHeight = static_cast<float>(consoleHeight - INPUT_HEIGHT);
    if (inputShown) {
        App->draw(prompt);
        App->setView(clipTo(sf::FloatRect(INPUT_LEFT, logHeight,
                                          static_cast<float>(consoleWidth) - INPUT_LEFT - RIGHT_MARGIN,
                                          static_cast<float>(INPUT_HEIGHT))));
        App->draw(inputText);
    }
    App->setView(clipTo(sf::FloatRect(0, 0, static_cast<float>(consoleWidth), logHeight)));
    App->draw(logText);
    App->draw(alertText);
    App->setView(App->getDefaultView());
}

void consoleView::handleConsoleInput(char32_t c) {
    if (c == BACKSPACE) {
        removeLastCodePoint(input);
    } else if (c == CARRIAGE_RETURN) {
        executeLine();
    } else if (!untypable(c)) {
        sf::Utf8::encode(c, std::back_inserter(input));
    }
    placeInput();
}

void consoleView::placeInput() {
    inputText.setString(screenText(input));
    const float room = static_cast<float>(consoleWidth) - INPUT_LEFT - RIGHT_MARGIN;
    const float across = textWidth(input, measure);
    inputText.setPosition(INPUT_LEFT - std::max(0.0f, across - room), inputText.getPosition().y);
}

void consoleView::executeLine() {
    if (controller != nullptr) {
        controller->lastInputTime = Clock.getElapsedTime().asSeconds();
    }
    if (!input.empty()) {
        history.push_back(input);
        appendLog("> " + input);
        runConsoleCommand(input, *this, controller, *window);
    }
    historyPosition = history.size();
    draft.clear();
    input.clear();
    active = false;
    inputShown = false;
}

void consoleView::recallHistory(int step) {
    const long next =
        std::clamp(static_cast<long>(historyPosition) + step, 0L, static_cast<long>(history.size()));
    if (static_cast<std::size_t>(next) == historyPosition) {
        return;
    }
    if (historyPosition == history.size()) {
        draft = input;
    }
    historyPosition = static_cast<std::size_t>(next);
    input = historyPosition == history.size() ? draft : history[historyPosition];
    placeInput();
}
