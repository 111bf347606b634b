#include "path/aStarGraph.hpp"
#include "path/micropather.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <queue>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using micropather::MicroPather;
using micropather::StateCost;

namespace {

void* toState(std::uintptr_t id) {
    return reinterpret_cast<void*>(id);
}

std::uintptr_t toId(void* state) {
    return reinterpret_cast<std::uintptr_t>(state);
}

std::vector<std::uintptr_t> toIds(const std::vector<void*>& states) {
    std::vector<std::uintptr_t> ids;
    for (void* state : states) {
        ids.push_back(toId(state));
    }
    return ids;
}

const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};
const travelAttributes WITH_RAFT{{raft, true}, {mountainGear, false}, {horse, false}};

/// A graph given as an edge list; steps into `water` open only with a raft. Records what it is
/// asked. The estimate is 0, or Euclidean when built from text rows.
class listGraph : public micropather::Graph {
  public:
    std::map<std::uintptr_t, std::vector<std::pair<std::uintptr_t, float>>> edges;
    std::set<std::uintptr_t> water;
    int width = 0;
    std::vector<std::uintptr_t> expanded;
    std::vector<travelAttributes> attributesSeen;

    /// 4-connected unit steps over rows of '.' land, '#' wall and '~' water; state = y × width + x.
    explicit listGraph(const std::vector<std::string>& rows = {}) {
        width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
        const int height = static_cast<int>(rows.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (rows[y][x] == '~') {
                    water.insert(y * width + x);
                }
                for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x, y + 1}, {x - 1, y}, {x, y - 1}}) {
                    if (nx >= 0 && ny >= 0 && nx < width && ny < height) {
                        edges[y * width + x].push_back(
                            {ny * width + nx, rows[ny][nx] == '#' ? FLT_MAX : 1.0f});
                    }
                }
            }
        }
    }

    float LeastCostEstimate(void* a, void* b) override {
        if (width == 0) {
            return 0.0f;
        }
        const auto dx =
            static_cast<float>(static_cast<int>(toId(a) % width) - static_cast<int>(toId(b) % width));
        const auto dy =
            static_cast<float>(static_cast<int>(toId(a) / width) - static_cast<int>(toId(b) / width));
        return std::sqrt(dx * dx + dy * dy);
    }
    void AdjacentCost(void* state, std::vector<StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        expanded.push_back(toId(state));
        attributesSeen.push_back(attributes);
        const bool raftOn = attributes.count(raft) != 0 && attributes.at(raft);
        for (const auto& [to, cost] : edges[toId(state)]) {
            adjacent->push_back(StateCost{toState(to), water.count(to) != 0 && !raftOn ? FLT_MAX : cost});
        }
    }
    void PrintStateInfo(void*) override {}
};

} // namespace

TEST(MicroPather, StartEqualToGoalAndUnreachableGoal) {
    listGraph graph;
    // 1 reaches 2, 4 and 5; every step into 3 is closed.
    graph.edges[1] = {{2, 1.0f}, {4, 1.0f}};
    graph.edges[2] = {{3, FLT_MAX}};
    graph.edges[4] = {{3, FLT_MAX}, {5, 1.0f}};
    MicroPather pather(&graph, 16, 4);
    std::vector<void*> path{toState(40), toState(41)};
    float cost = 99.0f;

    EXPECT_EQ(pather.Solve(toState(5), toState(5), &path, &cost, ON_FOOT), micropather::startIsGoal);
    EXPECT_EQ(toIds(path), (std::vector<std::uintptr_t>{40, 41}));
    EXPECT_EQ(cost, 0.0f);
    EXPECT_TRUE(graph.expanded.empty());

    EXPECT_EQ(pather.Solve(toState(1), toState(3), &path, &cost, ON_FOOT), micropather::noPath);
    EXPECT_EQ(toIds(path), (std::vector<std::uintptr_t>{40, 41}));
    EXPECT_EQ(graph.expanded, (std::vector<std::uintptr_t>{1, 2, 4, 5}));
    EXPECT_EQ(pather.lastExpansions(), 4u);
}

