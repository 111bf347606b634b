#include "ui/button.hpp"

#include "view/gameView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <iostream>

namespace {
constexpr unsigned CAPTION_SIZE = 20;
constexpr float OUTLINE = 3.0f;
} // namespace

button::button(std::string label, int x, int y, int size, buttonPanel* owner, gameController* controller,
               buttonCallback callback, person* data)
    : callback(callback), left(x), top(y), right(x + size), bottom(y + size),
      shape(sf::Vector2f(static_cast<float>(size), static_cast<float>(size))),
      text(label, arial, CAPTION_SIZE), label(std::move(label)), owner(owner), controller(controller),
      data(data) {
    shape.setPosition(static_cast<float>(x), static_cast<float>(y));
    shape.setFillColor(sf::Color::Transparent);
    shape.setOutlineColor(sf::Color::Black);
    shape.setOutlineThickness(OUTLINE);
    text.setFillColor(sf::Color::White);
    text.setPosition(static_cast<float>(x), static_cast<float>(y));
}

void button::draw(sf::RenderTarget& target) const {
    target.draw(shape);
    target.draw(text);
}

void button::press() {
    std::cout << "button::press(): calling callback funct\n";
    if (callback == nullptr) {
        return;
    }
    if (owner != nullptr) {
        callback(owner, owner->shownObject(), controller, data);
    } else {
        callback(nullptr, nullptr, controller, data);
    }
}

void button::move(int dx, int dy) {
    setRelativeLocation(dx, dy);
    shape.move(static_cast<float>(dx), static_cast<float>(dy));
    text.move(static_cast<float>(dx), static_cast<float>(dy));
}

void button::setRelativeLocation(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

bool button::isHit(int mouseX, int mouseY, float windowScale) const {
    const float x = static_cast<float>(mouseX);
    const float y = static_cast<float>(mouseY);
    const bool inside =
        x > static_cast<float>(left) * windowScale && x < static_cast<float>(right) * windowScale &&
        y > static_cast<float>(top) * windowScale && y < static_cast<float>(bottom) * windowScale;
    if (!inside || (owner != nullptr && !owner->takesClicks())) {
        return false;
    }
    return !visibleArea || visibleArea->contains(x / windowScale, y / windowScale);
}
