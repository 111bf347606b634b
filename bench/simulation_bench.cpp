// The simulation on the default world: one game tick with the default 50 factions, and the path searches
// of every computer faction driven by the opponent (throughput, request-to-path latency, peak memory).
// The world and its graph: see defaultRun.hpp.

#include "defaultRun.hpp"
#include "path/micropather.hpp"
#include "path/pathGeometry.hpp"
#include "processMemory.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/gameTime.hpp"
#include "sim/pathSearches.hpp"
#include "ui/gameController.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::chrono::microseconds FRAME(16667);

/// Hands freed memory back and restarts the peak-RSS record, so that what follows shows in the peak.
bool startPeakRecord() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    return resetPeakResidentSize();
}

void BM_GameTick50Factions(benchmark::State& state) {
    sf::Time clock;
    const silencedStdout quiet;
    startDefaultRun(&clock);
    for (auto _ : state) {
        clock += sf::milliseconds(controller->tickInterval + 1);
        benchmark::DoNotOptimize(controller->processGameTick());
    }
    state.counters["days"] = static_cast<double>(gameTime / SECONDS_PER_DAY);
    endRun();
}

/// Every computer faction handed to the opponent, frames at 60 a second for the given seconds, the searches
/// running between ticks: request-to-path latency and completed searches per second.
void BM_ComputerFactionsPathRequests(benchmark::State& state) {
    const auto seconds = std::chrono::seconds(state.range(0));
    std::vector<double> latencies;
    std::uint64_t completed = 0;
    std::uint64_t installed = 0;
    long peakGrowthKb = -1;
    double elapsedSeconds = 0.0;
    for (auto _ : state) {
        const silencedStdout quiet;
        sf::Time clock;
        if (!startRunWithGraph(state, &clock)) {
            return;
        }
        std::mutex latencyLock;
        searchAndDriveComputerFactions(latencies, latencyLock);
        const bool peakReset = startPeakRecord();
        const long before = statusKilobytes("VmRSS");
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < seconds) {
            const auto frameEnd = std::chrono::steady_clock::now() + FRAME;
            clock += sf::milliseconds(controller->tickInterval + 1);
            controller->processGameTick();
            AIHandler->updateAI();
            microPatherSem->waitUntilIdle(frameEnd);
            std::this_thread::sleep_until(frameEnd);
        }
        elapsedSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long peak = statusKilobytes("VmHWM");
        if (peakReset && before >= 0 && peak >= 0) {
            peakGrowthKb = std::max(peakGrowthKb, peak - before);
        }
        completed += microPatherSem->searchesDone();
        installed += microPatherSem->pathsInstalled();
        endRun();
    }
    std::sort(latencies.begin(), latencies.end());
    const auto percentile = [&](double share) {
        return latencies.empty() ? 0.0 : latencies[static_cast<std::size_t>(share * (latencies.size() - 1))];
    };
    state.counters["searches/s"] = static_cast<double>(completed) / elapsedSeconds;
    state.counters["installed/s"] = static_cast<double>(installed) / elapsedSeconds;
    state.counters["latencyMedianMs"] = percentile(0.5);
    state.counters["latencyP95Ms"] = percentile(0.95);
    state.counters["latencyMaxMs"] = latencies.empty() ? 0.0 : latencies.back();
    if (peakGrowthKb >= 0) {
        state.counters["peakRssGrowthMB"] = static_cast<double>(peakGrowthKb) * 1024.0 / 1.0e6;
    }
}

