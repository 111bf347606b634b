#include "ui/infoBox.hpp"

#include "app/consoleLog.hpp"
#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "app/utilities.hpp"
#include "sim/combat.hpp"
#include "sim/placeableObject.hpp"
#include "ui/commandBar.hpp"
#include "ui/gameController.hpp"
#include "ui/panelTexts.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

namespace {
constexpr int BOX_TOP = 100;
/// The content region starts under the row of the Close and Split buttons.
constexpr int CONTENT_TOP = 130;
/// The content region ends this much above the box's bottom.
constexpr int CONTENT_MARGIN = 30;
constexpr int SMALL_BUTTON = 20;
/// Split's left edge, from the box's right edge.
constexpr int SPLIT_FROM_RIGHT = 50;
constexpr float TEXT_LEFT = 25.0f;
/// Room between the text and the box's right edge, and between the box and the window's right edge.
constexpr float RIGHT_MARGIN = 25.0f;
constexpr float OUTLINE = 3.0f;
} // namespace

infoBox::infoBox(gameView* owner) : text("", arial, 20), controller(owner->controller) {
    const int left = contentLeft();
    box.setSize(sf::Vector2f(static_cast<float>(boxWidth), static_cast<float>(boxHeight)));
    box.setPosition(static_cast<float>(left), static_cast<float>(BOX_TOP));
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(OUTLINE);
    text.setFillColor(sf::Color::White);
    closeButton =
        std::make_unique<button>("Close", left, BOX_TOP, SMALL_BUTTON, this, controller, closeInfoBox);
    splitButton = std::make_unique<button>("Split", width / 2 + boxWidth / 2 - SPLIT_FROM_RIGHT, BOX_TOP,
                                           SMALL_BUTTON, this, controller, splitUnit);
    if (controller != nullptr) {
        controller->addButton(closeButton.get());
    }
}

infoBox::~infoBox() {
    deleteButtons();
    if (controller != nullptr) {
        controller->removeButton(closeButton.get());
    }
}

int infoBox::contentLeft() const {
    // Where a box of the default width is centred: a wider box grows to the right only.
    return width / 2 - DEFAULT_WIDTH / 2;
}

sf::FloatRect infoBox::getCoordinatesRect() const {
    return {static_cast<float>(contentLeft()), static_cast<float>(CONTENT_TOP), static_cast<float>(boxWidth),
            static_cast<float>(boxHeight - CONTENT_MARGIN)};
}

void infoBox::update(placeableObject* shown) {
    if (shown == nullptr) {
        return;
    }
    deleteButtons();
    if (controller != nullptr) {
        controller->addButton(splitButton.get());
    }
    selectedPeople.clear();
    text.setPosition(TEXT_LEFT, 0);
    visible = true;
    object = shown;
    makeRows();
    shownText.clear();
    refresh();
}

void infoBox::makeRows() {
    const int scrolled = static_cast<int>(text.getPosition().y);
    for (int i = 0; i < object->numPeople(); ++i) {
        person* citizen = object->people[static_cast<std::size_t>(i)];
        std::cout << "Populating button with person: " << static_cast<const void*>(citizen) << "\n";
        auto& made = personButtons.emplace_back(std::make_unique<button>(
            "X", 0, rowStart + ROW_HEIGHT * i, SMALL_BUTTON, this, controller, selectPerson, citizen));
        made->setRelativeLocation(contentLeft(), CONTENT_TOP);
        made->move(0, scrolled);
        made->visibleArea = getCoordinatesRect();
        if (controller != nullptr) {
            controller->addButton(made.get());
        }
    }
}

void infoBox::refresh() {
    if (!visible || object == nullptr) {
        return;
    }
    const bool sameRows = personButtons.size() == object->people.size() &&
                          std::equal(personButtons.begin(), personButtons.end(), object->people.begin(),
                                     [](const std::unique_ptr<button>& row, const person* citizen) {
                                         return row->data == citizen;
                                     });
    if (!sameRows) {
        // Citizens came or went: a row each for those there now, the chosen ones still chosen.
        deleteButtons();
        if (controller != nullptr) {
            controller->addButton(splitButton.get());
        }
        makeRows();
        for (auto chosen = selectedPeople.begin(); chosen != selectedPeople.end();) {
            chosen = object->hasPerson(*chosen) ? std::next(chosen) : selectedPeople.erase(chosen);
        }
    }
    std::string now = infoBoxText(*object);
    if (now != shownText) {
        shownText = std::move(now);
        text.setString(screenText(shownText));
    }
}

