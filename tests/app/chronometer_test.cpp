#include "app/chronometer.hpp"

#include <gtest/gtest.h>

TEST(Chronometer, PausedTimeDoesNotCount) {
    sf::Time now = sf::milliseconds(1000);
    sftools::Chronometer clock([&now] { return now; });
    EXPECT_TRUE(clock.isRunning());
    now += sf::milliseconds(30);
    EXPECT_EQ(clock.getElapsedTime(), sf::milliseconds(30));
    {
        SCOPED_TRACE("paused, twice: the time stands still");
        clock.pause();
        clock.pause();
        now += sf::milliseconds(500);
        EXPECT_TRUE(clock.isPaused());
        EXPECT_EQ(clock.getElapsedTime(), sf::milliseconds(30));
    }
    {
        SCOPED_TRACE("resumed, twice: it runs on from where it stood");
        clock.resume();
        now += sf::milliseconds(5);
        clock.resume();
        now += sf::milliseconds(5);
        EXPECT_EQ(clock.getElapsedTime(), sf::milliseconds(40));
    }
    {
        SCOPED_TRACE("reset: zero and stopped, or running from zero");
        clock.reset();
        now += sf::milliseconds(5);
        EXPECT_FALSE(clock.isRunning());
        EXPECT_EQ(clock.getElapsedTime(), sf::Time::Zero);
        clock.pause();
        EXPECT_FALSE(clock.isPaused());
        clock.reset(true);
        now += sf::milliseconds(7);
        EXPECT_EQ(clock.getElapsedTime(), sf::milliseconds(7));
    }
}
