#pragma once

#include <SFML/System/Time.hpp>

#include <functional>

namespace sftools {

/// A stopwatch that can be paused and resumed; time spent paused does not count.
class Chronometer {
  public:
    /// The current reading of a monotonic clock. The default reads an sf::Clock started with the
    /// chronometer; tests pass a clock they move by hand.
    using timeSource = std::function<sf::Time()>;

    /// Starts running from zero.
    explicit Chronometer(timeSource source = {});

    /// Zero while stopped; the time run so far while running or paused.
    sf::Time getElapsedTime() const;
    /// Freezes the elapsed time; changes nothing unless running.
    void pause();
    /// Runs on from the time it had; changes nothing while running.
    void resume();
    /// Back to zero and stopped; running again from zero when `start` is true.
    void reset(bool start = false);
    /// Reads `elapsed` from now on: paused at it, or running on from it.
    void restore(sf::Time elapsed, bool paused);

    bool isRunning() const { return current == state::running; }
    bool isPaused() const { return current == state::paused; }

  private:
    enum class state { stopped, running, paused };

    timeSource now;
    state current = state::stopped;
    sf::Time accumulated;
    sf::Time runningSince;
};

} // namespace sftools
