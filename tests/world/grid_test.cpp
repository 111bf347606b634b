#include "app/random.hpp"
#include "app/settings.hpp"
#include "support/settingsGuard.hpp"
#include "world/grid.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace {

/// A hand-made 30 × 20 map field (31 × 21 with wrap column and bottom row) with a distinct height per cell.
heightField numberedMap() {
    heightField field(31, 21);
    for (int x = 0; x <= 30; ++x) {
        for (int y = 0; y <= 20; ++y) {
            field(x, y) = 1000 * x + y;
        }
    }
    return field;
}

int unsetCells(const grid& terrain) {
    int count = 0;
    for (std::size_t i = 0; i < terrain.data.size(); ++i) {
        count += terrain.data.data()[i] == UNSET_HEIGHT ? 1 : 0;
    }
    return count;
}

/// The default world of seed 11899, generated once for the tests that need real terrain.
const worldMap& defaultWorld() {
    static const worldMap map = [] {
        settingsGuard settings;
        worldWidth = 360;
        worldHeight = 130;
        lArea = 30;
        seed(11899u);
        worldMap generated;
        std::ostringstream log;
        generated.init();
        generated.gen(log);
        generated.setArea(log);
        generated.tuneEdges();
        return generated;
    }();
    return map;
}

} // namespace

TEST(Grid, HoldsSixHundredAndOneCellsEachWay) {
    const grid terrain;
    EXPECT_EQ(grid::size, 601);
    EXPECT_EQ(terrain.data.columns(), 601);
    EXPECT_EQ(terrain.data.rows(), 601);
}

TEST(Grid, CornersFromTheMapSitSixtyCellsApart) {
    const heightField map = numberedMap();
    grid terrain;
    terrain.gridFromCorners(1, 0, map, false);

    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
            ASSERT_EQ(terrain.data(60 * i, 60 * j), 1000 * (10 + i) + j) << i << ", " << j;
        }
    }
    EXPECT_EQ(unsetCells(terrain), 601 * 601 - 11 * 11);
}

TEST(Grid, LastGridColumnTakesItsRightEdgeFromMapColumnZero) {
    const heightField map = numberedMap();
    grid terrain;
    terrain.gridFromCorners(2, 1, map, false);

    for (int j = 0; j <= 10; ++j) {
        EXPECT_EQ(terrain.data(600, 60 * j), 10 + j) << "row " << j;
        EXPECT_EQ(terrain.data(540, 60 * j), 1000 * 29 + 10 + j) << "row " << j;
    }
}

TEST(Grid, CornersFromAParentGridSitTenCellsApart) {
    heightField parent(601, 601);
    for (int x = 0; x <= 600; ++x) {
        for (int y = 0; y <= 600; ++y) {
            parent(x, y) = 1000 * x + y;
        }
    }
    grid subgrid;
    subgrid.gridFromCorners(3, 9, parent, true);

    for (int x = 0; x <= 60; ++x) {
        for (int y = 0; y <= 60; ++y) {
            ASSERT_EQ(subgrid.data(10 * x, 10 * y), 1000 * (180 + x) + 540 + y) << x << ", " << y;
        }
    }
    EXPECT_EQ(unsetCells(subgrid), 601 * 601 - 61 * 61);
    EXPECT_EQ(subgrid.data(5, 0), UNSET_HEIGHT);
}

TEST(Grid, CornersReplaceWhateverTheGridHeldBefore) {
    const heightField map = numberedMap();
    grid terrain;
    terrain.data.fill(42);
    terrain.gridFromCorners(0, 0, map, false);
    EXPECT_EQ(terrain.data(1, 1), UNSET_HEIGHT);
}

TEST(Grid, GenFillsEveryCellKeepsTheLatticeAndDrawsIt) {
    const heightField map = numberedMap();
    grid terrain;
    terrain.gridFromCorners(0, 1, map, false);
    const sf::Image image = terrain.gen();

    EXPECT_EQ(unsetCells(terrain), 0);
    EXPECT_EQ(terrain.data(60, 120), 1000 * 1 + 12);
    ASSERT_EQ(image.getSize(), sf::Vector2u(600, 600));
    for (unsigned u = 0; u < 600; u += 7) {
        for (unsigned v = 0; v < 600; v += 11) {
            ASSERT_EQ(image.getPixel(u, v),
                      terrainColour(terrain.data(static_cast<int>(u), static_cast<int>(v))));
        }
    }
}

TEST(Grid, NeighbouringGridsShareTheirEdges) {
    const worldMap& map = defaultWorld();
    grid centre, right, below;
    centre.gridFromCorners(20, 5, map.data, false);
    right.gridFromCorners(21, 5, map.data, false);
    below.gridFromCorners(20, 6, map.data, false);
    centre.refine();
    right.refine();
    below.refine();

    for (int k = 0; k <= 600; ++k) {
        ASSERT_EQ(centre.data(600, k), right.data(0, k)) << "row " << k;
        ASSERT_EQ(centre.data(k, 600), below.data(k, 0)) << "column " << k;
    }
}

TEST(Grid, LastGridColumnWrapsOntoTheFirst) {
    const worldMap& map = defaultWorld();
    // Column W of the map no longer matches column 0 after the land-share tuning.
    ASSERT_NE(map.data(360, 50), map.data(0, 50));
    for (int gy = 0; gy < 13; gy += 4) {
        grid last, first;
        last.gridFromCorners(35, gy, map.data, false);
        first.gridFromCorners(0, gy, map.data, false);
        last.refine();
        first.refine();
        for (int k = 0; k <= 600; ++k) {
            ASSERT_EQ(last.data(600, k), first.data(0, k)) << "grid row " << gy << ", cell row " << k;
        }
    }
}

TEST(Grid, NeighbouringSubgridsShareTheirEdges) {
    const worldMap& map = defaultWorld();
    grid parent;
    parent.gridFromCorners(20, 5, map.data, false);
    parent.refine();
    grid left, right;
    left.gridFromCorners(4, 7, parent.data, true);
    right.gridFromCorners(5, 7, parent.data, true);
    left.refine();
    right.refine();

    EXPECT_EQ(unsetCells(left), 0);
    for (int k = 0; k <= 600; ++k) {
        ASSERT_EQ(left.data(600, k), right.data(0, k)) << "row " << k;
    }
    // Subgrid cell (10 x, 10 y) is parent cell (60 sx + x, 60 sy + y).
    EXPECT_EQ(left.data(250, 130), parent.data(240 + 25, 420 + 13));
}
