#pragma once

#include "sim/factionStatistics.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a chart of one statistic shows and where, apart from drawing: the factions charted, the axes' ranges
// and labels, and the point under the mouse.

/// The factions a chart of `kind` draws: the five (`count`) largest on the last recorded day, largest first
/// (on a tie the earlier faction), and the player's (`human`) among them or after them. Empty without days.
[[nodiscard]] std::vector<std::size_t> chartedFactions(const factionStatistics& statistics, statistic kind,
                                                       std::size_t human, std::size_t count = 5);

/// An axis from 0 to `top` in steps of `step`: 1, 2, 2.5 or 5 times a power of ten, a whole number.
struct chartAxis {
    double top;
    double step;
};

/// An axis from 0 to at least `high` in about five steps, ending on a step; 0 to 1 for nothing above 0.
[[nodiscard]] chartAxis niceAxis(double high);

/// A value as an axis label: whole numbers as they are up to 9,999, then "12k", "1.5M", "2G".
[[nodiscard]] std::string axisLabel(double value);

/// The plotting area and its ranges: days across, values up.
struct chartFrame {
    sf::FloatRect plot;
    chartAxis days;
    chartAxis values;

    /// Where the point of day `day` and value `value` lies.
    [[nodiscard]] sf::Vector2f pointAt(double day, double value) const;
};

/// The frame for a chart of `kind` in `plot`: day 0 to the last recorded day across, 0 to the largest value
/// of the charted factions up.
[[nodiscard]] chartFrame frameFor(const factionStatistics& statistics, statistic kind,
                                  const std::vector<std::size_t>& charted, const sf::FloatRect& plot);

/// A recorded point of a charted faction's line.
struct chartPoint {
    std::size_t faction;
    int day;
    std::int32_t value;
};

/// The point of the charted line that passes nearest `mouse`, at most `reach` away up or down, within the
/// plotting area: the recorded day nearest the mouse on that line. Nothing away from every line.
[[nodiscard]] std::optional<chartPoint> pointUnderMouse(const factionStatistics& statistics, statistic kind,
                                                        const std::vector<std::size_t>& charted,
                                                        const chartFrame& frame, sf::Vector2f mouse,
                                                        float reach);
