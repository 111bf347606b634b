// The interface in a real window on the default world (run under scripts/withXvfb.sh): frame time with the
// panels full, and the time from a click or a key to the frame that shows what it did.
#include "frameSession.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "ui/commandBar.hpp"
#include "ui/consoleView.hpp"
#include "ui/infoBox.hpp"
#include "view/gridView.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <X11/Xlib.h>
#include <atomic>
#include <random>
#include <thread>

namespace {

/// A faction whose city of 50 stands in the middle of the grid view around column 17, row 6 (the
/// selection of frameSession), at window pixel (958, 525); the cursor is on it with the mouse at
/// (958, 532). Gone at scope end.
struct benchCity {
    benchCity() {
        Faction& faction = *factions.emplace_back(std::make_unique<Faction>("Bench", "Leader"));
        town = faction.keep(std::make_unique<city>("Bench city", &faction, 17.5f, 6.5f, false));
        faction.addObject(town);
        for (int i = 0; i < 50; ++i) {
            town->addNewPerson(std::make_unique<person>("PERSON_NAME", &faction, RANDOM_OCCUPATION));
        }
    }
    ~benchCity() { factions.clear(); }
    benchCity(const benchCity&) = delete;
    benchCity& operator=(const benchCity&) = delete;
    city* town;
};

/// One frame of the grid view with the info box open on the city of 50 and the console holding as many
/// lines as the argument.
void BM_FrameWithPanels(benchmark::State& state) {
    if (!displayAvailable(state)) {
        return;
    }
    const frameSession session;
    const benchCity place;
    view->switchToGridView();
    view->infoPanel->update(place.town);
    for (int line = 0; line < state.range(0); ++line) {
        view->console->appendLog("A citizen in Bench city has died of starvation! (" + std::to_string(line) +
                                 ")");
    }
    timeFrames(state);
}
BENCHMARK(BM_FrameWithPanels)
    ->Arg(100)
    ->Arg(10000)
    ->Iterations(600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

std::int64_t nanosecondsNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Sends synthetic input to the game window from its own X connection, at random moments.
class inputSender {
  public:
    explicit inputSender(Window target) : connection(XOpenDisplay(nullptr)), window(target) {}
    ~inputSender() {
        if (connection != nullptr) {
            XCloseDisplay(connection);
        }
    }
    inputSender(const inputSender&) = delete;
    inputSender& operator=(const inputSender&) = delete;

    bool open() const { return connection != nullptr; }
    /// A left click at window pixel (x, y).
    void click(int x, int y) {
        XEvent event{};
        event.xbutton.type = ButtonPress;
        event.xbutton.display = connection;
        event.xbutton.window = window;
        event.xbutton.root = DefaultRootWindow(connection);
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.button = Button1;
        event.xbutton.same_screen = True;
        XSendEvent(connection, window, True, ButtonPressMask, &event);
        XFlush(connection);
    }
    void pressReturn() {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.display = connection;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(connection);
        event.xkey.keycode = XKeysymToKeycode(connection, XStringToKeysym("Return"));
        event.xkey.same_screen = True;
        XSendEvent(connection, window, True, KeyPressMask, &event);
        XFlush(connection);
    }
    void movePointer(int x, int y) {
        XWarpPointer(connection, None, window, 0, 0, 0, 0, x, y);
        XFlush(connection);
    }

  private:
    Display* connection;
    Window window;
};

/// Time from a click on the city (argument 0: the command bar then describes it) or from Enter on a typed
/// console line (argument 1: the console then shows its echo) to the end of the frame that shows it, with the
/// game's 60 frames a second. The input comes from another thread at random moments of the frame.
void BM_InputToFrame(benchmark::State& state) {
    if (!displayAvailable(state)) {
        return;
    }
    const frameSession session;
    const benchCity place;
    App->setFramerateLimit(60);
    view->switchToGridView();
    inputSender sender(App->getSystemHandle());
    if (!sender.open()) {
        state.SkipWithError("cannot open a second connection to the display");
        return;
    }
    const bool clicking = state.range(0) == 0;
    sender.movePointer(958, 532);
    consoleView& console = *view->console;
    const auto prepare = [&] {
        controller->selectedObject = nullptr;
        view->commandPanel->selected = nullptr;
        console.setActive();
        console.input = "x";
    };
    const auto shown = [&](unsigned long revisionBefore) {
        return clicking ? view->commandPanel->selected == place.town : console.revision() != revisionBefore;
    };
    for (int warmUp = 0; warmUp < 30; ++warmUp) {
        view->viewLoopBody();
    }
    prepare();

    std::atomic<bool> waiting{false};
    std::atomic<bool> done{false};
    std::atomic<std::int64_t> sentAt{0};
    std::thread input([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> pause(150, 250);
        while (!done) {
            // The console takes text 0.1 s after its last line at the earliest.
            std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
            if (waiting || done) {
                continue;
            }
            sentAt = nanosecondsNow();
            waiting = true;
            clicking ? sender.click(958, 532) : sender.pressReturn();
        }
    });
    std::vector<double> milliseconds;
    for (auto _ : state) {
        for (;;) {
            const unsigned long revisionBefore = console.revision();
            view->viewLoopBody();
            if (waiting && shown(revisionBefore)) {
                milliseconds.push_back(static_cast<double>(nanosecondsNow() - sentAt) / 1e6);
                prepare();
                waiting = false;
                break;
            }
        }
    }
    done = true;
    input.join();
    reportPercentiles(state, milliseconds);
}
BENCHMARK(BM_InputToFrame)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
