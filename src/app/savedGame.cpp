#include "app/savedGame.hpp"

#include "app/atomicFile.hpp"
#include "app/gameArchive.hpp"
#include "app/gameInit.hpp"
#include "app/nameLists.hpp"
#include "app/random.hpp"
#include "app/savedGameChecks.hpp"
#include "app/settings.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/gameTime.hpp"
#include "sim/pathSearches.hpp"
#include "sim/player.hpp"
#include "ui/gameController.hpp"

#include <boost/crc.hpp>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string_view>
#include <system_error>

namespace {

// The header, all numbers little-endian: the format's name, its version, the world's seed, width and height,
// the payload's length and the payload's CRC-32.
constexpr std::string_view FORMAT_NAME = "Kestrova saved game\n";
constexpr std::size_t VERSION_AT = FORMAT_NAME.size();
constexpr std::size_t SEED_AT = VERSION_AT + 4;
constexpr std::size_t WIDTH_AT = SEED_AT + 4;
constexpr std::size_t HEIGHT_AT = WIDTH_AT + 4;
constexpr std::size_t LENGTH_AT = HEIGHT_AT + 4;
constexpr std::size_t CRC_AT = LENGTH_AT + 8;
constexpr std::size_t HEADER_BYTES = CRC_AT + 4;
static_assert(HEADER_BYTES == SAVED_GAME_HEADER_BYTES);

void putNumber(std::string& bytes, std::uint64_t value, int size) {
    for (int k = 0; k < size; ++k) {
        bytes.push_back(static_cast<char>((value >> (8 * k)) & 0xff));
    }
}

std::uint64_t numberAt(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int k = size - 1; k >= 0; --k) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    }
    return value;
}

std::uint32_t crcOf(std::string_view bytes) {
    boost::crc_32_type crc;
    crc.process_bytes(bytes.data(), bytes.size());
    return crc.checksum();
}

std::string describe(const savedGameWorld& world) {
    return "seed " + std::to_string(static_cast<std::int32_t>(world.seed)) + ", " +
           std::to_string(world.width) + " × " + std::to_string(world.height) + " map cells";
}

/// The payload of a whole file whose header holds for `world`, and its format version; refuses the file
/// otherwise.
std::string_view checkedPayload(std::string_view bytes, const savedGameWorld& world, std::uint32_t& version) {
    if (bytes.empty()) {
        throw savedGameRefused("it is empty");
    }
    if (bytes.substr(0, FORMAT_NAME.size()) != FORMAT_NAME.substr(0, bytes.size())) {
        throw savedGameRefused("it is not a saved game");
    }
    if (bytes.size() < HEADER_BYTES) {
        throw savedGameRefused("it is truncated: its " + std::to_string(bytes.size()) +
                               " bytes end inside the " + std::to_string(HEADER_BYTES) + " of its header");
    }
    version = static_cast<std::uint32_t>(numberAt(bytes, VERSION_AT, 4));
    if (version > SAVED_GAME_VERSION) {
        throw savedGameRefused("it was saved in format version " + std::to_string(version) +
                               " by a newer Kestrova; this one reads version " +
                               std::to_string(SAVED_GAME_VERSION));
    }
    if (version < OLDEST_SAVED_GAME_VERSION) {
        throw savedGameRefused("it has format version " + std::to_string(version) + ", which never existed");
    }
    const savedGameWorld saved{static_cast<std::uint32_t>(numberAt(bytes, SEED_AT, 4)),
                               static_cast<int>(static_cast<std::int32_t>(numberAt(bytes, WIDTH_AT, 4))),
                               static_cast<int>(static_cast<std::int32_t>(numberAt(bytes, HEIGHT_AT, 4)))};
    if (saved.seed != world.seed || saved.width != world.width || saved.height != world.height) {
        throw savedGameRefused("it was saved in another world (" + describe(saved) + "; this one is " +
                               describe(world) + ")");
    }
    const std::uint64_t length = numberAt(bytes, LENGTH_AT, 8);
    const std::size_t present = bytes.size() - HEADER_BYTES;
    if (length > present) {
        throw savedGameRefused("it is truncated: it holds " + std::to_string(present) + " of its " +
                               std::to_string(length) + " bytes of game");
    }
    if (length < present) {
        throw savedGameRefused("it has " + std::to_string(present - length) +
                               " bytes more than its header says");
    }
    const std::string_view payload = bytes.substr(HEADER_BYTES);
    if (crcOf(payload) != numberAt(bytes, CRC_AT, 4)) {
        throw savedGameRefused("it is damaged: its checksum does not match");
    }
    return payload;
}

std::string systemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()).message() : "unknown error";
}

} // namespace

std::string savedGameHeader(const savedGameWorld& world, std::string_view payload) {
    std::string bytes(FORMAT_NAME);
    putNumber(bytes, SAVED_GAME_VERSION, 4);
    putNumber(bytes, world.seed, 4);
    putNumber(bytes, static_cast<std::uint32_t>(world.width), 4);
    putNumber(bytes, static_cast<std::uint32_t>(world.height), 4);
    putNumber(bytes, payload.size(), 8);
    putNumber(bytes, crcOf(payload), 4);
    return bytes;
}

