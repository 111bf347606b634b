#include "ui/commandBar.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "sim/gameTime.hpp"
#include "ui/alertNotices.hpp"
#include "ui/gameController.hpp"
#include "ui/panelTexts.hpp"
#include "ui/unitActions.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <utility>

namespace {
constexpr int PANEL_SIZE = 400;
constexpr float OUTLINE = 3.0f;
/// Between neighbouring buttons, and between the first button and the panel's column.
constexpr int BUTTON_GAP = 3;
constexpr float STATUS_TOP = 30.0f;
/// The speed stands right of the status line's date [Units: window units].
constexpr float SPEED_LEFT = 360.0f;
/// Room between the details and the panel's right and bottom edges.
constexpr float TEXT_MARGIN = 8.0f;

struct barButton {
    const char* caption;
    buttonCallback action;
};
constexpr std::array<barButton, commandBar::BUTTON_COUNT> BUTTONS{{{"Attack", attackUnit},
                                                                   {"Move", moveUnit},
                                                                   {"Stop", stopUnit},
                                                                   {"Merge", mergeUnit},
                                                                   {"Found City", foundUnit},
                                                                   {"Cancel", resetContext},
                                                                   {"Detailed\nStats", populateInfoBox}}};
} // namespace

commandBar::commandBar(gameView* owner)
    : panelText("", arial, 20), statusText("", arial, 20), speedText("", arial, 20),
      pausedText("PAUSED", arial, 20), controller(owner->controller) {
    const float panelLeft = static_cast<float>(width - PANEL_SIZE);
    const float panelTop = static_cast<float>(height - barHeight - PANEL_SIZE) - OUTLINE;
    panel.setSize(sf::Vector2f(PANEL_SIZE, PANEL_SIZE));
    panel.setPosition(panelLeft, panelTop);
    panelText.setPosition(panelLeft, panelTop);
    panelText.setFillColor(sf::Color::White);
    bar.setSize(sf::Vector2f(static_cast<float>(width), static_cast<float>(barHeight)));
    bar.setPosition(0, static_cast<float>(height - barHeight));
    for (sf::RectangleShape* shape : {&panel, &bar}) {
        shape->setFillColor(GREY_WITH_ALPHA);
        shape->setOutlineColor(sf::Color::Black);
        shape->setOutlineThickness(OUTLINE);
    }
    statusText.setPosition(0, static_cast<float>(height - barHeight) + STATUS_TOP);
    statusText.setFillColor(sf::Color::White);
    speedText.setPosition(SPEED_LEFT, statusText.getPosition().y);
    speedText.setFillColor(sf::Color::White);
    pausedText.setPosition(SPEED_LEFT, statusText.getPosition().y + arial.getLineSpacing(20));
    pausedText.setFillColor(alertNotices::COLOUR);

    // Right to left from just left of the panel's column, one gap apart.
    for (int k = 1; k <= BUTTON_COUNT; ++k) {
        const barButton& entry = BUTTONS[static_cast<std::size_t>(k - 1)];
        const int left = width - k * barHeight - (PANEL_SIZE + BUTTON_GAP * k);
        auto& made = buttons[static_cast<std::size_t>(k - 1)];
        made = std::make_unique<button>(entry.caption, left, height - barHeight, barHeight, this, controller,
                                        entry.action);
        if (controller != nullptr) {
            controller->addButton(made.get());
        }
    }
}

commandBar::~commandBar() {
    if (controller != nullptr) {
        for (const auto& made : buttons) {
            controller->removeButton(made.get());
        }
    }
}

void commandBar::update(placeableObject* object) {
    if (object == nullptr) {
        return;
    }
    if (controller != nullptr) {
        controller->selectedObject = object;
    }
    selected = object;
    visible = true;
    refresh();
}

void commandBar::refresh() {
    if (selected == nullptr) {
        return;
    }
    std::string now = commandPanelText(*selected);
    if (now == shownText) {
        return;
    }
    shownText = std::move(now);
    panelText.setString(screenText(shownText));
}

void commandBar::fitPanel() {
    // The panel keeps its right and bottom edges and grows left and up, to at most the window's width.
    const sf::FloatRect text = panelText.getLocalBounds();
    const float across =
        std::min(std::max(static_cast<float>(PANEL_SIZE), text.left + text.width + TEXT_MARGIN),
                 static_cast<float>(width) - OUTLINE);
    const float down = std::max(static_cast<float>(PANEL_SIZE), text.top + text.height + TEXT_MARGIN);
    panel.setSize({across, down});
    panel.setPosition(static_cast<float>(width) - across,
                      static_cast<float>(height - barHeight) - down - OUTLINE);
    panelText.setPosition(panel.getPosition());
}

void commandBar::display() {
    if (!visible) {
        return;
    }
    refresh();
    // Text metrics need the graphics context, which drawing has.
    if (!captionsFitted) {
        for (const auto& made : buttons) {
            made->fitCaption();
        }
        captionsFitted = true;
    }
    fitPanel();
    App->draw(bar);
    App->draw(panel);
    App->draw(panelText);
    statusText.setString(gameStatusText(currentGameTick, gameTime));
    App->draw(statusText);
    if (controller != nullptr) {
        speedText.setString(gameSpeedText(controller->speed.factor(), controller->speed.reached()));
        App->draw(speedText);
        if (controller->gameClock.isPaused()) {
            App->draw(pausedText);
        }
    }
    for (const auto& made : buttons) {
        made->draw(*App);
    }
}
