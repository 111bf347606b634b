#pragma once

#include "sim/travelEquipment.hpp"

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace micropather {

/// Results of MicroPather::Solve.
enum solveResult : int { pathFound = 0, noPath = 1, startIsGoal = 2 };

struct StateCost {
    void* state;
    float cost; ///< FLT_MAX: the neighbour cannot be entered.
};

/// What the solver searches. States are opaque pointer-sized values, usually small integers.
/// A graph shared by several solvers is called from their threads at once, so it must not
/// change while they run.
class Graph {
  public:
    virtual ~Graph() = default;
    /// Estimate of the cost from start to end; never above the true cost if paths are to be cheapest.
    virtual float LeastCostEstimate(void* start, void* end) = 0;
    /// Appends one entry per neighbour of state. Costs are non-negative; FLT_MAX closes the step.
    virtual void AdjacentCost(void* state, std::vector<StateCost>* adjacent,
                              const travelAttributes& attributes) = 0;
    virtual void PrintStateInfo(void* state) = 0;
};

/// Position of a node in its pool.
using nodeIndex = std::uint32_t;
constexpr nodeIndex NO_NODE = UINT32_MAX;

struct NodeCost {
    nodeIndex node;
    float cost;
};

/// One searched state. Kept to 32 bytes: a long search holds a million of them.
struct PathNode {
    void* state;
    float costFromStart;
    float estToGoal;
    nodeIndex parent;
    /// Query in which the search fields were last set.
    unsigned frame;
    /// First entry of the cached neighbour list; -1 when the list is not cached.
    std::int32_t cacheIndex;
    /// Enterable neighbours in the cached list; -1 when the list is not cached.
    std::int16_t numAdjacent;
    bool inOpen;
    bool inClosed;

    /// FLT_MAX unless both parts are known.
    float totalCost() const {
        return costFromStart < FLT_MAX && estToGoal < FLT_MAX ? costFromStart + estToGoal : FLT_MAX;
    }
};

static_assert(sizeof(PathNode) <= 32, "a long search holds a million nodes");

/// Releases the pool's large blocks, which are aligned for huge pages.
struct blockDelete {
    static constexpr std::align_val_t ALIGNMENT{std::size_t{2} << 20};
    void operator()(void* block) const { ::operator delete(block, ALIGNMENT); }
};
template <class T> using blockPtr = std::unique_ptr<T[], blockDelete>;

/// Every node a solver has met, found by state, plus the neighbour lists cached for them.
///
/// Node records live in blocks that never move, so a node keeps its index for the pool's
/// lifetime. States that are small integers, as the pathing graph's are, own the records of
/// pages of 64 consecutive states, made as a search reaches them: a node's neighbours then lie
/// together in memory and no table is needed. The first other state moves the pool to an
/// open-addressing hash table, and later nodes take records one by one.
class PathNodePool {
  public:
    /// allocate: records per block (rounded down to a power of two, at least 64);
    /// typicalAdjacent: the neighbour cache holds at most allocate × typicalAdjacent entries.
    PathNodePool(unsigned allocate, unsigned typicalAdjacent);
    PathNodePool(const PathNodePool&) = delete;
    PathNodePool& operator=(const PathNodePool&) = delete;

    /// The node of state, created when new. When its search fields belong to an older frame
    /// they are set from the arguments; a node already met in this frame is returned unchanged.
    nodeIndex GetPathNode(unsigned frame, void* state, float costFromStart, float estToGoal,
                          nodeIndex parent);

    PathNode& node(nodeIndex index) { return blocks[index >> blockShift][index & blockMask]; }
    const PathNode& node(nodeIndex index) const { return blocks[index >> blockShift][index & blockMask]; }
    /// Where the open queue keeps a node's heap position.
    std::uint32_t& heapSlot(nodeIndex index) { return heapSlots[index >> blockShift][index & blockMask]; }
    /// Nodes created since construction or the last clear().
    std::size_t size() const { return nodeCount; }
    bool usesHashTable() const { return !dense; }

    static std::uint64_t Hash(void* state);

    /// Keeps a copy of a node's enterable neighbours if the cache has room; false when it has not.
    bool cacheNeighbours(PathNode& owner, const std::vector<NodeCost>& neighbours);
    /// The owner's cached list; valid while the cache is not cleared. Requires numAdjacent > 0.
    const NodeCost* cachedNeighbours(const PathNode& owner) const;
    /// Forgets every cached list, keeping the nodes.
    void clearCache();
    /// Forgets every node and cached list, keeping the memory for reuse.
    void clear();

    /// Bytes held by the pool's blocks, lookup structures and cache.
    std::size_t memoryBytes() const;

  private:
    static constexpr unsigned PAGE_SHIFT = 6;
    static constexpr std::size_t PAGE_SIZE = std::size_t{1} << PAGE_SHIFT;
    static constexpr std::uint32_t NO_PAGE = UINT32_MAX;
    /// Larger states would make the page directory itself too big.
    static constexpr std::uint64_t DIRECT_STATE_LIMIT = std::uint64_t{1} << 26;

    struct hashSlot {
        std::uint64_t key;
        nodeIndex node; // NO_NODE: empty
    };

    static std::uint64_t hashKey(std::uint64_t key);
    nodeIndex findDirect(std::uint64_t key) const;
    nodeIndex createDirect(std::uint64_t key);
    nodeIndex findHashed(std::uint64_t key) const;
    nodeIndex createHashed(std::uint64_t key);
    void switchToHashTable();
    void growHashTable();
    void insertHashed(std::uint64_t key, nodeIndex index);
    /// Makes blocks cover record indices below `records`.
    void reserveRecords(std::size_t records);

    std::vector<blockPtr<PathNode>> blocks;
    std::vector<blockPtr<std::uint32_t>> heapSlots; // beside blocks, one per record
    unsigned blockShift;
    std::uint32_t blockMask;
    std::size_t recordsUsed = 0; // whole pages while states index pages, then one per node
    std::size_t nodeCount = 0;

    bool dense = true;
    std::vector<std::uint32_t> pageOfStates; // by state / 64: page number of the records, or NO_PAGE
    std::vector<std::uint64_t> pageUsage;    // by page number: one bit per record that holds a node
    std::vector<hashSlot> hashTable;
    unsigned hashShift = 0;

    std::vector<std::unique_ptr<NodeCost[]>> cacheChunks;
    unsigned cacheChunkShift;
    std::size_t cacheCap;
    std::size_t cacheSize = 0;
};

/// Nodes waiting to be expanded, lowest total cost first. Among equal totals, pushed nodes leave
/// first in first out, and a node whose total fell leaves before all of them, the latest update
/// first. A 4-ary heap that knows where each open node sits, so an updated node moves in place.
class OpenQueue {
  public:
    explicit OpenQueue(PathNodePool& pool) : pool(pool) {}

    void Push(nodeIndex node);
    /// Requires !Empty().
    nodeIndex Pop();
    /// Call after the node's cost from the start fell while it was open. A total that rounds to the
    /// old one keeps the node's place.
    void Update(nodeIndex node);
    bool Empty() const { return heap.empty(); }
    void Clear();

    std::size_t memoryBytes() const { return heap.capacity() * sizeof(entry); }

  private:
    struct entry {
        std::uint64_t key; // ordered total cost in the high half, arrival number in the low half
        nodeIndex node;
    };

    void siftUp(std::size_t hole, entry moving);
    void siftDown(std::size_t hole, entry moving);
    void place(std::size_t hole, entry moving);
    static std::uint64_t keyOf(float totalCost, std::uint32_t sequence);

    // Pushes count up from the middle of the arrival numbers and updates count down from it, so an
    // update ranks before every push and every earlier update of the same total.
    static constexpr std::uint32_t FIRST_PUSH = UINT32_C(0x80000000);
    static constexpr std::uint32_t FIRST_UPDATE = FIRST_PUSH - 1;

    PathNodePool& pool;
    std::vector<entry> heap;
    std::uint32_t pushSequence = FIRST_PUSH;
    std::uint32_t updateSequence = FIRST_UPDATE;
};

/// A* over a Graph. From its second query on, a solver caches the neighbour lists it asks for, so a
/// solver reused on an unchanged graph asks it less. One thread per solver; solvers share nothing.
class MicroPather {
  public:
    /// graph is not owned and must outlive the solver. allocate: nodes per pool block;
    /// typicalAdjacent: sizes the neighbour cache at allocate × typicalAdjacent entries.
    MicroPather(Graph* graph, unsigned allocate = 250, unsigned typicalAdjacent = 6);
    MicroPather(const MicroPather&) = delete;
    MicroPather& operator=(const MicroPather&) = delete;

    /// Cheapest path from start to end for a unit with these attributes. Returns a solveResult;
    /// on pathFound, path holds the states from start to end inclusive and totalCost its cost.
    /// On startIsGoal path is untouched and totalCost 0; on noPath path is untouched.
    [[nodiscard]] int Solve(void* start, void* end, std::vector<void*>* path, float* totalCost,
                            const travelAttributes& attributes);

    /// Forgets every node and cached neighbour list; needed after the graph changed.
    void Reset();

    /// Nodes expanded by the last Solve.
    std::size_t lastExpansions() const { return expansions; }
    /// Bytes the solver holds now; nothing is released before destruction or Reset.
    std::size_t memoryBytes() const;

  private:
    void GetNodeNeighbors(nodeIndex index, std::vector<NodeCost>* neighbours);
    void GoalReached(nodeIndex goal, std::vector<void*>* path) const;

    travelAttributes attributes;
    PathNodePool pathNodePool;
    OpenQueue openQueue;
    std::vector<StateCost> stateCostVec;
    std::vector<NodeCost> nodeCostVec;
    Graph* graph;
    unsigned frame = 0;
    std::size_t expansions = 0;
};

} // namespace micropather