void infoBox::fitWidth() {
    if (!captionsFitted) {
        // Their captions are wider than their squares: the buttons grow right, in the strip above the rows.
        for (button* small : {closeButton.get(), splitButton.get()}) {
            small->growToCaption(CONTENT_TOP - BOX_TOP - static_cast<int>(OUTLINE));
        }
        captionsFitted = true;
    }
    // The box keeps its left edge and grows right, inside the window, when a line needs more room.
    const sf::FloatRect bounds = text.getLocalBounds();
    const float needed =
        std::max({static_cast<float>(DEFAULT_WIDTH), TEXT_LEFT + bounds.left + bounds.width + RIGHT_MARGIN,
                  static_cast<float>(splitButton->right - contentLeft()) + OUTLINE});
    boxWidth = static_cast<int>(
        std::ceil(std::min(needed, static_cast<float>(width - contentLeft()) - RIGHT_MARGIN)));
    box.setSize(sf::Vector2f(static_cast<float>(boxWidth), static_cast<float>(boxHeight)));
    const sf::FloatRect content = getCoordinatesRect();
    for (const auto& row : personButtons) {
        row->visibleArea = content;
    }
}

void infoBox::deleteButtons() {
    if (controller != nullptr) {
        for (const auto& made : personButtons) {
            controller->removeButton(made.get());
        }
        controller->removeButton(splitButton.get());
    }
    personButtons.clear();
}

void infoBox::scrollOffset(int dy) {
    text.move(0, static_cast<float>(dy));
    for (const auto& made : personButtons) {
        made->move(0, dy);
    }
}

void infoBox::togglePerson(person* citizen) {
    std::cout << "Toggling person selection for: " << static_cast<const void*>(citizen) << "\n";
    if (object == nullptr || citizen == nullptr || !object->hasPerson(citizen)) {
        const auto row = std::find_if(personButtons.begin(), personButtons.end(),
                                      [citizen](const auto& made) { return made->data == citizen; });
        const std::string name = object != nullptr ? object->name : "this object";
        logToConsole("Citizen " + intToString(static_cast<int>(row - personButtons.begin()) + 1) +
                     " is no longer in " + name + ".");
        return;
    }
    if (selectedPeople.erase(citizen) > 0) {
        std::cout << "Removed person selection\n";
    } else {
        selectedPeople.insert(citizen);
        std::cout << "Inserted person selection\n";
    }
}

void infoBox::display() {
    if (!visible) {
        return;
    }
    refresh();
    fitWidth();
    App->draw(box);
    closeButton->draw(*App);
    splitButton->draw(*App);

    const sf::FloatRect content = getCoordinatesRect();
    sf::View rows(sf::FloatRect(0, 0, content.width, content.height));
    rows.setViewport(sf::FloatRect(
        content.left / static_cast<float>(width), content.top / static_cast<float>(height),
        content.width / static_cast<float>(width), content.height / static_cast<float>(height)));
    App->setView(rows);
    sf::RectangleShape highlight(sf::Vector2f(static_cast<float>(boxWidth), static_cast<float>(ROW_HEIGHT)));
    highlight.setFillColor(YELLOW_WITH_ALPHA);
    for (const auto& made : personButtons) {
        made->draw(*App);
        if (selectedPeople.count(made->data) > 0) {
            highlight.setPosition(0, static_cast<float>(made->top - CONTENT_TOP));
            App->draw(highlight);
        }
    }
    App->draw(text);
    App->setView(App->getDefaultView());
}

void closeInfoBox(buttonPanel* owner, placeableObject*, gameController*, person*) {
    if (auto* shownBox = dynamic_cast<infoBox*>(owner)) {
        shownBox->deleteButtons();
        shownBox->visible = false;
    }
}

void splitUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person*) {
    auto* shownBox = dynamic_cast<infoBox*>(owner);
    if (shownBox == nullptr || object == nullptr) {
        return;
    }
    if (!object->inPlay()) {
        logLeftPlay(*object);
        return;
    }
    if (controller == nullptr || !controller->humanOwns(*object)) {
        logToConsole("You can not split an object that you do not own.");
        return;
    }
    const int before = object->numPeople();
    placeableObject* unit = split(object, shownBox->selectedPeople);
    if (unit == nullptr) {
        logToConsole("You can not create a new unit of 0 population!");
        return;
    }
    logToConsole("Split success! The new unit takes " + intToString(unit->numPeople()) + " of " +
                 intToString(before) + " people and their share of the goods and gear: " + goodsText(*unit) +
                 ".");
    shownBox->deleteButtons();
    shownBox->visible = false;
    if (controller != nullptr) {
        controller->selectedObject = unit;
        if (controller->view != nullptr) {
            controller->view->commandPanel->update(unit);
        }
        controller->context = gameController::movePending;
    }
    logToConsole("click a location to place the split unit.");
}

void selectPerson(buttonPanel* owner, placeableObject*, gameController*, person* chosen) {
    if (auto* shownBox = dynamic_cast<infoBox*>(owner)) {
        shownBox->togglePerson(chosen);
    }
}
