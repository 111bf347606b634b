// Autosaves: written when due and when the world is left, the three newest kept; a world goes on from its
// newest save, past a damaged one; a kill while writing loses nothing.
#include "app/autosaves.hpp"
#include "app/worldSaves.hpp"
#include "sim/AIController.hpp"
#include "support/simulationScope.hpp"
#include "ui/gameController.hpp"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

namespace {
/// A game of one unit of `soldiers` and a folder for its saves.
struct autosaveScope {
    explicit autosaveScope(int soldiers = 4) { run.addUnit(run.addFaction("Mine", "Me"), 2, 3, soldiers); }
    std::string file(const std::string& name) const { return folder.file(name); }
    /// The game at `tick`, its date to match.
    static void at(int tick) {
        currentGameTick = tick;
        gameTime = std::int64_t{tick} * SECONDS_PER_TICK;
    }
    std::string autosaved(int tick, const std::string& date) const {
        return "Autosaved: " + file("autosave-" + std::to_string(tick) + ".dat") + ", tick " +
               std::to_string(tick) + ", " + date + " 1970";
    }
    simulationScope run;
    gameController game;
    temporaryDirectory folder;
};
} // namespace

TEST(ThreadedAutosaves, ComeWhenDueTheThreeNewestAreKeptAndTheNewestWholeOneGoesOn) {
    autosaveScope s;
    saveCurrentGame(s.file("game.dat"), s.game);
    const std::string saved = readTextFile(s.file("game.dat"));
    autosaves saves(s.folder.path(), currentWorld(), 1, 1); // every 120 ticks
    std::string said;
    for (const int tick : {50, 130, 200, 250, 370}) { // due at 120, 240, 360
        s.at(tick);
        saves.afterFrame(s.game);
        said += saves.finish();
    }
    EXPECT_EQ(said, s.autosaved(130, "Fri Jan  2 02:00:00") + s.autosaved(250, "Sat Jan  3 02:00:00") +
                        s.autosaved(370, "Sun Jan  4 02:00:00"));
    s.at(480);
    for (int frames = 0; frames < 5000 && s.run.console.text().empty(); ++frames) { // a frame after the write
        saves.afterFrame(s.game), std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(s.run.console.text(), s.autosaved(480, "Mon Jan  5 00:00:00") + "\n");
    s.at(500);
    EXPECT_EQ(saves.leave(s.game), std::vector<std::string>{s.autosaved(500, "Mon Jan  5 04:00:00")});
    saves.chosen = s.file("autosave-370.dat");
    s.at(600);
    const int seedBefore = std::exchange(worldSeed, 42); // as gen 42 leaves the world
    (void)saves.leave(s.game);
    worldSeed = seedBefore;
    std::filesystem::last_write_time(s.file("game.dat"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(savesNewestFirst(s.folder.path()),
              (std::vector<std::string>{s.file("autosave-600.dat"), s.file("autosave-500.dat"),
                                        s.file("autosave-480.dat"), s.file("autosave-370.dat"),
                                        s.file("game.dat")}))
        << "370 spared as the chosen one";
    EXPECT_TRUE(readTextFile(s.file("game.dat")) == saved);

    // game.dat saved again is the newest, whatever its tick; damaged, the next newest goes on.
    s.at(1);
    saveCurrentGame(s.file("game.dat"), s.game);
    writeTextFile(s.file("game.dat"), readTextFile(s.file("game.dat")) + " ");
    AIController computer;
    std::ostringstream out;
    EXPECT_EQ(openSavedGame(savesNewestFirst(s.folder.path()), s.game, computer, out).line,
              s.file("game.dat") +
                  " was not loaded: it has 1 bytes more than its header says. Trying the next "
                  "newest save; the file is left as it is.\nContinuing the game saved in " +
                  s.file("autosave-600.dat") + " at tick 600.");
    EXPECT_EQ(currentGameTick, 600);
}

TEST(Autosaves, AKillWhileWritingLeavesEverySaveWhole) {
    autosaveScope s(2000);
    const std::string dir = s.folder.path();
    saveCurrentGame(s.file("game.dat"), s.game);
    const pid_t writer = fork();
    if (writer == 0) { // autosaves for ever, until killed
        for (autosaves saves(dir, currentWorld(), 1, 0);; (void)saves.finish()) {
            s.at(currentGameTick + 1);
            saves.start(s.game);
        }
    }
    const auto writing = [&] {
        return std::any_of(std::filesystem::directory_iterator(dir), {},
                           [](const auto& entry) { return entry.path().extension() == ".tmp"; });
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end && (savesNewestFirst(dir, true).size() < 3 || !writing())) {
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::vector<std::string> left = savesNewestFirst(dir);
    EXPECT_GE(left.size(), autosaves::KEPT + 1)
        << "game.dat and the autosaves, older ones removed only after";
    for (const std::string& path : left) {
        EXPECT_NO_THROW((void)loadSavedGame(path, currentWorld())) << path;
    }
    const autosaves next(dir, currentWorld(), 1, 0);
    EXPECT_FALSE(writing()) << "the next run removes what the killed write left";
}