/// Ten searches at once, each exploring all the land its unit can reach: the most memory the ten permits
/// hold in this world. The goal is a unit that could not reach its first target, so stands apart from the
/// others; the starts are the ten computer units that explore the most land before giving up.
void BM_TenExhaustiveSearchesPeakMemory(benchmark::State& state) {
    long peakGrowthKb = -1;
    std::size_t expansions = 0;
    std::size_t searches = 0;
    for (auto _ : state) {
        const silencedStdout quiet;
        if (!startRunWithGraph(state, nullptr)) {
            return;
        }
        const std::atomic<bool> neverStop{false};
        AIController ai;
        const placeableObject* unreachable = nullptr;
        for (std::size_t f = 1; f < factions.size() && unreachable == nullptr; ++f) {
            placeableObject& unit = *factions[f]->objects[1];
            const placeableObject* target = ai.determineBestTarget(&unit);
            const pathQuery query = makePathQuery(*graph, unit, target->x + 1.0f, target->y);
            if (findPath(*graph, query, neverStop).result == micropather::noPath) {
                unreachable = &unit;
            }
        }
        if (unreachable == nullptr) {
            state.SkipWithError("every unit reaches its first target in this world");
            endRun();
            return;
        }
        const float goalX = unreachable->x + 1.0f;
        const float goalY = unreachable->y;
        std::vector<std::pair<std::size_t, placeableObject*>> bySize;
        for (std::size_t f = 1; f < factions.size(); ++f) {
            placeableObject& unit = *factions[f]->objects[1];
            const pathAnswer answer = findPath(*graph, makePathQuery(*graph, unit, goalX, goalY), neverStop);
            if (answer.result == micropather::noPath) {
                bySize.emplace_back(answer.expansions, &unit);
            }
        }
        std::sort(bySize.rbegin(), bySize.rend());
        expansions = bySize.front().first;
        microPatherSem = std::make_unique<pathSearchPool>(*graph);
        const bool peakReset = startPeakRecord();
        const long before = statusKilobytes("VmRSS");
        for (std::size_t k = 0; k < pathSearchPool::PERMITS && k < bySize.size(); ++k) {
            placeableObject& unit = *bySize[k].second;
            unit.pathInProgress = true;
            microPatherSem->submit(unit, makePathQuery(*graph, unit, goalX, goalY));
            ++searches;
        }
        microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(5));
        const long peak = statusKilobytes("VmHWM");
        if (peakReset && before >= 0 && peak >= 0) {
            peakGrowthKb = std::max(peakGrowthKb, peak - before);
        }
        endRun();
    }
    state.counters["largestExpansions"] = static_cast<double>(expansions);
    state.counters["searches"] = static_cast<double>(searches);
    if (peakGrowthKb >= 0) {
        state.counters["peakRssGrowthMB"] = static_cast<double>(peakGrowthKb) * 1024.0 / 1.0e6;
    }
}

/// The searches the opponent asks for at the start of a game, one after the other on one thread: with a
/// fresh solver per search (range 0), as the path pool does, or with one solver reset between searches
/// (range 1), as permits that kept their search memory would.
void BM_OpeningSearchesFreshOrReusedSolver(benchmark::State& state) {
    const bool reuse = state.range(0) != 0;
    const silencedStdout quiet;
    if (!startRunWithGraph(state, nullptr)) {
        return;
    }
    AIController ai;
    std::vector<pathQuery> queries;
    for (std::size_t f = 1; f < factions.size(); ++f) {
        placeableObject& unit = *factions[f]->objects[1];
        const placeableObject& target = *ai.determineBestTarget(&unit);
        queries.push_back(makePathQuery(*graph, unit, target.x + 1.0f, target.y));
    }
    micropather::MicroPather reused(graph.get(), 468000, 6);
    std::size_t found = 0;
    for (auto _ : state) {
        for (const pathQuery& query : queries) {
            std::vector<void*> states;
            float cost = 0.0f;
            void* start = reinterpret_cast<void*>(static_cast<std::intptr_t>(query.startNode));
            void* goal = reinterpret_cast<void*>(static_cast<std::intptr_t>(query.goalNode));
            int result = 0;
            if (reuse) {
                reused.Reset();
                result = reused.Solve(start, goal, &states, &cost, query.attributes);
            } else {
                micropather::MicroPather fresh(graph.get(), 468000, 6);
                result = fresh.Solve(start, goal, &states, &cost, query.attributes);
            }
            found += result == micropather::pathFound ? 1 : 0;
        }
    }
    state.counters["searches"] = static_cast<double>(queries.size());
    state.counters["searches/s"] = benchmark::Counter(static_cast<double>(queries.size()),
                                                      benchmark::Counter::kIsIterationInvariantRate);
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
    endRun();
}

} // namespace

BENCHMARK(BM_GameTick50Factions)->Unit(benchmark::kMicrosecond)->Iterations(12000);
BENCHMARK(BM_ComputerFactionsPathRequests)->Arg(20)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_TenExhaustiveSearchesPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpeningSearchesFreshOrReusedSolver)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
