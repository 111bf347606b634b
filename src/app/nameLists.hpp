#pragma once

#include <memory>
#include <string>
#include <vector>

// Names drawn for computer factions, their cities and their leaders; replaced at every world generation.
extern std::vector<std::string> factionNameList;
extern std::vector<std::string> cityNameList;
extern std::vector<std::string> commanderNameList;

/// The file's lines, newline removed. A line longer than maxLineLength − 1 characters is cut into
/// several entries. Throws std::runtime_error when the file cannot be opened.
[[nodiscard]] std::vector<std::string> readLinesFromFile(const std::string& path, unsigned int maxLineLength);

/// Reads the three name files from assets/. A missing or empty file stops the program (exitRequest).
void loadNameLists(const std::string& assetDirectory = "assets");
/// The people's given names from assets/personNames.txt, for the factions' name sources to share. A missing
/// or empty file stops the program (exitRequest).
[[nodiscard]] std::shared_ptr<const std::vector<std::string>>
readPersonNames(const std::string& assetDirectory = "assets");

std::string selectRandomFactionName();
std::string selectRandomCityName();
std::string selectRandomCommanderName();
