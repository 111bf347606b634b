#pragma once

#include "app/savedGame.hpp"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class gameController;

/// One run's autosaves of its world: the whole game, as save writes it, in autosave-<tick>.dat in the world's
/// folder every few game days and when the world is left, never over game.dat; the three newest are kept.
/// Also what the console's saves and continue need: the saves as last listed, and the one chosen to continue
/// in the next run.
///
/// Threads: the game is serialised on the main thread (a few milliseconds); the file is written and older
/// autosaves removed on a thread the object owns, which reads only what it is handed and is joined before
/// the next autosave starts, by finish() and by the destructor. Its outcome is read only after joining it.
/// Everything else is main thread only.
class autosaves {
  public:
    /// Autosaves kept: older ones are removed once a newer one is complete.
    static constexpr std::size_t KEPT = 3;

    /// The autosaves of `world` in `directory`, every `everyDays` game days (0: none at all), the first at
    /// the first whole multiple of the period after `fromTick`. Removes the temporary files an autosave
    /// killed while writing left there.
    autosaves(std::string directory, const savedGameWorld& world, int everyDays, int fromTick);
    /// Waits for a write in flight.
    ~autosaves();
    autosaves(const autosaves&) = delete;
    autosaves& operator=(const autosaves&) = delete;

    bool enabled() const { return periodTicks > 0; }
    const std::string& folder() const { return directory; }
    const savedGameWorld& savedWorld() const { return world; }

    /// Once a frame, after its ticks: logs the line of a write that has ended to the console, then starts an
    /// autosave when the game has reached the tick of the next and no write is in flight.
    void afterFrame(const gameController& game);
    /// Starts an autosave of the game as it stands, waiting first for a write in flight (whose line is then
    /// lost: call finish() before to have it).
    void start(const gameController& game);
    /// Waits for the write in flight. Its line, "Autosaved: <path>, tick <n>, <date>" or why the file could
    /// not be written (losing nothing); empty when none was in flight.
    [[nodiscard]] std::string finish();
    /// When the world is left: waits for the write in flight, writes the last autosave (unless autosaves are
    /// off) and waits for it. The lines of both.
    [[nodiscard]] std::vector<std::string> leave(const gameController& game);

    /// The world's saves, newest first, as the console's saves last listed them: continue <n> takes the n-th.
    std::vector<std::string> listed;
    /// The save the next run is to continue, chosen with continue; the last autosave never removes it.
    std::optional<std::string> chosen;

  private:
    struct outcome {
        std::string line;
        bool failed = false;
    };
    /// Writes `bytes` to `path`, then removes the autosaves in `directory` beyond the KEPT newest, which
    /// count the one just written, sparing `spared`. Any thread.
    static outcome writeAndRotate(const std::string& directory, const std::string& path,
                                  const std::string& bytes, const std::optional<std::string>& spared,
                                  std::string doneLine);
    outcome join();

    const std::string directory;
    const savedGameWorld world;
    /// [Units: ticks]; 0: no autosaves.
    const int periodTicks;
    int nextTick;
    std::thread writer;
    std::atomic<bool> writeEnded{false};
    /// Set by the writing thread; read after joining it.
    outcome written;
};
