// Tries game.dat files made from one saved game with bytes of its payload changed behind a valid header (the
// length and CRC-32 made to match, so that every change reaches the loader): each must be refused with a
// line, or load into a game that then plays 1,000 ticks with the computer opponent driving and its path
// searches run, without a crash, a hang or a sanitizer's report.
//
// Run it from the repository root (it reads assets/). KESTROVA_FUZZ_FILES sets the number of files (default
// 200), KESTROVA_FUZZ_SEED the seed of the changes (default 1). The counts go to standard error; the first
// file that breaks the game stops the run, and stays in the folder named at the start.
#include "app/exitRequest.hpp"
#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/savedGame.hpp"
#include "app/settings.hpp"
#include "path/aStarGraph.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/combat.hpp"
#include "sim/gameTime.hpp"
#include "sim/pathSearches.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

namespace {

/// The saved game changed: 40 game days of a small world, its computer factions driven.
constexpr int SAVED_TICKS = 4800;
constexpr int FACTIONS = 16;
constexpr int PLAYED_TICKS = 1000;
/// A file whose game has not played its ticks by then hangs.
constexpr unsigned FILE_TIMEOUT_SECONDS = 600;

std::uint64_t environmentNumber(const char* name, std::uint64_t otherwise) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtoull(text, nullptr, 10) : otherwise;
}

[[noreturn]] void fault(std::uint64_t file, const std::string& what) {
    std::cerr << "FAULT in file " << file << ": " << what << std::endl;
    std::exit(1);
}

/// The game of the run: a small world with every faction but the human's driven by the computer opponent,
/// played frame by frame on a clock moved by hand. A loaded file's game finishes every path search before the
/// next frame, so that it plays the same every time.
class fuzzedGame {
  public:
    explicit fuzzedGame(const std::string& folder) {
        worldWidth = 190;
        worldHeight = 70;
        childChance = 10; // births every few days, to fill the saved game with more people
        seed(7u);
        graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10);
        controller = std::make_unique<gameController>([this] { return now; });
        mapData = std::make_unique<worldMap>();
        northCap = std::make_unique<iceCap>();
        southCap = std::make_unique<iceCap>();
        controller->generateWorld(*mapData, *northCap, *southCap);
        factions = controller->generateFactions(FACTIONS, "Fuzz", "Fuzz's Faction", *mapData, std::cout);
        preloadGrids(*mapData, *graph, folder);
        microPatherSem = std::make_unique<pathSearchPool>(*graph);
        AIHandler = std::make_unique<AIController>();
        for (std::size_t f = 1; f < factions.size(); ++f) {
            AIHandler->addFaction(factions[f].get());
        }
    }

    /// Plays the game to be saved; the human splits, founds and merges, so that the file holds every kind
    /// of link, and it ends with searches in flight, which the file records. Its searches may take ten
    /// frames, as in the game, where an attacking unit's requests to follow its target are refused while its
    /// search runs (finishing every one would cost twenty times as much), so that the saved game differs a
    /// little from run to run.
    void playSavedGame() {
        for (int tick = 1; tick <= SAVED_TICKS; ++tick) {
            Faction& human = *factions[0];
            placeableObject* home = human.objects.empty() ? nullptr : human.objects.front();
            placeableObject* unit = nullptr;
            for (placeableObject* object : human.objects) {
                unit = object->isMilitary && object->numPeople() >= 2 ? object : unit;
            }
            if (home != nullptr && home->numPeople() > 10 && tick % 400 == 100) {
                // Four citizens sent against another faction's first city: new units walk all game long.
                placeableObject* raiders = split(home, {home->people.begin(), home->people.begin() + 4});
                placeableObject* target =
                    factions[1 + tick / 400 % (factions.size() - 1)]->objectsMade()[0].get();
                if (raiders != nullptr) {
                    raiders->setPath(target->x + 1.0f, target->y);
                    raiders->setAttackTarget(target);
                }
            } else if (unit != nullptr && tick % 1200 == 700) {
                foundCity(unit);
            } else if (unit != nullptr && home != nullptr && unit != home && tick % 1200 == 1000) {
                unit->setMergeTarget(home);
                unit->setPath(home->x + 1.0f, home->y);
            }
            play(1, tick % 10 == 5);
        }
        // Many searches in flight at the save: every object not searching (cities too, which a path does not
        // move) sent to the first city of the faction half the list away.
        for (std::size_t f = 0; f < factions.size(); ++f) {
            const placeableObject& far =
                *factions[(f + factions.size() / 2) % factions.size()]->objectsMade()[0];
            for (placeableObject* object : factions[f]->objects) {
                if (!object->pathInProgress) {
                    object->setPath(far.x + 1.0f, far.y);
                }
            }
        }
    }

    /// `ticks` frames, each a tick and a step of the opponent, then the path searches finished unless
    /// `finishSearches` is false; a frame without a tick is an error.
    void play(int ticks, bool finishSearches = true) {
        for (int frame = 0; frame < ticks; ++frame) {
            now += sf::milliseconds(controller->tickInterval + 1);
            if (!controller->processGameTick()) {
                throw std::logic_error("a frame without a tick");
            }
            ++ticksPlayed;
            AIHandler->updateAI();
            if (finishSearches) {
                microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
            }
        }
    }

    std::uint64_t ticksPlayed = 0;

  private:
    sf::Time now;
};

