#pragma once

#include <string>

/// Empty when a window can be opened on the X display, else a one-line reason naming the display. The
/// connection it makes is kept for the rest of the program.
std::string displayProblem();
