#include "path/aStarGraph.hpp"
#include "path/micropather.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace micropather;

namespace {

void* toState(std::uintptr_t id) {
    return reinterpret_cast<void*>(id);
}

std::vector<void*> states(std::initializer_list<std::uintptr_t> ids) {
    std::vector<void*> result;
    std::transform(ids.begin(), ids.end(), std::back_inserter(result), toState);
    return result;
}

const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};
const travelAttributes WITH_RAFT{{raft, true}, {mountainGear, false}, {horse, false}};

/// A graph given as an edge list, or as a grid of cells. Records the states it is asked to expand.
class listGraph : public Graph {
  public:
    std::map<std::uintptr_t, std::vector<std::pair<std::uintptr_t, float>>> edges;
    std::uintptr_t width = 0; // 0: edge list, estimate from `estimates`
    std::string cells; // row after row: '1' to '9' land costing that much to enter, '#' rock, '~' water
    std::map<std::uintptr_t, float> estimates; // edge list: a state's estimate to any goal, else 0
    std::vector<void*> expanded;

    /// 4-connected steps between cells; state = y × width + x. Water costs 1 and needs a raft.
    explicit listGraph(std::uintptr_t w = 0, std::string rows = {}) : width(w), cells(std::move(rows)) {
        for (std::uintptr_t at = 0; at < cells.size(); ++at) {
            for (const std::uintptr_t to : {at + 1, at + width, at - 1, at - width}) {
                const bool inLine = to / width == at / width || to % width == at % width;
                if (to < cells.size() && inLine && cells[to] != '#') {
                    edges[at].push_back({to, cells[to] == '~' ? 1.0f : static_cast<float>(cells[to] - '0')});
                }
            }
        }
    }
    float LeastCostEstimate(void* a, void* b) override { // Manhattan: never above the true cost
        const auto ia = reinterpret_cast<std::uintptr_t>(a);
        const auto ib = reinterpret_cast<std::uintptr_t>(b);
        if (width == 0) {
            const auto found = estimates.find(ia);
            return found == estimates.end() ? 0.0f : found->second;
        }
        return std::fabs(static_cast<float>(ia % width) - static_cast<float>(ib % width)) +
               std::fabs(static_cast<float>(ia / width) - static_cast<float>(ib / width));
    }
    void AdjacentCost(void* state, std::vector<StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        expanded.push_back(state);
        const bool raftOn = attributes.count(raft) != 0 && attributes.at(raft);
        for (const auto& [to, cost] : edges[reinterpret_cast<std::uintptr_t>(state)]) {
            const bool water = to < cells.size() && cells[to] == '~';
            adjacent->push_back(StateCost{toState(to), water && !raftOn ? FLT_MAX : cost});
        }
    }
    void PrintStateInfo(void*) override {}
};

/// One solver over a listGraph. `path` starts as a marker, so that an untouched path shows.
class MicroPatherSearch : public ::testing::Test {
  protected:
    listGraph graph;
    MicroPather pather{&graph, 64, 4};
    std::vector<void*> path = states({40, 41});
    float cost = 99.0f;

    /// Expects the query to give `result`; returns the cost.
    float solve(std::uintptr_t start, std::uintptr_t goal, int result = pathFound,
                const travelAttributes& attributes = ON_FOOT) {
        EXPECT_EQ(pather.Solve(toState(start), toState(goal), &path, &cost, attributes), result);
        return cost;
    }
};

double referenceDijkstra(listGraph& graph, std::uintptr_t start, std::uintptr_t goal,
                         const travelAttributes& attributes) {
    std::vector<double> best(graph.cells.size(), INFINITY);
    best[start] = 0.0;
    std::set<std::pair<double, std::uintptr_t>> open{{0.0, start}};
    while (!open.empty() && open.begin()->second != goal) {
        const auto [cost, at] = *open.begin();
        open.erase(open.begin());
        std::vector<StateCost> adjacent;
        graph.AdjacentCost(toState(at), &adjacent, attributes);
        for (const StateCost& step : adjacent) {
            double& known = best[reinterpret_cast<std::uintptr_t>(step.state)];
            if (step.cost != FLT_MAX && cost + step.cost < known) {
                known = cost + step.cost;
                open.insert({known, reinterpret_cast<std::uintptr_t>(step.state)});
            }
        }
    }
    return best[goal];
}

} // namespace

TEST_F(MicroPatherSearch, StartEqualToGoalAndUnreachableGoal) {
    // 1 reaches 2, 4 and 5; every step into 3 is closed.
    graph.edges = {{1, {{2, 1}, {4, 1}}}, {2, {{3, FLT_MAX}}}, {4, {{3, FLT_MAX}, {5, 1}}}};
    EXPECT_EQ(solve(5, 5, startIsGoal), 0.0f);
    solve(1, 3, noPath);
    EXPECT_EQ(path, states({40, 41}));
    EXPECT_EQ(graph.expanded, states({1, 2, 4, 5})); // nothing for start = goal
}

