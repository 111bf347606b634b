#include "path/pathGeometry.hpp"

#include <gtest/gtest.h>

#include <cmath>

TEST(PathGeometry, MovementMultipliers) {
    float mx = 0.0f;
    float my = 0.0f;
    getMovementMultipliers(0.0f, 0.0f, 3.0f, 4.0f, &mx, &my);
    EXPECT_FLOAT_EQ(mx, 0.6f);
    EXPECT_FLOAT_EQ(my, 0.8f);

    getMovementMultipliers(3.0f, 4.0f, 0.0f, 0.0f, &mx, &my);
    EXPECT_FLOAT_EQ(mx, -0.6f);
    EXPECT_FLOAT_EQ(my, -0.8f);

    // Equal y: the quotient is infinite and the angle pi / 2, so y keeps cosf's tiny remainder.
    getMovementMultipliers(0.0f, 0.0f, 5.0f, 0.0f, &mx, &my);
    EXPECT_EQ(mx, 1.0f);
    EXPECT_EQ(my, std::cos(std::atan(INFINITY)));
    EXPECT_LT(std::fabs(my), 1e-7f);

    getMovementMultipliers(2.0f, 5.0f, 2.0f, 1.0f, &mx, &my);
    EXPECT_EQ(mx, 0.0f);
    EXPECT_EQ(my, -1.0f);

    getMovementMultipliers(1.5f, 1.5f, 1.5f, 1.5f, &mx, &my);
    EXPECT_TRUE(std::isnan(mx));
    EXPECT_TRUE(std::isnan(my));
}

TEST(PathGeometry, GridCoordinates) {
    EXPECT_EQ(getMapGridX(1.0f), 0);
    EXPECT_EQ(getMapGridX(1.5f), 50);
    EXPECT_EQ(getMapGridX(3.257f), 225);
    EXPECT_EQ(getMapGridX(0.995f), 0); // truncation toward zero
    EXPECT_EQ(getMapGridY(0.257f), 25);
    EXPECT_EQ(getMapGridY(0.0f), 0);
    EXPECT_EQ(getMapGridY(12.5f), 1250);
}

TEST(PathGeometry, ReachedDestination) {
    // Section: inside the tolerance on both axes, whatever the direction.
    EXPECT_TRUE(reachedDestination(0.8f, 1.1f, 1.0f, 1.0f, 0.25f, -1.0f, -1.0f));
    // The interval is open: exactly the tolerance away is not inside.
    EXPECT_FALSE(reachedDestination(0.75f, 1.0f, 1.0f, 1.0f, 0.25f, 1.0f, 0.0f));

    // Section: reached or passed along the direction of travel on both axes.
    EXPECT_TRUE(reachedDestination(3.0f, 3.0f, 2.0f, 2.0f, 0.001f, 0.6f, 0.8f));
    EXPECT_TRUE(reachedDestination(2.0f, 2.0f, 2.0f, 2.0f, 0.0f, 0.6f, 0.8f));
    EXPECT_TRUE(reachedDestination(1.0f, 1.0f, 2.0f, 2.0f, 0.001f, -0.6f, -0.8f));
    EXPECT_FALSE(reachedDestination(3.0f, 1.0f, 2.0f, 2.0f, 0.001f, 0.6f, 0.8f));
    EXPECT_FALSE(reachedDestination(1.0f, 1.0f, 2.0f, 2.0f, 0.001f, 0.6f, 0.8f));
    EXPECT_FALSE(reachedDestination(3.0f, 3.0f, 2.0f, 2.0f, 0.001f, -0.6f, 0.8f));
}

TEST(PathGeometry, DistanceBetween) {
    EXPECT_EQ(distanceBetween(0.0f, 0.0f, 3.0f, 4.0f), 5.0f);
    EXPECT_EQ(distanceBetween(4.0f, 1.0f, 1.0f, -3.0f), 5.0f);
    EXPECT_EQ(distanceBetween(1.5f, 1.5f, 1.5f, 1.5f), 0.0f);
}