const std::uint32_t INTERESTING_32[] = {
    0,          1,          2,          0xff,       0x7fffffff, 0x80000000, 0xffffffff, 0xfffffffe,
    0x7f800000, 0xff800000, 0x7fc00000, 0x49742400, 0xc9742400, 0x3f800000, 0x00000001, 0x00800000};
const std::uint64_t INTERESTING_64[] = {
    0, 1, 2, 0xffffffff, 0x100000000, 0x7fffffffffffffff, 0x8000000000000000, ~0ull};

/// One change at a random place of `payload`: a bit flipped, a byte, a number or a count set to a value
/// that tends to break things, a chunk inserted, deleted or repeated, or a small number (most likely a count
/// or a link) moved a little or set to a link of none.
void mutate(std::string& payload, std::mt19937_64& random) {
    const auto below = [&random](std::size_t n) { return n == 0 ? 0 : std::size_t(random() % n); };
    const auto put = [&](std::size_t at, std::uint64_t value, std::size_t size) {
        for (std::size_t k = 0; k < size && at + k < payload.size(); ++k) {
            payload[at + k] = static_cast<char>(value >> (8 * k));
        }
    };
    const auto numberAt = [&](std::size_t at, std::size_t size) {
        std::uint64_t value = 0;
        std::memcpy(&value, payload.data() + at, std::min(size, payload.size() - at));
        return value;
    };
    const std::size_t at = below(payload.size());
    const std::size_t chunk = 1 + below(64);
    switch (random() % 8) {
    case 0:
        payload[at] = static_cast<char>(payload[at] ^ (1 << below(8)));
        break;
    case 1:
        put(at, INTERESTING_64[below(std::size(INTERESTING_64))] >> (8 * below(8)), 1);
        break;
    case 2:
        put(at, INTERESTING_32[below(std::size(INTERESTING_32))], 4);
        break;
    case 3:
        put(at, INTERESTING_64[below(std::size(INTERESTING_64))], 8);
        break;
    case 4:
        payload.insert(at, chunk, static_cast<char>(random()));
        break;
    case 5:
        payload.erase(at, chunk);
        break;
    case 6:
        payload.insert(below(payload.size()), payload.substr(at, chunk));
        break;
    default:
        // Small numbers are mostly counts, links and jobs: look for one and move it.
        for (int look = 0; look < 64; ++look) {
            const std::size_t place = below(payload.size());
            const std::size_t size = random() % 2 == 0 ? 4 : 8;
            const std::uint64_t value = numberAt(place, size);
            if (value < 4096) {
                const std::uint64_t changed[] = {value + 1, value - 1, value * 2, 0, 0xffffffff, below(4096)};
                put(place, changed[below(std::size(changed))], size);
                break;
            }
        }
    }
}

