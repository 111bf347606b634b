#include "world/worldMap.hpp"

#include "app/random.hpp"
#include "app/settings.hpp"
#include "world/diamondSquare.hpp"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace {

constexpr int LATTICE = 10;
constexpr int AREA_STEP = 100;

// The eight lattice neighbours, in the order both the walk's directions and the variant spreading use.
constexpr int NEIGHBOUR_DX[8] = {LATTICE, LATTICE, 0, -LATTICE, -LATTICE, -LATTICE, 0, LATTICE};
constexpr int NEIGHBOUR_DY[8] = {0, LATTICE, LATTICE, LATTICE, 0, -LATTICE, -LATTICE, -LATTICE};

} // namespace

int numHorizontalGrids() {
    return worldWidth / LATTICE;
}

int numVerticalGrids() {
    return worldHeight / LATTICE;
}

worldMap::worldMap() : mapWidth(worldWidth), mapHeight(worldHeight), data(worldWidth + 1, worldHeight + 1) {}

void worldMap::init() {
    data.fill(UNSET_HEIGHT);
}

void worldMap::gen(std::ostream& log) {
    const int gridsAcross = mapWidth / LATTICE;
    const int gridsDown = mapHeight / LATTICE;

    const int startHeight = randomRange(-11000, 7000);
    const int startJ = randomRange(0, gridsDown);
    const int startI = randomRange(0, gridsAcross - 1);
    setCorners(LATTICE * startI, LATTICE * startJ, startHeight);

    // Restart the walk from random set lattice cells until the whole lattice has heights.
    while (!allCornersExist()) {
        int i = 0;
        int j = 0;
        do {
            i = randomRange(0, gridsAcross - 1);
            j = randomRange(0, gridsDown);
        } while (data(LATTICE * i, LATTICE * j) == UNSET_HEIGHT);
        setCorners(LATTICE * i, LATTICE * j, data(LATTICE * i, LATTICE * j));
    }

    log << "Copying data from the left column to the right column. You should only see this once.\n";
    std::copy_n(data.column(0), mapHeight + 1, data.column(mapWidth));

    diamondSquareMain(mapWidth, mapHeight, data, 3, 0, 0, LATTICE);
}

bool worldMap::visit(int x, int y, int height) {
    if (!(0 <= x && x < mapWidth - 9 && 0 <= y && y <= mapHeight)) {
        return false;
    }
    if (!aroundFilled(x, y)) {
        if (data(x, y) == UNSET_HEIGHT) {
            data(x, y) = height;
        }
        for (int n = 0; n < 8; ++n) {
            setCoordVariant(x + NEIGHBOUR_DX[n], y + NEIGHBOUR_DY[n], height);
        }
    }
    return true;
}

bool worldMap::nextWalkCell(int& x, int& y) {
    const int direction = randomRange(0, 7);
    const int nextX = x + NEIGHBOUR_DX[direction];
    const int nextY = y + NEIGHBOUR_DY[direction];
    if (nextX < 0 || nextY < 0 || nextX > mapWidth || nextY > mapHeight) {
        return false;
    }
    x = nextX;
    y = nextY;
    return true;
}

void worldMap::setCorners(int x, int y, int height) {
    // setCorners and setCornersRecursive hand over to each other; a loop keeps long walks off the stack.
    while (visit(x, y, height) && nextWalkCell(x, y)) {
        height = data(x, y);
    }
}

void worldMap::setCornersRecursive(int x, int y) {
    if (nextWalkCell(x, y)) {
        setCorners(x, y, data(x, y));
    }
}

void worldMap::setCoordVariant(int x, int y, int base) {
    if (0 <= x && x < mapWidth - 9 && 0 <= y && y <= mapHeight && data(x, y) == UNSET_HEIGHT) {
        data(x, y) = randomRange(-gradual, gradual) + base;
    }
}

bool worldMap::aroundFilled(int x, int y) const {
    for (int n = 0; n < 8; ++n) {
        const int nx = x + NEIGHBOUR_DX[n];
        const int ny = y + NEIGHBOUR_DY[n];
        if (0 <= nx && nx <= mapWidth && 0 <= ny && ny <= mapHeight && data(nx, ny) == UNSET_HEIGHT) {
            return false;
        }
    }
    return true;
}

bool worldMap::allCornersExist() const {
    for (int i = 0; i < mapWidth / LATTICE; ++i) {
        for (int j = 0; j <= mapHeight / LATTICE; ++j) {
            if (data(LATTICE * i, LATTICE * j) == UNSET_HEIGHT) {
                return false;
            }
        }
    }
    return true;
}

bool worldMap::edgesWater() const {
    for (int x = 0; x <= mapWidth; ++x) {
        if (data(x, 0) >= 0 || data(x, mapHeight) >= 0) {
            return false;
        }
    }
    return true;
}

void worldMap::tuneEdges() {
    // Rows 1 … 65 and H − 1 … H − 64 sink by 300 / distance from the edge each pass. On maps lower
    // than 65 rows the strips are cut at the map's edge.
    const int topRows = std::min(65, mapHeight);
    const int bottomRows = std::min(64, mapHeight);
    while (!edgesWater()) {
        for (int x = 0; x <= mapWidth; ++x) {
            std::int32_t* column = data.column(x);
            column[0] -= 100;
            column[mapHeight] -= 100;
            if (mapHeight >= 1) {
                column[1] -= 300;
            }
            for (int y = 2; y <= topRows; ++y) {
                column[y] += -300 / y;
            }
            for (int k = 1; k <= bottomRows; ++k) {
                column[mapHeight - k] += -300 / k;
            }
        }
    }
}

int worldMap::landArea() const {
    int land = 0;
    for (int x = 0; x < mapWidth; ++x) {
        const std::int32_t* column = data.column(x);
        land += static_cast<int>(
            std::count_if(column, column + mapHeight, [](std::int32_t h) { return h >= 1; }));
    }
    return land;
}

double worldMap::landShare() const {
    const double cells = static_cast<double>(mapWidth) * mapHeight;
    return cells > 0 ? 100.0 * landArea() / cells : 0.0;
}

void worldMap::addToLandCells(int delta) {
    for (int x = 0; x < mapWidth; ++x) {
        std::int32_t* column = data.column(x);
        for (int y = 0; y < mapHeight; ++y) {
            column[y] += delta;
        }
    }
}

void worldMap::raiseHeight() {
    addToLandCells(AREA_STEP);
}

void worldMap::lowerHeight() {
    addToLandCells(-AREA_STEP);
}

void worldMap::setArea(std::ostream& log) {
    // The loop tests the share measured before the last step, so it stops one step after the share
    // first comes within a point of the target.
    double shareBefore = landShare();
    for (int step = 0; step < MAX_AREA_STEPS; ++step) {
        if (lArea - 1 < shareBefore && shareBefore < lArea + 1) {
            return;
        }
        const double share = landShare();
        if (share < lArea) {
            raiseHeight();
            tuneEdges();
        } else {
            tuneEdges();
            lowerHeight();
        }
        shareBefore = share;
    }
    if (lArea - 1 < shareBefore && shareBefore < lArea + 1) {
        return;
    }
    // Rows 0 and H stay under water, so some targets (100 %, or 99 % on the default map) are out of reach.
    std::ostringstream notice;
    notice << std::fixed << std::setprecision(1) << "Land share tuning stopped at " << landShare()
           << "% of the map; the configured landArea of " << lArea << "% cannot be reached.\n";
    log << notice.str();
}
