#include "ui/consoleView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "app/worldSelection.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <cmath>

namespace {
constexpr float LOG_LEFT = 5.0f;
constexpr float LOG_TOP = 5.0f;
/// Height of the command line under the log, separator included.
constexpr int INPUT_HEIGHT = 30;
} // namespace

std::string initialConsoleText() {
    return "Generated world with seed: " + intToString(worldSeed) + ", worldName: " + worldName +
           "\nUse the arrow keys to explore.\nPress '+' to zoom in and '-' to zoom back out.\nPress enter to "
           "use "
           "the console.\nType 'help' to see commands.\n";
}

consoleView::consoleView(gameController* gameControl)
    : consoleLog(initialConsoleText()), controller(gameControl), shownRevision(revision() - 1) {
    box.setSize(sf::Vector2f(static_cast<float>(consoleWidth), static_cast<float>(consoleHeight)));
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(3);
    separator.setSize(sf::Vector2f(static_cast<float>(consoleWidth), 3));
    separator.setFillColor(sf::Color::Black);
    separator.setPosition(0, static_cast<float>(consoleHeight - INPUT_HEIGHT));
    for (sf::Text* line : {&inputText, &logText, &prompt}) {
        line->setFont(arial);
        line->setCharacterSize(20);
        line->setFillColor(sf::Color::Green);
    }
    inputText.setPosition(20, static_cast<float>(consoleHeight - 27));
    logText.setPosition(LOG_LEFT, LOG_TOP);
    prompt.setString(">");
    prompt.setPosition(LOG_LEFT, static_cast<float>(consoleHeight - 27));
}

void consoleView::keepLastLineInSight() {
    const sf::FloatRect bounds = logText.getGlobalBounds();
    const float excess = bounds.top + bounds.height + 20 - static_cast<float>(consoleHeight);
    if (excess > 0) {
        logText.move(0, -std::ceil(excess));
    }
}

void consoleView::drawConsole() {
    if (shownRevision != revision()) {
        shownRevision = revision();
        logText.setString(text());
        if (text().empty()) {
            logText.setPosition(LOG_LEFT, LOG_TOP);
        }
        keepLastLineInSight();
    }
    prompt.setString(">");
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
    App->setView(App->getDefaultView());
}
