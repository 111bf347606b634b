#include "app/random.hpp"
#include "app/utilities.hpp"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <vector>

TEST(Utilities, IntToStringKeepsSignAndHasNoGrouping) {
    EXPECT_EQ(intToString(-42), "-42");
    EXPECT_EQ(intToString(1234567), "1234567");
    EXPECT_EQ(intToString(-2147483647 - 1), "-2147483648");
}

TEST(Utilities, FloatToStringUsesTheDefaultStreamFormat) {
    EXPECT_EQ(floatToString(0.5f), "0.5");
    EXPECT_EQ(floatToString(2.0f), "2");
    EXPECT_EQ(floatToString(1234567.0f), "1.23457e+06");
    EXPECT_EQ(floatToString(0.00001f), "1e-05");
}

TEST(Utilities, BoolToString) {
    EXPECT_EQ(boolToString(false), "false");
    EXPECT_EQ(boolToString(true), "true");
}

TEST(Utilities, NumIsInRangeOfHasStrictBounds) {
    EXPECT_FALSE(numIsInRangeOf(10, 2, 12));
    EXPECT_TRUE(numIsInRangeOf(10.5f, 2, 12));
    EXPECT_TRUE(numIsInRangeOf(13.9f, 2, 12));
    EXPECT_FALSE(numIsInRangeOf(12, 0, 12));
}

TEST(RandomSource, RangeBoundsAreInclusive) {
    seed(5u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(randomRange(5, 5), 5);
    }
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) {
        const int value = randomRange(-100, 100);
        ASSERT_GE(value, -100);
        ASSERT_LE(value, 100);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 201u);
}

TEST(RandomSource, SameSeedGivesSameSequenceWhateverTheLibrary) {
    // The first draws of the reference generator for seed 1 (rand() % 32768 on a 15-bit generator).
    seed(1u);
    const std::vector<int> expected = {16838, 5758, 10113, 17515, 31051};
    std::vector<int> drawn;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        drawn.push_back(randomRange(0, 32767));
    }
    EXPECT_EQ(drawn, expected);

    seed(11899u);
    const int first = randomRange(-11000, 7000);
    const int second = randomRange(0, 13);
    seed(11899u);
    EXPECT_EQ(randomRange(-11000, 7000), first);
    EXPECT_EQ(randomRange(0, 13), second);
}

TEST(RandomSource, ClockSeedIsReturnedAndUsed) {
    const int used = seed();
    const int value = randomRange(0, 32767);
    seed(static_cast<unsigned int>(used));
    EXPECT_EQ(randomRange(0, 32767), value);
}

TEST(RandomSource, EmptyRangeIsRefused) {
    EXPECT_THROW(randomRange(0, -1), std::invalid_argument);
}
