#include "sim/pathSearches.hpp"

#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"
#include "world/altitudes.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
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
/// Nodes a search for the gear an object lacks may expand before it gives up: a way by raft may cross an
/// ocean, but one that finds nothing would explore them all.
constexpr std::size_t EXPLANATION_EXPANSIONS = 1000000;

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

bool attributeOn(const travelAttributes& attributes, travelEquipment kind) {
    const auto found = attributes.find(kind);
    return found != attributes.end() && found->second;
}

/// The gear among `needed` that `attributes` lack.
unreachableReason lacking(bool raftNeeded, bool gearNeeded, const travelAttributes& attributes) {
    const bool raftMissing = raftNeeded && !attributeOn(attributes, raft);
    const bool gearMissing = gearNeeded && !attributeOn(attributes, mountainGear);
    if (raftMissing && gearMissing) {
        return unreachableReason::needsRaftAndMountainGear;
    }
    if (raftMissing) {
        return unreachableReason::needsRaft;
    }
    return gearMissing ? unreachableReason::needsMountainGear : unreachableReason::unreachable;
}

/// The pathing graph as one search sees it: once `stop` is raised, or `limit` nodes have been expanded,
/// every node has no way out, so the solver empties its open list and returns at once.
class stoppableGraph : public micropather::Graph {
  public:
    stoppableGraph(const aStarGraph& graph, const std::atomic<bool>& stop, std::size_t limit = SIZE_MAX)
        : graph(const_cast<aStarGraph&>(graph)), stop(stop), limit(limit) {}

    float LeastCostEstimate(void* start, void* end) override { return graph.LeastCostEstimate(start, end); }
    void AdjacentCost(void* state, std::vector<micropather::StateCost>* adjacent,
                      const travelAttributes& attributes) override {
        if (!stop.load(std::memory_order_relaxed) && expanded++ < limit) {
            graph.AdjacentCost(state, adjacent, attributes);
        }
    }
    void PrintStateInfo(void* state) override { graph.PrintStateInfo(state); }

  private:
    // The graph's operations do not change it; the solver's interface does not say so.
    aStarGraph& graph;
    const std::atomic<bool>& stop;
    std::size_t limit;
    std::size_t expanded = 0;
};

/// The solver's states from start to goal, or nothing.
std::vector<void*> solve(const aStarGraph& graph, const pathQuery& query, const travelAttributes& attributes,
                         const std::atomic<bool>& stop, std::size_t limit, int& result,
                         std::size_t& expansions) {
    stoppableGraph searched(graph, stop, limit);
    micropather::MicroPather solver(&searched, SOLVER_ALLOCATE, SOLVER_TYPICAL_ADJACENT);
    std::vector<void*> states;
    float cost = 0.0f;
    result = solver.Solve(toState(query.startNode), toState(query.goalNode), &states, &cost, attributes);
    expansions += solver.lastExpansions();
    return result == micropather::pathFound ? states : std::vector<void*>{};
}

/// Which gear would open a way: what the goal's own terrain needs, or else the least the object lacks for a
/// path: a raft, mountain gear, or both. Searches that find nothing give up after EXPLANATION_EXPANSIONS.
unreachableReason explainNoPath(const aStarGraph& graph, const pathQuery& query,
                                const std::atomic<bool>& stop, std::size_t& expansions) {
    int x = 0;
    int y = 0;
    graph.NodeToXY(toState(query.goalNode), &x, &y);
    if (!graph.canEnter(x, y, query.attributes)) {
        const std::int32_t height = graph.mapGridTerrain(x, y);
        return lacking(height<WATER_ALTITUDE, height> MOUNTIAN_TOP_ALTITUDE, query.attributes);
    }
    if (!query.explain) {
        return unreachableReason::unreachable;
    }
    for (const auto& [raftToo, gearToo] : {std::pair{true, false}, {false, true}, {true, true}}) {
        travelAttributes tried = query.attributes;
        tried[raft] = tried[raft] || raftToo;
        tried[mountainGear] = tried[mountainGear] || gearToo;
        if (tried == query.attributes) {
            continue;
        }
        int result = micropather::noPath;
        solve(graph, query, tried, stop, EXPLANATION_EXPANSIONS, result, expansions);
        if (result == micropather::pathFound) {
            return lacking(raftToo, gearToo, query.attributes);
        }
    }
    return unreachableReason::unreachable;
}

/// `value` moved by whole turns of `turn` to lie nearest `near`.
float nearestTurn(float value, float near, float turn) {
    return value + turn * std::round((near - value) / turn);
}

} // namespace

pathQuery makePathQuery(const aStarGraph& graph, const placeableObject& object, float x, float y,
                        std::uint64_t request) {
    pathQuery query;
    query.startNode =
        graph.XYToNode(wrapColumn(getMapGridX(object.x + 1.0f), graph.gridWidth), getMapGridY(object.y));
    query.goalNode = graph.XYToNode(wrapColumn(getMapGridX(x), graph.gridWidth), getMapGridY(y));
    query.destinationX = x - 1.0f;
    query.destinationY = y;
    query.attributes = object.getTravelAttributes();
    query.request = request;
    query.requested = std::chrono::steady_clock::now();
    return query;
}

