#pragma once

#include <optional>
#include <string>
#include <vector>

/// What the command line asks of this run.
struct startupOptions {
    /// Answers to the first world-name and seed prompts, used as if typed.
    std::optional<std::string> worldName;
    std::optional<std::string> seed;
    /// Build the world and its files, then stop without opening a window.
    bool generateOnly = false;
    bool showHelp = false;
    bool showVersion = false;
};

/// Parses the arguments after the program name. Throws std::invalid_argument saying what was wrong.
[[nodiscard]] startupOptions parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();