TEST(MicroPather, StraightPathOnFourConnectedGrid) {
    listGraph graph({".....", ".....", "....."});
    MicroPather pather(&graph, 16, 4);
    std::vector<void*> path;
    float cost = 0.0f;
    ASSERT_EQ(pather.Solve(toState(0), toState(2), &path, &cost, ON_FOOT), micropather::pathFound);
    EXPECT_EQ(toIds(path), (std::vector<std::uintptr_t>{0, 1, 2}));
    EXPECT_EQ(cost, 2.0f);
}

TEST(MicroPather, CheaperRouteReparentsAnOpenNodeAndMovesItForward) {
    // S=1 reaches B=4 at 3; A=2 then offers B at 2, ahead of C=3 at 2.5.
    listGraph graph;
    graph.edges[1] = {{2, 1.0f}, {3, 2.5f}, {4, 3.0f}};
    graph.edges[2] = {{4, 1.0f}};
    graph.edges[3] = {{5, 1.0f}};
    graph.edges[4] = {{5, 1.0f}};
    MicroPather pather(&graph, 16, 4);
    std::vector<void*> path;
    float cost = 0.0f;
    ASSERT_EQ(pather.Solve(toState(1), toState(5), &path, &cost, ON_FOOT), micropather::pathFound);
    EXPECT_EQ(toIds(path), (std::vector<std::uintptr_t>{1, 2, 4, 5}));
    EXPECT_EQ(cost, 3.0f);
    EXPECT_EQ(graph.expanded, (std::vector<std::uintptr_t>{1, 2, 4, 3}));
}

TEST(MicroPather, EqualTotalsAreExpandedInArrivalOrder) {
    listGraph graph;
    graph.edges[10] = {{5, 1.0f}, {3, 1.0f}, {7, 1.0f}, {20, 2.0f}};
    graph.edges[5] = {{21, 1.0f}};
    graph.edges[3] = {{22, 1.0f}};
    graph.edges[7] = {{99, 5.0f}};
    MicroPather pather(&graph, 16, 4);
    std::vector<void*> path;
    float cost = 0.0f;
    ASSERT_EQ(pather.Solve(toState(10), toState(99), &path, &cost, ON_FOOT), micropather::pathFound);
    EXPECT_EQ(graph.expanded, (std::vector<std::uintptr_t>{10, 5, 3, 7, 20, 21, 22}));
    EXPECT_EQ(toIds(path), (std::vector<std::uintptr_t>{10, 7, 99}));
    EXPECT_EQ(cost, 6.0f);
}

TEST(MicroPather, ReusedSolverAnswersLaterQueries) {
    // Width 10: state = y × 10 + x. The wall at x = 5 has a ford in row 2 and a gap in row 3.
    listGraph graph({".....#....", ".....#....", ".....~....", ".........."});
    MicroPather pather(&graph, 64, 4);
    std::vector<void*> path;
    float cost = 0.0f;
    const auto solve = [&](std::uintptr_t start, std::uintptr_t goal, const travelAttributes& attributes) {
        EXPECT_EQ(pather.Solve(toState(start), toState(goal), &path, &cost, attributes),
                  micropather::pathFound);
        return cost;
    };

    EXPECT_EQ(solve(0, 9, ON_FOOT), 15.0f);
    // Nodes closed by the first query are searched afresh.
    EXPECT_EQ(solve(19, 10, ON_FOOT), 13.0f);
    EXPECT_EQ(toId(path.front()), 19u);
    EXPECT_EQ(toId(path.back()), 10u);
    // From the second query on neighbour lists are cached: repeating it asks the graph nothing.
    const std::size_t asked = graph.expanded.size();
    EXPECT_EQ(solve(19, 10, ON_FOOT), 13.0f);
    EXPECT_EQ(graph.expanded.size(), asked);

    // Other attributes open the ford, so cached costs must not be reused, in either direction.
    EXPECT_EQ(solve(20, 29, WITH_RAFT), 9.0f);
    EXPECT_EQ(graph.attributesSeen.back(), WITH_RAFT);
    EXPECT_EQ(solve(20, 29, ON_FOOT), 11.0f);
    EXPECT_EQ(graph.attributesSeen.back(), ON_FOOT);

    pather.Reset();
    EXPECT_EQ(solve(0, 9, ON_FOOT), 15.0f);
}

