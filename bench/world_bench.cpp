#include "app/random.hpp"
#include "app/settings.hpp"
#include "benchWorld.hpp"
#include "path/aStarGraph.hpp"
#include "support/testFiles.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <benchmark/benchmark.h>
#include <boost/filesystem.hpp>
#include <boost/thread/lock_guard.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

/// One refined grid and its picture, the input of the colouring and encoding benchmarks.
struct gridSample {
    grid terrain;
    sf::Image picture;
    std::vector<std::uint8_t> rgb;
};

const gridSample& sample() {
    static const std::unique_ptr<gridSample> refined = [] {
        auto made = std::make_unique<gridSample>();
        made->terrain.gridFromCorners(GRID_X, GRID_Y, defaultMap().data, false);
        made->picture = made->terrain.gen();
        writeTerrainRgb(made->terrain.data, 600, 600, made->rgb);
        return made;
    }();
    return *refined;
}

/// Mean wall seconds per iteration of the benchmarks run so far, for the ratios.
std::map<std::string, double>& wallSeconds() {
    static std::map<std::string, double> recorded;
    return recorded;
}

/// Records this benchmark's mean wall time and, when `baseline` has run, reports the ratio to it.
void recordWallTime(benchmark::State& state, const std::string& name, double seconds,
                    const std::string& baseline) {
    const double perIteration = seconds / static_cast<double>(state.iterations());
    wallSeconds()[name] = perIteration;
    const auto base = wallSeconds().find(baseline);
    if (!baseline.empty() && base != wallSeconds().end() && base->second > 0) {
        state.counters["times_" + baseline] = perIteration / base->second;
    }
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_GridRefine(benchmark::State& state) {
    const worldMap& map = defaultMap();
    grid terrain;
    for (auto _ : state) {
        terrain.gridFromCorners(GRID_X, GRID_Y, map.data, false);
        terrain.refine();
        benchmark::DoNotOptimize(terrain.data.data());
    }
}
BENCHMARK(BM_GridRefine)->Unit(benchmark::kMillisecond);

void BM_GridColourImage(benchmark::State& state) {
    const gridSample& input = sample();
    for (auto _ : state) {
        sf::Image picture = writeToImage(input.terrain.data, 600, 600, 1, false);
        benchmark::DoNotOptimize(picture.getPixelsPtr());
    }
}
BENCHMARK(BM_GridColourImage)->Unit(benchmark::kMillisecond);

void BM_GridColourRgb(benchmark::State& state) {
    const gridSample& input = sample();
    std::vector<std::uint8_t> rgb;
    for (auto _ : state) {
        writeTerrainRgb(input.terrain.data, 600, 600, rgb);
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(BM_GridColourRgb)->Unit(benchmark::kMillisecond);

void BM_GridEncodeTurboJpegRgb(benchmark::State& state) {
    const gridSample& input = sample();
    temporaryDirectory directory;
    const std::string path = directory.file("0_0.jpg");
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!writeJpeg(input.rgb.data(), 600, 600, pixelLayout::rgb, path)) {
            state.SkipWithError("TurboJPEG could not write the picture");
            break;
        }
    }
    recordWallTime(state, "turbojpeg_rgb", secondsSince(start), "");
}
BENCHMARK(BM_GridEncodeTurboJpegRgb)->Unit(benchmark::kMillisecond);

void BM_GridEncodeTurboJpegImage(benchmark::State& state) {
    const gridSample& input = sample();
    temporaryDirectory directory;
    const std::string path = directory.file("0_0.jpg");
    for (auto _ : state) {
        if (!writeJpeg(input.picture, path)) {
            state.SkipWithError("TurboJPEG could not write the picture");
            break;
        }
    }
}
BENCHMARK(BM_GridEncodeTurboJpegImage)->Unit(benchmark::kMillisecond);

void BM_GridEncodeSfml(benchmark::State& state) {
    const gridSample& input = sample();
    temporaryDirectory directory;
    const std::string path = directory.file("0_0.jpg");
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!input.picture.saveToFile(path)) {
            state.SkipWithError("SFML could not write the picture");
            break;
        }
    }
    recordWallTime(state, "sfml_encode", secondsSince(start), "turbojpeg_rgb");
}
BENCHMARK(BM_GridEncodeSfml)->Unit(benchmark::kMillisecond);

/// Whole world creation as the program does it: map on this thread, grids on the bounded pool.
void BM_WorldCreationPoolTurboJpeg(benchmark::State& state) {
    temporaryDirectory directory;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const std::unique_ptr<worldMap> map = generateDefaultMap();
        aStarGraph graph(worldWidth * 10, worldHeight * 10, silent());
        preloadGrids(*map, graph, directory.path(), 0, silent());
        benchmark::DoNotOptimize(graph.mapGridTerrain.data());
    }
    recordWallTime(state, "pool_turbojpeg", secondsSince(start), "");
}
BENCHMARK(BM_WorldCreationPoolTurboJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

/// One grid as a thread of the earlier design does it: gen() for the sf::Image, SFML's JPEG writer.
void generateGridTerrainSfml(int gx, int gy, const worldMap& map, aStarGraph& graph,
                             const std::string& directory, boost::mutex& lock, float& progress) {
    grid terrain;
    terrain.gridFromCorners(gx, gy, map.data, false);
    const sf::Image picture = terrain.gen();
    static_cast<void>(picture.saveToFile(directory + "/" + gridImageName(gx, gy)));
    for (int r = 0; r < 100; ++r) {
        for (int c = 0; c < 100; ++c) {
            graph.mapGridTerrain(100 * gx + r, 100 * gy + c) = terrain.data(6 * r, 6 * c);
        }
    }
    boost::lock_guard<boost::mutex> guard(lock);
    progress = static_cast<float>(progress + 1.0 / (numHorizontalGrids() * numVerticalGrids()));
    silent() << "Generated [" << gx << "][" << gy << "]" << std::endl;
    silent() << "Percent loaded: " << 100 * progress << "%\n";
}

/// The earlier design for comparison: one thread per grid, all started at once, SFML's writer.
void BM_WorldCreationThreadPerGridSfml(benchmark::State& state) {
    temporaryDirectory directory;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const std::unique_ptr<worldMap> map = generateDefaultMap();
        aStarGraph graph(worldWidth * 10, worldHeight * 10, silent());
        boost::mutex lock;
        float progress = 0.0f;
        boost::thread_group workers;
        for (int gx = 0; gx < numHorizontalGrids(); ++gx) {
            for (int gy = 0; gy < numVerticalGrids(); ++gy) {
                workers.create_thread([&, gx, gy] {
                    generateGridTerrainSfml(gx, gy, *map, graph, directory.path(), lock, progress);
                });
            }
        }
        workers.join_all();
        benchmark::DoNotOptimize(graph.mapGridTerrain.data());
    }
    recordWallTime(state, "thread_per_grid_sfml", secondsSince(start), "pool_turbojpeg");
}
BENCHMARK(BM_WorldCreationThreadPerGridSfml)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
