#include "app/windowFit.hpp"

#include <gtest/gtest.h>
#include <tuple>

TEST(WindowFit, TheLargestWholePercentageThatFitsTheDesktopLessItsBars) {
    // The room is the desktop less 16 pixels across and 80 down (title bar 30, task bar 50).
    // configured scale, desktop width and height, the scale chosen, why.
    const std::tuple<float, unsigned, unsigned, float, const char*> cases[] = {
        {1.0f, 1366, 768, 0.63f, "laptop: 688 / 1080 rows is 63.7 %"},
        {1.0f, 1920, 1080, 0.92f, "a desktop of the window's own size: 1000 / 1080 rows"},
        {1.0f, 1936, 1160, 1.0f, "exactly the room the window needs keeps it"},
        {0.5f, 1366, 768, 0.5f, "a configured window that fits keeps its size"},
        {1.0f, 100, 90, 0.01f, "a tiny desktop still gets the smallest scale allowed"},
    };
    for (const auto& [configured, across, down, chosen, why] : cases) {
        SCOPED_TRACE(why);
        EXPECT_FLOAT_EQ(fittingWindowScale(configured, 1920, 1080, across, down), chosen);
    }
    EXPECT_EQ(centredWindowPosition({1209, 680}, 1366, 768), sf::Vector2i(78, 34))
        << "4 rows above and below";
}
