#include "ui/button.hpp"

#include "view/gameView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
constexpr unsigned CAPTION_SIZE = 20;
/// A caption is not shrunk below this size to fit its square.
constexpr unsigned SMALLEST_CAPTION_SIZE = 12;
/// Room between a caption and its square's right and bottom edges.
constexpr int CAPTION_PADDING = 3;
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

void button::fitCaption() {
    const auto fits = [this] {
        const sf::FloatRect bounds = text.getLocalBounds();
        return bounds.left + bounds.width <= static_cast<float>(right - left - CAPTION_PADDING) &&
               bounds.top + bounds.height <= static_cast<float>(bottom - top - CAPTION_PADDING);
    };
    if (fits()) {
        return;
    }
    std::string wrapped = label;
    std::replace(wrapped.begin(), wrapped.end(), ' ', '\n');
    text.setString(wrapped);
    for (unsigned size = CAPTION_SIZE; !fits() && size > SMALLEST_CAPTION_SIZE; --size) {
        text.setCharacterSize(size - 1);
    }
}

void button::growToCaption(int maxHeight) {
    const sf::FloatRect bounds = text.getLocalBounds();
    const int across = static_cast<int>(std::ceil(bounds.left + bounds.width)) + CAPTION_PADDING;
    const int down = static_cast<int>(std::ceil(bounds.top + bounds.height)) + CAPTION_PADDING;
    right = std::max(right, left + across);
    bottom = std::max(bottom, top + std::min(down, maxHeight));
    shape.setSize(sf::Vector2f(static_cast<float>(right - left), static_cast<float>(bottom - top)));
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
