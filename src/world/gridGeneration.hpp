#pragma once

#include "path/aStarGraph.hpp"
#include "world/heightField.hpp"
#include "world/worldMap.hpp"

#include <boost/thread/mutex.hpp>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

/// Builds cell grid (gx, gy) from the map, writes its picture into `imageDirectory` and copies its
/// 100 × 100 block of node heights into `graph`. Then, holding `lock`, adds its share to `progress`
/// and writes its two report lines to `out`. `lock` guards `progress` and `out`; the map is only read
/// and each grid writes its own block of nodes, so grids may run on any number of threads.
void generateGridTerrain(int gx, int gy, const worldMap& map, aStarGraph& graph,
                         const std::string& imageDirectory, boost::mutex& lock, float& progress,
                         std::ostream& out);

/// Generates every cell grid of the map on `workers` threads (0: one per hardware thread) and returns
/// when all have finished and their pictures are on disk. `graph` needs at least 100 nodes per grid in each
/// direction; writing it to graph.dat is left to the caller. Throws std::runtime_error when a picture cannot
/// be written.
void preloadGrids(const worldMap& map, aStarGraph& graph, const std::string& imageDirectory,
                  unsigned workers = 0, std::ostream& out = std::cout);

/// Refines cell (sx, sy) of the cell grid whose heights are `parentField` into a subgrid and writes its
/// picture to `file`, creating `directory` first. Only reads `parentField`.
void generateAndSaveSubgridImage(const heightField& parentField, int sx, int sy, const std::string& directory,
                                 const std::string& file);

/// Writes the pictures of the subgrids `cells` (sx, sy) of cell grid (gx, gy), whose heights are
/// `parentField`, into the world at `worldPath` on `workers` threads (0: one per hardware thread), and
/// flushes them to disk. Only reads `parentField`. Throws std::runtime_error when a picture cannot be
/// written.
void generateSubgridImages(const heightField& parentField, const std::vector<std::pair<int, int>>& cells,
                           const std::string& worldPath, int gx, int gy, unsigned workers = 0);
