#include "app/random.hpp"
#include "app/settings.hpp"
#include "support/settingsGuard.hpp"
#include "world/worldMap.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

const std::string WRAP_NOTICE =
    "Copying data from the left column to the right column. You should only see this once.\n";

/// Runs the map's part of world generation as the game controller does.
void generateMap(worldMap& map, std::ostream& log) {
    map.init();
    map.gen(log);
    map.setArea(log);
    map.tuneEdges();
}

std::vector<std::int32_t> heights(const worldMap& map) {
    return std::vector<std::int32_t>(map.data.data(), map.data.data() + map.data.size());
}

int unsetCells(const worldMap& map) {
    int count = 0;
    for (std::size_t i = 0; i < map.data.size(); ++i) {
        count += map.data.data()[i] == UNSET_HEIGHT ? 1 : 0;
    }
    return count;
}

/// A map of the current settings whose every cell is `height`.
worldMap flatMap(std::int32_t height) {
    worldMap map;
    map.data.fill(height);
    return map;
}

} // namespace

TEST(WorldMap, GridCountsFollowTheWorldSize) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    EXPECT_EQ(numHorizontalGrids(), 36);
    EXPECT_EQ(numVerticalGrids(), 13);
    worldWidth = 195;
    worldHeight = 79;
    EXPECT_EQ(numHorizontalGrids(), 19);
    EXPECT_EQ(numVerticalGrids(), 7);
}

TEST(WorldMap, FieldHasTheWrapColumnAndTheBottomRow) {
    settingsGuard settings;
    worldWidth = 190;
    worldHeight = 70;
    const worldMap map;
    EXPECT_EQ(map.mapWidth, 190);
    EXPECT_EQ(map.mapHeight, 70);
    EXPECT_EQ(map.data.columns(), 191);
    EXPECT_EQ(map.data.rows(), 71);
}

TEST(WorldMap, GenSetsEveryCellAndCopiesColumnZeroOnce) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    seed(11899u);
    worldMap map;
    map.init();
    EXPECT_EQ(unsetCells(map), 361 * 131);
    std::ostringstream log;
    map.gen(log);

    EXPECT_EQ(log.str(), WRAP_NOTICE);
    EXPECT_EQ(unsetCells(map), 0);
    EXPECT_TRUE(map.allCornersExist());
    for (int y = 0; y <= 130; ++y) {
        ASSERT_EQ(map.data(360, y), map.data(0, y)) << "row " << y;
    }
}

TEST(WorldMap, GeneratedMapKeepsItsInvariants) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    lArea = 30;
    seed(11899u);
    worldMap map;
    map.init();
    std::ostringstream log;
    map.gen(log);
    const std::vector<std::int32_t> afterGen = heights(map);
    map.setArea(log);
    map.tuneEdges();

    EXPECT_EQ(log.str(), WRAP_NOTICE);
    EXPECT_EQ(unsetCells(map), 0);
    EXPECT_TRUE(map.edgesWater());
    for (int x = 0; x <= 360; ++x) {
        ASSERT_LT(map.data(x, 0), 0) << "column " << x;
        ASSERT_LT(map.data(x, 130), 0) << "column " << x;
    }
    EXPECT_GT(map.landShare(), 29.0);
    EXPECT_LT(map.landShare(), 31.0);

    // Raising and lowering skip column W and row H; the strips treat both columns alike.
    const int shift = map.data(0, 0) - map.data(360, 0);
    EXPECT_NE(shift, 0);
    EXPECT_EQ(shift % 100, 0);
    for (int y = 0; y < 130; ++y) {
        ASSERT_EQ(map.data(0, y) - map.data(360, y), shift) << "row " << y;
    }
    EXPECT_EQ(map.data(0, 130), map.data(360, 130));
    EXPECT_NE(heights(map), afterGen);
}

TEST(WorldMap, SameSeedGivesTheSameMap) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    std::ostringstream log;
    seed(4242u);
    worldMap first;
    generateMap(first, log);
    seed(4242u);
    worldMap second;
    generateMap(second, log);
    seed(4243u);
    worldMap other;
    generateMap(other, log);

    EXPECT_EQ(heights(first), heights(second));
    EXPECT_NE(heights(first), heights(other));
}

TEST(WorldMap, SmallWorldReachesItsLandShare) {
    settingsGuard settings;
    worldWidth = 190;
    worldHeight = 70;
    lArea = 35;
    seed(static_cast<unsigned>(-7));
    worldMap map;
    std::ostringstream log;
    generateMap(map, log);

    EXPECT_EQ(log.str(), WRAP_NOTICE);
    EXPECT_GT(map.landShare(), 34.0);
    EXPECT_LT(map.landShare(), 36.0);
    EXPECT_EQ(map.landShare(), 100.0 * map.landArea() / (190 * 70));
}

