#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class Faction;
class factionStatistics;

// stats.csv: every faction's recorded totals for other tools, one row per recorded day and faction.

/// `text` as one CSV field: as it is, or quoted (its quotes doubled) when it holds a comma, a quote or a
/// line break.
[[nodiscard]] std::string csvField(const std::string& text);

/// The game date of day `number` (the first day 1970-01-01), in ISO form.
[[nodiscard]] std::string gameDayDate(int number);

/// Writes the header and one row per recorded day and faction, oldest day first and the factions in the
/// game's order; returns the rows written after the header.
std::size_t writeStatisticsCsv(std::ostream& out, const factionStatistics& statistics,
                               const std::vector<std::unique_ptr<Faction>>& factions);

/// Writes stats.csv to `path` through a temporary file; returns the rows written after the header. Throws
/// std::runtime_error naming the path and the reason; a file at `path` is then left as it was.
std::size_t saveStatisticsCsv(const std::string& path, const factionStatistics& statistics,
                              const std::vector<std::unique_ptr<Faction>>& factions);