/// True when at most one faction has objects left: a driven unit then has no target, and the game ends.
bool gameIsOver() {
    int withObjects = 0;
    for (const auto& faction : factions) {
        withObjects += faction->objects.empty() ? 0 : 1;
    }
    return withObjects <= 1;
}

/// A refusal's reason with its numbers as #, to count refusals by kind.
std::string kindOf(const std::string& reason) {
    std::string kind;
    for (const char c : reason) {
        if (c < '0' || c > '9') {
            kind += c;
        } else if (kind.empty() || kind.back() != '#') {
            kind += '#';
        }
    }
    return kind;
}

} // namespace

int main() {
    const std::uint64_t files = environmentNumber("KESTROVA_FUZZ_FILES", 200);
    const std::uint64_t changesSeed = environmentNumber("KESTROVA_FUZZ_SEED", 1);
    // The game's trace lines ("Pather returned 0" for every search) would drown the counts.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 1;
    }
    const temporaryDirectory folder;
    const std::string path = folder.file("game.dat");
    std::cerr << "Files are tried as " << path << std::endl;
    const auto start = std::chrono::steady_clock::now();

    fuzzedGame game(folder.path());
    game.playSavedGame();
    saveCurrentGame(path, *controller);
    microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
    const std::string saved = readTextFile(path);
    const std::string payload = saved.substr(SAVED_GAME_HEADER_BYTES);
    std::size_t inFlight = 0;
    try {
        savedGame intact = loadSavedGame(path, currentWorld());
        inFlight = intact.pendingPaths.size();
        continueGame(std::move(intact), *controller, *AIHandler);
    } catch (const savedGameRefused& refusal) {
        fault(0, std::string("the saved game itself was refused: ") + refusal.what());
    }
    std::cerr
        << "Saved game: " << saved.size() << " bytes at tick " << currentGameTick << ", " << inFlight
        << " path searches in flight, "
        << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count()
        << " s" << std::endl;

    std::mt19937_64 random(changesSeed);
    std::uint64_t refused = 0, loaded = 0, gameOver = 0;
    std::map<std::string, std::uint64_t> reasons;
    for (std::uint64_t file = 1; file <= files; ++file) {
        std::string changed = payload;
        for (std::uint64_t changes = 1 + random() % 4; changes > 0 && !changed.empty(); --changes) {
            mutate(changed, random);
        }
        writeTextFile(path, savedGameHeader(currentWorld(), changed) + changed);
        alarm(FILE_TIMEOUT_SECONDS);
        try {
            savedGame loadedGame = loadSavedGame(path, currentWorld());
            continueGame(std::move(loadedGame), *controller, *AIHandler);
            controller->resumePendingPaths(); // as the window's start does
            controller->gameClock.resume();   // a game saved paused plays on as after "resume"
            ++loaded;
            game.play(PLAYED_TICKS);
        } catch (const savedGameRefused& refusal) {
            if (std::strlen(refusal.what()) == 0) {
                fault(file, "a refusal without a reason");
            }
            ++refused;
            ++reasons[kindOf(refusal.what())];
        } catch (const exitRequest&) {
            // Only the end of the game may stop it; any other stop is one of the "impossible" states.
            if (!gameIsOver()) {
                fault(file, "the game stopped with a fatal message");
            }
            ++gameOver;
            microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
        } catch (const std::exception& error) {
            fault(file, error.what());
        }
        alarm(0);
        if (file % 1000 == 0 || file == files) {
            std::cerr << "files " << file << ": refused " << refused << ", loaded " << loaded
                      << " (game over " << gameOver << "), faults 0, "
                      << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                          start)
                             .count()
                      << " s" << std::endl;
        }
    }
    std::cerr << "Ticks played: " << game.ticksPlayed << " (the saved game's " << SAVED_TICKS
              << " among them), path searches: " << microPatherSem->searchesDone() << "\n";
    for (const auto& [reason, count] : reasons) {
        std::cerr << "  refused " << count << ": " << reason << "\n";
    }
    endRun();
    return 0;
}
