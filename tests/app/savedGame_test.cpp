// game.dat: a loaded game goes on as the saved one would have; a bad file or a failed save loses nothing.
#include "app/savedGame.hpp"
#include "sim/AIController.hpp"
#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"

#include <boost/crc.hpp>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

/// The whole running game written out field by field, apart from any save code, and hashed. A link counts by
/// the order in which the walk first meets what it points at.
static std::size_t gameDigest() {
    std::map<const void*, std::size_t> place{{nullptr, 0}};
    const auto id = [&](const void* item) { return place.emplace(item, place.size()).first->second; };
    std::ostringstream text;
    const auto put = [&](const auto&... values) { ((text << std::hexfloat << values << ' '), ...); };
    const auto each = [&](const auto& items) {
        for (const auto& item : items) {
            if constexpr (std::is_pointer_v<std::decay_t<decltype(item)>>) {
                put(id(item));
            } else {
                put(item.first, item.second);
            }
        }
    };
    const auto putPerson = [&](const person& p) {
        put('\n', id(&p), p.name, id(p.faction), p.isMale, p.job, p.alive, p.attack, p.defence);
        each(p.skills);
    };
    // Not the game clock, which runs on at its own pace at every speed; the saved bytes hold it.
    put(currentGameTick, gameTime, randomSourceState(), humanPlayer->name, id(humanPlayer->person),
        id(humanPlayer->faction));
    each(AIHandler->controlledFactions);
    for (const auto& faction : factions) {
        put('\n', id(faction.get()), faction->name);
        putPerson(*faction->leader);
        each(faction->leader->cities);
        each(faction->objects);
        for (const auto& made : faction->objectsMade()) {
            const placeableObject& o = *made;
            put('\n', id(&o), dynamic_cast<const city*>(&o) != nullptr, o.name, id(o.faction), o.x, o.y,
                o.food, o.gold, o.wood, o.iron, o.purchasingAbility, id(o.owner), o.speed, o.destX, o.destY,
                o.moving, o.merging, o.movementMultiplierX, o.movementMultiplierY, o.attacking, id(o.target),
                o.pathInProgress, o.isMilitary, o.travelPath != nullptr);
            each(o.people);
            each(o.equipment);
            each(o.travelPath ? *o.travelPath : std::vector<waypoint>{});
            for (const auto& p : o.peopleMade()) {
                putPerson(*p);
            }
        }
    }
    for (const factionStatistics::day& day : controller->statistics.days()) {
        put('\n', day.number);
        for (const factionTotals& totals : day.factions) {
            std::apply(put, totals.values);
        }
    }
    return std::hash<std::string>()(text.str());
}

TEST(ThreadedGameSave, GoesOnExactlyAsTheSavedGameWouldHave) {
#if defined(KESTROVA_SANITIZED_BUILD)
    constexpr int SAVE_TICK = 1200, DRIVEN = 10; // for the sanitizers' slowdown
#else
    constexpr int SAVE_TICK = 2400, DRIVEN = 49; // every computer faction
#endif
    simulationScope run; // with the default world's settings
    seed(11899u);
    const temporaryDirectory folder;
    const quietOutput quiet;
    sf::Time now;
    const auto startRun = [&] {
        controller = std::make_unique<gameController>([&now] { return now; });
        AIHandler = std::make_unique<AIController>();
        microPatherSem = std::make_unique<pathSearchPool>(*graph);
    };
    // Frames of `speed` ticks (17 ms of clock at 1x, 16 at 16x) with the opponent's step after every tick, as
    // the game takes them; the searches are finished before every `period`-th tick.
    const auto playTo = [&](int tick, int period, double speed) {
        controller->speed.set(speed);
        controller->tickBudget = std::chrono::hours(1);
        controller->afterEachTick = [&] {
            AIHandler->updateAI();
            if (currentGameTick % period == period / 2) {
                microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
            }
        };
        while (currentGameTick < tick) {
            now += sf::milliseconds(speed > 1 ? controller->tickInterval : controller->tickInterval + 1);
            ASSERT_EQ(controller->processGameTick(), static_cast<int>(speed));
        }
    };
    graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, std::cout);
    startRun();
    worldMap map;
    iceCap north, south;
    controller->generateWorld(map, north, south);
    factions = controller->generateFactions(50, "Saver", "Saver's Faction", map, std::cout);
    preloadGrids(map, *graph, folder.path(), 0, std::cout);
    for (std::size_t f = 1; f <= DRIVEN; ++f) {
        AIHandler->addFaction(factions[f].get());
    }
    // Until the save the searches may take ten frames (as in the game, at a tenth of the cost of finishing
    // them every tick); the save meets those of its last five in flight, and a long one: the human unit's,
    // sent far.
    playTo(SAVE_TICK, 10, 1);
    const placeableObject& far = *factions[25]->objectsMade()[0];
    factions[0]->objectsMade()[1]->setPath(far.x + 1.0f, far.y);
    saveCurrentGame(folder.file("game.dat"), *controller);
    microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
    const std::size_t fights = countOf(run.console.text(), " has won!");
    playTo(2 * SAVE_TICK, 1, 1);
    const std::size_t played = gameDigest();
    EXPECT_GT(countOf(run.console.text(), " has won!"), fights) << "the game after the save had fights";

    std::unique_ptr<aStarGraph> terrain = std::move(graph); // for a fresh run on the same terrain
    endRun();
    graph = std::move(terrain);
    startRun();
    continueGame(loadSavedGame(folder.file("game.dat"), currentWorld()), *controller, *AIHandler);
    EXPECT_GE(controller->unresumedPaths().size(), 1u) << "the searches in flight at the save, the long one";
    saveCurrentGame(folder.file("again.dat"), *controller);
    EXPECT_TRUE(readTextFile(folder.file("again.dat")) == readTextFile(folder.file("game.dat")));
    controller->resumePendingPaths(); // as the window's start asks for them again, then they end in time
    microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::hours(1));
    playTo(2 * SAVE_TICK, 1, 16);
    EXPECT_EQ(gameDigest(), played) << "the loaded game, played at 16x, went as the saved one at 1x";
}

