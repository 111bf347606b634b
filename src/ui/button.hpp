#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <optional>
#include <string>

class gameController;
class person;
class placeableObject;
namespace sf {
class RenderTarget;
}

/// A panel that owns buttons (the command bar, the info box). Its buttons' actions receive the panel and the
/// object it shows.
class buttonPanel {
  public:
    virtual ~buttonPanel() = default;
    /// The object the panel's buttons act on; null when there is none.
    virtual placeableObject* shownObject() const = 0;
    /// False while the panel is hidden: its buttons cannot be seen, so they take no clicks.
    virtual bool takesClicks() const = 0;
};

/// What a button does when pressed: the panel that owns it, that panel's object, the game controller and the
/// citizen the button stands for (null except for the info box's citizen buttons).
using buttonCallback = void (*)(buttonPanel* owner, placeableObject* object, gameController* controller,
                                person* chosen);

/// A square with a caption and an action. Laid out in unscaled window units; the controller's hit test
/// scales them to window pixels. Main thread only.
class button {
  public:
    button(std::string label, int x, int y, int size, buttonPanel* owner, gameController* controller,
           buttonCallback callback, person* data = nullptr);

    /// The outline square, then the caption.
    void draw(sf::RenderTarget& target) const;
    /// Makes the caption fit inside the square: wrapped at its blanks, then in a smaller character size if
    /// it still does not fit. Needs the font loaded.
    void fitCaption();
    /// Widens and heightens the button, keeping its top-left corner, so that its caption fits at its
    /// character size, to at most `maxHeight` units high. Needs the font loaded.
    void growToCaption(int maxHeight);
    /// Runs the action with the owner and the owner's current object (both null without an owner).
    void press();
    /// Moves the hit rectangle and the drawables together.
    void move(int dx, int dy);
    /// Moves the hit rectangle only: a button drawn through a panel's own view is hit-tested where that view
    /// puts it in the window.
    void setRelativeLocation(int dx, int dy);
    /// A click at window pixel (mouseX, mouseY) lands strictly inside the hit rectangle scaled by
    /// `windowScale`, inside `visibleArea` when there is one, while the owner takes clicks.
    bool isHit(int mouseX, int mouseY, float windowScale) const;

    buttonCallback callback;
    int left;
    int top;
    int right;
    int bottom;
    sf::RectangleShape shape;
    sf::Text text;
    std::string label;
    buttonPanel* owner;
    gameController* controller;
    person* data;
    /// Where the button can be seen, in unscaled window units (a scrolled panel clips it); clicks outside
    /// it miss. Unset: wherever it is.
    std::optional<sf::FloatRect> visibleArea;
};
