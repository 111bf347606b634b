#include "path/micropather.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace micropather;

namespace {
void* toState(std::uintptr_t id) {
    return reinterpret_cast<void*>(id);
}
std::uintptr_t fromState(void* state) {
    return reinterpret_cast<std::uintptr_t>(state);
}
std::uintptr_t stateId(const std::string& word) {
    return word == "b" ? (std::uintptr_t{1} << 30) + 4 : std::stoul(word);
}
/// States from their ids, written apart by spaces.
std::vector<void*> states(const std::string& ids) {
    std::istringstream words(ids);
    std::vector<void*> result;
    for (std::string word; words >> word;) {
        result.push_back(toState(stateId(word)));
    }
    return result;
}
using edgeList = std::map<std::uintptr_t, std::vector<std::pair<std::uintptr_t, float>>>;

/// A graph given as a list of edges and estimates, or as rows of cells: '1' to '9' land
/// costing that much to enter, '#' rock, '~' water that costs 1 and needs a raft, 4-connected, estimated by
/// Manhattan distance. Records the states it is asked to expand.
class listGraph : public Graph {
  public:
    /// Edges "from>to:cost" ('x' a closed step) and estimates "state:estimate", 0 where none is given.
    explicit listGraph(const std::string& text) {
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            const std::size_t arrow = word.find('>'), colon = word.find(':');
            const std::string cost = word.substr(colon + 1);
            if (arrow == std::string::npos) {
                estimates[stateId(word.substr(0, colon))] = std::stof(cost);
            } else {
                edges[stateId(word.substr(0, arrow))].push_back(
                    {stateId(word.substr(arrow + 1, colon - arrow - 1)),
                     cost == "x" ? FLT_MAX : std::stof(cost)});
            }
        }
    }
    listGraph(std::uintptr_t width, std::string rows) : width(width), cells(std::move(rows)) {
        for (std::uintptr_t at = 0; at < cells.size(); ++at) {
            for (const std::uintptr_t to : {at + 1, at + width, at - 1, at - width}) {
                if (to < cells.size() && (to / width == at / width || to % width == at % width) &&
                    cells[to] != '#') {
                    edges[at].push_back({to, cells[to] == '~' ? 1.0f : static_cast<float>(cells[to] - '0')});
                }
            }
        }
    }
    float LeastCostEstimate(void* a, void* b) override {
        const std::uintptr_t ia = fromState(a), ib = fromState(b);
        return width == 0 ? estimates[ia]
                          : std::fabs(float(ia % width) - float(ib % width)) +
                                std::fabs(float(ia / width) - float(ib / width));
    }
    void AdjacentCost(void* state, std::vector<StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        expanded.push_back(state);
        for (const auto& [to, cost] : edges[fromState(state)]) {
            const bool closed = to < cells.size() && cells[to] == '~' &&
                                (attributes.count(raft) == 0 || !attributes.at(raft));
            adjacent->push_back(StateCost{toState(to), closed ? FLT_MAX : cost});
        }
    }
    void PrintStateInfo(void*) override {}

    edgeList edges;
    std::map<std::uintptr_t, float> estimates;
    std::uintptr_t width = 0;
    std::string cells;
    std::vector<void*> expanded;
};

/// The cheapest cost from start to goal by Dijkstra's method, or infinity.
double cheapest(listGraph& graph, std::uintptr_t start, std::uintptr_t goal,
                const travelAttributes& attributes) {
    std::map<std::uintptr_t, double> best{{start, 0.0}};
    std::set<std::pair<double, std::uintptr_t>> open{{0.0, start}};
    while (!open.empty() && open.begin()->second != goal) {
        const auto [cost, at] = *open.begin();
        open.erase(open.begin());
        std::vector<StateCost> adjacent;
        graph.AdjacentCost(toState(at), &adjacent, attributes);
        for (const StateCost& step : adjacent) {
            const auto known = best.find(fromState(step.state));
            if (step.cost != FLT_MAX && (known == best.end() || cost + step.cost < known->second)) {
                best[fromState(step.state)] = cost + step.cost;
                open.insert({cost + step.cost, fromState(step.state)});
            }
        }
    }
    return best.count(goal) != 0 ? best[goal] : INFINITY;
}
} // namespace

