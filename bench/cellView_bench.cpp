// What entering the cell view costs: the 100 cell pictures of one grid written, decoded and uploaded.
#include "benchWorld.hpp"
#include "support/testFiles.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"
#include "world/workerPool.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Context.hpp>
#include <benchmark/benchmark.h>
#include <boost/filesystem/operations.hpp>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int CELLS = 100;

std::vector<std::pair<int, int>> allCells() {
    std::vector<std::pair<int, int>> cells;
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            cells.emplace_back(a, b);
        }
    }
    return cells;
}

/// A world folder holding the 100 cell pictures of grid (GRID_X, GRID_Y), written once.
const temporaryDirectory& writtenCells() {
    static const std::unique_ptr<temporaryDirectory> folder = [] {
        auto made = std::make_unique<temporaryDirectory>();
        boost::filesystem::create_directory(imageDirectoryPath(made->path()));
        grid parent;
        parent.gridFromCorners(GRID_X, GRID_Y, defaultMap().data, false);
        parent.refine();
        generateSubgridImages(parent.data, allCells(), made->path(), GRID_X, GRID_Y);
        return made;
    }();
    return *folder;
}

std::string cellPath(int index) {
    return subgridImagePath(writtenCells().path(), GRID_X, GRID_Y, index / 10, index % 10);
}

/// The parent grid refined once and the 100 pictures written on the worker pool, as on entering.
void BM_CellViewGenerate(benchmark::State& state) {
    const worldMap& map = defaultMap();
    for (auto _ : state) {
        state.PauseTiming();
        temporaryDirectory world;
        boost::filesystem::create_directory(imageDirectoryPath(world.path()));
        state.ResumeTiming();
        grid parent;
        parent.gridFromCorners(GRID_X, GRID_Y, map.data, false);
        parent.refine();
        generateSubgridImages(parent.data, allCells(), world.path(), GRID_X, GRID_Y);
    }
}
BENCHMARK(BM_CellViewGenerate)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The 100 pictures decoded with TurboJPEG on the worker pool, for a screen square of the argument's pixels
/// (0: whole size; 213: the default window's square, 3/8 size).
void BM_CellViewDecodeTurboJpeg(benchmark::State& state) {
    std::vector<rgbaPicture> pictures(CELLS);
    const auto shownSide = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        runJobs(CELLS, 0, [&]() -> jobRunner {
            return [&](int index) {
                std::string error;
                if (!readJpeg(cellPath(index), pictures[static_cast<std::size_t>(index)], error, shownSide)) {
                    state.SkipWithError(error.c_str());
                }
            };
        });
    }
}
BENCHMARK(BM_CellViewDecodeTurboJpeg)->Arg(0)->Arg(213)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The same with the graphics library's loader, for comparison.
void BM_CellViewDecodeSfml(benchmark::State& state) {
    std::vector<sf::Image> pictures(CELLS);
    for (auto _ : state) {
        runJobs(CELLS, 0, [&]() -> jobRunner {
            return [&](int index) {
                if (!pictures[static_cast<std::size_t>(index)].loadFromFile(cellPath(index))) {
                    state.SkipWithError("SFML could not read a picture");
                }
            };
        });
    }
}
BENCHMARK(BM_CellViewDecodeSfml)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The 100 decoded pictures (sized as for BM_CellViewDecodeTurboJpeg) copied into textures on one thread;
/// needs a display (run under scripts/withXvfb.sh).
void BM_CellViewUpload(benchmark::State& state) {
    const char* displayName = std::getenv("DISPLAY");
    if (displayName == nullptr || *displayName == '\0') {
        state.SkipWithError("needs a display");
        return;
    }
    sf::Context context;
    std::vector<rgbaPicture> pictures(CELLS);
    for (int index = 0; index < CELLS; ++index) {
        std::string error;
        if (!readJpeg(cellPath(index), pictures[static_cast<std::size_t>(index)], error,
                      static_cast<unsigned>(state.range(0)))) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    for (auto _ : state) {
        std::vector<sf::Texture> textures(CELLS);
        for (int index = 0; index < CELLS; ++index) {
            const rgbaPicture& picture = pictures[static_cast<std::size_t>(index)];
            if (!textures[static_cast<std::size_t>(index)].create(picture.width, picture.height)) {
                state.SkipWithError("cannot create a texture");
            }
            textures[static_cast<std::size_t>(index)].update(picture.pixels.data());
        }
        benchmark::DoNotOptimize(textures.data());
    }
}
BENCHMARK(BM_CellViewUpload)->Arg(0)->Arg(213)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
