// Frame times of a default game in each view mode, in a real window (run under scripts/withXvfb.sh).
#include "frameSession.hpp"
#include "view/gridView.hpp"

#include <benchmark/benchmark.h>

namespace {

/// One frame of the view mode given as the argument (0 world map, 1 grid view, 2 cell view) with the 50
/// factions of a default game, the view on the human's city; reports the median and the 99th percentile of
/// the frame times in milliseconds.
void BM_Frame(benchmark::State& state) {
    if (!displayAvailable(state)) {
        return;
    }
    const frameSession session(true);
    if (state.range(0) >= 1) {
        view->switchToGridView();
    }
    if (state.range(0) == 2) {
        view->gridViewer->zoomIn();
    }
    timeFrames(state);
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1)->Arg(2)->Iterations(600)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
