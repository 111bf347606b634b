#include "path/pathGeometry.hpp"

#include <gtest/gtest.h>

#include <cmath>

TEST(PathGeometry, MovementMultipliersAndGridCells) {
    float mx = 0.0f, my = 0.0f;
    getMovementMultipliers(0.0f, 0.0f, 3.0f, 4.0f, &mx, &my);
    EXPECT_FLOAT_EQ(mx, 0.6f);
    EXPECT_FLOAT_EQ(my, 0.8f);
    getMovementMultipliers(3.0f, 4.0f, 0.0f, 0.0f, &mx, &my);
    EXPECT_FLOAT_EQ(mx, -0.6f);
    EXPECT_FLOAT_EQ(my, -0.8f);
    // Equal y: the angle is the float nearest pi / 2, so y keeps cosf's tiny remainder, not 0.
    getMovementMultipliers(0.0f, 0.0f, 5.0f, 0.0f, &mx, &my);
    EXPECT_EQ(mx, 1.0f);
    EXPECT_EQ(my, std::cos(1.57079637f));

    EXPECT_EQ(getMapGridX(1.0f), 0);
    EXPECT_EQ(getMapGridX(1.5f), 50);
    EXPECT_EQ(getMapGridY(0.257f), 25);
    // x is worked in double, y in float; the other precision would give 13, 26, 3598, 0 and 2.
    EXPECT_EQ(getMapGridX(1.13f), 12);
    EXPECT_EQ(getMapGridX(1.26f), 25);
    EXPECT_EQ(getMapGridX(36.98f), 3597);
    EXPECT_EQ(getMapGridY(0.01f), 1);
    EXPECT_EQ(getMapGridY(0.03f), 3);
}

TEST(PathGeometry, ReachedDestination) {
    // Within the tolerance on both axes, whatever the direction; exactly the tolerance away is outside.
    EXPECT_TRUE(reachedDestination(0.8f, 1.1f, 1.0f, 1.0f, 0.25f, -1.0f, -1.0f));
    EXPECT_FALSE(reachedDestination(0.75f, 1.0f, 1.0f, 1.0f, 0.25f, 1.0f, 0.0f));
    // Otherwise only once reached or passed along the direction of travel on both axes.
    EXPECT_TRUE(reachedDestination(3.0f, 3.0f, 2.0f, 2.0f, 0.001f, 0.6f, 0.8f));
    EXPECT_TRUE(reachedDestination(2.0f, 2.0f, 2.0f, 2.0f, 0.0f, 0.6f, 0.8f));
    EXPECT_TRUE(reachedDestination(1.0f, 1.0f, 2.0f, 2.0f, 0.001f, -0.6f, -0.8f));
    EXPECT_FALSE(reachedDestination(3.0f, 1.0f, 2.0f, 2.0f, 0.001f, 0.6f, 0.8f));
    EXPECT_FALSE(reachedDestination(3.0f, 3.0f, 2.0f, 2.0f, 0.001f, -0.6f, 0.8f));
}

TEST(PathGeometry, WrapAcrossTheSeam) {
    EXPECT_EQ(wrapColumn(36, 36), 0);
    EXPECT_EQ(wrapColumn(-1, 36), 35);
    EXPECT_EQ(wrapColumn(-2, 36), 34);
    EXPECT_EQ(wrapColumn(17, 36), 17);
    EXPECT_FLOAT_EQ(wrapAcross(-0.5f, 36), 35.5f);
    EXPECT_FLOAT_EQ(wrapAcross(36.25f, 36), 0.25f);
    EXPECT_FLOAT_EQ(wrapAcross(-36.5f, 36), 35.5f);
    EXPECT_FLOAT_EQ(wrapAcross(17.0f, 36), 17.0f);
    EXPECT_EQ(wrapAcross(-1e-9f, 36), 0.0f) << "never the width itself";
    EXPECT_NEAR(wrappedDifference(0.2f, 35.9f, 36), 0.3f, 1e-5f);
    EXPECT_NEAR(wrappedDifference(35.9f, 0.2f, 36), -0.3f, 1e-5f);
    EXPECT_NEAR(wrappedDifference(3.0f, 1.0f, 36), 2.0f, 1e-5f);
    EXPECT_FLOAT_EQ(wrappedDifference(18.0f, 0.0f, 36), -18.0f) << "half a turn counts as west";
}
