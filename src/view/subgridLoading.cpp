// Loading of the grid view's terrain pictures: grid pictures around the selection, and the cell
// pictures of a grid, generated first where missing.
#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/worldFiles.hpp"
#include "app/worldSelection.hpp"
#include "view/gameView.hpp"
#include "view/gridView.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"
#include "world/terrainImage.hpp"
#include "world/workerPool.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <mutex>
#include <thread>

namespace {
constexpr int CELLS_PER_GRID = 10;
/// Every grid and cell picture is this many pixels wide and high.
constexpr unsigned PICTURE_PIXELS = 600;

/// Copies a decoded picture into `texture`; false when the picture is empty.
bool upload(sf::Texture& texture, const rgbaPicture& picture) {
    if (picture.pixels.empty() || !texture.create(picture.width, picture.height)) {
        return false;
    }
    texture.update(picture.pixels.data());
    return true;
}

long long microsecondsBetween(std::chrono::steady_clock::time_point from,
                              std::chrono::steady_clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::microseconds>(to - from).count();
}

/// Distance between two grid columns the short way round the world.
int columnDistance(int a, int b, int columns) {
    const int d = std::abs(a - b) % columns;
    return std::min(d, columns - d);
}
} // namespace

void gridView::loadGrids(bool withProgress, sf::View* camera, int x, int y) {
    const std::string world = worldPath(worldName);
    rgbaPicture picture;
    // Grid pictures stay for the run: decoded for the screen square, they take a quarter of the memory at
    // the default scale. After a change of scale they are all loaded again.
    if (gridPicturesStale()) {
        for (std::unique_ptr<sf::Texture>& loaded : gridTextures) {
            loaded.reset();
        }
    }
    const unsigned shownSide = shownSquarePixels();
    gridPicturesFor = shownSide;
    for (const gridToLoad& grid : gridLoadBlock(x, y, numHorizontalGrids(), numVerticalGrids())) {
        std::unique_ptr<sf::Texture>& texture = gridTextures[gridIndex(grid.column, grid.row)];
        if (texture) {
            continue;
        }
        if (withProgress && camera != nullptr) {
            parent->loadingScreen(grid.scanIndex, *camera);
        } else if (camera != nullptr) {
            loadingText();
        }
        texture = std::make_unique<sf::Texture>();
        std::string error;
        if (!readJpeg(gridImagePath(world, grid.column, grid.row), picture, error, shownSide) ||
            !upload(*texture, picture)) {
            std::cout << "Failed to load upper grid image!\n";
        }
        std::cout << "Loaded [" << grid.column << "][" << grid.row << "]" << std::endl;
    }
}

void gridView::generateSubgrids(int x, int y, const heightField& heights) {
    std::cout << "generating subgrids: [" << x << "][" << y << "]" << std::endl;
    grid parentGrid;
    parentGrid.gridFromCorners(x, y, heights, false);
    parentGrid.refine();
    std::cout << "Generated parent terrain, launching threads" << std::endl;

    const std::string world = worldPath(worldName);
    std::vector<std::pair<int, int>> missing;
    for (int a = 0; a < CELLS_PER_GRID; ++a) {
        for (int b = 0; b < CELLS_PER_GRID; ++b) {
            boost::system::error_code error;
            if (!boost::filesystem::exists(subgridImagePath(world, x, y, a, b), error)) {
                missing.emplace_back(a, b);
            }
        }
    }
    try {
        generateSubgridImages(parentGrid.data, missing, world, x, y);
    } catch (const std::exception& failure) {
        // The cells without a picture stay empty and are tried again on a later visit.
        std::cout << failure.what() << std::endl;
    }
    std::cout << "Threads joined" << std::endl;
}

