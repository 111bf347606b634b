#pragma once

#include <cstdint>
#include <optional>
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
/// missing, not a graph archive, or shorter or longer than the graph.
void loadGraph(aStarGraph& graph, const std::string& path);

/// What a world was built from, kept in world.txt beside its graph.dat so that a later start of the same
/// name rebuilds the same world.
struct worldRecord {
    int seed;
    int width;  ///< worldWidth, map cells
    int height; ///< worldHeight, map cells
};

/// Writes `directory`/world.txt (atomically). Throws std::runtime_error on failure.
void saveWorldRecord(const std::string& directory, const worldRecord& record);
/// The record in `directory`; nothing when there is none (no such world, or one built before records
/// were kept). Throws std::runtime_error naming the file and the line when it cannot be read.
[[nodiscard]] std::optional<worldRecord> loadWorldRecord(const std::string& directory);

/// Removes the temporary files that an interrupted run left in a world's directory, its images
/// directory and the subgrid directories there. Only names this program makes are touched.
void removeLeftoverTemporaryFiles(const std::string& directory);