TEST(WorldMap, UnreachableLandShareStopsWithANotice) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    lArea = 99;
    seed(11899u);
    worldMap map;
    std::ostringstream log;
    generateMap(map, log);

    EXPECT_EQ(log.str(), WRAP_NOTICE +
                             "Land share tuning stopped at 94.6% of the map; the configured landArea of "
                             "99% cannot be reached.\n");
    EXPECT_TRUE(map.edgesWater());
}

TEST(WorldMap, ShareAlreadyWithinAPointLeavesTheMapAlone) {
    settingsGuard settings;
    worldWidth = 100;
    worldHeight = 70;
    lArea = 30;
    worldMap map = flatMap(-500);
    // Columns 0 … 29 are land: 2100 of 7000 cells, 30 %.
    for (int x = 0; x < 30; ++x) {
        for (int y = 0; y <= 70; ++y) {
            map.data(x, y) = 500;
        }
    }
    const std::vector<std::int32_t> before = heights(map);
    std::ostringstream log;
    map.setArea(log);

    EXPECT_EQ(map.landArea(), 2100);
    EXPECT_EQ(heights(map), before);
    EXPECT_EQ(log.str(), "");
}

TEST(WorldMap, StepTakenAtTwentyNineAndAHalfPercentIsTheLast) {
    settingsGuard settings;
    worldWidth = 100;
    worldHeight = 140;
    lArea = 30;
    // Rows 0 and H stay under water after a raise, so tuneEdges never changes this map.
    worldMap map = flatMap(-150);
    for (int x = 0; x <= 100; ++x) {
        map.data(x, 0) = -1000;
        map.data(x, 140) = -1000;
    }
    // 3920 land cells (28 %) and 210 cells (1.5 %) that the first raise turns into land.
    int placed = 0;
    for (int x = 0; x < 100 && placed < 3920 + 210; ++x) {
        for (int y = 1; y < 140 && placed < 3920 + 210; ++y, ++placed) {
            map.data(x, y) = placed < 3920 ? 500 : -50;
        }
    }
    ASSERT_DOUBLE_EQ(map.landShare(), 28.0);
    std::ostringstream log;
    map.setArea(log);

    // First raise: 28 % → 29.5 %. Second raise, measured at 29.5 %: everything but row 0 becomes land.
    EXPECT_EQ(map.data(99, 100), -150 + 200);
    EXPECT_EQ(map.data(0, 1), 500 + 200);
    EXPECT_EQ(map.data(0, 0), -1000 + 200);
    EXPECT_EQ(map.data(100, 100), -150);
    EXPECT_EQ(map.landArea(), 100 * 139);
    EXPECT_GT(map.landShare(), 31.0);
    EXPECT_EQ(log.str(), "");
}

TEST(WorldMap, TuneEdgesLowersTheStripsByDistanceFromTheEdge) {
    settingsGuard settings;
    worldWidth = 10;
    worldHeight = 140;
    worldMap map = flatMap(50);
    map.tuneEdges();

    // One pass suffices: rows 0 and H end at −50.
    for (int x = 0; x <= 10; ++x) {
        EXPECT_EQ(map.data(x, 0), -50);
        EXPECT_EQ(map.data(x, 140), -50);
    }
    EXPECT_EQ(map.data(3, 1), 50 - 300);
    EXPECT_EQ(map.data(3, 2), 50 - 150);
    EXPECT_EQ(map.data(3, 7), 50 - 42);
    EXPECT_EQ(map.data(3, 65), 50 - 4);
    EXPECT_EQ(map.data(3, 66), 50);
    EXPECT_EQ(map.data(3, 75), 50);
    EXPECT_EQ(map.data(3, 76), 50 - 300 / 64);
    EXPECT_EQ(map.data(3, 139), 50 - 300);
    EXPECT_EQ(map.data(10, 138), 50 - 150);
}

TEST(WorldMap, TuneEdgesRepeatsUntilTheEdgesAreWater) {
    settingsGuard settings;
    worldWidth = 10;
    worldHeight = 140;
    worldMap map = flatMap(-10);
    map.data(4, 0) = 250;
    map.tuneEdges();

    // Three passes bring 250 below 0; the whole strip sank three times.
    EXPECT_EQ(map.data(4, 0), -50);
    EXPECT_EQ(map.data(5, 0), -310);
    EXPECT_EQ(map.data(5, 140), -310);
    EXPECT_EQ(map.data(5, 2), -10 - 3 * 150);
    EXPECT_EQ(map.data(5, 70), -10);
}

TEST(WorldMap, TuneEdgesLeavesAWaterEdgedMapAlone) {
    settingsGuard settings;
    worldWidth = 10;
    worldHeight = 140;
    worldMap map = flatMap(-1);
    map.data(3, 50) = 900;
    map.tuneEdges();
    EXPECT_EQ(map.data(3, 50), 900);
    EXPECT_EQ(map.data(3, 1), -1);
}