void loadSubgridImageThread(int x, int y, int a, int last, unsigned shownSide, gridView* view) {
    const std::string world = worldPath(worldName);
    for (int b = 0; b <= last; ++b) {
        rgbaPicture& picture = view->decodedTiles[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
        std::string error;
        if (!readJpeg(subgridImagePath(world, x, y, a, b), picture, error, shownSide)) {
            // One insertion keeps the line whole beside other workers' lines.
            std::cout << std::string("Failed to load image! Press any key to continue!\n") << std::flush;
        }
    }
}

void gridView::loadSubgrids(int x, int y, const heightField& heights) {
    const auto t0 = std::chrono::steady_clock::now();
    generateSubgrids(x, y, heights);
    const auto t1 = std::chrono::steady_clock::now();
    std::cout << "\nGeneration time:" << microsecondsBetween(t0, t1) << std::endl;
    std::cout << "loading subgrids: [" << x << "][" << y << "]" << std::endl;

    releaseDistantSubgrids();
    subGridObject& cells = subGrid(x, y);
    cells.loaded = true;
    cells.toDisplay = true;
    cells.tileTextures = std::make_unique<std::array<std::array<sf::Texture, 10>, 10>>();
    // Decoded no larger than the screen square needs: a quarter of the memory at the default scale.
    const unsigned shownSide = shownSquarePixels();
    cells.decodedFor = shownSide;
    subgridsInMemory.emplace_back(x, y);

    // Workers decode column by column while this thread uploads the columns already decoded, so the
    // copies into textures overlap the decoding and each column's buffers go as soon as it is uploaded.
    std::mutex readyLock;
    std::condition_variable readyChanged;
    std::vector<int> readyColumns;
    bool decodingDone = false;
    std::exception_ptr decodingFailure;
    std::thread decoding([&]() {
        try {
            runJobs(CELLS_PER_GRID, 0, [&]() -> jobRunner {
                return [&](int column) {
                    loadSubgridImageThread(x, y, column, gridSpan, shownSide, this);
                    const std::lock_guard<std::mutex> guard(readyLock);
                    readyColumns.push_back(column);
                    readyChanged.notify_one();
                };
            });
        } catch (...) {
            decodingFailure = std::current_exception();
        }
        const std::lock_guard<std::mutex> guard(readyLock);
        decodingDone = true;
        readyChanged.notify_one();
    });
    for (;;) {
        std::vector<int> columns;
        {
            std::unique_lock<std::mutex> guard(readyLock);
            readyChanged.wait(guard, [&] { return !readyColumns.empty() || decodingDone; });
            if (readyColumns.empty()) {
                break;
            }
            columns.swap(readyColumns);
        }
        for (const int column : columns) {
            uploadColumn(*cells.tileTextures, column);
        }
    }
    decoding.join();
    if (decodingFailure) {
        std::rethrow_exception(decodingFailure);
    }
    const auto t2 = std::chrono::steady_clock::now();
    std::cout << "Loaded subgrids for: " << x << ", " << y << std::endl;
    std::cout << "Image load time:" << microsecondsBetween(t1, t2) << std::endl;
}

void gridView::uploadColumn(std::array<std::array<sf::Texture, 10>, 10>& textures, int a) {
    const std::size_t column = static_cast<std::size_t>(a);
    for (std::size_t row = 0; row < CELLS_PER_GRID; ++row) {
        upload(textures[column][row], decodedTiles[column][row]);
        decodedTiles[column][row] = rgbaPicture();
    }
}

bool gridView::gridPicturesStale() const {
    return scaledJpegSide(PICTURE_PIXELS, shownSquarePixels()) !=
           scaledJpegSide(PICTURE_PIXELS, gridPicturesFor);
}

unsigned gridView::shownSquarePixels() const {
    return static_cast<unsigned>(std::ceil(static_cast<float>(squarePixels) * scale / resolution));
}

void gridView::releaseDistantSubgrids() {
    const int centreColumn = wrapGlobalX(parent->gridX - 1);
    const int centreRow = parent->gridY;
    const auto distant = [&](const sf::Vector2i& grid) {
        return columnDistance(grid.x, centreColumn, numHorizontalGrids()) > KEPT_SUBGRID_RADIUS ||
               std::abs(grid.y - centreRow) > KEPT_SUBGRID_RADIUS;
    };
    const unsigned side = scaledJpegSide(PICTURE_PIXELS, shownSquarePixels());
    const auto resized = [&](const sf::Vector2i& grid) {
        return scaledJpegSide(PICTURE_PIXELS, subGrid(grid.x, grid.y).decodedFor) != side;
    };
    const auto released = [&](const sf::Vector2i& grid) { return distant(grid) || resized(grid); };
    for (const sf::Vector2i& grid : subgridsInMemory) {
        if (released(grid)) {
            // A distant grid loads again when it is wanted again; a resized one at once.
            subGridObject& cells = subGrid(grid.x, grid.y);
            cells.toDisplay = !distant(grid);
            cells.tileTextures.reset();
            cells.loaded = false;
        }
    }
    subgridsInMemory.erase(std::remove_if(subgridsInMemory.begin(), subgridsInMemory.end(), released),
                           subgridsInMemory.end());
}
