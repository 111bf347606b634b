#include "world/gridGeneration.hpp"

#include "app/atomicFile.hpp"
#include "world/grid.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"
#include "world/workerPool.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/thread/lock_guard.hpp>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int NODES_PER_GRID = 100;
constexpr int CELLS_PER_NODE = grid::cellsPerNode;
constexpr unsigned IMAGE_SIZE = grid::size - 1;

/// What one worker reuses from grid to grid: touching fresh pages for every grid costs more than
/// refining it.
struct gridWorkspace {
    grid terrain;
    std::vector<std::uint8_t> rgb;
};

/// Colours the refined grid and encodes it straight from packed RGB rows, skipping an sf::Image copy.
void writeGridPicture(gridWorkspace& workspace, const std::string& file) {
    writeTerrainRgb(workspace.terrain.data, IMAGE_SIZE, IMAGE_SIZE, workspace.rgb);
    // A world with a missing picture must not count as finished: stop before graph.dat marks it so.
    if (!writeJpeg(workspace.rgb.data(), IMAGE_SIZE, IMAGE_SIZE, pixelLayout::rgb, file)) {
        throw std::runtime_error("Could not write the grid picture " + file +
                                 ". Make room or fix the folder's permissions and start again.");
    }
}

void generateGridTerrainIn(gridWorkspace& workspace, int gx, int gy, const worldMap& map, aStarGraph& graph,
                           const std::string& imageDirectory, boost::mutex& lock, float& progress,
                           std::ostream& out) {
    grid& terrain = workspace.terrain;
    terrain.gridFromCorners(gx, gy, map.data, false);
    terrain.refine();
    writeGridPicture(workspace, imageDirectory + "/" + gridImageName(gx, gy));

    // No lock: every grid owns its block of nodes.
    for (int r = 0; r < NODES_PER_GRID; ++r) {
        const std::int32_t* cells = terrain.data.column(CELLS_PER_NODE * r);
        std::int32_t* nodes = &graph.mapGridTerrain(NODES_PER_GRID * gx + r, NODES_PER_GRID * gy);
        for (std::size_t c = 0; c < NODES_PER_GRID; ++c) {
            nodes[c] = cells[CELLS_PER_NODE * c];
        }
    }

    const int gridCount = numHorizontalGrids() * numVerticalGrids();
    boost::lock_guard<boost::mutex> guard(lock);
    progress = static_cast<float>(progress + 1.0 / gridCount);
    out << "Generated [" << gx << "][" << gy << "]" << std::endl;
    out << "Percent loaded: " << 100 * progress << "%\n";
}

void generateSubgridIn(gridWorkspace& workspace, const heightField& parentField, int sx, int sy,
                       const std::string& directory, const std::string& file) {
    workspace.terrain.gridFromCorners(sx, sy, parentField, true);
    // The directory usually exists already; any real problem shows when the picture is written.
    boost::system::error_code ignored;
    boost::filesystem::create_directory(directory, ignored);
    workspace.terrain.refine();
    writeGridPicture(workspace, file);
}

} // namespace

void generateGridTerrain(int gx, int gy, const worldMap& map, aStarGraph& graph,
                         const std::string& imageDirectory, boost::mutex& lock, float& progress,
                         std::ostream& out) {
    gridWorkspace workspace;
    generateGridTerrainIn(workspace, gx, gy, map, graph, imageDirectory, lock, progress, out);
}

void preloadGrids(const worldMap& map, aStarGraph& graph, const std::string& imageDirectory, unsigned workers,
                  std::ostream& out) {
    const int gridsAcross = numHorizontalGrids();
    const int gridsDown = numVerticalGrids();
    if (graph.mapGridTerrain.columns() < NODES_PER_GRID * gridsAcross ||
        graph.mapGridTerrain.rows() < NODES_PER_GRID * gridsDown || map.mapWidth < 10 * gridsAcross ||
        map.mapHeight < 10 * gridsDown) {
        throw std::invalid_argument("preloadGrids: the map or the pathing graph is smaller than the world");
    }
    const int gridCount = gridsAcross * gridsDown;

    boost::mutex lock;
    float progress = 0.0f;
    // Grids are taken in column order, gx then gy.
    runJobs(gridCount, workers, [&]() -> jobRunner {
        auto workspace = std::make_shared<gridWorkspace>();
        return [&, workspace](int index) {
            generateGridTerrainIn(*workspace, index / gridsDown, index % gridsDown, map, graph,
                                  imageDirectory, lock, progress, out);
        };
    });
    // One flush for all the pictures, before graph.dat marks the world finished.
    syncFileSystem(imageDirectory);
}

void generateAndSaveSubgridImage(const heightField& parentField, int sx, int sy, const std::string& directory,
                                 const std::string& file) {
    gridWorkspace workspace;
    generateSubgridIn(workspace, parentField, sx, sy, directory, file);
}

void generateSubgridImages(const heightField& parentField, const std::vector<std::pair<int, int>>& cells,
                           const std::string& worldPath, int gx, int gy, unsigned workers) {
    const std::string directory = subgridDirectoryPath(worldPath, gx, gy);
    runJobs(static_cast<int>(cells.size()), workers, [&]() -> jobRunner {
        auto workspace = std::make_shared<gridWorkspace>();
        return [&, workspace](int index) {
            const auto [sx, sy] = cells[static_cast<std::size_t>(index)];
            generateSubgridIn(*workspace, parentField, sx, sy, directory,
                              subgridImagePath(worldPath, gx, gy, sx, sy));
        };
    });
    // A picture that is there is never made again, so it must not be left empty by a power cut.
    if (!cells.empty()) {
        syncFileSystem(directory);
    }
}
