#include "ui/chartPanel.hpp"

#include "app/statisticsFile.hpp"
#include "sim/Faction.hpp"
#include "view/gameView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <cctype>
#include <cmath>
#include <utility>

namespace {
constexpr float LEFT = 300;
constexpr float TOP = 320;
constexpr float WIDTH = 1320;
constexpr float HEIGHT = 640;
constexpr float OUTLINE = 3;
constexpr float MARGIN = 16;
constexpr float BUTTON_WIDTH = 110;
constexpr float BUTTON_HEIGHT = 36;
constexpr float BUTTON_GAP = 6;
/// The plotting area inside the panel.
const sf::FloatRect PLOT(LEFT + 120, TOP + 90, 800, 450);
constexpr float LEGEND_LEFT = LEFT + 970;
constexpr float LEGEND_ROW = 56;
constexpr float LINE_WIDTH = 2.5f;
constexpr float HUMAN_LINE_WIDTH = 6;
/// How far above or below a line the mouse still points at it.
constexpr float HOVER_REACH = 12;
/// Opaque: the details box or the map under the panel would show through its lines and labels.
const sf::Color BACKGROUND(40, 40, 40);
const sf::Color GRID_LINES(90, 90, 90);
/// Wide enough to stay a pixel wide in a window at 0.63 of its size.
constexpr float GRID_LINE_WIDTH = 1.6f;
const sf::Color CHOSEN_BUTTON(70, 90, 150);

/// `name` with a capital first letter.
std::string capitalised(std::string name) {
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

/// A straight band from `a` to `b`, `thickness` wide, as two triangles.
void addBand(sf::VertexArray& shapes, sf::Vector2f a, sf::Vector2f b, float thickness, sf::Color colour) {
    const sf::Vector2f along = b - a;
    const float length = std::hypot(along.x, along.y);
    if (length == 0) {
        return;
    }
    const sf::Vector2f side(-along.y / length * thickness / 2, along.x / length * thickness / 2);
    for (const sf::Vector2f corner : {a + side, a - side, b + side, a - side, b + side, b - side}) {
        shapes.append(sf::Vertex(corner, colour));
    }
}

/// `text` shortened with "..." until it is at most `room` units wide.
void fitWidth(sf::Text& text, float room) {
    std::string shown = text.getString();
    while (text.getLocalBounds().width > room && shown.size() > 1) {
        shown.pop_back();
        text.setString(shown + "...");
    }
}
} // namespace

chartPanel::chartPanel(factionColourSource colourOf) : colourOf(std::move(colourOf)) {
    background.setPosition(LEFT, TOP);
    background.setSize({WIDTH, HEIGHT});
    background.setFillColor(BACKGROUND);
    background.setOutlineColor(sf::Color::Black);
    background.setOutlineThickness(OUTLINE);
}

sf::FloatRect chartPanel::area() const {
    return {LEFT - OUTLINE, TOP - OUTLINE, WIDTH + 2 * OUTLINE, HEIGHT + 2 * OUTLINE};
}

sf::FloatRect chartPanel::buttonArea(statistic kind) const {
    const float first = LEFT + WIDTH - MARGIN - STATISTIC_COUNT * (BUTTON_WIDTH + BUTTON_GAP) + BUTTON_GAP;
    return {first + static_cast<float>(kind) * (BUTTON_WIDTH + BUTTON_GAP), TOP + MARGIN, BUTTON_WIDTH,
            BUTTON_HEIGHT};
}

void chartPanel::click(float x, float y) {
    for (std::size_t k = 0; k < STATISTIC_COUNT; ++k) {
        if (buttonArea(static_cast<statistic>(k)).contains(x, y)) {
            show(static_cast<statistic>(k));
        }
    }
}

sf::Text chartPanel::label(const std::string& text, sf::Vector2f at, unsigned size) const {
    sf::Text made(text, arial, size);
    made.setFillColor(sf::Color::White);
    made.setPosition(at);
    return made;
}

void chartPanel::build(const factionStatistics& statistics,
                       const std::vector<std::unique_ptr<Faction>>& factions, std::size_t human) {
    shapes.clear();
    texts.clear();
    const std::string name = statisticName(shown);
    texts.push_back(label(capitalised(name) + " by game day", {LEFT + MARGIN, TOP + MARGIN}, 24));
    for (std::size_t k = 0; k < STATISTIC_COUNT; ++k) {
        const auto kind = static_cast<statistic>(k);
        const sf::FloatRect box = buttonArea(kind);
        const sf::Color fill = kind == shown ? CHOSEN_BUTTON : BACKGROUND;
        addBand(shapes, {box.left, box.top + box.height / 2},
                {box.left + box.width, box.top + box.height / 2}, box.height, sf::Color::Black);
        addBand(shapes, {box.left + 2, box.top + box.height / 2},
                {box.left + box.width - 2, box.top + box.height / 2}, box.height - 4, fill);
        sf::Text caption = label(std::to_string(k + 1) + " " + capitalised(statisticName(kind)), {0, 0});
        const sf::FloatRect bounds = caption.getLocalBounds();
        caption.setPosition(std::round(box.left + (box.width - bounds.width) / 2 - bounds.left),
                            std::round(box.top + (box.height - bounds.height) / 2 - bounds.top));
        texts.push_back(caption);
    }
    charted = chartedFactions(statistics, shown, human);
    frame = frameFor(statistics, shown, charted, PLOT);
    if (charted.empty()) {
        texts.push_back(
            label("The charts begin when the first game day ends.", {PLOT.left + 40, PLOT.top + 40}));
        return;
    }

    // Axes: a grid line and a label at every step.
    for (double value = 0; value <= frame.values.top; value += frame.values.step) {
        const sf::Vector2f at = frame.pointAt(0, value);
        addBand(shapes, at, {PLOT.left + PLOT.width, at.y}, GRID_LINE_WIDTH, GRID_LINES);
        sf::Text tick = label(axisLabel(value), {0, 0});
        tick.setPosition(std::round(at.x - 10 - tick.getLocalBounds().width), std::round(at.y - 14));
        texts.push_back(tick);
    }
    for (double day = 0; day <= frame.days.top; day += frame.days.step) {
        const sf::Vector2f at = frame.pointAt(day, 0);
        addBand(shapes, at, {at.x, PLOT.top}, GRID_LINE_WIDTH, GRID_LINES);
        sf::Text tick = label(axisLabel(day), {0, 0});
        tick.setPosition(std::round(at.x - tick.getLocalBounds().width / 2), at.y + 6);
        texts.push_back(tick);
    }
    texts.push_back(label(name, {LEFT + MARGIN, PLOT.top - 40}));
    texts.push_back(label("game day", {PLOT.left + PLOT.width / 2 - 40, PLOT.top + PLOT.height + 36}));
    addBand(shapes, {PLOT.left, PLOT.top}, {PLOT.left, PLOT.top + PLOT.height + 1}, 2, sf::Color::White);
    addBand(shapes, {PLOT.left - 1, PLOT.top + PLOT.height}, {PLOT.left + PLOT.width, PLOT.top + PLOT.height},
            2, sf::Color::White);

    // The player's line last, on top of the others; the legend in the charted order.
    const std::vector<factionStatistics::day>& days = statistics.days();
    std::vector<std::size_t> drawOrder = charted;
    std::stable_partition(drawOrder.begin(), drawOrder.end(), [human](std::size_t f) { return f != human; });
    for (const std::size_t faction : drawOrder) {
        const sf::Color colour = colourOf(*factions[faction]);
        const float thickness = faction == human ? HUMAN_LINE_WIDTH : LINE_WIDTH;
        sf::Vector2f previous = frame.pointAt(days[0].number, days[0].factions[faction][shown]);
        addBand(shapes, previous - sf::Vector2f(thickness / 2, 0), previous + sf::Vector2f(thickness / 2, 0),
                thickness, colour);
        for (std::size_t k = 1; k < days.size(); ++k) {
            const sf::Vector2f point = frame.pointAt(days[k].number, days[k].factions[faction][shown]);
            addBand(shapes, previous, point, thickness, colour);
            previous = point;
        }
    }
    for (std::size_t row = 0; row < charted.size(); ++row) {
        const std::size_t faction = charted[row];
        const float top = PLOT.top + static_cast<float>(row) * LEGEND_ROW;
        addBand(shapes, {LEGEND_LEFT, top + 13}, {LEGEND_LEFT + 30, top + 13},
                faction == human ? HUMAN_LINE_WIDTH : LINE_WIDTH + 1, colourOf(*factions[faction]));
        sf::Text title = label(factions[faction]->name, {LEGEND_LEFT + 40, top});
        fitWidth(title, LEFT + WIDTH - MARGIN - LEGEND_LEFT - 40);
        texts.push_back(title);
        texts.push_back(label(std::to_string(days.back().factions[faction][shown]) + " " + name +
                                  (faction == human ? " (you)" : ""),
                              {LEGEND_LEFT + 40, top + 23}));
    }
}

void chartPanel::draw(sf::RenderTarget& target, const factionStatistics& statistics,
                      const std::vector<std::unique_ptr<Faction>>& factions, std::size_t human,
                      sf::Vector2f mouse) {
    if (!visible) {
        return;
    }
    if (!built || builtRevision != statistics.revision() || builtFor != shown || builtHuman != human) {
        build(statistics, factions, human);
        built = true;
        builtRevision = statistics.revision();
        builtFor = shown;
        builtHuman = human;
    }
    target.draw(background);
    target.draw(shapes);
    for (const sf::Text& text : texts) {
        target.draw(text);
    }
    const std::optional<chartPoint> under =
        pointUnderMouse(statistics, shown, charted, frame, mouse, HOVER_REACH);
    if (!under) {
        return;
    }
    sf::Text note =
        label(factions[under->faction]->name + "\nday " + std::to_string(under->day) + " (" +
                  gameDayDate(under->day) + "): " + std::to_string(under->value) + " " + statisticName(shown),
              {0, 0});
    const sf::FloatRect bounds = note.getLocalBounds();
    // Beside the mouse, inside the panel.
    const float x = std::min(mouse.x + 16, LEFT + WIDTH - bounds.width - 2 * MARGIN);
    const float y = std::max(mouse.y - bounds.height - 2 * MARGIN, TOP + MARGIN);
    note.setPosition(std::round(x + 8), std::round(y + 4));
    sf::RectangleShape box({bounds.width + bounds.left + 16, bounds.height + bounds.top + 12});
    box.setPosition(x, y);
    box.setFillColor(sf::Color(20, 20, 20, 240));
    box.setOutlineColor(colourOf(*factions[under->faction]));
    box.setOutlineThickness(2);
    target.draw(box);
    target.draw(note);
}
