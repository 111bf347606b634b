#include "sim/pathSearches.hpp"

#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

std::unique_ptr<pathSearchPool> microPatherSem;

namespace {

// The solver's sizes for one request: nodes per block and neighbours per node.
constexpr unsigned SOLVER_ALLOCATE = 468000;
constexpr unsigned SOLVER_TYPICAL_ADJACENT = 6;

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

/// True when no step can enter `node` with these attributes (or it lies outside the graph), so that a search
/// for it could only end without a path after exploring everything within reach.
bool cannotBeEntered(aStarGraph& graph, int node, const travelAttributes& attributes) {
    if (node < 0 || node >= graph.gridWidth * graph.gridHeight) {
        return true;
    }
    if (graph.gridWidth < 2) {
        return false;
    }
    int x = 0;
    int y = 0;
    graph.NodeToXY(toState(node), &x, &y);
    // The step in from a neighbour follows the graph's own rule for what may be entered.
    std::vector<micropather::StateCost> steps;
    graph.AdjacentCost(toState(x > 0 ? node - 1 : node + 1), &steps, attributes);
    for (const micropather::StateCost& step : steps) {
        if (step.state == toState(node)) {
            return !(step.cost < FLT_MAX);
        }
    }
    return false;
}

/// The pathing graph as one search sees it: once `stop` is raised every node has no way out, so the solver
/// empties its open list and returns at once.
class stoppableGraph : public micropather::Graph {
  public:
    stoppableGraph(aStarGraph& graph, const std::atomic<bool>& stop) : graph(graph), stop(stop) {}

    float LeastCostEstimate(void* start, void* end) override { return graph.LeastCostEstimate(start, end); }
    void AdjacentCost(void* state, std::vector<micropather::StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        if (!stop.load(std::memory_order_relaxed)) {
            graph.AdjacentCost(state, adjacent, attributes);
        }
    }
    void PrintStateInfo(void* state) override { graph.PrintStateInfo(state); }

  private:
    aStarGraph& graph;
    const std::atomic<bool>& stop;
};

} // namespace

pathQuery makePathQuery(const aStarGraph& graph, const placeableObject& object, float x, float y) {
    pathQuery query;
    query.startNode =
        graph.XYToNode(wrapColumn(getMapGridX(object.x + 1.0f), graph.gridWidth), getMapGridY(object.y));
    query.goalNode = graph.XYToNode(wrapColumn(getMapGridX(x), graph.gridWidth), getMapGridY(y));
    query.destinationX = x - 1.0f;
    query.destinationY = y;
    query.attributes = object.getTravelAttributes();
    query.requested = std::chrono::steady_clock::now();
    return query;
}

pathAnswer findPath(aStarGraph& graph, const pathQuery& query, const std::atomic<bool>& stop) {
    pathAnswer answer;
    if (query.startNode != query.goalNode && cannotBeEntered(graph, query.goalNode, query.attributes)) {
        return answer;
    }
    stoppableGraph searched(graph, stop);
    micropather::MicroPather solver(&searched, SOLVER_ALLOCATE, SOLVER_TYPICAL_ADJACENT);
    std::vector<void*> states;
    float cost = 0.0f;
    answer.result =
        solver.Solve(toState(query.startNode), toState(query.goalNode), &states, &cost, query.attributes);
    answer.expansions = solver.lastExpansions();
    if (answer.result != micropather::pathFound) {
        return answer;
    }
    std::vector<waypoint>& points = answer.waypoints;
    for (void* state : states) {
        int nodeX = 0;
        int nodeY = 0;
        graph.NodeToXY(state, &nodeX, &nodeY);
        points.emplace_back(static_cast<float>(nodeX) / 100.0f, static_cast<float>(nodeY) / 100.0f);
    }
    if (points.size() >= 2) {
        points = graph.refinePath(points, query.attributes);
        if (points.size() > 1) {
            // The object already stands on the first node, and the goal node only approximates the
            // destination.
            points.erase(points.begin());
            points.back() = waypoint(query.destinationX, query.destinationY);
        }
    }
    return answer;
}

void deliverPath(placeableObject& object, const pathAnswer& answer) {
    // One write, so that lines of searches finishing together do not interleave.
    std::fputs(("Pather returned " + std::to_string(answer.result) + "\n").c_str(), stdout);
    if (answer.result == micropather::pathFound) {
        object.installPath(answer.waypoints);
    }
    object.pathNotFound = answer.result == micropather::noPath;
}

pathSearchPool::pathSearchPool(aStarGraph& graph, unsigned permits) : graph(graph) {
    try {
        for (unsigned i = 0; i < permits; ++i) {
            threads.emplace_back(&pathSearchPool::work, this);
        }
    } catch (...) {
        stop();
        throw;
    }
}

pathSearchPool::~pathSearchPool() {
    stop();
}

void pathSearchPool::submit(placeableObject& object, pathQuery query) {
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!stopping) {
            waiting.push_back(job{&object, std::move(query)});
            wake.notify_one();
            return;
        }
    }
    object.pathInProgress = false;
}

void pathSearchPool::stop() {
    {
        const std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        for (const job& dropped : waiting) {
            dropped.object->pathInProgress = false;
        }
        waiting.clear();
    }
    wake.notify_all();
    for (std::thread& thread : threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    idle.notify_all();
}

bool pathSearchPool::waitUntilIdle(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock<std::mutex> guard(lock);
    return idle.wait_until(guard, deadline, [this] { return waiting.empty() && running == 0; });
}

pathSearchPool::searchKey pathSearchPool::keyOf(const pathQuery& query) {
    unsigned bits = 0;
    for (const auto& [kind, allowed] : query.attributes) {
        bits |= (allowed ? 1u : 0u) << static_cast<unsigned>(kind);
    }
    std::uint32_t destinationX = 0;
    std::uint32_t destinationY = 0;
    std::memcpy(&destinationX, &query.destinationX, sizeof destinationX);
    std::memcpy(&destinationY, &query.destinationY, sizeof destinationY);
    return {query.startNode, query.goalNode, bits, destinationX, destinationY};
}

void pathSearchPool::work() {
    for (;;) {
        job next;
        std::optional<pathAnswer> known;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return stopping || !waiting.empty(); });
            if (stopping) {
                return;
            }
            next = std::move(waiting.front());
            waiting.pop_front();
            ++running;
            if (const auto found = answers.find(keyOf(next.query)); found != answers.end()) {
                known = found->second;
                known->expansions = 0;
            }
        }

        const pathAnswer answer = known ? *known : findPath(graph, next.query, stopping);
        // A search cut short by stop() answers noPath too: only a finished one is kept.
        if (!known && !stopping) {
            const std::lock_guard<std::mutex> guard(lock);
            if (answers.size() >= MAX_ANSWERS) {
                answers.clear();
            }
            answers.emplace(keyOf(next.query), answer);
        }
        if (!stopping) {
            deliverPath(*next.object, answer);
            installed += answer.result == micropather::pathFound ? 1 : 0;
            ++done;
            if (onSearchDone) {
                onSearchDone(searchRecord{answer.result, answer.expansions,
                                          std::chrono::steady_clock::now() - next.query.requested});
            }
        }
        next.object->pathInProgress = false;

        const std::lock_guard<std::mutex> guard(lock);
        --running;
        if (running == 0 && waiting.empty()) {
            idle.notify_all();
        }
    }
}