TEST_F(MicroPatherSearch, CheaperRouteReparentsAnOpenNodeAndMovesItForward) {
    // S=1 reaches B at 3; A=2 then offers B at 2, ahead of C=3 at 2.5. B's state is too large to index
    // directly, so the solver moves its nodes to a hash table part way through, where A must be found.
    const std::uintptr_t b = (std::uintptr_t{1} << 30) + 4;
    graph.edges = {{1, {{2, 1}, {3, 2.5f}, {b, 3}}}, {2, {{b, 1}}}, {3, {{5, 1}}}, {b, {{2, 1}, {5, 1}}}};
    EXPECT_EQ(solve(1, 5), 3.0f);
    EXPECT_EQ(path, states({1, 2, b, 5}));
    EXPECT_EQ(graph.expanded, states({1, 2, b, 3}));
}

TEST_F(MicroPatherSearch, EqualTotalsAreExpandedInArrivalOrder) {
    graph.edges = {{10, {{5, 1}, {3, 1}, {7, 1}, {20, 2}}}, {5, {{21, 1}}}, {3, {{22, 1}}}};
    solve(10, 99, noPath);
    EXPECT_EQ(graph.expanded, states({10, 5, 3, 7, 20, 21, 22}));
}

TEST_F(MicroPatherSearch, UpdatedNodesGoAheadOfEqualTotalsLatestFirst) {
    // S=1 pushes A=2 (5), B=3 (6), N=4 (7), C=5 (1) and M=6 (9); C then lowers N and M to 5.
    graph.edges = {{1, {{2, 5}, {3, 6}, {4, 7}, {5, 1}, {6, 9}}}, {5, {{4, 4}, {6, 4}}}};
    solve(1, 99, noPath);
    EXPECT_EQ(graph.expanded, states({1, 5, 6, 4, 2, 3}));
}

TEST_F(MicroPatherSearch, CostThatFallsWithinRoundingKeepsTheNodesPlace) {
    // An estimate of 2^30 rounds every total of this graph to 2^30, a float step of 128. S=1 reaches
    // X1=10 at cost 1 and X2 … X30 (11 … 39) at 20; X1 then offers each of them at 2, in a scrambled
    // order. Their totals stay equal, so they keep their places and leave in the order they were pushed.
    const float bigEstimate = 1073741824.0f;
    graph.estimates[1] = bigEstimate;
    graph.edges[1].push_back({10, 1.0f});
    for (std::uintptr_t x = 11; x <= 39; ++x) {
        graph.edges[1].push_back({x, 20.0f});
        graph.edges[10].push_back({11 + (x - 11) * 11 % 29, 1.0f});
    }
    std::vector<void*> order = states({1});
    for (std::uintptr_t x = 10; x <= 39; ++x) {
        graph.estimates[x] = bigEstimate;
        order.push_back(toState(x));
    }
    solve(1, 99, noPath);
    EXPECT_EQ(graph.expanded, order);
}

TEST_F(MicroPatherSearch, ClosedNodeTakesACheaperRouteButIsNotExpandedAgain) {
    // B=3's estimate of 10 overshoots, so A=2 is closed at cost 5 before B offers it at 2. The goal
    // G=4 keeps the cost found through A's first route, on the path through A's new parent.
    graph.edges = {{1, {{2, 5}, {3, 1}}}, {3, {{2, 1}}}, {2, {{4, 10}}}};
    graph.estimates[3] = 10.0f;
    EXPECT_EQ(solve(1, 4), 15.0f);
    EXPECT_EQ(path, states({1, 3, 2, 4}));
    EXPECT_EQ(graph.expanded, states({1, 2, 3}));
}

TEST(OpenQueue, StaysOrderedThroughPushesUpdatesAndPops) {
    // Checked against a plain list: lowest total first; among equal totals updated nodes first, the
    // latest update first, then pushed nodes in arrival order. A change too small to change a total
    // changes nothing; a rise, which a search never makes, must sift the node down.
    PathNodePool pool(64, 4);
    OpenQueue queue(pool);
    std::mt19937 random(11);
    struct waiting {
        float total;
        long rank;
        nodeIndex node;
        bool operator<(const waiting& other) const {
            return total != other.total ? total < other.total : rank < other.rank;
        }
    };
    std::vector<waiting> open;
    long pushes = 0, updates = 0;
    const float base = 16777216.0f; // 2^24: from here on a float steps by 2, so small falls may vanish
    for (std::uintptr_t state = 1; state <= 3000; ++state) {
        const nodeIndex node = pool.GetPathNode(1, toState(state), 0.0f, 0.0f, NO_NODE);
        pool.node(node).costFromStart = static_cast<float>(random() % 8);
        pool.node(node).estToGoal = base;
        queue.Push(node);
        open.push_back({pool.node(node).totalCost(), ++pushes, node});
        for (int i = 0; i < 2; ++i) {
            waiting& chosen = open[random() % open.size()];
            PathNode& changed = pool.node(chosen.node);
            changed.costFromStart =
                std::max(0.0f, changed.costFromStart + static_cast<float>(random() % 7) - 3.0f);
            queue.Update(chosen.node);
            if (changed.totalCost() != chosen.total) {
                chosen = {changed.totalCost(), -++updates, chosen.node};
            }
        }
        // One pop every fourth push, and all that are left at the end.
        for (std::size_t pops = state == 3000 ? open.size() : state % 4 == 0; pops > 0; --pops) {
            const auto first = std::min_element(open.begin(), open.end());
            ASSERT_FALSE(queue.Empty());
            ASSERT_EQ(queue.Pop(), first->node) << "total " << first->total << ", rank " << first->rank;
            open.erase(first);
        }
    }
    EXPECT_TRUE(queue.Empty());
}

