#pragma once

#include "support/settingsGuard.hpp"
#include "view/gameView.hpp"
#include "view/gridView.hpp"
#include "view/mapView.hpp"

#include <memory>

/// A game view laid out for a world of the given size in the default 1920 × 1080 window, with its map and
/// grid views but no window, pictures or controller: enough for navigation. Restores the settings and
/// the view mode at scope end.
class viewFixture {
  public:
    viewFixture(int cellsAcross, int cellsDown) : savedDisplay(display) {
        worldWidth = cellsAcross;
        worldHeight = cellsDown;
        view.applyLayout();
        view.gridViewer = std::make_unique<gridView>(&view, nullptr);
        view.mapViewer = std::make_unique<mapView>(&view, nullptr);
    }
    ~viewFixture() { display = savedDisplay; }
    viewFixture(const viewFixture&) = delete;
    viewFixture& operator=(const viewFixture&) = delete;

    /// Lets every direction step once more, as a new pan period does.
    void newPanPeriod() { view.panStepped.fill(false); }

    settingsGuard settings;
    gameView view;

  private:
    int savedDisplay;
};
