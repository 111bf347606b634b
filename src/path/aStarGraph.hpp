#pragma once

#include "path/micropather.hpp"
#include "path/pathGeometry.hpp"
#include "sim/travelEquipment.hpp"
#include "world/heightField.hpp"

#include <boost/serialization/binary_object.hpp>
#include <boost/serialization/split_member.hpp>
#include <iostream>
#include <utility>
#include <vector>

/// The world as the path solver sees it: 100 nodes per grid unit in each direction, each holding
/// the terrain height at that point. Filled once (by the grid workers or from graph.dat), then
/// read-only, so any number of threads may read it without a lock.
class aStarGraph : public micropather::Graph {
  public:
    /// Prints the creation messages to `log`.
    aStarGraph(int gridWidth, int gridHeight, std::ostream& log = std::cout);

    /// Node heights, indexed [x][y]; each node column is one contiguous block.
    heightField mapGridTerrain;
    int gridWidth;
    int gridHeight;

    /// The solver state of node (x, y).
    int XYToNode(int x, int y) const { return y * gridWidth + x; }
    void NodeToXY(void* node, int* x, int* y) const;

    /// The cost of the cheapest walk between the nodes over open land, the short way round the world:
    /// 1.41 a diagonal step, 1 a straight one. Never above a path's true cost.
    float LeastCostEstimate(void* nodeStart, void* nodeEnd) override;
    /// Eight entries, east first then clockwise. Columns wrap round the world; rows end at its edges.
    /// Water (height <= 0) and mountain tops (>= 7000) are closed unless a raft (below 0) or mountain
    /// gear (above 7000) opens them, and a diagonal step is open only when both straight steps beside it are.
    void AdjacentCost(void* node, std::vector<micropather::StateCost>* neighbors,
                      const travelAttributes& attributes) override;
    /// Prints "(x,y)" to standard output.
    void PrintStateInfo(void* node) override;
    /// A step may enter node (x, y), x wrapped round the world, with these attributes.
    bool canEnter(int x, int y, const travelAttributes& attributes) const;

    /// Straightens a solved path given in grid units (no +1.0 offset; x may lie beyond the seam, each
    /// point beside the last): keeps the first and last points and drops every point that the previous
    /// kept point can see over passable terrain, less than half the world away. Seeing means that every
    /// node within a twentieth of a node of the line (along either axis) is passable, so that a walk along
    /// it, its steps rounded, stands on passable ground only. A single point gives an empty path.
    std::vector<std::pair<float, float>> refinePath(const std::vector<std::pair<float, float>>& path,
                                                    const travelAttributes& attributes) const;

    /// A unit with these attributes may stand at (x, y) (grid units, no +1.0 offset): every node within a
    /// twentieth of a node of the point is open to a walk.
    bool canStand(float x, float y, const travelAttributes& attributes) const;
    /// A walk may go straight from `from` to `to` (grid units, no +1.0 offset), as refinePath tests it.
    bool canWalkStraight(std::pair<float, float> from, std::pair<float, float> to,
                         const travelAttributes& attributes) const;

    template <class Archive> void save(Archive& archive, unsigned int /*version*/) const {
        std::cout << "Serializing graph\n";
        for (int x = 0; x < gridWidth; ++x) {
            archive << boost::serialization::make_binary_object(
                const_cast<std::int32_t*>(mapGridTerrain.column(x)), columnBytes());
        }
    }
    template <class Archive> void load(Archive& archive, unsigned int /*version*/) {
        std::cout << "Serializing graph\n";
        for (int x = 0; x < gridWidth; ++x) {
            archive >> boost::serialization::make_binary_object(mapGridTerrain.column(x), columnBytes());
        }
    }
    BOOST_SERIALIZATION_SPLIT_MEMBER()

  private:
    /// Columns between x1 and x2 the short way round.
    int columnsApart(int x1, int x2) const;
    /// Node (x, y), x wrapped round the world, may be entered with these attributes.
    bool isOpen(int x, int y, bool raftOn, bool mountainGearOn) const;
    std::size_t columnBytes() const { return static_cast<std::size_t>(gridHeight) * sizeof(std::int32_t); }
    bool lineIsClear(std::pair<float, float> from, std::pair<float, float> to, bool raftOn,
                     bool mountainGearOn) const;
};
