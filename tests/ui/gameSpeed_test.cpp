#include "support/simulationScope.hpp"
#include "ui/gameController.hpp"
#include "ui/panelTexts.hpp"

#include <gtest/gtest.h>

TEST(GameSpeed, TheLadderItsNamesAndTheNearestSpeedToAPercentage) {
    gameSpeed speed;
    std::string climbed = gameSpeed::nameOf(speed.factor());
    while (speed.faster()) {
        climbed += " " + gameSpeed::nameOf(speed.factor());
    }
    EXPECT_EQ(climbed, "1x 2x 4x 8x 16x");
    ASSERT_TRUE(speed.set(0.25));
    const bool downOnce = speed.slower();
    const bool downTwice = speed.slower();
    EXPECT_EQ(std::make_tuple(downOnce, downTwice, gameSpeed::nameOf(speed.factor()), speed.set(3)),
              std::make_tuple(true, false, std::string("1/8x"), false))
        << "from 1/4x one step down, none below the slowest; 3 is not a speed";
    // By ratio: 300 % lies 0.58 doublings above 2x and 0.42 below 4x; 141 % is nearer 1x than 2x.
    const std::pair<long long, double> nearest[] = {{100, 1},   {300, 4},    {141, 1},
                                                    {142, 2},   {0, 0.125},  {-50, 0.125},
                                                    {20, 0.25}, {12500, 16}, {1600, 16}};
    for (const auto& [percent, factor] : nearest) {
        EXPECT_EQ(gameSpeed::nearest(percent), factor) << percent << " %";
    }
    const std::pair<const char*, std::optional<double>> typed[] = {{"4", 4},
                                                                   {"0.25", 0.25},
                                                                   {"1/8", 0.125},
                                                                   {"16x", 16},
                                                                   {"1/0", std::nullopt},
                                                                   {"fast", std::nullopt},
                                                                   {" 4", std::nullopt},
                                                                   {"4 ", std::nullopt},
                                                                   {"", std::nullopt},
                                                                   {"inf", std::nullopt}};
    for (const auto& [text, value] : typed) {
        EXPECT_EQ(gameSpeed::parse(text), value) << '"' << text << '"';
    }
}

TEST(GameSpeed, FasterSpeedsTakeEveryTickTheClockAsksForAndLetTicksGoWhenTheFrameRunsOutOfTime) {
    simulationScope run;
    // 58 frames of 17 ms: at 1x a tick each; slower, one every 2 or 8 frames (more than 32 or 128 ms since
    // the last); faster, one for every 4 or 1 ms of the 986.
    const std::pair<double, int> expected[] = {{0.125, 7}, {0.5, 29}, {1, 58}, {4, 246}, {16, 986}};
    for (const auto& [factor, ticks] : expected) {
        sf::Time now;
        gameController controller([&now] { return now; });
        controller.tickBudget = std::chrono::hours(1);
        controller.speed.set(factor);
        int taken = 0;
        for (int frame = 0; frame < 58; ++frame) {
            now += sf::milliseconds(17);
            taken += controller.processGameTick();
        }
        EXPECT_EQ(std::make_pair(taken, currentGameTick), std::make_pair(ticks, ticks)) << factor << "x";
        EXPECT_EQ(controller.speed.reached(), std::nullopt) << "kept up at " << factor << "x";
    }
    sf::Time now;
    gameController controller([&now] { return now; });
    controller.speed.set(16);
    controller.tickBudget =
        std::chrono::steady_clock::duration::zero(); // a machine too slow for more than one
    for (int frame = 0; frame < 58; ++frame) {
        now += sf::milliseconds(17);
        EXPECT_EQ(controller.processGameTick(), 1);
    }
    // 57 ticks in the 969 ms after the first frame: 57 × 16 / 969 = 0.94 of the normal pace.
    EXPECT_EQ(gameSpeedText(controller.speed.factor(), controller.speed.reached()),
              "Speed: 16x, reaching 0.9x");
    controller.tickBudget = std::chrono::hours(1);
    now += sf::milliseconds(17);
    EXPECT_EQ(controller.processGameTick(), 17)
        << "the machine keeps up again: the ticks let go are not owed";
}

TEST(GameSpeed, SpacePausesAndResumesCommaAndPeriodStepTheSpeed) {
    simulationScope run;
    gameController controller;
    std::string paused;
    for (const sf::Keyboard::Key key : {sf::Keyboard::Space, sf::Keyboard::Space, sf::Keyboard::Space}) {
        controller.pressKey(key);
        paused += controller.gameClock.isPaused() ? "paused " : "running ";
    }
    for (int press = 0; press < 5; ++press) {
        controller.pressKey(sf::Keyboard::Period);
    }
    controller.pressKey(sf::Keyboard::Comma);
    EXPECT_EQ(
        std::make_pair(paused, run.console.text()),
        std::make_pair(std::string("paused running paused "),
                       std::string("Game paused.\nGame resumed.\nGame paused.\nGame speed: 2x.\nGame speed: "
                                   "4x.\nGame speed: 8x.\nGame speed: 16x.\nGame speed: 8x.\n")))
        << "no step past 16x, and no line for it";
}