TEST(GameSave, AFileThatCannotBeTrustedOrWrittenLosesNothing) {
    simulationScope run;
    gameController game;
    worldSeed = -42;
    run.addUnit(run.addFaction("Mine", "Me"), 2.0f, 3.0f, 4);
    AIHandler = std::make_unique<AIController>();
    const temporaryDirectory folder;
    const std::string path = folder.file("game.dat");
    saveCurrentGame(path, game);
    const std::string intact = readTextFile(path);
    const std::size_t payload = intact.size() - 48;
    // Little-endian, as this machine is.
    const auto raw = [](std::uint64_t n, int k = 4) { return std::string(reinterpret_cast<char*>(&n), k); };
    const auto crcOf = [&](const std::string& bytes) {
        boost::crc_32_type crc;
        crc.process_bytes(bytes.data() + 48, bytes.size() - 48);
        return raw(crc.checksum());
    };
    EXPECT_EQ(intact.substr(0, 20), "Kestrova saved game\n");

    const auto changed = [&](int i, std::string s) { return std::string(intact).replace(i, s.size(), s); };
    const std::string world = "it was saved in another world (seed ";
    const std::string here = " × 130 map cells; this one is seed -42, 360 × 130 map cells)";
    const struct {
        std::string bytes, reason;
    } variants[] = {
        {"", "it is empty"},
        {intact.substr(0, 48 + payload / 2), "it is truncated: it holds " + std::to_string(payload / 2) +
                                                 " of its " + std::to_string(payload) + " bytes of game"},
        {changed(24, raw(-41)), world + "-41, 360" + here},
        {changed(20, raw(3)),
         "it was saved in format version 3 by a newer Kestrova; this one reads version 2"},
        {changed(20, raw(0)), "it has format version 0, which never existed"},
        {changed(60, std::string(1, static_cast<char>(intact[60] ^ 0x10))),
         "it is damaged: its checksum does not match"},
        // The faction count, the payload's first count, made huge, with the checksum to match.
        {[&, bytes = changed(121, raw(1ull << 40, 8))]() mutable {
             return bytes.replace(44, 4, crcOf(bytes));
         }(),
         "it is damaged: a count of 1099511627776 where " + std::to_string(payload - 81) + " bytes are left"},
    };
    const Faction* playing = factions[0].get();
    const unsigned int randomState = randomSourceState();
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.reason);
        writeTextFile(path, variant.bytes);
        std::ostringstream out;
        const savedGameOpening opening = openSavedGame(path, game, *AIHandler, out);
        EXPECT_FALSE(opening.continued);
        EXPECT_EQ(opening.line, path + " was not loaded: " + variant.reason +
                                    ". The world starts with new factions; the file is left as it is.");
        EXPECT_EQ(out.str(), opening.line + "\n");
        EXPECT_TRUE(readTextFile(path) == variant.bytes) << "the file changed";
        EXPECT_EQ(factions[0].get(), playing);
        EXPECT_EQ(randomSourceState(), randomState);
    }

    // A game of two factions saved by version 1 (the clock's last tick in 32 bits) at tick 1234, paused after
    // 100 s of play, the last tick at 99984 ms, the random source at 4242: made by that version, kept in hex.
    std::istringstream hex(readTextFile(KESTROVA_SOURCE_DIR "/tests/data/game-version1.hex"));
    std::string versionOne;
    for (char high = 0, low = 0; hex >> high >> low;) {
        versionOne += static_cast<char>(std::stoi(std::string{high, low}, nullptr, 16));
    }
    writeTextFile(path, versionOne);
    const savedGame old = loadSavedGame(path, {7, 360, 130});
    const placeableObject& scouts = *old.factions[0]->objects[1];
    EXPECT_EQ(std::make_tuple(old.tick, old.time, old.clockMicroseconds, old.clockPaused, old.lastTickTime,
                              old.randomState, old.factions[1]->objects[0]->target->name,
                              scouts.people.size(), scouts.travelPath->back(), old.computerFactions[0]->name,
                              old.statistics.size()),
              std::make_tuple(1234, std::int64_t{1234 * 720}, std::int64_t{100000000}, true,
                              std::int64_t{99984}, 4242u, std::string("Hold"), std::size_t{2},
                              waypoint(6.0f, 4.75f), std::string("Rovers"), std::size_t{0}))
        << "an older game has no statistics";

    // A folder that takes no more bytes, as on a full disk (unlike permissions, it binds root too).
    writeTextFile(path, intact);
    const rlimit full{0, RLIM_INFINITY};
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    std::string reason;
    try {
        saveCurrentGame(path, game);
    } catch (const std::runtime_error& error) {
        reason = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_EQ(reason, "Could not write " + path + ": File too large");
    EXPECT_TRUE(readTextFile(path) == intact) << "the previous game.dat changed";
}
