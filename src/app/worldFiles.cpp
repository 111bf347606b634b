#include "app/worldFiles.hpp"

#include "app/atomicFile.hpp"
#include "app/settings.hpp"
#include "app/worldSelection.hpp"
#include "path/aStarGraph.hpp"

#include <algorithm>
#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast/try_lexical_convert.hpp>
#include <fstream>
#include <stdexcept>

gameData::gameData() : savedSeed(static_cast<std::uint32_t>(worldSeed)) {}

std::string worldPath(const std::string& name) {
    return worldDirectory + "/" + name;
}

void saveGameData(const std::string& directory) {
    const gameData record;
    writeFileAtomically(directory + "/gamedata.dat", std::ios::binary, [&](std::ostream& file) {
        boost::archive::binary_oarchive archive(file);
        archive << record;
    });
}

std::uint32_t loadSavedSeed(const std::string& directory) {
    const std::string path = directory + "/gamedata.dat";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(path + " cannot be opened");
    }
    boost::archive::binary_iarchive archive(file);
    gameData record;
    archive >> record;
    return record.savedSeed;
}

void saveGraph(const aStarGraph& graph, const std::string& path) {
    writeFileAtomically(path, std::ios::binary, [&](std::ostream& file) {
        boost::archive::binary_oarchive archive(file);
        archive << graph;
    });
}

void loadGraph(aStarGraph& graph, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(path + " cannot be opened");
    }
    boost::archive::binary_iarchive archive(file);
    archive >> graph;
    // The file stores no size: bytes left over mean it was made for a larger world.
    if (file.peek() != std::ifstream::traits_type::eof()) {
        throw std::runtime_error(path + " holds more heights than a world of this size");
    }
}

namespace {
const char* const RECORD_FILE = "world.txt";
const char* const RECORD_KEYS[] = {"seed", "worldWidth", "worldHeight"};

/// "<x>_<y>", the name of a grid's subgrid directory; with ".jpg", of a picture.
bool isGridName(const std::string& name) {
    const std::size_t bar = name.find('_');
    const auto digits = [&](std::size_t from, std::size_t to) {
        return to > from && std::all_of(name.begin() + static_cast<std::ptrdiff_t>(from),
                                        name.begin() + static_cast<std::ptrdiff_t>(to),
                                        [](char c) { return c >= '0' && c <= '9'; });
    };
    return bar != std::string::npos && digits(0, bar) && digits(bar + 1, name.size());
}

bool isPictureName(const std::string& name) {
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0 &&
           isGridName(name.substr(0, name.size() - 4));
}

/// Removes the files in `directory` that are temporaries of a file `ours` accepts.
template <class Accept> void removeTemporariesIn(const boost::filesystem::path& directory, Accept ours) {
    boost::system::error_code error;
    for (boost::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::optional<std::string> target = temporaryFileTarget(entry->path().filename().string());
        if (target && ours(*target) && boost::filesystem::is_regular_file(entry->status())) {
            boost::system::error_code ignored;
            boost::filesystem::remove(entry->path(), ignored);
        }
    }
}
} // namespace

void saveWorldRecord(const std::string& directory, const worldRecord& record) {
    writeFileAtomically(directory + "/" + RECORD_FILE, std::ios::out, [&](std::ostream& file) {
        file << RECORD_KEYS[0] << " " << record.seed << "\n"
             << RECORD_KEYS[1] << " " << record.width << "\n"
             << RECORD_KEYS[2] << " " << record.height << "\n";
    });
}

std::optional<worldRecord> loadWorldRecord(const std::string& directory) {
    const std::string path = directory + "/" + RECORD_FILE;
    if (!boost::filesystem::exists(path)) {
        return std::nullopt;
    }
    std::ifstream file(path);
    int values[3] = {};
    std::string line;
    for (int i = 0; i < 3; ++i) {
        const std::string key = std::string(RECORD_KEYS[i]) + " ";
        if (!std::getline(file, line) || line.compare(0, key.size(), key) != 0 ||
            !boost::conversion::try_lexical_convert(line.substr(key.size()), values[i])) {
            throw std::runtime_error(path + ", line " + std::to_string(i + 1) + ": expected \"" + key +
                                     "<whole number>\"");
        }
    }
    return worldRecord{values[0], values[1], values[2]};
}

void removeLeftoverTemporaryFiles(const std::string& directory) {
    namespace fs = boost::filesystem;
    removeTemporariesIn(directory, [](const std::string& target) {
        return target == "graph.dat" || target == "gamedata.dat" || target == "game.dat" ||
               target == RECORD_FILE;
    });
    const fs::path images = fs::path(directory) / "images";
    removeTemporariesIn(images, isPictureName);
    boost::system::error_code error;
    for (fs::directory_iterator entry(images, error), end; !error && entry != end; entry.increment(error)) {
        if (fs::is_directory(entry->status()) && isGridName(entry->path().filename().string())) {
            removeTemporariesIn(entry->path(), isPictureName);
        }
    }
}
