#pragma once

#include "sim/factionStatistics.hpp"
#include "sim/gameOutcome.hpp"
#include "sim/pathSearches.hpp"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class AIController;
class Faction;
class gameController;
class placeableObject;
class player;
struct gameParts;

// game.dat: the whole game beside the world's seed, so that the world goes on where it was saved.

/// The format of game.dat this program writes; it reads every one from OLDEST_SAVED_GAME_VERSION on.
/// Version 2: the game clock's milliseconds at the last tick take 64 bits; the factions' economy ledgers,
/// where each attacker last asked to go, the paths asked for and not yet found, the factions' daily
/// statistics, the end of the human's game and each faction's name source are kept too.
constexpr std::uint32_t SAVED_GAME_VERSION = 2;
constexpr std::uint32_t OLDEST_SAVED_GAME_VERSION = 1;

/// The header's size: the format's name, its version, the world, and the payload's length and CRC-32.
constexpr std::size_t SAVED_GAME_HEADER_BYTES = 48;

/// The world a saved game was made in, as its header records it.
struct savedGameWorld {
    std::uint32_t seed;
    int width;  ///< worldWidth [Units: map cells]
    int height; ///< worldHeight [Units: map cells]
};

/// The world of the current run.
savedGameWorld currentWorld();

/// The header of a game.dat of the current format for a game saved in `world` whose payload is `payload`.
[[nodiscard]] std::string savedGameHeader(const savedGameWorld& world, std::string_view payload);

/// A whole game read from game.dat, not yet in play.
struct savedGame {
    savedGame();
    ~savedGame();
    savedGame(savedGame&&) noexcept;
    savedGame& operator=(savedGame&&) noexcept;

    std::vector<std::unique_ptr<Faction>> factions;
    std::unique_ptr<player> human;
    std::vector<Faction*> computerFactions;
    int tick = 0;
    std::int64_t time = 0;
    /// [Units: microseconds]
    std::int64_t clockMicroseconds = 0;
    bool clockPaused = false;
    /// [Units: game clock milliseconds]
    std::int64_t lastTickTime = 0;
    unsigned int randomState = 0;
    /// Paths asked for and not yet found when the game was saved.
    std::vector<std::pair<placeableObject*, pathQuery>> pendingPaths;
    /// Every faction's totals at the end of the days recorded, oldest first.
    std::vector<factionStatistics::day> statistics;
    gameOutcome outcome;

    gameParts parts();
};

/// Why a game.dat was not continued: a clause without the file's name ("it is empty").
class savedGameRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The current game as game.dat holds it, header and payload: the factions, the human's record, the computer
/// opponent's factions, the calendar, `controller`'s clock and the random source, and the paths asked for and
/// not yet found (recorded, not waited for: the searches go on), behind a header for `world`. Main thread.
[[nodiscard]] std::string savedGameBytes(const gameController& controller,
                                         const savedGameWorld& world = currentWorld());

/// Writes savedGameBytes to `path` through a temporary file. Throws std::runtime_error naming the path and
/// the reason; a file at `path` is then left as it was. Main thread.
void saveCurrentGame(const std::string& path, const gameController& controller);

/// Reads the game saved at `path` for `world`, checking its header (format, version, world, length and
/// CRC-32) before the archive sees a byte of it. A game saved before the factions had name sources gets those
/// of a new game of the world. Throws savedGameRefused saying why not. Never changes the
/// file, the current game or the random source.
[[nodiscard]] savedGame loadSavedGame(const std::string& path, const savedGameWorld& world);

/// Makes `game` the current game: the factions (their name sources given the people's names from assets/),
/// the human's record, `computer`'s factions, the calendar, `controller`'s clock (its last tick too, its
/// selection cleared), the game's end and the random source; the paths that were being searched for are
/// handed to `controller`, which asks for them again (resumePendingPaths). No path search may be running.
/// Stops the program (exitRequest) when the name list cannot be read.
void continueGame(savedGame game, gameController& controller, AIController& computer);

/// What opening a world's saved game came to.
struct savedGameOpening {
    bool continued = false;
    /// The lines said about it, one for each file tried, without their line breaks; empty when the world has
    /// no saved game.
    std::string line;
};

/// Continues the first of the games saved at `paths` that is not refused, trying them in turn; a file refused
/// is left as it is, and so is the current game. With none continued (or none given) the world starts
/// afresh. Writes the lines of the outcome to `out`, one for each file tried, and returns them, for the
/// console too. `firstChosen`: the first path was chosen by the player rather than for being the newest.
savedGameOpening openSavedGame(const std::vector<std::string>& paths, gameController& controller,
                               AIController& computer, std::ostream& out, bool firstChosen = false);
/// The same for the one file at `path`, when it exists.
savedGameOpening openSavedGame(const std::string& path, gameController& controller, AIController& computer,
                               std::ostream& out);