TEST_F(MicroPatherSearch, ReusedSolverAnswersLaterQueries) {
    // Width 10: rock at x = 5 in rows 0 and 1, water there in row 2, land in row 3.
    graph = listGraph(10, "11111#111111111#111111111~11111111111111");
    EXPECT_EQ(solve(0, 2), 2.0f);
    EXPECT_EQ(path, states({0, 1, 2}));
    EXPECT_EQ(solve(0, 9), 15.0f);
    EXPECT_EQ(solve(19, 10), 13.0f); // nodes closed by earlier queries are searched afresh
    // From the second query on neighbour lists are cached: repeating a query asks the graph nothing.
    const std::size_t asked = graph.expanded.size();
    EXPECT_EQ(solve(19, 10), 13.0f);
    EXPECT_EQ(graph.expanded.size(), asked);
    // A raft opens the water, so costs cached for other attributes must not be reused, either way.
    EXPECT_EQ(solve(20, 29, pathFound, WITH_RAFT), 9.0f);
    EXPECT_EQ(solve(20, 29), 11.0f);
    graph.cells[25] = '1'; // the water dries up; only a reset drops what the solver cached
    pather.Reset();
    EXPECT_EQ(solve(20, 29), 9.0f);
}

TEST(MicroPather, MatchesDijkstraOnRandomMaps) {
    std::mt19937 random(7);
    for (int map = 0; map < 12; ++map) {
        SCOPED_TRACE("map " + std::to_string(map));
        std::string cells;
        std::generate_n(std::back_inserter(cells), 24 * 18, [&] { return "1112239#~~"[random() % 10]; });
        listGraph graph(24, cells);
        MicroPather reused(&graph, 64, 8);
        for (int query = 0; query < 15; ++query) {
            const std::uintptr_t start = random() % cells.size();
            const std::uintptr_t goal = random() % cells.size();
            const travelAttributes attributes{{raft, random() % 2 == 0}};
            const double expected = referenceDijkstra(graph, start, goal, attributes);
            std::vector<void*> path;
            float cost = -1.0f;
            const int result = reused.Solve(toState(start), toState(goal), &path, &cost, attributes);
            ASSERT_EQ(result, start == goal ? startIsGoal : std::isinf(expected) ? noPath : pathFound);
            if (result != pathFound) {
                continue;
            }
            EXPECT_EQ(cost, expected);
            ASSERT_EQ(path.front(), toState(start));
            EXPECT_EQ(path.back(), toState(goal));
            float sum = 0.0f; // an open step costs 1 or more; any other step, a repeat too, adds 0
            for (std::size_t i = 1; i < path.size(); ++i) {
                std::vector<StateCost> adjacent;
                graph.AdjacentCost(path[i - 1], &adjacent, attributes);
                for (const StateCost& step : adjacent) {
                    sum += step.state == path[i] && step.cost != FLT_MAX ? step.cost : 0.0f;
                }
            }
            EXPECT_EQ(sum, cost);
            EXPECT_TRUE(std::adjacent_find(path.begin(), path.end()) == path.end());
        }
    }
}

TEST(ThreadedMicroPather, SolversShareOneReadOnlyGraph) {
    std::ostringstream quiet;
    aStarGraph terrain(60, 40, quiet);
    std::mt19937 random(7); // heights -1000 to 7999; the field is one block
    std::generate_n(terrain.mapGridTerrain.column(0), 60 * 40,
                    [&] { return static_cast<std::int32_t>(random() % 9000) - 1000; });
    const auto solveEvery = [&terrain](int first, int step, std::vector<float>* costs) {
        MicroPather pather(&terrain, 4096, 8);
        std::vector<void*> path;
        for (int i = first; i < 40; i += step) { // no path leaves the cost 0
            static_cast<void>(pather.Solve(toState(i * 37 % 2400), toState(i * 811 % 2400), &path,
                                           &(*costs)[i], WITH_RAFT));
        }
    };
    std::vector<float> alone(40), together(40);
    solveEvery(0, 1, &alone);
    std::thread workers[] = {
        std::thread(solveEvery, 0, 4, &together), std::thread(solveEvery, 1, 4, &together),
        std::thread(solveEvery, 2, 4, &together), std::thread(solveEvery, 3, 4, &together)};
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(together, alone);
}
