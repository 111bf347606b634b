#include "path/micropather.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace micropather {

namespace {

constexpr unsigned MIN_BLOCK_SHIFT = 6; // a block holds at least one page
constexpr unsigned MAX_BLOCK_SHIFT = 20;
constexpr unsigned INITIAL_HASH_SHIFT = 10;
constexpr unsigned MIN_CACHE_CHUNK_SHIFT = 6;
constexpr unsigned MAX_CACHE_CHUNK_SHIFT = 16;

unsigned floorLog2(std::uint64_t value) {
    unsigned shift = 0;
    while (value > 1) {
        value >>= 1;
        ++shift;
    }
    return shift;
}

unsigned ceilLog2(std::uint64_t value) {
    const unsigned shift = floorLog2(value);
    return (std::uint64_t{1} << shift) < value ? shift + 1 : shift;
}

void prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

/// Uninitialised records on 2 MiB boundaries. On Linux they are offered to transparent huge pages:
/// a long search touches tens of megabytes, and on some virtual machines faulting that in 4 KiB
/// pages costs more than the search itself.
template <class T> blockPtr<T> allocateBlock(std::size_t count) {
    void* raw = ::operator new(count * sizeof(T), blockDelete::ALIGNMENT);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(raw, count * sizeof(T), MADV_HUGEPAGE);
#endif
    T* block = static_cast<T*>(raw);
    std::uninitialized_default_construct_n(block, count); // trivial: starts lifetimes, writes nothing
    return blockPtr<T>(block);
}

void setSearchFields(PathNode& node, unsigned frame, float costFromStart, float estToGoal, nodeIndex parent) {
    node.costFromStart = costFromStart;
    node.estToGoal = estToGoal;
    node.parent = parent;
    node.frame = frame;
    node.inOpen = false;
    node.inClosed = false;
}

} // namespace

PathNodePool::PathNodePool(unsigned allocate, unsigned typicalAdjacent)
    : blockShift(std::clamp(floorLog2(allocate), MIN_BLOCK_SHIFT, MAX_BLOCK_SHIFT)),
      blockMask((std::uint32_t{1} << blockShift) - 1),
      cacheCap(static_cast<std::size_t>(
          std::min<std::uint64_t>(std::uint64_t{allocate} * typicalAdjacent, INT32_MAX))) {
    cacheChunkShift = std::clamp(ceilLog2(cacheCap), MIN_CACHE_CHUNK_SHIFT, MAX_CACHE_CHUNK_SHIFT);
}

std::uint64_t PathNodePool::Hash(void* state) {
    return hashKey(reinterpret_cast<std::uintptr_t>(state));
}

std::uint64_t PathNodePool::hashKey(std::uint64_t key) {
    // Fibonacci hashing: the high bits of the product pick the slot.
    return key * 0x9E3779B97F4A7C15ull;
}

nodeIndex PathNodePool::GetPathNode(unsigned frame, void* state, float costFromStart, float estToGoal,
                                    nodeIndex parent) {
    const auto key = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(state));
    if (dense && key >= DIRECT_STATE_LIMIT) {
        switchToHashTable();
    }
    nodeIndex index = dense ? findDirect(key) : findHashed(key);
    if (index == NO_NODE) {
        index = dense ? createDirect(key) : createHashed(key);
        ++nodeCount;
        PathNode& created = node(index);
        created.state = state;
        created.cacheIndex = -1;
        created.numAdjacent = -1;
        setSearchFields(created, frame, costFromStart, estToGoal, parent);
    } else if (node(index).frame != frame) {
        setSearchFields(node(index), frame, costFromStart, estToGoal, parent);
    }
    return index;
}

nodeIndex PathNodePool::findDirect(std::uint64_t key) const {
    const auto page = static_cast<std::size_t>(key >> PAGE_SHIFT);
    if (page >= pageOfStates.size() || pageOfStates[page] == NO_PAGE) {
        return NO_NODE;
    }
    const std::uint32_t pageNumber = pageOfStates[page];
    const auto offset = static_cast<unsigned>(key & (PAGE_SIZE - 1));
    if ((pageUsage[pageNumber] >> offset & 1u) == 0) {
        return NO_NODE;
    }
    return (pageNumber << PAGE_SHIFT) | offset;
}

