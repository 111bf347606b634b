#include "app/worldSaves.hpp"

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {
constexpr const char* AUTOSAVE_PREFIX = "autosave-";
constexpr const char* AUTOSAVE_SUFFIX = ".dat";
constexpr const char* GAME_FILE = "game.dat";

/// The tick in an autosave's name; -1 for game.dat, which has none.
long long tickInName(const std::string& fileName) {
    if (!isAutosaveFileName(fileName)) {
        return -1;
    }
    const std::size_t from = std::char_traits<char>::length(AUTOSAVE_PREFIX);
    return std::stoll(
        fileName.substr(from, fileName.size() - from - std::char_traits<char>::length(AUTOSAVE_SUFFIX)));
}
} // namespace

std::string autosaveFileName(int tick) {
    return AUTOSAVE_PREFIX + std::to_string(tick) + AUTOSAVE_SUFFIX;
}

bool isAutosaveFileName(const std::string& fileName) {
    const std::size_t prefix = std::char_traits<char>::length(AUTOSAVE_PREFIX);
    const std::size_t suffix = std::char_traits<char>::length(AUTOSAVE_SUFFIX);
    // At most 18 digits, so that the tick reads back as a number.
    if (fileName.size() <= prefix + suffix || fileName.size() > prefix + suffix + 18 ||
        fileName.compare(0, prefix, AUTOSAVE_PREFIX) != 0 ||
        fileName.compare(fileName.size() - suffix, suffix, AUTOSAVE_SUFFIX) != 0) {
        return false;
    }
    return std::all_of(fileName.begin() + static_cast<std::ptrdiff_t>(prefix),
                       fileName.end() - static_cast<std::ptrdiff_t>(suffix),
                       [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> savesNewestFirst(const std::string& directory, bool autosavesOnly) {
    namespace fs = std::filesystem;
    using entry = std::tuple<fs::file_time_type, bool, long long, std::string>;
    std::vector<entry> found;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool gameFile = name == GAME_FILE && !autosavesOnly;
        std::error_code unreadable;
        const fs::file_time_type written = it->last_write_time(unreadable);
        if ((gameFile || isAutosaveFileName(name)) && !unreadable && it->is_regular_file(unreadable)) {
            found.emplace_back(written, gameFile, tickInName(name), directory + "/" + name);
        }
    }
    std::sort(found.begin(), found.end(), [](const entry& a, const entry& b) { return a > b; });
    std::vector<std::string> paths;
    for (const entry& save : found) {
        paths.push_back(std::get<3>(save));
    }
    return paths;
}