TEST(PathNodePool, FindsNodesBeforeAndAfterLeavingDirectIndexing) {
    micropather::PathNodePool pool(64, 6);
    const auto find = [&](unsigned frame, std::uintptr_t state) {
        return pool.GetPathNode(frame, toState(state), 9.0f, 9.0f, micropather::NO_NODE);
    };
    const micropather::nodeIndex five = pool.GetPathNode(1, toState(5), 1.0f, 2.0f, micropather::NO_NODE);
    const micropather::nodeIndex far = pool.GetPathNode(1, toState(700), 3.0f, 4.0f, five);
    EXPECT_EQ(find(1, 5), five);
    EXPECT_EQ(pool.node(five).costFromStart, 1.0f); // same frame: unchanged
    EXPECT_FALSE(pool.usesHashTable());

    const std::uintptr_t big = (std::uintptr_t{1} << 30) + 3;
    const micropather::nodeIndex huge = pool.GetPathNode(1, toState(big), 5.0f, 6.0f, far);
    EXPECT_TRUE(pool.usesHashTable());
    EXPECT_EQ(find(1, 5), five);
    EXPECT_EQ(find(1, 700), far);
    EXPECT_EQ(find(1, big), huge);
    EXPECT_EQ(pool.size(), 3u);
    EXPECT_EQ(pool.node(far).parent, five);

    // A later frame resets the search fields of a node met before.
    EXPECT_EQ(find(2, 700), far);
    EXPECT_EQ(pool.node(far).costFromStart, 9.0f);
    EXPECT_EQ(pool.node(far).parent, micropather::NO_NODE);
}

namespace {

/// aStarGraph's steps with the octile distance, which never overestimates them, so A* must
/// match Dijkstra. With `spread`, odd states are moved beyond small integers, so the solver
/// leaves direct indexing part way through a search.
class octileGraph : public micropather::Graph {
  public:
    static constexpr std::uintptr_t OFFSET = std::uintptr_t{1} << 30;
    octileGraph(aStarGraph& terrain, bool spread) : terrain(terrain), spread(spread) {}

    void* outer(void* state) const {
        return spread && toId(state) % 2 == 1 ? toState(toId(state) + OFFSET) : state;
    }
    static void* inner(void* state) { return toId(state) >= OFFSET ? toState(toId(state) - OFFSET) : state; }

    float LeastCostEstimate(void* a, void* b) override {
        int ax = 0, ay = 0, bx = 0, by = 0;
        terrain.NodeToXY(inner(a), &ax, &ay);
        terrain.NodeToXY(inner(b), &bx, &by);
        const int diagonal = std::min(std::abs(ax - bx), std::abs(ay - by));
        const int straight = std::max(std::abs(ax - bx), std::abs(ay - by)) - diagonal;
        return 1.41f * static_cast<float>(diagonal) + static_cast<float>(straight);
    }
    void AdjacentCost(void* state, std::vector<StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        terrain.AdjacentCost(inner(state), adjacent, attributes);
        for (StateCost& step : *adjacent) {
            step.state = step.cost == FLT_MAX ? step.state : outer(step.state);
        }
    }
    void PrintStateInfo(void*) override {}

  private:
    aStarGraph& terrain;
    bool spread;
};

double referenceDijkstra(micropather::Graph& graph, void* start, void* goal,
                         const travelAttributes& attributes) {
    std::map<void*, double> best{{start, 0.0}};
    using item = std::pair<double, void*>;
    std::priority_queue<item, std::vector<item>, std::greater<item>> open;
    open.push({0.0, start});
    while (!open.empty()) {
        const auto [cost, state] = open.top();
        open.pop();
        if (state == goal) {
            return cost;
        }
        std::vector<StateCost> adjacent;
        graph.AdjacentCost(state, &adjacent, attributes);
        for (const StateCost& step : adjacent) {
            const auto known = best.find(step.state);
            if (step.cost != FLT_MAX && (known == best.end() || cost + step.cost < known->second)) {
                best[step.state] = cost + step.cost;
                open.push({cost + step.cost, step.state});
            }
        }
    }
    return std::numeric_limits<double>::infinity();
}

/// Sum of the graph's step costs along path; -1 if a step is not an open edge.
float stepCostSum(micropather::Graph& graph, const std::vector<void*>& path,
                  const travelAttributes& attributes) {
    float sum = 0.0f;
    for (std::size_t i = 1; i < path.size(); ++i) {
        std::vector<StateCost> adjacent;
        graph.AdjacentCost(path[i - 1], &adjacent, attributes);
        const auto step = std::find_if(adjacent.begin(), adjacent.end(),
                                       [&](const StateCost& entry) { return entry.state == path[i]; });
        if (step == adjacent.end() || step->cost == FLT_MAX) {
            return -1.0f;
        }
        sum += step->cost;
    }
    return sum;
}

void randomTerrain(aStarGraph& terrain, unsigned seed) {
    const std::int32_t heights[] = {300, 300, 300, 300, 300, 2500, -20, -300, 0, 7000, 7001};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(heights)) - 1);
    for (int x = 0; x < terrain.gridWidth; ++x) {
        for (int y = 0; y < terrain.gridHeight; ++y) {
            terrain.mapGridTerrain(x, y) = heights[pick(random)];
        }
    }
}

} // namespace

