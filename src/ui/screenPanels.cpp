#include "ui/screenPanels.hpp"

#include <utility>

screenPanel panelAt(const panelAreas& areas, float x, float y) {
    const std::pair<screenPanel, const sf::FloatRect*> topFirst[] = {
        {screenPanel::chart, &areas.chart},
        {screenPanel::gameOver, &areas.gameOver},
        {screenPanel::infoBox, &areas.infoBox},
        {screenPanel::commandBar, &areas.commandBar},
        {screenPanel::detailsPanel, &areas.detailsPanel},
        {screenPanel::console, &areas.console},
        {screenPanel::overviewMap, &areas.overviewMap}};
    for (const auto& [panel, area] : topFirst) {
        if (area->contains(x, y)) {
            return panel;
        }
    }
    return screenPanel::none;
}
