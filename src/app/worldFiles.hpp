#pragma once

#include <cstdint>
#include <string>

class aStarGraph;

/// The saved game: only the seed; the world is rebuilt from it when loaded.
struct gameData {
    std::uint32_t savedSeed;

    /// Takes the current `worldSeed`.
    gameData();

    template <class Archive> void serialize(Archive& archive, unsigned int /*version*/) {
        archive& savedSeed;
    }
};

/// worlds/<name>: the directory of one world.
std::string worldPath(const std::string& name);

/// Writes gamedata.dat with the current seed into `directory`. Throws std::runtime_error on failure.
void saveGameData(const std::string& directory);
/// Reads the seed from `directory`/gamedata.dat. Throws when the file is missing or not a saved game.
[[nodiscard]] std::uint32_t loadSavedSeed(const std::string& directory);

/// Writes the graph's heights to `path` (atomically). Throws std::runtime_error on failure.
void saveGraph(const aStarGraph& graph, const std::string& path);
/// Reads heights from `path` into `graph`, which already has the world's size. Throws when the file is
/// missing, short or not a graph archive.
void loadGraph(aStarGraph& graph, const std::string& path);
