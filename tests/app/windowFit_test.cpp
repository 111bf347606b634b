#include "app/windowFit.hpp"

#include <gtest/gtest.h>

TEST(WindowFit, TheLargestWholePercentageThatFitsTheDesktopLessItsBars) {
    // The room is the desktop less 16 pixels across and 80 down (title bar 30, task bar 50).
    struct Case { float configured; unsigned desktopWidth, desktopHeight; float scale; const char* why; };
    const Case cases[] = {
        {1.0f, 1366, 768, 0.63f, "laptop: 688 / 1080 rows is 63.7 %"},
        {1.0f, 1920, 1080, 0.92f, "a desktop of the window's own size: 1000 / 1080 rows"},
        {1.0f, 1936, 1160, 1.0f, "exactly the room the window needs keeps it"},
        {1.0f, 1935, 1160, 0.99f, "one column short: 1919 / 1920"},
        {0.5f, 1366, 768, 0.5f, "a configured window that fits keeps its size"},
        {2.0f, 3840, 2160, 1.92f, "a large scale on a large screen: 2080 / 1080 rows"},
        {1.0f, 100, 90, 0.01f, "a tiny desktop still gets the smallest scale allowed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FLOAT_EQ(fittingWindowScale(c.configured, 1920, 1080, c.desktopWidth, c.desktopHeight), c.scale);
    }
    EXPECT_EQ(centredWindowPosition({1209, 680}, 1366, 768), sf::Vector2i(78, 34)) << "4 rows above and below";
    EXPECT_EQ(centredWindowPosition({1920, 1080}, 1920, 1080), sf::Vector2i(0, 0)) << "never off the top";
}
