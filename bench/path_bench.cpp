// Path searches and path refinement on the default world's pathing graph.
//
// The graph is read from $KESTROVA_GRAPH, else worlds/bench11899/graph.dat under the working
// directory; it must be the default 3600 × 1300-node graph. Endpoints are chosen from the terrain
// itself (connected land found by a flood fill), so any world of that size can be used.

#include "path/aStarGraph.hpp"
#include "path/micropather.hpp"
#include "processMemory.hpp"
#include "world/altitudes.hpp"

#include <benchmark/benchmark.h>
#include <boost/archive/binary_iarchive.hpp>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int WORLD_WIDTH_NODES = 3600;
constexpr int WORLD_HEIGHT_NODES = 1300;
// What the movement code asks for.
constexpr unsigned SOLVER_ALLOCATE = 468000;
constexpr unsigned SOLVER_TYPICAL_ADJACENT = 6;
/// Straight-line distance between the long path's ends [Units: nodes].
constexpr int LONG_PATH_MIN_DISTANCE = 2000;
constexpr int LONG_PATH_MAX_DISTANCE = 3000;
constexpr std::size_t MEMORY_SEARCH_EXPANSIONS = 1000000;

const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

struct searchOutcome {
    int result = micropather::noPath;
    std::size_t expansions = 0;
    std::size_t solverBytes = 0;
    float cost = 0.0f;
    std::vector<void*> path;
};

/// One search as a path request runs it: a fresh solver, one Solve.
searchOutcome runSearch(aStarGraph& graph, int start, int goal) {
    searchOutcome outcome;
    micropather::MicroPather pather(&graph, SOLVER_ALLOCATE, SOLVER_TYPICAL_ADJACENT);
    outcome.result = pather.Solve(toState(start), toState(goal), &outcome.path, &outcome.cost, ON_FOOT);
    outcome.expansions = pather.lastExpansions();
    outcome.solverBytes = pather.memoryBytes();
    return outcome;
}

/// The loaded graph and the endpoints every benchmark uses, found once.
struct benchWorld {
    std::unique_ptr<aStarGraph> graph;
    std::string error;

    std::vector<std::int32_t> component; // per node: land region number, -1 for closed nodes
    std::vector<std::size_t> componentSize;

    int longStart = -1; // far apart on one region, the straight line between them crossing water
    int longGoal = -1;
    std::vector<int> longStartBfsOrder; // the region's nodes by step count from longStart

    int exhaustStart = -1; // on the region closest to a million nodes
    int seaGoal = -1;

    bool isOpen(int node) const {
        const std::int32_t height = graph->mapGridTerrain(node % WORLD_WIDTH_NODES, node / WORLD_WIDTH_NODES);
        return height > WATER_ALTITUDE && height < MOUNTIAN_TOP_ALTITUDE;
    }