nodeIndex PathNodePool::createDirect(std::uint64_t key) {
    const auto page = static_cast<std::size_t>(key >> PAGE_SHIFT);
    if (page >= pageOfStates.size()) {
        pageOfStates.resize(page + 1, NO_PAGE);
    }
    if (pageOfStates[page] == NO_PAGE) {
        // Records are left untouched until used: the usage bits say which hold nodes.
        reserveRecords(recordsUsed + PAGE_SIZE);
        pageOfStates[page] = static_cast<std::uint32_t>(recordsUsed >> PAGE_SHIFT);
        pageUsage.push_back(0);
        recordsUsed += PAGE_SIZE;
    }
    const std::uint32_t pageNumber = pageOfStates[page];
    const auto offset = static_cast<unsigned>(key & (PAGE_SIZE - 1));
    pageUsage[pageNumber] |= std::uint64_t{1} << offset;
    return (pageNumber << PAGE_SHIFT) | offset;
}

nodeIndex PathNodePool::findHashed(std::uint64_t key) const {
    if (hashTable.empty()) {
        return NO_NODE;
    }
    const std::size_t mask = hashTable.size() - 1;
    for (std::size_t slot = hashKey(key) >> (64 - hashShift);; slot = (slot + 1) & mask) {
        const hashSlot& probe = hashTable[slot];
        if (probe.node == NO_NODE || probe.key == key) {
            return probe.node;
        }
    }
}

nodeIndex PathNodePool::createHashed(std::uint64_t key) {
    reserveRecords(recordsUsed + 1);
    const auto index = static_cast<nodeIndex>(recordsUsed++);
    // Keep the table at most 70 % full so misses stay short.
    if ((nodeCount + 1) * 10 > hashTable.size() * 7) {
        growHashTable();
    }
    insertHashed(key, index);
    return index;
}

void PathNodePool::switchToHashTable() {
    dense = false;
    hashShift = INITIAL_HASH_SHIFT;
    while ((nodeCount + 1) * 10 > (std::size_t{1} << hashShift) * 7) {
        ++hashShift;
    }
    hashTable.assign(std::size_t{1} << hashShift, hashSlot{0, NO_NODE});
    for (std::size_t pageNumber = 0; pageNumber < pageUsage.size(); ++pageNumber) {
        for (unsigned offset = 0; offset < PAGE_SIZE; ++offset) {
            if ((pageUsage[pageNumber] >> offset & 1u) != 0) {
                const auto index = static_cast<nodeIndex>((pageNumber << PAGE_SHIFT) | offset);
                insertHashed(reinterpret_cast<std::uintptr_t>(node(index).state), index);
            }
        }
    }
    std::vector<std::uint32_t>().swap(pageOfStates);
    std::vector<std::uint64_t>().swap(pageUsage);
}

void PathNodePool::growHashTable() {
    const unsigned grownShift = hashTable.empty() ? INITIAL_HASH_SHIFT : hashShift + 1;
    std::vector<hashSlot> old(std::size_t{1} << grownShift, hashSlot{0, NO_NODE});
    old.swap(hashTable);
    hashShift = grownShift;
    for (const hashSlot& each : old) {
        if (each.node != NO_NODE) {
            insertHashed(each.key, each.node);
        }
    }
}

void PathNodePool::insertHashed(std::uint64_t key, nodeIndex index) {
    const std::size_t mask = hashTable.size() - 1;
    std::size_t slot = hashKey(key) >> (64 - hashShift);
    while (hashTable[slot].node != NO_NODE) {
        slot = (slot + 1) & mask;
    }
    hashTable[slot] = hashSlot{key, index};
}

void PathNodePool::reserveRecords(std::size_t records) {
    if (records > NO_NODE) {
        throw std::length_error("micropather: node pool full");
    }
    while ((blocks.size() << blockShift) < records) {
        blocks.push_back(allocateBlock<PathNode>(std::size_t{1} << blockShift));
        heapSlots.push_back(allocateBlock<std::uint32_t>(std::size_t{1} << blockShift));
    }
}

bool PathNodePool::cacheNeighbours(PathNode& owner, const std::vector<NodeCost>& neighbours) {
    const std::size_t count = neighbours.size();
    const std::size_t chunkSize = std::size_t{1} << cacheChunkShift;
    if (count > static_cast<std::size_t>(INT16_MAX) || count > chunkSize) {
        return false;
    }
    // A list never straddles two chunks.
    std::size_t position = cacheSize;
    if ((position & (chunkSize - 1)) + count > chunkSize) {
        position = (position | (chunkSize - 1)) + 1;
    }
    if (position + count > cacheCap) {
        return false;
    }
    if (count > 0) {
        const std::size_t chunk = position >> cacheChunkShift;
        while (cacheChunks.size() <= chunk) {
            cacheChunks.emplace_back(new NodeCost[chunkSize]);
        }
        std::copy(neighbours.begin(), neighbours.end(),
                  cacheChunks[chunk].get() + (position & (chunkSize - 1)));
    }
    owner.cacheIndex = static_cast<std::int32_t>(position);
    owner.numAdjacent = static_cast<std::int16_t>(count);
    cacheSize = position + count;
    return true;
}

