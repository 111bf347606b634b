#include "app/worldFiles.hpp"

#include "app/atomicFile.hpp"
#include "app/settings.hpp"
#include "app/worldSelection.hpp"
#include "path/aStarGraph.hpp"

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
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
}