    template <class Visit> void forEachNeighbour(int node, Visit visit) const {
        const int x = node % WORLD_WIDTH_NODES;
        const int y = node / WORLD_WIDTH_NODES;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx;
                const int ny = y + dy;
                if ((dx != 0 || dy != 0) && nx >= 0 && nx < WORLD_WIDTH_NODES && ny >= 0 &&
                    ny < WORLD_HEIGHT_NODES) {
                    visit(ny * WORLD_WIDTH_NODES + nx);
                }
            }
        }
    }

    /// Nodes of start's region in breadth-first order.
    std::vector<int> bfsOrder(int start) const {
        std::vector<int> order{start};
        std::vector<char> seen(component.size(), 0);
        seen[static_cast<std::size_t>(start)] = 1;
        for (std::size_t next = 0; next < order.size(); ++next) {
            forEachNeighbour(order[next], [&](int neighbour) {
                if (seen[static_cast<std::size_t>(neighbour)] == 0 && isOpen(neighbour)) {
                    seen[static_cast<std::size_t>(neighbour)] = 1;
                    order.push_back(neighbour);
                }
            });
        }
        return order;
    }

    void labelRegions() {
        component.assign(static_cast<std::size_t>(WORLD_WIDTH_NODES) * WORLD_HEIGHT_NODES, -1);
        std::vector<int> queue;
        for (int seed = 0; seed < static_cast<int>(component.size()); ++seed) {
            if (component[static_cast<std::size_t>(seed)] >= 0 || !isOpen(seed)) {
                continue;
            }
            const auto id = static_cast<std::int32_t>(componentSize.size());
            queue.assign(1, seed);
            component[static_cast<std::size_t>(seed)] = id;
            for (std::size_t next = 0; next < queue.size(); ++next) {
                forEachNeighbour(queue[next], [&](int neighbour) {
                    if (component[static_cast<std::size_t>(neighbour)] < 0 && isOpen(neighbour)) {
                        component[static_cast<std::size_t>(neighbour)] = id;
                        queue.push_back(neighbour);
                    }
                });
            }
            componentSize.push_back(queue.size());
        }
    }

    bool straightLineCrossesClosedNode(int from, int to) const {
        const int fromRow = from / WORLD_WIDTH_NODES;
        const int toRow = to / WORLD_WIDTH_NODES;
        const auto x0 = static_cast<float>(from % WORLD_WIDTH_NODES);
        const auto y0 = static_cast<float>(fromRow);
        const auto x1 = static_cast<float>(to % WORLD_WIDTH_NODES);
        const auto y1 = static_cast<float>(toRow);
        const int samples = static_cast<int>(2.0f * std::hypot(x1 - x0, y1 - y0)) + 1;
        for (int i = 0; i <= samples; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(samples);
            const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
            const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
            if (!isOpen(y * WORLD_WIDTH_NODES + x)) {
                return true;
            }
        }
        return false;
    }

    void chooseEndpoints() {
        std::size_t largest = 0;
        std::size_t nearMillion = 0;
        const auto distanceFromMillion = [](std::size_t size) {
            return size > MEMORY_SEARCH_EXPANSIONS ? size - MEMORY_SEARCH_EXPANSIONS
                                                   : MEMORY_SEARCH_EXPANSIONS - size;
        };
        for (std::size_t id = 0; id < componentSize.size(); ++id) {
            if (componentSize[id] > componentSize[largest]) {
                largest = id;
            }
            if (distanceFromMillion(componentSize[id]) < distanceFromMillion(componentSize[nearMillion])) {
                nearMillion = id;
            }
        }
        int largestSeed = -1;
        for (int node = 0; node < static_cast<int>(component.size()); ++node) {
            if (component[static_cast<std::size_t>(node)] == static_cast<std::int32_t>(largest) &&
                largestSeed < 0) {
                largestSeed = node;
            }
            if (component[static_cast<std::size_t>(node)] == static_cast<std::int32_t>(nearMillion) &&
                exhaustStart < 0) {
                exhaustStart = node;
            }
            if (seaGoal < 0 &&
                graph->mapGridTerrain(node % WORLD_WIDTH_NODES, node / WORLD_WIDTH_NODES) <= WATER_ALTITUDE) {
                seaGoal = node;
            }
        }

        // Start at the far edge of the largest region, then take the first node in reach order that
        // is far enough away and hidden behind water or peaks.
        longStart = bfsOrder(largestSeed).back();
        longStartBfsOrder = bfsOrder(longStart);
        for (int candidate : longStartBfsOrder) {
            const double distance = std::hypot(candidate % WORLD_WIDTH_NODES - longStart % WORLD_WIDTH_NODES,
                                               candidate / WORLD_WIDTH_NODES - longStart / WORLD_WIDTH_NODES);
            if (distance >= LONG_PATH_MIN_DISTANCE && distance <= LONG_PATH_MAX_DISTANCE &&
                straightLineCrossesClosedNode(longStart, candidate)) {
                longGoal = candidate;
                break;
            }
        }
        if (longGoal < 0) {
            longGoal = longStartBfsOrder.back();
        }
    }
};

benchWorld loadWorld() {
    benchWorld world;
    const char* fromEnvironment = std::getenv("KESTROVA_GRAPH");
    const std::string path = fromEnvironment != nullptr ? fromEnvironment : "worlds/bench11899/graph.dat";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        world.error =
            "no graph at " + path + "; run: kestrova --world bench11899 --seed 11899 --generate-only";
        return world;
    }
    std::ostringstream quiet;
    world.graph = std::make_unique<aStarGraph>(WORLD_WIDTH_NODES, WORLD_HEIGHT_NODES, quiet);
    try {
        boost::archive::binary_iarchive archive(file);
        archive >> *world.graph;
    } catch (const std::exception& failure) {
        world.error = "cannot read " + path + ": " + failure.what();
        return world;
    }
    world.labelRegions();
    world.chooseEndpoints();
    return world;
}

benchWorld& sharedWorld() {
    static benchWorld world = loadWorld();
    return world;
}

bool worldReady(benchmark::State& state) {
    const benchWorld& world = sharedWorld();
    if (!world.error.empty()) {
        state.SkipWithError(world.error.c_str());
        return false;
    }
    return true;
}

std::string describeNode(int node) {
    return "(" + std::to_string(node % WORLD_WIDTH_NODES) + "," + std::to_string(node / WORLD_WIDTH_NODES) +
           ")";
}

std::vector<std::pair<float, float>> toPoints(const aStarGraph& graph, const std::vector<void*>& states) {
    std::vector<std::pair<float, float>> points;
    for (void* state : states) {
        int x = 0;
        int y = 0;
        graph.NodeToXY(state, &x, &y);
        points.emplace_back(static_cast<float>(x) / 100, static_cast<float>(y) / 100);
    }
    return points;
}

