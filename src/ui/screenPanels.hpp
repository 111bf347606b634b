#pragma once

#include <SFML/Graphics/Rect.hpp>

// Which panel of the interface lies under a point of the window, apart from drawing.

enum class screenPanel { none, console, commandBar, detailsPanel, infoBox, overviewMap, chart };

/// Where the panels shown lie, in unscaled window units, outlines included; an empty rectangle for a panel
/// that is not shown. The command bar's area holds its status line and its buttons.
struct panelAreas {
    sf::FloatRect console;
    sf::FloatRect commandBar;
    sf::FloatRect detailsPanel;
    sf::FloatRect infoBox;
    sf::FloatRect overviewMap;
    sf::FloatRect chart;
};

/// The panel under window point (x, y) in unscaled units: where panels overlap, the one drawn last (the chart
/// over all others, the info box over the bar and the details panel, those over the console, all over the
/// overview map); none where the point shows the map or the terrain.
[[nodiscard]] screenPanel panelAt(const panelAreas& areas, float x, float y);
