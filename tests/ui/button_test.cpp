#include "sim/placeableObject.hpp"
#include "support/quietOutput.hpp"
#include "ui/button.hpp"
#include "ui/gameController.hpp"

#include <gtest/gtest.h>

namespace {
class testPanel : public buttonPanel {
  public:
    placeableObject* shownObject() const override { return shown; }
    bool takesClicks() const override { return visible; }
    placeableObject* shown = nullptr;
    bool visible = true;
};

std::vector<std::tuple<buttonPanel*, placeableObject*, person*>> presses;
void recordPress(buttonPanel* owner, placeableObject* object, gameController*, person* chosen) {
    presses.emplace_back(owner, object, chosen);
}
} // namespace

TEST(Button, TheHitTestKeepsTheScaledEdgesOutAndAPressActsOnTheOwnersObject) {
    testPanel panel;
    button square("Attack", 0, 0, 100, &panel, nullptr, recordPress);
    std::string hits;
    for (const auto& [x, y, scale] : std::vector<std::tuple<int, int, float>>{
             {1, 1, 2}, {199, 199, 2}, {0, 50, 2}, {200, 50, 2}, {50, 0, 2}, {150, 150, 1}}) {
        hits += square.isHit(x, y, scale) ? "hit " : "miss ";
    }
    panel.visible = false;
    hits += square.isHit(50, 50, 1) ? "hit " : "miss "; // a hidden panel's buttons take no clicks
    panel.visible = true;
    square.visibleArea = sf::FloatRect(0, 40, 100, 100); // clipped: only where it shows, in unscaled units
    hits +=
        std::string(square.isHit(50, 30, 1) ? "hit " : "miss ") + (square.isHit(100, 90, 2) ? "hit" : "miss");
    EXPECT_EQ(hits, "hit hit miss miss miss miss miss miss hit");
    placeableObject shown("Shown", nullptr, 0, 0);
    panel.shown = &shown;
    person chosen("Ann", nullptr, Farmer);
    button row("X", 0, 300, 20, &panel, nullptr, recordPress, &chosen);
    row.setRelativeLocation(660, 130);
    row.move(0, 15);
    EXPECT_EQ(std::make_tuple(row.left, row.top, row.right, row.bottom, row.shape.getPosition(),
                              row.text.getPosition()),
              std::make_tuple(660, 445, 680, 465, sf::Vector2f(0, 315), sf::Vector2f(0, 315)))
        << "a relative location moves the hit rectangle only, a move the drawables too";
    quietOutput quiet;
    row.press();
    EXPECT_EQ(presses,
              (std::vector<std::tuple<buttonPanel*, placeableObject*, person*>>{{&panel, &shown, &chosen}}));
}
