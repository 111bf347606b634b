#include "ui/consoleView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "app/worldSelection.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <cmath>

namespace {
constexpr float LOG_LEFT = 5.0f;
constexpr float LOG_TOP = 5.0f;
constexpr unsigned CHARACTER_SIZE = 20;
/// Height of the command line under the log, separator included.
constexpr int INPUT_HEIGHT = 30;
/// The log's last line ends at least this far above the panel's bottom: clear of the command line, with
/// room for its descenders, so the newest line shows whole.
constexpr float LOG_BOTTOM_MARGIN = INPUT_HEIGHT + 5.0f;
constexpr char BACKSPACE = 8;
constexpr char CARRIAGE_RETURN = 13;
constexpr char DELETE = 127;
} // namespace

std::string initialConsoleText() {
    return "Generated world with seed: " + intToString(worldSeed) + ", worldName: " + worldName +
           "\nUse the arrow keys to explore.\nPress '+' to zoom in and '-' to zoom back out.\nPress enter to "
           "use the console.\nType 'help' to see commands.\n";
}

consoleView::consoleView(gameController* gameControl)
    : consoleLog(initialConsoleText()), controller(gameControl), window(&currentGameWindow()),
      logTop(LOG_TOP), laidOutRevision(revision() - 1) {
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
    alertText.setFillColor(ALERT_COLOUR);
    inputText.setPosition(20, static_cast<float>(consoleHeight - 27));
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
    logTop = LOG_TOP;
}

void consoleView::layoutLog() {
    const float spacing = lineSpacing();
    const float count = static_cast<float>(lineCount());
    const bool changed = laidOutRevision != revision();
    if (changed) {
        laidOutRevision = revision();
        const float excess = logTop + count * spacing + LOG_BOTTOM_MARGIN - static_cast<float>(consoleHeight);
        if (excess > 0) {
            logTop -= std::ceil(excess);
        }
    }
    std::size_t first = 0;
    std::size_t end = lineCount();
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
        for (std::size_t line = first; line < end; ++line) {
            const std::string shown = lines(line, line + 1);
            const bool alert = toneOf(line) == logTone::alert;
            (alert ? alerts : plain) += shown;
            (alert ? plain : alerts) += '\n';
        }
        logText.setString(plain);
        alertText.setString(alerts);
    }
    logText.setPosition(LOG_LEFT, logTop + static_cast<float>(first) * spacing);
    alertText.setPosition(logText.getPosition());
}

void consoleView::drawConsole() {
    layoutLog();
    App->draw(box);
    App->draw(separator);
    if (inputShown) {
        App->draw(prompt);
        App->draw(inputText);
    }
    const float logHeight = static_cast<float>(consoleHeight - INPUT_HEIGHT);
    sf::View clip(sf::FloatRect(0, 0, static_cast<float>(consoleWidth), logHeight));
    clip.setViewport(sf::FloatRect(0, 0, static_cast<float>(consoleWidth) / static_cast<float>(width),
                                   logHeight / static_cast<float>(height)));
    App->setView(clip);
    App->draw(logText);
    App->draw(alertText);
    App->setView(App->getDefaultView());
}

void consoleView::handleConsoleInput(char c) {
    if (c == BACKSPACE) {
        if (!input.empty()) {
            input.pop_back();
        }
    } else if (c == CARRIAGE_RETURN) {
        executeLine();
    } else if (static_cast<unsigned char>(c) >= ' ' && c != DELETE) {
        input += c;
    }
    inputText.setString(input);
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
    inputText.setString(input);
}