savedGameWorld currentWorld() {
    return {static_cast<std::uint32_t>(worldSeed), worldWidth, worldHeight};
}

savedGame::savedGame() = default;
savedGame::~savedGame() = default;
savedGame::savedGame(savedGame&&) noexcept = default;
savedGame& savedGame::operator=(savedGame&&) noexcept = default;

gameParts savedGame::parts() {
    return {factions,    human,        computerFactions, tick,         time,       clockMicroseconds,
            clockPaused, lastTickTime, randomState,      pendingPaths, statistics, outcome};
}

std::string savedGameBytes(const gameController& controller, const savedGameWorld& world) {
    std::vector<Faction*> computerFactions;
    if (AIHandler) {
        computerFactions = AIHandler->controlledFactions;
    }
    std::int64_t clockMicroseconds = controller.gameClock.getElapsedTime().asMicroseconds();
    bool clockPaused = controller.gameClock.isPaused();
    std::int64_t lastTickTime = controller.lastTickTime;
    unsigned int randomState = randomSourceState();
    std::vector<std::pair<placeableObject*, pathQuery>> pendingPaths = controller.unresumedPaths();
    std::vector<factionStatistics::day> statistics = controller.statistics.days();
    // A search that ends while the game is written out would change what it is written from: its path waits.
    std::unique_lock<std::mutex> deliveriesHeld;
    if (microPatherSem) {
        deliveriesHeld = microPatherSem->pauseDeliveries();
        const auto searching = microPatherSem->pendingRequests();
        pendingPaths.insert(pendingPaths.end(), searching.begin(), searching.end());
    }
    gameOutcome outcome = controller.outcome;
    const std::string payload = gameArchive::write({factions, humanPlayer, computerFactions, currentGameTick,
                                                    gameTime, clockMicroseconds, clockPaused, lastTickTime,
                                                    randomState, pendingPaths, statistics, outcome});
    return savedGameHeader(world, payload) + payload;
}

void saveCurrentGame(const std::string& path, const gameController& controller) {
    const std::string bytes = savedGameBytes(controller);
    writeFileAtomically(path, std::ios::binary, [&](std::ostream& file) {
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

savedGame loadSavedGame(const std::string& path, const savedGameWorld& world) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw savedGameRefused("it cannot be opened (" + systemError() + ")");
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        throw savedGameRefused("it cannot be read (" + systemError() + ")");
    }
    std::uint32_t version = 0;
    const std::string_view payload = checkedPayload(bytes, world, version);
    savedGame game;
    try {
        gameArchive::read(payload, game.parts(), version);
        if (version < 2) {
            for (std::size_t i = 0; i < game.factions.size(); ++i) {
                game.factions[i]->personNames =
                    nameSource(nullptr, nameSource::startState(static_cast<int>(world.seed), i));
            }
        }
        checkLoadedGame(game.parts(), world);
    } catch (const std::exception& error) {
        throw savedGameRefused(std::string("it is damaged: ") + error.what());
    }
    return game;
}

void continueGame(savedGame game, gameController& controller, AIController& computer) {
    controller.selectedObject = nullptr;
    controller.context = gameController::noOrder;
    factions = std::move(game.factions);
    // The names themselves are the program's, not the file's: the sources draw from the list shipped now.
    const std::shared_ptr<const std::vector<std::string>> names = readPersonNames();
    for (const std::unique_ptr<Faction>& faction : factions) {
        faction->personNames.attach(names);
    }
    humanPlayer = std::move(game.human);
    computer.controlledFactions = std::move(game.computerFactions);
    currentGameTick = game.tick;
    gameTime = game.time;
    controller.gameClock.restore(sf::microseconds(game.clockMicroseconds), game.clockPaused);
    controller.lastTickTime = game.lastTickTime;
    controller.statistics.restore(std::move(game.statistics));
    controller.outcome = game.outcome;
    seed(game.randomState);
    controller.awaitPaths(std::move(game.pendingPaths));
}

savedGameOpening openSavedGame(const std::vector<std::string>& paths, gameController& controller,
                               AIController& computer, std::ostream& out, bool firstChosen) {
    savedGameOpening opening;
    for (std::size_t k = 0; k < paths.size() && !opening.continued; ++k) {
        const std::string& path = paths[k];
        std::string said;
        try {
            savedGame game = loadSavedGame(path, currentWorld());
            const int tick = game.tick;
            continueGame(std::move(game), controller, computer);
            opening.continued = true;
            said = "Continuing the game saved in " + path + " at tick " + std::to_string(tick) + ".";
        } catch (const savedGameRefused& refusal) {
            const char* next = k + 1 == paths.size()   ? "The world starts with new factions"
                               : k == 0 && firstChosen ? "Trying the newest save instead"
                                                       : "Trying the next newest save";
            said = path + " was not loaded: " + refusal.what() + ". " + next + "; the file is left as it is.";
        }
        out << said << std::endl;
        opening.line += (opening.line.empty() ? "" : "\n") + said;
    }
    return opening;
}

savedGameOpening openSavedGame(const std::string& path, gameController& controller, AIController& computer,
                               std::ostream& out) {
    if (!boost::filesystem::exists(path)) {
        return {};
    }
    return openSavedGame(std::vector<std::string>{path}, controller, computer, out);
}
