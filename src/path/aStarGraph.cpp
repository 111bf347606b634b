#include "path/aStarGraph.hpp"

#include "path/pathGeometry.hpp"
#include "world/altitudes.hpp"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

// Neighbour order and step costs: east first, then clockwise (y grows southwards).
constexpr int STEP_X[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int STEP_Y[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr float STEP_COST[8] = {1.0f, 1.41f, 1.0f, 1.41f, 1.0f, 1.41f, 1.0f, 1.41f};

/// Distance refinePath advances per test point [Units: grid units]: a tenth of a node.
constexpr float REFINE_STEP = 0.001f;

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

float aStarGraph::LeastCostEstimate(void* nodeStart, void* nodeEnd) {
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    NodeToXY(nodeStart, &startX, &startY);
    NodeToXY(nodeEnd, &endX, &endY);
    const int dx = startX - endX;
    const int dy = startY - endY;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

void aStarGraph::AdjacentCost(void* node, std::vector<micropather::StateCost>* neighbors,
                              const travelAttributes& attributes) {
    int x = 0;
    int y = 0;
    NodeToXY(node, &x, &y);
    const int index = fromState(node);
    const bool raftOn = attributeOn(attributes, raft);
    const bool mountainGearOn = attributeOn(attributes, mountainGear);

    micropather::StateCost entries[8];
    for (int i = 0; i < 8; ++i) {
        const int nx = x + STEP_X[i];
        const int ny = y + STEP_Y[i];
        float cost = FLT_MAX;
        if (nx >= 0 && nx < gridWidth && ny >= 0 && ny < gridHeight) {
            const std::int32_t height = mapGridTerrain(nx, ny);
            // Strict bounds: a raft does not open height 0, mountain gear does not open 7000.
            const bool open = (height > WATER_ALTITUDE && height < MOUNTIAN_TOP_ALTITUDE) ||
                              (raftOn && height < WATER_ALTITUDE) ||
                              (mountainGearOn && height > MOUNTIAN_TOP_ALTITUDE);
            if (open) {
                cost = STEP_COST[i];
            }
        }
        entries[i] = micropather::StateCost{toState(index + STEP_Y[i] * gridWidth + STEP_X[i]), cost};
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
    // Coinciding points see each other; their direction would not be a number.
    if (from == to) {
        return true;
    }
    if (!isUsablePoint(from) || !isUsablePoint(to)) {
        return false;
    }
    float multiplierX = 0.0f;
    float multiplierY = 0.0f;
    getMovementMultipliers(from.first, from.second, to.first, to.second, &multiplierX, &multiplierY);

    float px = from.first;
    float py = from.second;
    // About ten test points fall in each node; only a change of node needs a new height.
    int lastX = INT_MIN;
    int lastY = INT_MIN;
    for (;;) {
        px += multiplierX * REFINE_STEP;
        py += multiplierY * REFINE_STEP;
        if (reachedDestination(px, py, to.first, to.second, REFINE_STEP, multiplierX, multiplierY)) {
            return true;
        }
        const int nx = getMapGridX(px + 1.0f);
        const int ny = getMapGridY(py);
        if (nx == lastX && ny == lastY) {
            continue;
        }
        // Rounding can carry a nearly axis-parallel walk past its end; leaving the map ends it.
        if (nx < 0 || nx >= gridWidth || ny < 0 || ny >= gridHeight) {
            return false;
        }
        const std::int32_t height = mapGridTerrain(nx, ny);
        if (height <= WATER_ALTITUDE && !raftOn) {
            return false;
        }
        // Unlike a step, a line may cross height 0 with a raft and 7000 with mountain gear.
        if (height >= MOUNTIAN_TOP_ALTITUDE && !mountainGearOn) {
            return false;
        }
        lastX = nx;
        lastY = ny;
    }
}
