#include "ui/gameSpeed.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {
/// The speed reached is measured over this much game clock [Units: ms].
constexpr std::int64_t REACHED_WINDOW_MS = 1000;
/// Less than this is too little to say what speed was reached [Units: ms].
constexpr std::int64_t SHORTEST_MEASURE_MS = 100;
/// The game clock's milliseconds of one tick at the normal pace.
constexpr double NORMAL_TICK_MS = 16.0;

/// The whole of `text` as a finite number; nothing otherwise.
std::optional<double> number(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno != 0 || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
} // namespace

bool gameSpeed::slower() {
    if (step == 0) {
        return false;
    }
    --step;
    return true;
}

bool gameSpeed::faster() {
    if (step + 1 == LADDER.size()) {
        return false;
    }
    ++step;
    return true;
}

bool gameSpeed::set(double value) {
    for (std::size_t k = 0; k < LADDER.size(); ++k) {
        if (LADDER[k] == value) {
            step = k;
            return true;
        }
    }
    return false;
}

double gameSpeed::nearest(long long percent) {
    if (percent <= 0) {
        return LADDER.front();
    }
    // The ladder doubles from step to step: the nearest by ratio is the nearest in powers of two.
    const double wanted = std::log2(static_cast<double>(percent) / 100.0);
    double best = LADDER.front();
    for (const double value : LADDER) {
        if (std::fabs(std::log2(value) - wanted) < std::fabs(std::log2(best) - wanted)) {
            best = value;
        }
    }
    return best;
}

std::string gameSpeed::nameOf(double value) {
    if (value < 1) {
        return "1/" + std::to_string(std::lround(1 / value)) + "x";
    }
    return std::to_string(std::lround(value)) + "x";
}

std::string gameSpeed::ladderText() {
    std::string text;
    for (std::size_t k = 0; k < LADDER.size(); ++k) {
        const std::string name = nameOf(LADDER[k]);
        text += (k == 0 ? "" : k + 1 == LADDER.size() ? " or " : ", ") + name.substr(0, name.size() - 1);
    }
    return text;
}

std::optional<double> gameSpeed::parse(const std::string& text) {
    const std::string bare = !text.empty() && text.back() == 'x' ? text.substr(0, text.size() - 1) : text;
    const std::size_t slash = bare.find('/');
    if (slash == std::string::npos) {
        return number(bare);
    }
    const std::optional<double> over = number(bare.substr(0, slash));
    const std::optional<double> under = number(bare.substr(slash + 1));
    if (!over || !under || *under == 0) {
        return std::nullopt;
    }
    return *over / *under;
}

std::int64_t gameSpeed::interval(int normalInterval) const {
    return std::max<std::int64_t>(1, std::llround(normalInterval / factor()));
}

void gameSpeed::recordFrame(std::int64_t nowMs, int ticks, bool fellBehind) {
    recent.push_back(frameRecord{nowMs, ticks, fellBehind});
    while (recent.front().atMs < nowMs - REACHED_WINDOW_MS) {
        recent.pop_front();
    }
}

std::optional<double> gameSpeed::reached() const {
    const bool behind =
        std::any_of(recent.begin(), recent.end(), [](const frameRecord& frame) { return frame.fellBehind; });
    const std::int64_t span = recent.empty() ? 0 : recent.back().atMs - recent.front().atMs;
    if (!behind || span < SHORTEST_MEASURE_MS) {
        return std::nullopt;
    }
    // The ticks since the first frame of the window, in ticks of the normal pace.
    int ticks = 0;
    for (auto frame = std::next(recent.begin()); frame != recent.end(); ++frame) {
        ticks += frame->ticks;
    }
    return ticks * NORMAL_TICK_MS / static_cast<double>(span);
}
