#include "app/statisticsFile.hpp"

#include "app/atomicFile.hpp"
#include "sim/Faction.hpp"
#include "sim/factionStatistics.hpp"
#include "sim/gameTime.hpp"

#include <array>
#include <ctime>
#include <ostream>

namespace {
/// The first line of stats.csv, without its line break.
constexpr const char* STATISTICS_CSV_HEADER =
    "day,date,faction,people,cities,units,food,wood,iron,gold,faction number";
} // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string gameDayDate(int number) {
    const std::time_t start = static_cast<std::time_t>(number - 1) * SECONDS_PER_DAY;
    std::tm date{};
    std::array<char, 32> text{};
    if (gmtime_r(&start, &date) == nullptr ||
        std::strftime(text.data(), text.size(), "%Y-%m-%d", &date) == 0) {
        return "?";
    }
    return text.data();
}

std::size_t writeStatisticsCsv(std::ostream& out, const factionStatistics& statistics,
                               const std::vector<std::unique_ptr<Faction>>& factions) {
    out << STATISTICS_CSV_HEADER << "\n";
    std::size_t rows = 0;
    for (const factionStatistics::day& day : statistics.days()) {
        const std::string date = gameDayDate(day.number);
        for (std::size_t k = 0; k < day.factions.size(); ++k) {
            out << day.number << "," << date << ","
                << csvField(k < factions.size() ? factions[k]->name : std::string());
            for (const std::int32_t value : day.factions[k].values) {
                out << "," << value;
            }
            out << "," << k + 1 << "\n";
            ++rows;
        }
    }
    return rows;
}

std::size_t saveStatisticsCsv(const std::string& path, const factionStatistics& statistics,
                              const std::vector<std::unique_ptr<Faction>>& factions) {
    std::size_t rows = 0;
    writeFileAtomically(path, std::ios::out | std::ios::binary,
                        [&](std::ostream& out) { rows = writeStatisticsCsv(out, statistics, factions); });
    return rows;
}
