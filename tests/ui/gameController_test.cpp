#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"
#include "ui/gameController.hpp"
#include "world/worldMap.hpp"

#include <cmath>
#include <gtest/gtest.h>

TEST(GameController, AtMostOneTickPerCallNoneWhilePausedAndEveryObjectUpdated) {
    simulationScope run;
    std::tie(gameTime, currentGameTick) = std::make_tuple(86400 * 30, 3600); // left over from an earlier game
    sf::Time now;
    gameController controller([&now] { return now; });
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& joiner = run.addUnit(faction, 1.0f, 1.0f, 2);
    militaryUnit& walker = run.addUnit(faction, 2.0f, 1.0f, 1);
    joiner.installPath({{1.0f, 1.0f}});
    joiner.setMergeTarget(&run.addCity(faction, 1.0f, 1.0f));
    walker.installPath({{9.0f, 1.0f}});
    // A raider of ten beats a walker of one standing where it arrives, on the first tick: beaten, the prey,
    // later in the tick's order, does not step.
    militaryUnit& raider = run.addUnit(faction, 5.0f, 1.0f, 10);
    militaryUnit& prey = run.addUnit(run.addFaction("Blues", "Bo"), 5.0f, 1.0f, 1);
    raider.installPath({{5.0f, 1.0f}});
    raider.setAttackTarget(&prey);
    prey.installPath({{9.0f, 1.0f}});
    quietOutput quiet;
    std::string ticks;
    const auto at = [&](std::int64_t milliseconds) {
        now = sf::microseconds(milliseconds * 1000);
        ticks += controller.processGameTick() ? "tick " : "- ";
    };
    for (const int milliseconds : {16, 17, 20, 33, 34, 60000, 60000}) {
        at(milliseconds);
    }
    controller.gameClock.pause();
    at(90000);
    controller.gameClock.resume();
    at(90016);
    at(90017);
    at(2'200'030'000); // the clock past 2^31 ms, 25 days of play
    at(2'200'030'016);
    EXPECT_EQ(ticks, "- tick - - tick tick - - - tick tick - ")
        << "more than 16 ms of the game clock since the last tick; paused time does not count";
    EXPECT_EQ(std::make_tuple(currentGameTick, gameTime, controller.lastTickTime,
                              std::lround(walker.x * 1000), prey.inPlay(), prey.x),
              std::make_tuple(5, std::int64_t{5 * SECONDS_PER_TICK}, std::int64_t{2'200'000'000}, 2005L,
                              false, 5.0f))
        << "a new game's calendar; the walker moved on every tick, though the joiner before it merged on "
           "the first; the prey never moved";
}

TEST(GameController, FactionsStartOnLandTheHumansFirstEachWithACityAndAUnit) {
    simulationScope run;
    std::tie(worldWidth, worldHeight) = std::make_pair(190, 70);
    worldMap land;
    land.data.fill(100);
    seed(2024u);
    std::ostringstream out;
    gameController controller;
    factions = controller.generateFactions(3, "Tester", "Tester's Faction", land, out);
    ASSERT_EQ(std::make_pair(factions.size(), humanPlayer->faction),
              std::make_pair(std::size_t{3}, factions[0].get()));
    // From a separate script that replays the draws in the order the faction rules give, with the shipped
    // name lists: each faction's names, its city's map cell and lattice point, and its people (as many as
    // before people had names: naming draws nothing from it). Given names from a replay of each faction's own
    // source (world seed 11899, its index): its first draw names the first citizen, the one after them the
    // first soldier.
    const std::tuple<const char*, const char*, const char*, float, float, int, int, const char*, const char*>
        made[] = {
            {"Tester's Faction", "Tester", "Tester's city", 15.85f, 2.65f, 51, 8, "Ambrose", "Alba"},
            {"The League of Yaroford", "Farrin Kelarheim", "Quenulgard", 2.32f, 0.26f, 46, 11, "Neha",
             "Aaro"},
            {"The Union of Taliholt", "Brann Elonia", "Elenvale", 15.49f, 0.53f, 48, 7, "Zara", "Nuno"}};
    for (std::size_t f = 0; f < 3; ++f) {
        const auto& [name, leader, cityName, x, y, citizens, soldiers, citizen, soldier] = made[f];
        const placeableObject &home = *factions[f]->objects.at(0), &unit = *factions[f]->objects.at(1);
        EXPECT_EQ(std::make_tuple(factions[f]->name, factions[f]->leader->name, home.name, unit.name,
                                  unit.people[0], home.numPeople(), unit.numPeople(), home.people[0]->name,
                                  unit.people[1]->name),
                  std::make_tuple(std::string(name), std::string(leader), std::string(cityName),
                                  std::string(leader) + "'s Unit",
                                  static_cast<person*>(factions[f]->leader.get()), citizens, soldiers,
                                  std::string(citizen), std::string(soldier)));
        EXPECT_EQ(std::make_tuple(std::lround(home.x * 100), std::lround(home.y * 100), unit.x, unit.y),
                  std::make_tuple(std::lround(x * 100), std::lround(y * 100), home.x + 0.1f, home.y + 0.1f))
            << name;
    }
}
