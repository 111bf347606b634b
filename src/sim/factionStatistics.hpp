#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Faction;

/// What the charts and the statistics file follow for every faction, in the order of their columns.
enum class statistic { people, cities, units, food, wood, iron, gold };
constexpr std::size_t STATISTIC_COUNT = 7;

/// The lower-case name of a statistic ("people"), as the file's header and the charts say it.
const char* statisticName(statistic kind);

/// One faction's totals on one day, summed over its objects in play.
struct factionTotals {
    std::array<std::int32_t, STATISTIC_COUNT> values{};

    std::int32_t& operator[](statistic kind) { return values[static_cast<std::size_t>(kind)]; }
    std::int32_t operator[](statistic kind) const { return values[static_cast<std::size_t>(kind)]; }
    bool operator==(const factionTotals& other) const { return values == other.values; }
};

/// The faction's people, cities, units and resources over its objects in play; sums beyond the 32-bit range
/// stop at its ends.
[[nodiscard]] factionTotals totalsOf(const Faction& faction);

/// Every faction's totals at the end of game days, for the charts and the statistics file: every day at
/// first; once `capacity` days are held, every other one is dropped and from then on every second day is kept
/// (then every fourth, and so on), so that memory stays bounded however long the game runs while the whole
/// game stays covered evenly, from day 1 on. The latest day is always held as well. Main thread only.
class factionStatistics {
  public:
    static constexpr std::size_t DEFAULT_CAPACITY = 1000;

    /// The totals of every faction at the end of one game day, in the order of the game's factions.
    struct day {
        /// Game days since the start: the first day boundary ends day 1.
        int number;
        std::vector<factionTotals> factions;
    };

    /// `capacity`: the most days held [Limit: >= 4].
    explicit factionStatistics(std::size_t capacity = DEFAULT_CAPACITY);

    /// Records every faction's totals when the tick that made the game time `gameSeconds` ended a day.
    void observeTick(std::int64_t gameSeconds, const std::vector<std::unique_ptr<Faction>>& factions);
    /// Records `totals` as the end of day `number`, after the days recorded so far; thins the days held when
    /// they reach capacity.
    void record(int number, std::vector<factionTotals> totals);

    const std::vector<day>& days() const { return recorded; }
    /// Replaces everything held by `days`, oldest first (a saved game's), and goes on at their spacing.
    void restore(std::vector<day> days);
    /// Days between the days kept, the latest apart: 1, 2, 4 …
    int spacing() const { return step; }
    /// Bytes held by the recorded days, their lists included.
    [[nodiscard]] std::size_t memoryBytes() const;
    /// Grows with every change, so a chart can tell whether it must be drawn anew.
    unsigned long revision() const { return changes; }

  private:
    /// Whether day `number` is one of those kept at the present spacing.
    bool kept(int number) const { return (number - 1) % step == 0; }

    std::size_t capacity;
    int step = 1;
    std::vector<day> recorded;
    unsigned long changes = 0;
};
