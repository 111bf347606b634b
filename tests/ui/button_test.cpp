#include "sim/placeableObject.hpp"
#include "ui/button.hpp"
#include "ui/gameController.hpp"

#include <gtest/gtest.h>

namespace {
/// A panel that shows one object and can be hidden.
class testPanel : public buttonPanel {
  public:
    placeableObject* shownObject() const override { return shown; }
    bool takesClicks() const override { return visible; }
    placeableObject* shown = nullptr;
    bool visible = true;
};

/// What the last action received.
struct pressRecord {
    int presses = 0;
    buttonPanel* owner = nullptr;
    placeableObject* object = nullptr;
    gameController* controller = nullptr;
    person* chosen = nullptr;
};
pressRecord lastPress;

void recordPress(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen) {
    lastPress = {lastPress.presses + 1, owner, object, controller, chosen};
}
} // namespace

TEST(Button, HitTestScalesTheRectangleAndKeepsItsEdgesOut) {
    testPanel panel;
    button square("Attack", 0, 0, 100, &panel, nullptr, recordPress);
    {
        SCOPED_TRACE("scale 2: window pixels 1 to 199 hit, 0 and 200 miss, on both axes");
        EXPECT_TRUE(square.isHit(1, 1, 2.0f));
        EXPECT_TRUE(square.isHit(199, 199, 2.0f));
        EXPECT_TRUE(square.isHit(100, 150, 2.0f));
        for (const auto& [x, y] :
             {std::pair{0, 50}, std::pair{200, 50}, std::pair{50, 0}, std::pair{50, 200}}) {
            EXPECT_FALSE(square.isHit(x, y, 2.0f)) << x << ", " << y;
        }
        EXPECT_FALSE(square.isHit(150, 150, 1.0f)) << "scale 1 ends at 100";
    }
    {
        SCOPED_TRACE("a hidden panel's button takes no clicks");
        panel.visible = false;
        EXPECT_FALSE(square.isHit(50, 50, 1.0f));
        panel.visible = true;
    }
    {
        SCOPED_TRACE("a clipped button takes clicks only where it can be seen");
        square.visibleArea = sf::FloatRect(0, 40, 100, 100);
        EXPECT_FALSE(square.isHit(50, 30, 1.0f));
        EXPECT_TRUE(square.isHit(50, 45, 1.0f));
        EXPECT_TRUE(square.isHit(100, 90, 2.0f)) << "the area is in unscaled units too";
        EXPECT_FALSE(square.isHit(100, 70, 2.0f));
    }
}

TEST(Button, MovesAndPresses) {
    testPanel panel;
    placeableObject shown("Shown", nullptr, 0, 0);
    panel.shown = &shown;
    person chosen("Ann", nullptr, Farmer);
    gameController controller;
    button row("X", 0, 300, 20, &panel, &controller, recordPress, &chosen);
    {
        SCOPED_TRACE("a relative location moves the hit rectangle only; move takes the drawables along");
        row.setRelativeLocation(660, 130);
        EXPECT_EQ(std::vector<int>({row.left, row.top, row.right, row.bottom}),
                  std::vector<int>({660, 430, 680, 450}));
        EXPECT_EQ(row.shape.getPosition(), sf::Vector2f(0, 300));
        row.move(0, 15);
        EXPECT_EQ(row.top, 445);
        EXPECT_EQ(row.bottom, 465);
        EXPECT_EQ(row.shape.getPosition(), sf::Vector2f(0, 315));
        EXPECT_EQ(row.text.getPosition(), sf::Vector2f(0, 315));
    }
    testing::internal::CaptureStdout();
    {
        SCOPED_TRACE("press: the owner, its object now, the controller and the button's person");
        row.press();
        EXPECT_EQ(lastPress.presses, 1);
        EXPECT_EQ(lastPress.owner, &panel);
        EXPECT_EQ(lastPress.object, &shown);
        EXPECT_EQ(lastPress.controller, &controller);
        EXPECT_EQ(lastPress.chosen, &chosen);
    }
    {
        SCOPED_TRACE("without an owner the action gets neither owner nor object; without one, nothing runs");
        button loose("Close", 0, 0, 20, nullptr, &controller, recordPress);
        loose.press();
        EXPECT_EQ(lastPress.presses, 2);
        EXPECT_EQ(lastPress.owner, nullptr);
        EXPECT_EQ(lastPress.object, nullptr);
        button inert("Nothing", 0, 0, 20, &panel, &controller, nullptr);
        inert.press();
        EXPECT_EQ(lastPress.presses, 2);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "button::press(): calling callback funct\n"
                                                      "button::press(): calling callback funct\n"
                                                      "button::press(): calling callback funct\n");
}
