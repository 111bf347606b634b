#include "sim/factionStatistics.hpp"

#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/gameTime.hpp"
#include "sim/placeableObject.hpp"

#include <algorithm>
#include <limits>
#include <utility>

const char* statisticName(statistic kind) {
    static const char* const names[STATISTIC_COUNT] = {"people", "cities", "units", "food",
                                                       "wood",   "iron",   "gold"};
    return names[static_cast<std::size_t>(kind)];
}

factionTotals totalsOf(const Faction& faction) {
    std::array<std::int64_t, STATISTIC_COUNT> sums{};
    const auto add = [&sums](statistic kind, std::int64_t amount) {
        sums[static_cast<std::size_t>(kind)] += amount;
    };
    for (const placeableObject* object : faction.objects) {
        add(statistic::people, object->numPeople());
        add(dynamic_cast<const city*>(object) != nullptr ? statistic::cities : statistic::units, 1);
        add(statistic::food, object->food);
        add(statistic::wood, object->wood);
        add(statistic::iron, object->iron);
        add(statistic::gold, object->gold);
    }
    factionTotals totals;
    for (std::size_t k = 0; k < STATISTIC_COUNT; ++k) {
        totals.values[k] = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            sums[k], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }
    return totals;
}

factionStatistics::factionStatistics(std::size_t capacity) : capacity(std::max<std::size_t>(capacity, 4)) {}

void factionStatistics::observeTick(std::int64_t gameSeconds,
                                    const std::vector<std::unique_ptr<Faction>>& factions) {
    if (gameSeconds <= 0 || gameSeconds % SECONDS_PER_DAY != 0) {
        return;
    }
    std::vector<factionTotals> totals;
    totals.reserve(factions.size());
    for (const auto& faction : factions) {
        totals.push_back(totalsOf(*faction));
    }
    record(static_cast<int>(gameSeconds / SECONDS_PER_DAY), std::move(totals));
}

void factionStatistics::record(int number, std::vector<factionTotals> totals) {
    recorded.push_back(day{number, std::move(totals)});
    if (recorded.size() >= capacity) {
        // Keep the even places of the older half (the first day among them), and the newer half whole.
        const std::size_t olderHalf = recorded.size() / 2;
        std::size_t kept = 0;
        for (std::size_t k = 0; k < recorded.size(); ++k) {
            if (k >= olderHalf || k % 2 == 0) {
                recorded[kept++] = std::move(recorded[k]);
            }
        }
        recorded.resize(kept);
    }
    ++changes;
}

void factionStatistics::restore(std::vector<day> days) {
    recorded = std::move(days);
    ++changes;
}

std::size_t factionStatistics::memoryBytes() const {
    std::size_t bytes = recorded.capacity() * sizeof(day);
    for (const day& entry : recorded) {
        bytes += entry.factions.capacity() * sizeof(factionTotals);
    }
    return bytes;
}
