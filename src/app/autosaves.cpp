#include "app/autosaves.hpp"

#include "app/atomicFile.hpp"
#include "app/consoleLog.hpp"
#include "app/worldSaves.hpp"
#include "sim/gameTime.hpp"
#include "ui/panelTexts.hpp"

#include <filesystem>
#include <utility>

namespace {
constexpr int TICKS_PER_DAY = SECONDS_PER_DAY / SECONDS_PER_TICK;

/// The first whole multiple of `period` after `tick`.
int nextMultiple(int tick, int period) {
    return period > 0 ? (tick / period + 1) * period : 0;
}
} // namespace

autosaves::autosaves(std::string directory, const savedGameWorld& world, int everyDays, int fromTick)
    : directory(std::move(directory)), world(world), periodTicks(everyDays * TICKS_PER_DAY),
      nextTick(nextMultiple(fromTick, periodTicks)) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(this->directory, error), end; !error && it != end; it.increment(error)) {
        const std::optional<std::string> target = temporaryFileTarget(it->path().filename().string());
        if (target && isAutosaveFileName(*target)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

autosaves::~autosaves() {
    if (writer.joinable()) {
        writer.join();
    }
}

void autosaves::afterFrame(const gameController& game) {
    if (writer.joinable() && writeEnded) {
        const outcome ended = join();
        logToConsole(ended.line, ended.failed ? logTone::alert : logTone::normal);
    }
    if (enabled() && !writer.joinable() && currentGameTick >= nextTick) {
        start(game);
    }
}

void autosaves::start(const gameController& game) {
    if (writer.joinable()) {
        join();
    }
    const std::string path = directory + "/" + autosaveFileName(currentGameTick);
    std::string done =
        "Autosaved: " + path + ", tick " + std::to_string(currentGameTick) + ", " + gameDateText(gameTime);
    std::string bytes = savedGameBytes(game, world);
    nextTick = nextMultiple(currentGameTick, periodTicks);
    writeEnded = false;
    writer = std::thread([this, path, bytes = std::move(bytes), spared = chosen, done = std::move(done)] {
        written = writeAndRotate(directory, path, bytes, spared, done);
        writeEnded = true;
    });
}

std::string autosaves::finish() {
    return writer.joinable() ? join().line : std::string();
}

std::vector<std::string> autosaves::leave(const gameController& game) {
    std::vector<std::string> lines;
    if (writer.joinable()) {
        lines.push_back(join().line);
    }
    if (enabled()) {
        start(game);
        lines.push_back(join().line);
    }
    return lines;
}

autosaves::outcome autosaves::join() {
    writer.join();
    return std::exchange(written, outcome{});
}

autosaves::outcome autosaves::writeAndRotate(const std::string& directory, const std::string& path,
                                             const std::string& bytes,
                                             const std::optional<std::string>& spared, std::string doneLine) {
    try {
        writeFileAtomically(path, std::ios::binary, [&](std::ostream& file) {
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
    } catch (const std::exception& error) {
        return {std::string(error.what()) + ". The autosave was not written; the earlier saves are kept.",
                true};
    }
    std::size_t kept = 1;
    for (const std::string& older : savesNewestFirst(directory, true)) {
        if (older == path || older == spared) {
            continue;
        }
        if (kept < KEPT) {
            ++kept;
            continue;
        }
        std::error_code error;
        if (!std::filesystem::remove(older, error) && error) {
            doneLine += " (" + older + " could not be removed: " + error.message() + ")";
        }
    }
    return {std::move(doneLine), false};
}