TEST(WorldMap, LandAreaCountsHeightsAboveZeroWithoutWrapColumnAndBottomRow) {
    settingsGuard settings;
    worldWidth = 20;
    worldHeight = 70;
    worldMap map = flatMap(0);
    map.data(0, 0) = 1;
    map.data(19, 69) = 5;
    map.data(20, 5) = 5;
    map.data(5, 70) = 5;
    map.data(6, 6) = -1;
    EXPECT_EQ(map.landArea(), 2);
    EXPECT_DOUBLE_EQ(map.landShare(), 100.0 * 2 / (20 * 70));
}

TEST(WorldMap, RaiseAndLowerSkipTheWrapColumnAndTheBottomRow) {
    settingsGuard settings;
    worldWidth = 20;
    worldHeight = 70;
    worldMap map = flatMap(0);
    map.raiseHeight();
    map.raiseHeight();
    map.lowerHeight();
    EXPECT_EQ(map.data(0, 0), 100);
    EXPECT_EQ(map.data(19, 69), 100);
    EXPECT_EQ(map.data(20, 3), 0);
    EXPECT_EQ(map.data(3, 70), 0);
}

TEST(WorldMap, LatticeTestsLookAtTheRightCells) {
    settingsGuard settings;
    worldWidth = 30;
    worldHeight = 70;
    worldMap map;
    map.init();
    EXPECT_FALSE(map.allCornersExist());
    EXPECT_FALSE(map.edgesWater());

    // Corners (10 i, 10 j) for i = 0 … 2 and j = 0 … 7; column 30 is not part of the lattice.
    for (int x = 0; x <= 20; x += 10) {
        for (int y = 0; y <= 70; y += 10) {
            map.data(x, y) = 1;
        }
    }
    EXPECT_TRUE(map.allCornersExist());
    map.data(20, 70) = UNSET_HEIGHT;
    EXPECT_FALSE(map.allCornersExist());
    map.data(20, 70) = 1;

    // Cell (10, 10) has every neighbour; (20, 10) misses those in the unset column 30.
    EXPECT_TRUE(map.aroundFilled(10, 10));
    EXPECT_TRUE(map.aroundFilled(0, 0));
    EXPECT_FALSE(map.aroundFilled(20, 10));
    map.data(0, 20) = UNSET_HEIGHT;
    EXPECT_FALSE(map.aroundFilled(10, 10));
}

TEST(WorldMap, EdgesWaterNeedsEveryTopAndBottomCellBelowZero) {
    settingsGuard settings;
    worldWidth = 20;
    worldHeight = 70;
    worldMap map = flatMap(-1);
    EXPECT_TRUE(map.edgesWater());
    map.data(20, 70) = 0;
    EXPECT_FALSE(map.edgesWater());
    map.data(20, 70) = -1;
    map.data(7, 0) = 0;
    EXPECT_FALSE(map.edgesWater());
}

TEST(WorldMap, VariantIsDrawnOnlyForUnsetCellsInRange) {
    settingsGuard settings;
    worldWidth = 30;
    worldHeight = 70;
    gradual = 3000;
    worldMap map;
    map.init();
    map.data(10, 10) = 5;

    seed(77u);
    map.setCoordVariant(10, 10, 1000); // set already
    map.setCoordVariant(-10, 10, 1000);
    map.setCoordVariant(30, 10, 1000); // x ≥ W − 9
    map.setCoordVariant(10, 80, 1000);
    map.setCoordVariant(20, 70, 1000);
    const int stored = map.data(20, 70);
    const int nextDraw = randomRange(0, 32767);

    seed(77u);
    EXPECT_EQ(stored, randomRange(-3000, 3000) + 1000);
    EXPECT_EQ(nextDraw, randomRange(0, 32767));
    EXPECT_EQ(map.data(10, 10), 5);
    EXPECT_EQ(map.data(30, 10), UNSET_HEIGHT);
}

TEST(WorldMap, WalkStopsAtOnceOutsideItsRange) {
    settingsGuard settings;
    worldWidth = 30;
    worldHeight = 70;
    worldMap map;
    map.init();
    seed(5u);
    map.setCorners(30, 10, 100);
    map.setCorners(0, 80, 100);
    const int nextDraw = randomRange(0, 32767);
    seed(5u);

    EXPECT_EQ(nextDraw, randomRange(0, 32767));
    EXPECT_EQ(map.data(30, 10), UNSET_HEIGHT);
}

TEST(WorldMap, WalkStepSpreadsItsHeightToTheNeighbours) {
    settingsGuard settings;
    worldWidth = 30;
    worldHeight = 70;
    gradual = 0;
    worldMap map;
    map.init();
    seed(9u);
    map.setCorners(10, 10, 700);

    // With no variation every cell the walk reached holds 700; the start and its neighbours surely do.
    EXPECT_EQ(map.data(10, 10), 700);
    for (int x = 0; x <= 20; x += 10) {
        for (int y = 0; y <= 20; y += 10) {
            EXPECT_EQ(map.data(x, y), 700) << x << ", " << y;
        }
    }
    EXPECT_EQ(map.data(30, 10), UNSET_HEIGHT);
}
