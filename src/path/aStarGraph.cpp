#include "path/aStarGraph.hpp"

#include "path/pathGeometry.hpp"
#include "world/altitudes.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

// Neighbour order and step costs: east first, then clockwise (y grows southwards).
constexpr int STEP_X[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int STEP_Y[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr float STRAIGHT_COST = 1.0f;
constexpr float DIAGONAL_COST = 1.41f;
/// A diagonal step's cost over its length in nodes.
const double LINE_TO_STEPS = DIAGONAL_COST / std::sqrt(2.0);
constexpr float STEP_COST[8] = {STRAIGHT_COST, DIAGONAL_COST, STRAIGHT_COST, DIAGONAL_COST,
                                STRAIGHT_COST, DIAGONAL_COST, STRAIGHT_COST, DIAGONAL_COST};

/// How far from its line a walk may stray, its steps rounded, and still stand where the line was tested:
/// every node within this distance of the line (along either axis) counts as crossed [Units: grid units].
constexpr double LINE_MARGIN = 0.0005;

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

int fromState(void* state) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(state));
}

bool attributeOn(const travelAttributes& attributes, travelEquipment equipment) {
    const auto found = attributes.find(equipment);
    return found != attributes.end() && found->second;
}

// Keeps float-to-int conversions in refinePath far from overflow.
bool isUsablePoint(std::pair<float, float> point) {
    return std::fabs(point.first) < 1.0e6f && std::fabs(point.second) < 1.0e6f;
}

} // namespace

aStarGraph::aStarGraph(int width, int height, std::ostream& log) : gridWidth(width), gridHeight(height) {
    log << "Creating mapGridTerrain[" << gridWidth << "][" << gridHeight << "]" << std::endl;
    mapGridTerrain = heightField(gridWidth, gridHeight);
    log << "mapGridTerrain initialization done!" << std::endl;
}

void aStarGraph::NodeToXY(void* node, int* x, int* y) const {
    const int index = fromState(node);
    *y = index / gridWidth;
    *x = index - *y * gridWidth;
}

int aStarGraph::columnsApart(int x1, int x2) const {
    const int across = std::abs(x1 - x2) % gridWidth;
    return std::min(across, gridWidth - across);
}

float aStarGraph::LeastCostEstimate(void* nodeStart, void* nodeEnd) {
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    NodeToXY(nodeStart, &startX, &startY);
    NodeToXY(nodeEnd, &endX, &endY);
    // The straight line the short way round, in the units of the steps: a diagonal step costs 1.41, a
    // little less than the √2 nodes it spans, so the line is scaled down by that much to stay below every
    // path's cost (equal to it along a diagonal).
    const int across = columnsApart(startX, endX);
    const int down = startY - endY;
    return static_cast<float>(std::sqrt(static_cast<double>(across * across + down * down)) * LINE_TO_STEPS);
}

bool aStarGraph::isOpen(int x, int y, bool raftOn, bool mountainGearOn) const {
    if (y < 0 || y >= gridHeight) {
        return false;
    }
    const std::int32_t height = mapGridTerrain(wrapColumn(x, gridWidth), y);
    // Strict bounds: a raft does not open height 0, mountain gear does not open 7000.
    return (height > WATER_ALTITUDE && height < MOUNTIAN_TOP_ALTITUDE) ||
           (raftOn && height < WATER_ALTITUDE) || (mountainGearOn && height > MOUNTIAN_TOP_ALTITUDE);
}

bool aStarGraph::canEnter(int x, int y, const travelAttributes& attributes) const {
    return isOpen(x, y, attributeOn(attributes, raft), attributeOn(attributes, mountainGear));
}

bool aStarGraph::canWalkStraight(std::pair<float, float> from, std::pair<float, float> to,
                                 const travelAttributes& attributes) const {
    return lineIsClear(from, to, attributeOn(attributes, raft), attributeOn(attributes, mountainGear));
}

void aStarGraph::AdjacentCost(void* node, std::vector<micropather::StateCost>* neighbors,
                              const travelAttributes& attributes) {
    int x = 0;
    int y = 0;
    NodeToXY(node, &x, &y);
    const bool raftOn = attributeOn(attributes, raft);
    const bool mountainGearOn = attributeOn(attributes, mountainGear);

    bool open[8];
    for (int i = 0; i < 8; ++i) {
        open[i] = isOpen(x + STEP_X[i], y + STEP_Y[i], raftOn, mountainGearOn);
    }
    micropather::StateCost entries[8];
    for (int i = 0; i < 8; ++i) {
        // Columns wrap round the world; the first and last rows are its edges. A diagonal step needs both
        // straight steps beside it open: cutting a corner would take a walk through the point where the
        // closed nodes meet.
        const bool diagonal = i % 2 == 1;
        const bool enterable = open[i] && (!diagonal || (open[i - 1] && open[(i + 1) % 8]));
        const int ny = y + STEP_Y[i];
        const int state = ny >= 0 && ny < gridHeight ? XYToNode(wrapColumn(x + STEP_X[i], gridWidth), ny)
                                                     : fromState(node) + STEP_Y[i] * gridWidth + STEP_X[i];
        entries[i] = micropather::StateCost{toState(state), enterable ? STEP_COST[i] : FLT_MAX};
    }
    neighbors->insert(neighbors->end(), std::begin(entries), std::end(entries));
}

