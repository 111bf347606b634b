// The factions' statistics and what is made of them on the default world: the memory the statistics hold, the
// frame time with the chart panel open against closed (run under xvfb-run), and the time of the console's
// stats and mapshot with the peak memory the map picture adds, on the default world and on the largest.
#include "app/statisticsFile.hpp"
#include "benchWorld.hpp"
#include "frameSession.hpp"
#include "processMemory.hpp"
#include "sim/factionStatistics.hpp"
#include "sim/gameTime.hpp"
#include "support/testFiles.hpp"
#include "ui/chartPanel.hpp"
#include "ui/gameController.hpp"
#include "view/mapPicture.hpp"
#include "world/iceCap.hpp"

#include <benchmark/benchmark.h>
#include <chrono>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

/// The 50 factions of a default game on the default world, with `days` game days recorded (the same totals
/// each day: only their number matters here). Gone at scope end.
struct recordedGame {
    explicit recordedGame(int days) {
        seed(WORLD_SEED);
        made = gameController().generateFactions(50, "Bench", "Bench's Faction", defaultMap(), silent());
        humanPlayer.reset();
        for (int day = 1; day <= days; ++day) {
            statistics.observeTick(static_cast<std::int64_t>(day) * SECONDS_PER_DAY, made);
        }
    }
    std::vector<std::unique_ptr<Faction>> made;
    factionStatistics statistics;
};

/// The memory the statistics of 50 factions hold after as many game days as the argument.
void BM_StatisticsMemory(benchmark::State& state) {
    std::size_t bytes = 0;
    std::size_t held = 0;
    for (auto _ : state) {
        const recordedGame game(static_cast<int>(state.range(0)));
        bytes = game.statistics.memoryBytes();
        held = game.statistics.days().size();
    }
    state.counters["statisticsKB"] = static_cast<double>(bytes) / 1024.0;
    state.counters["daysHeld"] = static_cast<double>(held);
}
BENCHMARK(BM_StatisticsMemory)->Arg(365)->Arg(3650)->Arg(36500)->Iterations(1)->Unit(benchmark::kMillisecond);

/// One frame of the world map with the 50 factions of a default game and 365 days recorded, the chart
/// panel closed (0) or open with the mouse on its plot (1); median and 99th percentile.
void BM_FrameWithCharts(benchmark::State& state) {
    if (!displayAvailable(state)) {
        return;
    }
    const frameSession session(true);
    for (int day = 1; day <= 365; ++day) {
        controller->statistics.observeTick(static_cast<std::int64_t>(day) * SECONDS_PER_DAY, factions);
    }
    view->charts->visible = state.range(0) == 1;
    view->mouseX = 800;
    view->mouseY = 600;
    timeFrames(state);
}
BENCHMARK(BM_FrameWithCharts)->Arg(0)->Arg(1)->Iterations(600)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The console's stats after 365 days of 50 factions: stats.csv written through a temporary file.
void BM_StatsCommand(benchmark::State& state) {
    const recordedGame game(365);
    const temporaryDirectory folder;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = saveStatisticsCsv(folder.file("stats.csv"), game.statistics, game.made);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_StatsCommand)->Unit(benchmark::kMillisecond);

/// A world of `across` × `down` default worlds side by side (the default world's heights repeated), its caps
/// and 50 factions' marks.
struct tiledWorld {
    tiledWorld(int across, int down) {
        const worldMap& tile = defaultMap();
        worldWidth = tile.mapWidth * across;
        worldHeight = tile.mapHeight * down;
        map = std::make_unique<worldMap>();
        for (int x = 0; x <= map->mapWidth; ++x) {
            for (int y = 0; y <= map->mapHeight; ++y) {
                map->data(x, y) = tile.data(x % tile.mapWidth, y % tile.mapHeight);
            }
        }
        north.gen();
        south.gen();
        const recordedGame game(0);
        marks = mapMarksOf(game.made, [](const Faction&) { return sf::Color::Magenta; });
        worldWidth = tile.mapWidth;
        worldHeight = tile.mapHeight;
    }
    std::unique_ptr<worldMap> map;
    iceCap north;
    iceCap south;
    std::vector<mapMark> marks;
};

/// The console's mapshot: map.png of the default world (1) or of the largest, 10 × 10 times its size (10),
/// with the growth of the peak memory while it is written and the picture's own size for comparison.
void BM_MapshotCommand(benchmark::State& state) {
    const int times = static_cast<int>(state.range(0));
    const tiledWorld world(times, times);
    const temporaryDirectory folder;
    long peakGrowthKb = -1;
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
        const bool resetWorked = resetPeakResidentSize();
        const long before = statusKilobytes("VmRSS");
        bytes = saveMapPicture(folder.file("map.png"), *world.map, world.north, world.south, world.marks);
        const long peak = statusKilobytes("VmHWM");
        if (resetWorked && before >= 0 && peak >= 0) {
            peakGrowthKb = std::max(peakGrowthKb, peak - before);
        }
    }
    const sf::Vector2u size = mapPictureSize(*world.map);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1.0e6;
    state.counters["pictureRgbMB"] = static_cast<double>(size.x) * size.y * 3 / 1.0e6;
    if (peakGrowthKb >= 0) {
        state.counters["peakRssGrowthMB"] = static_cast<double>(peakGrowthKb) * 1024.0 / 1.0e6;
    }
}
BENCHMARK(BM_MapshotCommand)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace
