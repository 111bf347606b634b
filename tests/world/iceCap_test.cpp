#include "app/random.hpp"
#include "world/iceCap.hpp"

#include <gtest/gtest.h>

TEST(IceCap, HasIceRowsOpenWaterTheDrawnRowsAndNoUnsetCell) {
    seed(31u);
    iceCap cap;
    cap.gen();

    // Reseeding replays the draws of rows 15 and 20, taken column by column.
    seed(31u);
    for (int x = 0; x <= 360; ++x) {
        for (int y = 0; y <= 25; ++y) {
            ASSERT_NE(cap.data(x, y), UNSET_HEIGHT) << x << ", " << y;
            ASSERT_TRUE(y > 10 || cap.data(x, y) == 100) << x << ", " << y;
        }
        ASSERT_EQ(cap.data(x, 25), -100) << "column " << x;
        if (x % 5 == 0) {
            ASSERT_EQ(cap.data(x, 15), randomRange(-100, 100)) << "column " << x;
            ASSERT_EQ(cap.data(x, 20), randomRange(-100, 100)) << "column " << x;
        }
    }
}
