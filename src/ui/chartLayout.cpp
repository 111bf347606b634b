#include "ui/chartLayout.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

std::vector<std::size_t> chartedFactions(const factionStatistics& statistics, statistic kind,
                                         std::size_t human, std::size_t count) {
    if (statistics.days().empty()) {
        return {};
    }
    const std::vector<factionTotals>& last = statistics.days().back().factions;
    std::vector<std::size_t> order(last.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return last[a][kind] > last[b][kind]; });
    order.resize(std::min(count, order.size()));
    if (human < last.size() && std::find(order.begin(), order.end(), human) == order.end()) {
        order.push_back(human);
    }
    return order;
}

chartAxis niceAxis(double high) {
    if (!(high > 0)) {
        return {1, 1};
    }
    const double rough = high / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double scaled = rough / power;
    // 2.5 only where it makes whole numbers.
    const double quarter = power >= 10 && scaled <= 2.5 ? 2.5 : 5;
    double step = (scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? quarter : 10) * power;
    // Days and counts are whole numbers: no step below one.
    step = std::max(step, 1.0);
    return {std::ceil(high / step) * step, step};
}

std::string axisLabel(double value) {
    struct unit {
        double size;
        const char* suffix;
    };
    static const unit units[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}};
    std::array<char, 32> text{};
    for (const unit& u : units) {
        if (std::abs(value) >= 10 * u.size || (u.size > 1e3 && std::abs(value) >= u.size)) {
            std::snprintf(text.data(), text.size(), "%g%s", std::round(value / u.size * 10) / 10, u.suffix);
            return text.data();
        }
    }
    std::snprintf(text.data(), text.size(), "%.0f", value);
    return text.data();
}

sf::Vector2f chartFrame::pointAt(double day, double value) const {
    return {plot.left + static_cast<float>(day / days.top) * plot.width,
            plot.top + plot.height - static_cast<float>(value / values.top) * plot.height};
}

chartFrame frameFor(const factionStatistics& statistics, statistic kind,
                    const std::vector<std::size_t>& charted, const sf::FloatRect& plot) {
    double largest = 0;
    for (const factionStatistics::day& day : statistics.days()) {
        for (const std::size_t faction : charted) {
            largest = std::max(largest, static_cast<double>(day.factions[faction][kind]));
        }
    }
    const double lastDay = statistics.days().empty() ? 0 : statistics.days().back().number;
    return {plot, niceAxis(lastDay), niceAxis(largest)};
}

std::optional<chartPoint> pointUnderMouse(const factionStatistics& statistics, statistic kind,
                                          const std::vector<std::size_t>& charted, const chartFrame& frame,
                                          sf::Vector2f mouse, float reach) {
    const std::vector<factionStatistics::day>& days = statistics.days();
    if (days.empty() || !frame.plot.contains(mouse)) {
        return std::nullopt;
    }
    const double day = (mouse.x - frame.plot.left) / frame.plot.width * frame.days.top;
    // The first recorded day after the mouse, and the one the mouse is nearest.
    const auto after =
        std::lower_bound(days.begin(), days.end(), day,
                         [](const factionStatistics::day& d, double at) { return d.number < at; });
    const std::size_t next = static_cast<std::size_t>(after - days.begin());
    const std::size_t nearest =
        next == days.size() || (next > 0 && day - days[next - 1].number < days[next].number - day) ? next - 1
                                                                                                   : next;
    const float nearestX = frame.pointAt(days[nearest].number, 0).x;
    const bool onLine = (next > 0 && next < days.size()) || std::abs(mouse.x - nearestX) <= reach;
    if (!onLine) {
        return std::nullopt;
    }
    std::optional<chartPoint> found;
    float closest = reach;
    for (const std::size_t faction : charted) {
        float lineY = frame.pointAt(0, days[nearest].factions[faction][kind]).y;
        if (next > 0 && next < days.size()) {
            const sf::Vector2f a =
                frame.pointAt(days[next - 1].number, days[next - 1].factions[faction][kind]);
            const sf::Vector2f b = frame.pointAt(days[next].number, days[next].factions[faction][kind]);
            lineY = a.y + (b.y - a.y) * (mouse.x - a.x) / (b.x - a.x);
        }
        const float distance = std::abs(lineY - mouse.y);
        if (distance <= closest) {
            closest = distance;
            found = chartPoint{faction, days[nearest].number, days[nearest].factions[faction][kind]};
        }
    }
    return found;
}
