#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

/// How fast the game runs: a ladder of speeds from an eighth of the normal pace to sixteen times it. At 1× a
/// tick comes once more than 16 ms of game clock have passed since the last, at most one a frame; slower
/// speeds space the ticks out, faster ones take as many ticks in a frame as the game clock asks for. Also
/// what the speed reached when the machine could not keep up. Main thread only.
class gameSpeed {
  public:
    static constexpr std::array<double, 8> LADDER{0.125, 0.25, 0.5, 1, 2, 4, 8, 16};
    static constexpr std::size_t NORMAL = 3;

    /// The speed's factor: 1 is the normal pace.
    double factor() const { return LADDER[step]; }
    /// One step down (up) the ladder; false, and nothing changes, at its end.
    bool slower();
    bool faster();
    /// Takes `value` when it is on the ladder; false otherwise.
    bool set(double value);

    /// The speed of the ladder nearest `percent` of the normal pace (as config.xml gives it), by ratio (ties
    /// go to the slower one); the slowest for anything not above 0.
    static double nearest(long long percent);
    /// "1/8x", "1/4x", "1/2x", "1x", "2x", …, "16x".
    static std::string nameOf(double value);
    /// The ladder as the console lists it: "1/8, 1/4, 1/2, 1, 2, 4, 8 or 16".
    static std::string ladderText();
    /// A speed the console was given: a decimal number or a fraction of two whole numbers ("0.25", "1/4",
    /// "4"); nothing for any other text.
    static std::optional<double> parse(const std::string& text);

    /// Game-clock milliseconds that must have passed since the last tick for the next one at speeds up to 1×
    /// (more than this); at faster speeds, the milliseconds between ticks. [Units: ms]
    std::int64_t interval(int normalInterval) const;

    /// Records that `ticks` ticks were taken at game clock `nowMs`, and whether ticks the clock asked for
    /// were let go because the frame ran out of time.
    void recordFrame(std::int64_t nowMs, int ticks, bool fellBehind);
    /// The speed reached over the last second of game clock, in ticks of 16 ms, when ticks were let go in it;
    /// nothing while the machine keeps up.
    std::optional<double> reached() const;

  private:
    std::size_t step = NORMAL;
    /// The frames of the last second of game clock: when, how many ticks, and whether ticks were let go.
    struct frameRecord {
        std::int64_t atMs;
        int ticks;
        bool fellBehind;
    };
    std::deque<frameRecord> recent;
};
