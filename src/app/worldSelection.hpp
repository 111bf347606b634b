#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

// Which world the next run builds: set by the prompts, the settings and the console's gen and load.
extern std::string loadDirectory;
extern const std::string worldDirectory;
extern std::string worldName;
extern bool relaunchWithNewSeed;
/// Set by the console's gen: the next run starts its world with new factions even when the world holds a
/// saved game. Cleared once that run has chosen its world.
extern bool startAfresh;

/// Longest world name, in bytes: far below any file system's limit for one folder name.
constexpr std::size_t MAX_WORLD_NAME_BYTES = 100;

/// Empty when `name` can name a directory inside the worlds directory, else what is wrong with it.
/// The empty name is allowed: it stands for a name derived from the seed.
std::string worldNameProblem(const std::string& name);

/// Empty or only spaces: the name derived from the seed is meant.
bool isBlankWorldName(const std::string& name);

/// One whole line without its line end; nothing at end of input.
std::optional<std::string> readLine(std::istream& in);

/// Asks for the world name until an acceptable one is given; a name of only spaces counts as blank.
/// A `preset` answer is used once, as if typed. At end of input says so and stops the program with
/// exit code 0 (exitRequest).
std::string askWorldName(std::istream& in, std::ostream& out, std::optional<std::string>& preset);

/// Asks for the seed until a valid one is given; an empty answer seeds from the clock. Seeds the random
/// source and returns the seed. A `preset` answer is used once, as if typed. At end of input says so and
/// stops the program with exit code 0 (exitRequest).
int askSeed(std::istream& in, std::ostream& out, std::optional<std::string>& preset);