pathAnswer findPath(const aStarGraph& graph, const pathQuery& query, const std::atomic<bool>& stop) {
    pathAnswer answer;
    const int nodes = graph.gridWidth * graph.gridHeight;
    if (query.goalNode < 0 || query.goalNode >= nodes || query.startNode < 0 || query.startNode >= nodes) {
        return answer;
    }
    int goalX = 0;
    int goalY = 0;
    graph.NodeToXY(toState(query.goalNode), &goalX, &goalY);
    if (query.startNode != query.goalNode && !graph.canEnter(goalX, goalY, query.attributes)) {
        answer.reason = explainNoPath(graph, query, stop, answer.expansions);
        return answer;
    }
    const std::vector<void*> states =
        solve(graph, query, query.attributes, stop, SIZE_MAX, answer.result, answer.expansions);
    if (answer.result == micropather::noPath && !stop) {
        answer.reason = explainNoPath(graph, query, stop, answer.expansions);
    }
    if (answer.result != micropather::pathFound) {
        return answer;
    }
    // Node centres, the columns counted on across the seam from the start's.
    std::vector<waypoint>& points = answer.route;
    int column = 0;
    int lastX = 0;
    for (std::size_t i = 0; i < states.size(); ++i) {
        int nodeX = 0;
        int nodeY = 0;
        graph.NodeToXY(states[i], &nodeX, &nodeY);
        int step = nodeX - lastX;
        if (step > graph.gridWidth / 2) {
            step -= graph.gridWidth;
        } else if (step < -graph.gridWidth / 2) {
            step += graph.gridWidth;
        }
        column = i == 0 ? nodeX : column + step;
        lastX = nodeX;
        points.emplace_back((static_cast<float>(column) + 0.5f) / 100.0f,
                            (static_cast<float>(nodeY) + 0.5f) / 100.0f);
    }
    // The exact destination, moved round the world to the goal node. It lies in the goal node as the walk
    // reckons nodes, since the walk ends exactly on it; near an edge of the node the line to it is not clear,
    // and the route comes by the goal node's centre.
    const float world = static_cast<float>(graph.gridWidth) / 100.0f;
    points.emplace_back(nearestTurn(query.destinationX, points.back().first, world), query.destinationY);
    points = graph.refinePath(points, query.attributes);
    return answer;
}

void deliverPath(placeableObject& object, const pathQuery& query, const pathAnswer& answer,
                 const aStarGraph& graph) {
    // One write, so that lines of searches finishing together do not interleave.
    std::fputs(("Pather returned " + std::to_string(answer.result) + "\n").c_str(), stdout);
    const std::lock_guard<std::mutex> lock(object.pathMutex);
    if (object.pathRequest != query.request) {
        return;
    }
    object.pathFailure = answer.result == micropather::noPath ? answer.reason : unreachableReason::none;
    if (answer.result == micropather::pathFound && answer.route.size() >= 2) {
        const float world = static_cast<float>(graph.gridWidth) / 100.0f;
        const float shift =
            nearestTurn(answer.route.front().first, object.x, world) - answer.route.front().first;
        std::vector<waypoint> route;
        for (const waypoint& point : answer.route) {
            route.emplace_back(point.first + shift, point.second);
        }
        // The object may have walked on while the search ran, or stand by a node's edge.
        if (graph.canWalkStraight({object.x, object.y}, route[1], query.attributes)) {
            route.erase(route.begin());
        }
        object.installPathHeld(route);
    }
    object.pathInProgress = false;
}

pathSearchPool::pathSearchPool(const aStarGraph& graph, unsigned permits) : graph(graph) {
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
    return idle.wait_until(guard, deadline, [this] { return waiting.empty() && running.empty(); });
}

std::size_t pathSearchPool::waitingCount() {
    const std::lock_guard<std::mutex> guard(lock);
    return waiting.size();
}

std::unique_lock<std::mutex> pathSearchPool::pauseDeliveries() {
    return std::unique_lock<std::mutex>(deliveries);
}

std::vector<std::pair<placeableObject*, pathQuery>> pathSearchPool::pendingRequests() {
    const std::lock_guard<std::mutex> guard(lock);
    std::vector<std::pair<placeableObject*, pathQuery>> pending;
    const auto addCurrent = [&pending](const job& asked) {
        if (asked.object->pathRequest == asked.query.request) {
            pending.emplace_back(asked.object, asked.query);
        }
    };
    for (const auto& [number, searching] : running) {
        addCurrent(searching);
    }
    for (const job& queued : waiting) {
        addCurrent(queued);
    }
    return pending;
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
    bits |= (query.explain ? 1u : 0u) << (raft + 1);
    return {query.startNode, query.goalNode, bits, destinationX, destinationY};
}

void pathSearchPool::work() {
    for (;;) {
        job next;
        std::uint64_t number = 0;
        std::optional<pathAnswer> known;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return stopping || !waiting.empty(); });
            if (stopping) {
                return;
            }
            next = std::move(waiting.front());
            waiting.pop_front();
            number = ++taken;
            running.emplace(number, next);
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
        const std::lock_guard<std::mutex> delivering(deliveries);
        if (!stopping) {
            deliverPath(*next.object, next.query, answer, graph);
            installed += answer.result == micropather::pathFound ? 1 : 0;
            ++done;
            if (onSearchDone) {
                onSearchDone(searchRecord{answer.result, answer.expansions,
                                          std::chrono::steady_clock::now() - next.query.requested});
            }
        } else {
            next.object->pathInProgress = false;
        }

        const std::lock_guard<std::mutex> guard(lock);
        running.erase(number);
        if (running.empty() && waiting.empty()) {
            idle.notify_all();
        }
    }
}