void aStarGraph::PrintStateInfo(void* node) {
    int x = 0;
    int y = 0;
    NodeToXY(node, &x, &y);
    std::cout << "(" << x << "," << y << ")";
}

std::vector<std::pair<float, float>> aStarGraph::refinePath(const std::vector<std::pair<float, float>>& path,
                                                            const travelAttributes& attributes) const {
    const std::size_t count = path.size();
    if (count <= 1) {
        return {};
    }
    const bool raftOn = attributeOn(attributes, raft);
    const bool mountainGearOn = attributeOn(attributes, mountainGear);

    // From each kept point, the farthest later point it can see becomes the next kept point.
    std::vector<char> dropped(count, 0);
    std::size_t anchor = 0;
    std::size_t candidate = count - 1;
    while (anchor != count - 1) {
        if (lineIsClear(path[anchor], path[candidate], raftOn, mountainGearOn)) {
            for (std::size_t k = anchor + 1; k < candidate; ++k) {
                dropped[k] = 1;
            }
            anchor = candidate;
            candidate = count - 1;
        } else if (candidate == anchor + 1) {
            ++anchor;
            candidate = count - 1;
        } else {
            --candidate;
        }
    }

    std::vector<std::pair<float, float>> refined;
    for (std::size_t k = 0; k < count; ++k) {
        if (dropped[k] == 0) {
            refined.push_back(path[k]);
        }
    }
    return refined;
}

bool aStarGraph::lineIsClear(std::pair<float, float> from, std::pair<float, float> to, bool raftOn,
                             bool mountainGearOn) const {
    if (!isUsablePoint(from) || !isUsablePoint(to)) {
        return false;
    }
    // A walk takes each leg the short way round the world: a leg of half the world or more would be walked
    // the other way.
    if (std::fabs(to.first - from.first) >= static_cast<float>(gridWidth) / 200.0f) {
        return false;
    }
    // In node units: the line and every point within the margin of it, row by row from `from`'s end, each
    // row's nodes from `from`'s side, so that a line blocked near its start is found so quickly.
    const double margin = LINE_MARGIN * 100.0;
    const double x0 = from.first * 100.0;
    const double y0 = from.second * 100.0;
    const double x1 = to.first * 100.0;
    const double y1 = to.second * 100.0;
    const double yLow = std::min(y0, y1);
    const double yHigh = std::max(y0, y1);
    const int firstRow = static_cast<int>(std::floor(yLow - margin));
    const int lastRow = static_cast<int>(std::floor(yHigh + margin));
    if (firstRow < 0 || lastRow >= gridHeight) {
        return false;
    }
    const auto xAt = [&](double y) { return y0 == y1 ? x0 : x0 + (x1 - x0) * (y - y0) / (y1 - y0); };
    const int rowStep = y1 >= y0 ? 1 : -1;
    for (int row = rowStep > 0 ? firstRow : lastRow;; row += rowStep) {
        // The part of the line that comes within the margin of the row, widened by the margin.
        const double xa = y0 == y1 ? x0 : xAt(std::max(row - margin, yLow));
        const double xb = y0 == y1 ? x1 : xAt(std::min(row + 1 + margin, yHigh));
        const int left = static_cast<int>(std::floor(std::min(xa, xb) - margin));
        const int right = static_cast<int>(std::floor(std::max(xa, xb) + margin));
        const int columnStep = x1 >= x0 ? 1 : -1;
        for (int column = columnStep > 0 ? left : right;; column += columnStep) {
            const std::int32_t height = mapGridTerrain(wrapColumn(column, gridWidth), row);
            // Unlike a step, a walk may cross height 0 with a raft and 7000 with mountain gear.
            if ((height <= WATER_ALTITUDE && !raftOn) ||
                (height >= MOUNTIAN_TOP_ALTITUDE && !mountainGearOn)) {
                return false;
            }
            if (column == (columnStep > 0 ? right : left)) {
                break;
            }
        }
        if (row == (rowStep > 0 ? lastRow : firstRow)) {
            return true;
        }
    }
}

bool aStarGraph::canStand(float x, float y, const travelAttributes& attributes) const {
    return lineIsClear({x, y}, {x, y}, attributeOn(attributes, raft), attributeOn(attributes, mountainGear));
}
