#include "sim/factionStatistics.hpp"

#include "sim/Faction.hpp"
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
        add(object->isMilitary ? statistic::units : statistic::cities, 1);
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
    // The latest day stands in until the next one comes, unless it is one to keep.
    if (!recorded.empty() && !kept(recorded.back().number)) {
        recorded.pop_back();
    }
    recorded.push_back(day{number, std::move(totals)});
    if (recorded.size() >= capacity) {
        // Every other day kept, the first among them; the latest stays in any case.
        day latest = recorded.back();
        // Day 2k moves to place k; the first stays where it is (a move onto itself would empty it).
        std::size_t held = 1;
        for (std::size_t k = 2; k < recorded.size(); k += 2) {
            recorded[held++] = std::move(recorded[k]);
        }
        recorded.resize(held);
        step *= 2;
        if (recorded.back().number != latest.number) {
            recorded.push_back(std::move(latest));
        }
    }
    ++changes;
}

void factionStatistics::restore(std::vector<day> days) {
    recorded = std::move(days);
    step = recorded.size() >= 2 ? std::max(1, recorded[1].number - recorded[0].number) : 1;
    ++changes;
}

std::size_t factionStatistics::memoryBytes() const {
    std::size_t bytes = recorded.capacity() * sizeof(day);
    for (const day& entry : recorded) {
        bytes += entry.factions.capacity() * sizeof(factionTotals);
    }
    return bytes;
}
