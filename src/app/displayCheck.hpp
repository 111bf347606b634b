#pragma once

#include <string>

/// Empty when a window can be opened on the X display, else a one-line reason naming the display.
std::string displayProblem();
