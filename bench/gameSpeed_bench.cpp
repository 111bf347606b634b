// The game at speeds 1x, 4x and 16x on the default world with every computer faction driven, in a real
// window (run under Xvfb, from the repository root, with the world's graph: see defaultRun.hpp): ticks per
// second reached, frame time, path requests per second, request-to-path time and the searches waiting.

#include "defaultRun.hpp"
#include "frameSession.hpp"
#include "sim/AIController.hpp"
#include "sim/pathSearches.hpp"
#include "ui/gameSpeed.hpp"
#include "view/gameView.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>
#include <chrono>
#include <mutex>
#include <vector>

namespace {

/// One minute (the argument's seconds) of the game at state.range(0) times the normal pace.
void BM_GameSpeed(benchmark::State& state) {
    if (!displayAvailable(state)) {
        return;
    }
    const auto seconds = std::chrono::seconds(state.range(1));
    for (auto _ : state) {
        const silencedStdout quiet;
        if (!startRunWithGraph(state, nullptr)) {
            return;
        }
        std::mutex latencyLock;
        std::vector<double> latencies;
        microPatherSem = std::make_unique<pathSearchPool>(*graph);
        microPatherSem->onSearchDone = [&](const pathSearchPool::searchRecord& record) {
            const std::lock_guard<std::mutex> guard(latencyLock);
            latencies.push_back(std::chrono::duration<double, std::milli>(record.latency).count());
        };
        AIHandler = std::make_unique<AIController>();
        for (std::size_t f = 1; f < factions.size(); ++f) {
            AIHandler->addFaction(factions[f].get());
        }
        controller->afterEachTick = [] { AIHandler->updateAI(); };
        controller->speed.set(static_cast<double>(state.range(0)));
        view = std::make_unique<gameView>();
        view->viewInit(mapData.get(), northCap.get(), southCap.get(), controller.get());
        App = std::make_unique<sf::RenderWindow>(sf::VideoMode(1920, 1080, 32), "Kestrova Game",
                                                 sf::Style::Close);
        App->setFramerateLimit(60);
        controller->gameClock.reset(true);
        controller->lastTickTime = 0;
        std::vector<double> frames;
        std::size_t waitingHalfWay = 0;
        const int startTick = currentGameTick;
        const auto start = std::chrono::steady_clock::now();
        for (auto now = start; now - start < seconds; now = std::chrono::steady_clock::now()) {
            view->viewLoopBody();
            frames.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - now).count());
            if (waitingHalfWay == 0 && now - start >= seconds / 2) {
                waitingHalfWay = microPatherSem->waitingCount() + 1;
            }
        }
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["ticks/s"] = (currentGameTick - startTick) / elapsed;
        state.counters["requests/s"] = static_cast<double>(microPatherSem->searchesDone()) / elapsed;
        state.counters["waitingHalfWay"] = static_cast<double>(waitingHalfWay - 1);
        state.counters["waitingAtEnd"] = static_cast<double>(microPatherSem->waitingCount());
        reportPercentiles(state, frames, "frame_");
        {
            const std::lock_guard<std::mutex> guard(latencyLock);
            std::sort(latencies.begin(), latencies.end());
            state.counters["latencyMedianMs"] = latencies.empty() ? 0.0 : latencies[latencies.size() / 2];
            state.counters["latencyP95Ms"] =
                latencies.empty() ? 0.0 : latencies[(latencies.size() - 1) * 95 / 100];
        }
        microPatherSem->stop();
        view.reset();
        App.reset();
        arial = sf::Font();
        endRun();
    }
}
BENCHMARK(BM_GameSpeed)
    ->Args({1, 60})
    ->Args({4, 60})
    ->Args({16, 60})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace
