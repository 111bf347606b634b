#include "app/random.hpp"
#include "world/iceCap.hpp"

#include <gtest/gtest.h>
#include <vector>

TEST(IceCap, HasIceRowsOpenWaterAndTheDrawnRows) {
    seed(31u);
    iceCap cap;
    cap.gen();

    ASSERT_EQ(cap.data.columns(), 361);
    ASSERT_EQ(cap.data.rows(), 26);
    seed(31u);
    for (int x = 0; x <= 360; ++x) {
        for (int y = 0; y <= 10; ++y) {
            ASSERT_EQ(cap.data(x, y), 100) << x << ", " << y;
        }
        ASSERT_EQ(cap.data(x, 25), -100) << "column " << x;
        if (x % 5 == 0) {
            EXPECT_EQ(cap.data(x, 15), randomRange(-100, 100)) << "column " << x;
            EXPECT_EQ(cap.data(x, 20), randomRange(-100, 100)) << "column " << x;
        }
    }
}

TEST(IceCap, InterpolationFillsEveryCell) {
    seed(32u);
    iceCap cap;
    cap.gen();
    for (int x = 0; x <= 360; ++x) {
        for (int y = 0; y <= 25; ++y) {
            ASSERT_NE(cap.data(x, y), UNSET_HEIGHT) << x << ", " << y;
            ASSERT_GE(cap.data(x, y), -100);
            ASSERT_LE(cap.data(x, y), 100);
        }
    }
}

TEST(IceCap, SameSeedGivesTheSameCapsAndTheSouthCapDrawsAfresh) {
    seed(33u);
    iceCap north, south;
    north.gen();
    south.gen();
    seed(33u);
    iceCap northAgain;
    northAgain.gen();

    const auto cells = [](const iceCap& cap) {
        return std::vector<std::int32_t>(cap.data.data(), cap.data.data() + cap.data.size());
    };
    EXPECT_EQ(cells(north), cells(northAgain));
    EXPECT_NE(cells(north), cells(south));
}