TEST(MicroPather, SearchesExpandTheLowestTotalFirstAndTiesInArrivalOrder) {
    // b is a state too large to index, which moves the nodes to a hash table.
    const std::tuple<const char*, const char*, std::uintptr_t, std::uintptr_t, int, float, const char*,
                     const char*>
        searches[] = {
            // what, graph, start, goal, result, cost, path, states expanded in order
            {"start is goal", "1>2:1", 5, 5, startIsGoal, 0, "40 41", ""},
            {"every step into 3 closed", "1>2:1 1>4:1 2>3:x 4>3:x 4>5:1", 1, 3, noPath, 0, "40 41",
             "1 2 4 5"},
            {"A offers B a cheaper route: B moves ahead of C", "1>2:1 1>3:2.5 1>b:3 2>b:1 3>5:1 b>2:1 b>5:1",
             1, 5, pathFound, 3, "1 2 b 5", "1 2 b 3"},
            {"equal totals in arrival order", "10>5:1 10>3:1 10>7:1 10>20:2 5>21:1 3>22:1", 10, 99, noPath, 0,
             "40 41", "10 5 3 7 20 21 22"},
            {"C lowers N and M to A's total: updated first, the latest first",
             "1>2:5 1>3:6 1>4:7 1>5:1 1>6:9 5>4:4 5>6:4", 1, 99, noPath, 0, "40 41", "1 5 6 4 2 3"},
            {"B overshoots: A, closed at 5, takes B's route at 2 but is not expanded again",
             "1>2:5 1>3:1 3>2:1 2>4:10 3:10", 1, 4, pathFound, 15, "1 3 2 4", "1 2 3"}};
    for (const auto& [why, text, start, goal, result, cost, path, expanded] : searches) {
        listGraph graph(text);
        MicroPather pather(&graph, 64, 4);
        std::vector<void*> found = states("40 41");
        float total = 99.0f;
        EXPECT_EQ(pather.Solve(toState(start), toState(goal), &found, &total, {}), result) << why;
        EXPECT_EQ(std::make_tuple(total, found, graph.expanded),
                  std::make_tuple(cost, states(path), states(expanded)))
            << why;
    }
}

TEST(MicroPather, AReusedSolverFindsTheCheapestPathsAndForgetsCostsOfOtherAttributes) {
    listGraph graph(
        10, "11111#111111111#111111111~11111111111111"); // rock at x 5 in rows 0 and 1, water in row 2
    MicroPather pather(&graph, 64, 4);
    std::vector<void*> path;
    float cost = 0.0f;
    const auto solve = [&](std::uintptr_t from, std::uintptr_t to, bool raftOn = false) {
        EXPECT_EQ(pather.Solve(toState(from), toState(to), &path, &cost, travelAttributes{{raft, raftOn}}),
                  pathFound);
        return cost;
    };
    EXPECT_EQ(std::make_pair(solve(0, 9), solve(19, 10)), std::make_pair(15.0f, 13.0f)) << "round the rock";
    EXPECT_EQ(std::make_pair(solve(20, 29, true), solve(20, 29)), std::make_pair(9.0f, 11.0f))
        << "a raft opens the water, and only a raft";
    graph.cells[25] = '1';
    pather.Reset();
    EXPECT_EQ(solve(20, 29), 9.0f) << "a reset drops what the solver cached";
    std::mt19937 random(7);
    for (int map = 0; map < 12; ++map) {
        std::string cells;
        std::generate_n(std::back_inserter(cells), 24 * 18, [&] { return "1112239#~~"[random() % 10]; });
        listGraph terrain(24, cells);
        MicroPather reused(&terrain, 64, 8);
        for (int query = 0; query < 15; ++query) {
            const std::uintptr_t start = random() % cells.size(), goal = random() % cells.size();
            const travelAttributes attributes{{raft, random() % 2 == 0}};
            const double expected = cheapest(terrain, start, goal, attributes);
            const int result = reused.Solve(toState(start), toState(goal), &path, &cost, attributes);
            ASSERT_EQ(result, start == goal ? startIsGoal : std::isinf(expected) ? noPath : pathFound) << map;
            float sum = 0.0f; // an open step costs 1 or more; any other step, a repeat too, adds 0
            for (std::size_t i = 1; result == pathFound && i < path.size(); ++i) {
                std::vector<StateCost> adjacent;
                terrain.AdjacentCost(path[i - 1], &adjacent, attributes);
                for (const StateCost& step : adjacent) {
                    sum += step.state == path[i] && step.cost != FLT_MAX ? step.cost : 0.0f;
                }
            }
            EXPECT_TRUE(result != pathFound ||
                        (cost == expected && sum == cost && path.front() == toState(start) &&
                         path.back() == toState(goal)))
                << map << ": " << cost << " for " << expected;
        }
    }
}
