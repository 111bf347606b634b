#include "app/chronometer.hpp"

#include <SFML/System/Clock.hpp>

#include <utility>

namespace sftools {

Chronometer::Chronometer(timeSource source) : now(std::move(source)) {
    if (!now) {
        now = [clock = sf::Clock()] { return clock.getElapsedTime(); };
    }
    reset(true);
}

sf::Time Chronometer::getElapsedTime() const {
    switch (current) {
    case state::running:
        return accumulated + (now() - runningSince);
    case state::paused:
        return accumulated;
    case state::stopped:
        break;
    }
    return sf::Time::Zero;
}

void Chronometer::pause() {
    if (current == state::running) {
        accumulated += now() - runningSince;
        current = state::paused;
    }
}

void Chronometer::resume() {
    if (current != state::running) {
        runningSince = now();
        current = state::running;
    }
}

void Chronometer::reset(bool start) {
    accumulated = sf::Time::Zero;
    current = state::stopped;
    if (start) {
        resume();
    }
}

void Chronometer::restore(sf::Time elapsed, bool paused) {
    accumulated = elapsed;
    runningSince = now();
    current = paused ? state::paused : state::running;
}

} // namespace sftools