void searchBenchmark(benchmark::State& state, int start, int goal) {
    benchWorld& world = sharedWorld();
    std::size_t expansions = 0;
    searchOutcome last;
    for (auto _ : state) {
        last = runSearch(*world.graph, start, goal);
        expansions += last.expansions;
        benchmark::DoNotOptimize(last.path.data());
    }
    state.counters["expansions/s"] =
        benchmark::Counter(static_cast<double>(expansions), benchmark::Counter::kIsRate);
    state.counters["expansions"] = static_cast<double>(last.expansions);
    state.counters["pathNodes"] = static_cast<double>(last.path.size());
    state.counters["solverMB"] = static_cast<double>(last.solverBytes) / 1.0e6;
    state.SetLabel(describeNode(start) + " to " + describeNode(goal) + ", result " +
                   std::to_string(last.result));
}

void BM_LongLandPath(benchmark::State& state) {
    if (!worldReady(state)) {
        return;
    }
    searchBenchmark(state, sharedWorld().longStart, sharedWorld().longGoal);
}

void BM_ExhaustiveSearchToSea(benchmark::State& state) {
    if (!worldReady(state)) {
        return;
    }
    searchBenchmark(state, sharedWorld().exhaustStart, sharedWorld().seaGoal);
}

void BM_RefineLongPath(benchmark::State& state) {
    if (!worldReady(state)) {
        return;
    }
    benchWorld& world = sharedWorld();
    const searchOutcome solved = runSearch(*world.graph, world.longStart, world.longGoal);
    const std::vector<std::pair<float, float>> points = toPoints(*world.graph, solved.path);
    std::vector<std::pair<float, float>> refined;
    for (auto _ : state) {
        refined = world.graph->refinePath(points, ON_FOOT);
        benchmark::DoNotOptimize(refined.data());
    }
    state.counters["pathNodes"] = static_cast<double>(points.size());
    state.counters["refinedPoints"] = static_cast<double>(refined.size());
}

/// Endpoints of a search that expands about a million nodes: the exhaustive one when its region
/// is about that big, else one on the long path's region, its goal found by bisection in reach
/// order (expansions grow roughly with it).
std::pair<int, int> millionExpansionSearch(benchWorld& world) {
    static std::pair<int, int> endpoints{-1, -1};
    if (endpoints.first >= 0) {
        return endpoints;
    }
    const std::size_t exhaustSize = world.componentSize[static_cast<std::size_t>(
        world.component[static_cast<std::size_t>(world.exhaustStart)])];
    if (exhaustSize >= MEMORY_SEARCH_EXPANSIONS * 85 / 100 &&
        exhaustSize <= MEMORY_SEARCH_EXPANSIONS * 115 / 100) {
        endpoints = {world.exhaustStart, world.seaGoal};
        return endpoints;
    }
    std::size_t low = 0;
    std::size_t high = world.longStartBfsOrder.size() - 1;
    std::size_t closest = SIZE_MAX;
    while (low <= high) {
        const std::size_t middle = low + (high - low) / 2;
        const int goal = world.longStartBfsOrder[middle];
        const std::size_t expansions = runSearch(*world.graph, world.longStart, goal).expansions;
        const std::size_t distance = expansions > MEMORY_SEARCH_EXPANSIONS
                                         ? expansions - MEMORY_SEARCH_EXPANSIONS
                                         : MEMORY_SEARCH_EXPANSIONS - expansions;
        if (distance < closest) {
            closest = distance;
            endpoints = {world.longStart, goal};
        }
        if (expansions < MEMORY_SEARCH_EXPANSIONS * 95 / 100) {
            low = middle + 1;
        } else if (expansions > MEMORY_SEARCH_EXPANSIONS * 105 / 100 && middle > 0) {
            high = middle - 1;
        } else {
            break;
        }
    }
    return endpoints;
}

void BM_MillionExpansionMemory(benchmark::State& state) {
    if (!worldReady(state)) {
        return;
    }
    benchWorld& world = sharedWorld();
    const auto [start, goal] = millionExpansionSearch(world);
    searchOutcome last;
    long peakGrowthKb = -1;
    for (auto _ : state) {
        peakGrowthKb =
            std::max(peakGrowthKb, peakGrowthKilobytes([&] { last = runSearch(*world.graph, start, goal); }));
    }
    state.counters["expansions"] = static_cast<double>(last.expansions);
    state.counters["solverMB"] = static_cast<double>(last.solverBytes) / 1.0e6;
    if (peakGrowthKb >= 0) {
        state.counters["peakRssGrowthMB"] = static_cast<double>(peakGrowthKb) * 1024.0 / 1.0e6;
    }
    state.SetLabel(describeNode(start) + " to " + describeNode(goal) + ", result " +
                   std::to_string(last.result));
}

} // namespace

BENCHMARK(BM_LongLandPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExhaustiveSearchToSea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefineLongPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MillionExpansionMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
