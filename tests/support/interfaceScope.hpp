#pragma once

#include "app/utf8Text.hpp"
#include "sim/eventReports.hpp"
#include "support/simulationScope.hpp"
#include "ui/commandBar.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "ui/infoBox.hpp"
#include "view/gameView.hpp"
#include "view/gridView.hpp"
#include "view/mapView.hpp"

#include <SFML/Window/Event.hpp>
#include <stdexcept>

/// Stands in for the game window on a 3840 × 2160 `screen`: records what the console's commands asked of it.
class recordingWindow : public consoleWindow {
  public:
    void close() override { ++closes; }
    void setSize(unsigned w, unsigned h) override {
        sizes.push_back(std::to_string(w) + "x" + std::to_string(h));
    }
    sf::Vector2u screenSize() const override { return screen; }
    int closes = 0;
    std::vector<std::string> sizes;
    sf::Vector2u screen{3840, 2160};
};

/// The game's interface without a window: a controller and a view with its map and grid views, console,
/// command bar and info box, on a 190 × 70 world (pathing graph 1900 × 700 nodes, all land). The console is
/// the one the run logs to; its commands act on `window`; it measures every glyph 10 units wide (the font's
/// glyphs need a display). The font is loaded for its line spacing. At scope end the run's objects, the
/// settings and the view mode are put back.
class interfaceScope {
  public:
    interfaceScope() : savedDisplay(display) {
        if (!arial.loadFromFile("assets/arial.ttf")) {
            throw std::runtime_error("cannot load assets/arial.ttf: the tests run from the source folder");
        }
        run.useGraph(1900, 700);
        worldHeight = 70;
        controller.setViewReference(&view);
        view.controller = &controller;
        view.applyLayout();
        view.gridViewer = std::make_unique<gridView>(&view, &controller);
        view.mapViewer = std::make_unique<mapView>(&view, &controller);
        view.console = std::make_unique<consoleView>(&controller, [](char32_t, char32_t) { return 10.0f; });
        view.console->window = &window;
        globalConsoleReference = view.console.get();
        view.commandPanel = std::make_unique<commandBar>(&view);
        view.infoPanel = std::make_unique<infoBox>(&view);
    }
    ~interfaceScope() {
        display = savedDisplay;
        globalConsoleReference = &run.console;
    }
    interfaceScope(const interfaceScope&) = delete;
    interfaceScope& operator=(const interfaceScope&) = delete;

    consoleView& console() { return *view.console; }
    /// Types UTF-8 `line` into the console and runs it.
    void type(const std::string& line) {
        console().setActive();
        for (std::size_t at = 0; at < line.size();) {
            console().handleConsoleInput(nextCodePoint(line, at));
        }
        console().handleConsoleInput(U'\r');
    }
    /// The console's text since the last call.
    std::string log() {
        const std::string text = console().text();
        console().clearLog();
        return text;
    }
    /// Puts the cursor on world point (x + 1, y), as the grid view reports an object's x, with the mouse over
    /// the map clear of every panel.
    void pointAt(float x, float y) {
        view.mouseX = 300;
        view.mouseY = 600;
        view.gridViewer->cursorX = x + 1.0f;
        view.gridViewer->cursorY = y;
    }
    void click(sf::Mouse::Button which) {
        sf::Event event{};
        event.type = sf::Event::MouseButtonPressed;
        event.mouseButton.button = which;
        controller.handleMousePress(event);
    }
    /// A left click with the mouse in the middle of the button's hit rectangle.
    void press(const button& target) {
        view.mouseX = (target.left + target.right) / 2;
        view.mouseY = (target.top + target.bottom) / 2;
        click(sf::Mouse::Left);
    }
    /// Lets every direction pan once more, as a new pan period does.
    void newPanPeriod() { view.panStepped.fill(false); }

    simulationScope run;
    gameController controller;
    gameView view;
    recordingWindow window;

  private:
    int savedDisplay;
};
