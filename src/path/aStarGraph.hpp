#pragma once

#include "world/heightField.hpp"

#include <boost/serialization/binary_object.hpp>
#include <boost/serialization/split_member.hpp>
#include <iostream>

/// The world as the path solver sees it: 100 nodes per grid unit in each direction, each holding
/// the terrain height at that point. Filled once (by the grid workers or from graph.dat), then
/// read-only, so any number of threads may read it without a lock.
class aStarGraph {
public:
    /// Prints the creation messages to `log`.
    aStarGraph(int gridWidth, int gridHeight, std::ostream& log = std::cout);

    /// Node heights, indexed [x][y]; each node column is one contiguous block.
    heightField mapGridTerrain;
    int gridWidth;
    int gridHeight;

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
    std::size_t columnBytes() const { return static_cast<std::size_t>(gridHeight) * sizeof(std::int32_t); }
};
