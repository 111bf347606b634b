#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Faction;

enum class gameResult : std::uint8_t { playing = 0, defeat = 1, victory = 2 };

/// What a faction has in play now.
struct factionStrength {
    int cities = 0;
    int units = 0;
    int people = 0;
};

[[nodiscard]] factionStrength strengthOf(const Faction& faction);

/// The faction with the most people in play among `factions` (more cities and units decide a tie, then the
/// lower index); null when none has anything in play.
[[nodiscard]] const Faction* largestFaction(const std::vector<std::unique_ptr<Faction>>& factions);

/// Whether the human's game has ended, and on which tick. Once ended it stays so, and the game goes on for
/// watching: a defeat is not undone, nor a victory by a later loss. Main thread only.
class gameOutcome {
  public:
    bool ended() const { return result != gameResult::playing; }
    /// Looks at the factions after a tick: a defeat when the human's faction (`human`) has nothing in play,
    /// a victory when no other faction has, there being another. True on the tick the game ends.
    bool judge(const std::vector<std::unique_ptr<Faction>>& factions, const Faction* human, int tick);
    /// Whole game days from the start to the end (a day is 120 ticks).
    int daysPlayed() const;

    gameResult result = gameResult::playing;
    /// The tick on which the game ended; 0 while it goes on.
    int endTick = 0;
};
