#pragma once

#include "app/commandLine.hpp"

#include <iosfwd>

/// Runs the start-up sequence and the game until the window closes without a request for another world.
/// Prompts read `in`; progress goes to `out`. Stops the program through exitRequest on fatal errors.
void gameInit(startupOptions options, std::istream& in, std::ostream& out);

#include <memory>

class aStarGraph;

/// The pathing graph of the current run; replaced at every relaunch, read-only once filled.
extern std::unique_ptr<aStarGraph> graph;