const NodeCost* PathNodePool::cachedNeighbours(const PathNode& owner) const {
    const auto position = static_cast<std::size_t>(owner.cacheIndex);
    return cacheChunks[position >> cacheChunkShift].get() +
           (position & ((std::size_t{1} << cacheChunkShift) - 1));
}

void PathNodePool::clearCache() {
    cacheSize = 0;
    for (std::size_t i = 0; i < recordsUsed; ++i) {
        PathNode& each = node(static_cast<nodeIndex>(i));
        each.cacheIndex = -1;
        each.numAdjacent = -1;
    }
}

void PathNodePool::clear() {
    nodeCount = 0;
    recordsUsed = 0;
    cacheSize = 0;
    dense = true;
    std::fill(pageOfStates.begin(), pageOfStates.end(), NO_PAGE);
    pageUsage.clear();
    std::vector<hashSlot>().swap(hashTable);
    hashShift = 0;
}

std::size_t PathNodePool::memoryBytes() const {
    return blocks.size() * (std::size_t{1} << blockShift) * (sizeof(PathNode) + sizeof(std::uint32_t)) +
           pageOfStates.capacity() * sizeof(std::uint32_t) + pageUsage.capacity() * sizeof(std::uint64_t) +
           hashTable.capacity() * sizeof(hashSlot) +
           cacheChunks.size() * (std::size_t{1} << cacheChunkShift) * sizeof(NodeCost);
}

std::uint64_t OpenQueue::keyOf(float totalCost, std::uint32_t sequence) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &totalCost, sizeof bits);
    // Map IEEE order onto unsigned order so one integer comparison ranks cost, then arrival.
    bits = (bits & 0x80000000u) != 0 ? ~bits : (bits | 0x80000000u);
    return (std::uint64_t{bits} << 32) | sequence;
}

void OpenQueue::Push(nodeIndex node) {
    pool.node(node).inOpen = true;
    heap.push_back(entry{});
    siftUp(heap.size() - 1, entry{keyOf(pool.node(node).totalCost(), pushSequence), node});
    // A search never pushes two billion nodes; should one, later ties would only lose their order.
    pushSequence += pushSequence != UINT32_MAX ? 1 : 0;
}

void OpenQueue::Update(nodeIndex node) {
    const std::size_t slot = pool.heapSlot(node);
    const std::uint64_t oldKey = heap[slot].key;
    const std::uint64_t newKey = keyOf(pool.node(node).totalCost(), updateSequence);
    // Equal totals (the cost fell by less than the rounding of the sum) keep the old key and place.
    if (newKey >> 32 == oldKey >> 32) {
        return;
    }
    updateSequence -= updateSequence != 0 ? 1 : 0;
    if (newKey < oldKey) {
        siftUp(slot, entry{newKey, node});
    } else {
        siftDown(slot, entry{newKey, node});
    }
}

void OpenQueue::place(std::size_t hole, entry moving) {
    heap[hole] = moving;
    pool.heapSlot(moving.node) = static_cast<std::uint32_t>(hole);
}

void OpenQueue::siftUp(std::size_t hole, entry moving) {
    while (hole > 0) {
        const std::size_t parent = (hole - 1) / 4;
        if (heap[parent].key <= moving.key) {
            break;
        }
        place(hole, heap[parent]);
        hole = parent;
    }
    place(hole, moving);
}

void OpenQueue::siftDown(std::size_t hole, entry moving) {
    const std::size_t size = heap.size();
    for (;;) {
        const std::size_t first = 4 * hole + 1;
        if (first >= size) {
            break;
        }
        // The smallest of four children is picked without branches: the comparisons are
        // unpredictable.
        std::size_t best = first;
        std::uint64_t bestKey = heap[first].key;
        const std::size_t end = std::min(first + 4, size);
        for (std::size_t child = first + 1; child < end; ++child) {
            const std::uint64_t key = heap[child].key;
            const bool smaller = key < bestKey;
            best = smaller ? child : best;
            bestKey = smaller ? key : bestKey;
        }
        if (bestKey >= moving.key) {
            break;
        }
        place(hole, heap[best]);
        hole = best;
    }
    place(hole, moving);
}

