#pragma once

#include "path/micropather.hpp"
#include "sim/placeableObject.hpp"
#include "sim/travelEquipment.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

class aStarGraph;

/// Everything a search needs, taken on the main thread when the path is asked for, so that the search reads
/// nothing of the object while the game goes on.
struct pathQuery {
    int startNode = 0;
    int goalNode = 0;
    /// The exact destination, without the +1.0 offset: the path's last waypoint.
    float destinationX = 0.0f;
    float destinationY = 0.0f;
    travelAttributes attributes;
    /// On finding no path, find out which gear the object lacks for one (a second, longer search).
    bool explain = false;
    /// The object's request this answers; an answer to an earlier (or cancelled) request is dropped.
    std::uint64_t request = 0;
    std::chrono::steady_clock::time_point requested;
};

/// A search's outcome: a micropather::solveResult, and on pathFound the route: the centre of the node the
/// search started from, then the waypoints. Columns are counted from the start node's, in 0 … the graph's
/// width: the route may run past the seam, and is moved by whole turns of the world to where the object is.
struct pathAnswer {
    int result = micropather::noPath;
    std::vector<waypoint> route;
    /// Why there is no path, when result is noPath.
    unreachableReason reason = unreachableReason::unreachable;
    std::size_t expansions = 0;
};

/// A search from the node under `object` to the node under (x, y), x in the +1.0 convention, with the
/// object's travel attributes, for the object's request `request`. Node columns wrap round the world, as
/// positions do. Main thread.
[[nodiscard]] pathQuery makePathQuery(const aStarGraph& graph, const placeableObject& object, float x,
                                      float y, std::uint64_t request = 0);

/// Runs the A* search of `query` on `graph` and straightens the route through the centres of the nodes
/// found (they keep a walk off the nodes' edges) to the exact destination, kept inside the goal node. Legs
/// are shorter than half the world, so that a walk, which takes each leg the short way round, goes the
/// route's way. A goal that no step may enter, or one outside the graph, is answered with noPath without
/// searching. Once `stop` is raised the search ends early as if nothing were reachable. Any thread.
[[nodiscard]] pathAnswer findPath(const aStarGraph& graph, const pathQuery& query,
                                  const std::atomic<bool>& stop);

/// Reports the search's result on standard output and, when it answers the object's current request,
/// installs the route: moved round the world to where the object stands now, straight to the first waypoint
/// when the object can walk there, else by the centre of the start node. Lowers the object's
/// pathInProgress. Any thread.
void deliverPath(placeableObject& object, const pathQuery& query, const pathAnswer& answer,
                 const aStarGraph& graph);

/// Runs path searches on threads it owns, at most `permits` at once; further requests wait their turn.
/// The answers of recent searches are kept: the graph does not change, so the same request gets the same
/// answer, and requests repeat all the time (an attacking unit asks again on almost every tick until its last
/// leg, and a unit that cannot reach its target is sent against it again every frame).
///
/// Threads: submit, stop and pauseDeliveries belong to the main thread. `waiting`, `running` and `answers`
/// are guarded by `lock`; answers are installed holding `deliveries`; the counters and `stopping` are atomic;
/// the graph must stay unchanged until stop() returns.
class pathSearchPool {
  public:
    static constexpr unsigned PERMITS = 10;

    /// What one finished search reports to onSearchDone.
    struct searchRecord {
        int result;
        std::size_t expansions;
        /// From the request to the installed path (or to the end of a search that found none).
        std::chrono::steady_clock::duration latency;
    };

    /// Starts the search threads.
    explicit pathSearchPool(const aStarGraph& graph, unsigned permits = PERMITS);
    /// Stops as stop() does.
    ~pathSearchPool();
    pathSearchPool(const pathSearchPool&) = delete;
    pathSearchPool& operator=(const pathSearchPool&) = delete;

    /// Queues a search for `object`, whose `pathInProgress` the caller has raised; the search lowers it when
    /// it answers the object's current request. The object must live until stop() returns.
    void submit(placeableObject& object, pathQuery query);
    /// Ends the searches in flight early without installing them, drops the waiting requests and joins every
    /// thread. Later requests are dropped. Safe to call more than once.
    void stop();
    /// Waits until no search runs or waits, or until the deadline; true when idle.
    bool waitUntilIdle(std::chrono::steady_clock::time_point deadline);
    /// Holds every search's answer back until the lock is released: the searches go on, but no path is
    /// installed meanwhile. Main thread.
    [[nodiscard]] std::unique_lock<std::mutex> pauseDeliveries();
    /// The requests asked for and not yet answered, oldest first, of objects whose latest request they are.
    /// The caller holds pauseDeliveries(), so that none is answered while it looks.
    std::vector<std::pair<placeableObject*, pathQuery>> pendingRequests();

    std::uint64_t searchesDone() const { return done; }
    /// Requests waiting for a permit.
    std::size_t waitingCount();
    std::uint64_t pathsInstalled() const { return installed; }

    /// Called on the search's thread after each completed search. Set it while no search runs or waits; it
    /// must be safe to call from several threads at once.
    std::function<void(const searchRecord&)> onSearchDone;

  private:
    struct job {
        placeableObject* object;
        pathQuery query;
    };

    /// All that decides a search's answer: start and goal node, the attributes' and explanation's bits and
    /// the destination's.
    using searchKey = std::tuple<int, int, unsigned, std::uint32_t, std::uint32_t>;
    /// Most answers kept (a few waypoints each); past it they are all forgotten and searched for again.
    static constexpr std::size_t MAX_ANSWERS = 4096;

    void work();
    static searchKey keyOf(const pathQuery& query);

    const aStarGraph& graph;
    std::mutex lock;
    /// Held while an answer is installed; taken before `lock`.
    std::mutex deliveries;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<job> waiting;
    /// The jobs being searched, by the number they were taken under.
    std::map<std::uint64_t, job> running;
    std::uint64_t taken = 0;
    std::map<searchKey, pathAnswer> answers;
    std::atomic<bool> stopping{false};
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> installed{0};
    std::vector<std::thread> threads;
};

/// The path searches of the current run: at most ten at once. Created with the pathing graph, stopped and
/// released first when the run ends.
extern std::unique_ptr<pathSearchPool> microPatherSem;