TEST(MicroPather, MatchesDijkstraOnRandomTerrain) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::ostringstream quiet;
        aStarGraph terrain(24, 18, quiet);
        randomTerrain(terrain, seed);
        octileGraph admissible(terrain, false);
        octileGraph spread(terrain, true);
        MicroPather reused(&admissible, 64, 8);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> pickNode(0, terrain.gridWidth * terrain.gridHeight - 1);
        std::bernoulli_distribution coin(0.5);

        for (int query = 0; query < 15; ++query) {
            void* start = toState(static_cast<std::uintptr_t>(pickNode(random)));
            void* goal = toState(static_cast<std::uintptr_t>(pickNode(random)));
            const travelAttributes attributes{
                {raft, coin(random)}, {mountainGear, coin(random)}, {horse, false}};
            const double expected = referenceDijkstra(admissible, start, goal, attributes);
            std::vector<void*> path;
            float cost = -1.0f;
            const int result = reused.Solve(start, goal, &path, &cost, attributes);
            if (start == goal || std::isinf(expected)) {
                EXPECT_EQ(result, start == goal ? micropather::startIsGoal : micropather::noPath);
                continue;
            }
            ASSERT_EQ(result, micropather::pathFound);
            EXPECT_NEAR(cost, expected, 1e-4 * (1.0 + expected));
            EXPECT_EQ(path.front(), start);
            EXPECT_EQ(path.back(), goal);
            EXPECT_NEAR(stepCostSum(admissible, path, attributes), cost, 1e-4 * (1.0 + expected));

            // Hashed states give the same search.
            MicroPather hashed(&spread, 64, 8);
            std::vector<void*> spreadPath;
            float spreadCost = -1.0f;
            ASSERT_EQ(
                hashed.Solve(spread.outer(start), spread.outer(goal), &spreadPath, &spreadCost, attributes),
                micropather::pathFound);
            EXPECT_EQ(spreadCost, cost);
            std::transform(spreadPath.begin(), spreadPath.end(), spreadPath.begin(), octileGraph::inner);
            EXPECT_EQ(spreadPath, path);
        }
    }
}

TEST(MicroPatherThreaded, SolversShareOneReadOnlyGraph) {
    std::ostringstream quiet;
    aStarGraph terrain(60, 40, quiet);
    randomTerrain(terrain, 7);
    const int queries = 40;
    const auto solveEvery = [&](int first, int step, std::vector<float>& costs) {
        for (int i = first; i < queries; i += step) {
            MicroPather pather(&terrain, 468000, 6);
            std::vector<void*> path;
            float cost = -1.0f;
            const auto start = static_cast<std::uintptr_t>(i * 37 % 2400);
            const auto goal = static_cast<std::uintptr_t>(i * 811 % 2400);
            costs[i] =
                pather.Solve(toState(start), toState(goal), &path, &cost, WITH_RAFT) == micropather::noPath
                    ? -1.0f
                    : cost;
        }
    };
    std::vector<float> alone(queries);
    solveEvery(0, 1, alone);
    std::vector<float> together(queries);
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 4; ++worker) {
        workers.emplace_back(solveEvery, worker, 4, std::ref(together));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(together, alone);
}