nodeIndex OpenQueue::Pop() {
    const entry top = heap.front();
    const entry last = heap.back();
    heap.pop_back();
    if (!heap.empty()) {
        siftDown(0, last);
        // The next node's record is usually far from this one; fetch it while this one is expanded.
        prefetch(&pool.node(heap.front().node));
    }
    pool.node(top.node).inOpen = false;
    return top.node;
}

void OpenQueue::Clear() {
    heap.clear();
    pushSequence = FIRST_PUSH;
    updateSequence = FIRST_UPDATE;
}

MicroPather::MicroPather(Graph* graph, unsigned allocate, unsigned typicalAdjacent)
    : pathNodePool(allocate, typicalAdjacent), openQueue(pathNodePool), graph(graph) {}

int MicroPather::Solve(void* start, void* end, std::vector<void*>* path, float* totalCost,
                       const travelAttributes& queryAttributes) {
    // Cached neighbour costs were computed for the previous attributes.
    if (&queryAttributes != &attributes && queryAttributes != attributes) {
        attributes = queryAttributes;
        pathNodePool.clearCache();
    }
    expansions = 0;
    *totalCost = 0;
    if (start == end) {
        return startIsGoal;
    }

    ++frame;
    openQueue.Clear();
    const nodeIndex startIndex =
        pathNodePool.GetPathNode(frame, start, 0.0f, graph->LeastCostEstimate(start, end), NO_NODE);
    openQueue.Push(startIndex);
    stateCostVec.clear();
    nodeCostVec.clear();

    while (!openQueue.Empty()) {
        const nodeIndex current = openQueue.Pop();
        PathNode& node = pathNodePool.node(current);
        if (node.state == end) {
            GoalReached(current, path);
            *totalCost = node.costFromStart;
            return pathFound;
        }
        node.inClosed = true;
        ++expansions;
        GetNodeNeighbors(current, &nodeCostVec);

        for (const NodeCost& step : nodeCostVec) {
            PathNode& child = pathNodePool.node(step.node);
            const float newCost = node.costFromStart + step.cost;
            if (!child.inOpen && !child.inClosed) {
                child.costFromStart = newCost;
                child.parent = current;
                child.estToGoal = graph->LeastCostEstimate(child.state, end);
                openQueue.Push(step.node);
            } else if (child.costFromStart > newCost) {
                // A closed node takes the cheaper route but is not expanded again.
                child.costFromStart = newCost;
                child.parent = current;
                if (child.inOpen) {
                    openQueue.Update(step.node);
                }
            }
        }
    }
    return noPath;
}

void MicroPather::GetNodeNeighbors(nodeIndex index, std::vector<NodeCost>* neighbours) {
    neighbours->clear();
    PathNode& node = pathNodePool.node(index);

    if (node.cacheIndex >= 0) {
        if (node.numAdjacent == 0) {
            return;
        }
        const NodeCost* cached = pathNodePool.cachedNeighbours(node);
        neighbours->assign(cached, cached + node.numAdjacent);
        for (const NodeCost& step : *neighbours) {
            PathNode& neighbour = pathNodePool.node(step.node);
            if (neighbour.frame != frame) {
                setSearchFields(neighbour, frame, FLT_MAX, FLT_MAX, NO_NODE);
            }
        }
        return;
    }

    stateCostVec.clear();
    graph->AdjacentCost(node.state, &stateCostVec, attributes);
    for (const StateCost& answer : stateCostVec) {
        // Closed steps are dropped here; also catches infinity and NaN.
        if (!(answer.cost < FLT_MAX)) {
            continue;
        }
        neighbours->push_back(
            NodeCost{pathNodePool.GetPathNode(frame, answer.state, FLT_MAX, FLT_MAX, NO_NODE), answer.cost});
    }
    // The first query of a solver caches nothing: most solvers answer one query, and for them the
    // copies would only cost memory.
    if (frame > 1) {
        pathNodePool.cacheNeighbours(node, *neighbours);
    }
}

void MicroPather::GoalReached(nodeIndex goal, std::vector<void*>* path) const {
    std::size_t count = 0;
    for (nodeIndex at = goal; at != NO_NODE; at = pathNodePool.node(at).parent) {
        ++count;
    }
    path->resize(count);
    for (nodeIndex at = goal; at != NO_NODE; at = pathNodePool.node(at).parent) {
        (*path)[--count] = pathNodePool.node(at).state;
    }
}

void MicroPather::Reset() {
    pathNodePool.clear();
    openQueue.Clear();
}

std::size_t MicroPather::memoryBytes() const {
    return pathNodePool.memoryBytes() + openQueue.memoryBytes() +
           stateCostVec.capacity() * sizeof(StateCost) + nodeCostVec.capacity() * sizeof(NodeCost);
}

} // namespace micropather
