#pragma once

#include <string>
#include <vector>

// The saved games in a world's folder: game.dat, which the console's save writes, and the autosaves.

/// The file of the autosave made at `tick`: "autosave-<tick>.dat".
std::string autosaveFileName(int tick);

/// Whether `fileName` names an autosave: "autosave-", decimal digits, ".dat".
bool isAutosaveFileName(const std::string& fileName);

/// The saves in `directory` (game.dat unless `autosavesOnly`, and the autosaves) as `directory` + "/" +
/// name, newest first: the most recently written, by the files' modification times. Files written within
/// the same clock step put game.dat first, then the autosaves of the later ticks. Nothing when the folder
/// cannot be read.
[[nodiscard]] std::vector<std::string> savesNewestFirst(const std::string& directory,
                                                        bool autosavesOnly = false);
