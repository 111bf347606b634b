#pragma once

#include <iosfwd>
#include <optional>
#include <string>

// Which world the next run builds: set by the prompts, the settings and the console's gen and load.
extern std::string loadDirectory;
extern const std::string worldDirectory;
extern std::string worldName;
extern bool relaunchWithNewSeed;

/// Empty when `name` can name a directory inside the worlds directory, else what is wrong with it.
/// The empty name is allowed: it stands for a name derived from the seed.
std::string worldNameProblem(const std::string& name);

/// One whole line without its line end; end of input reads as an empty line.
std::string readLine(std::istream& in);

/// Asks for the world name until an acceptable one is given. A `preset` answer is used once, as if typed.
std::string askWorldName(std::istream& in, std::ostream& out, std::optional<std::string>& preset);

/// Asks for the seed until a valid one is given; an empty answer seeds from the clock. Seeds the random
/// source and returns the seed. A `preset` answer is used once, as if typed.
int askSeed(std::istream& in, std::ostream& out, std::optional<std::string>& preset);
