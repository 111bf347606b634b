#include "app/displayCheck.hpp"

#include <X11/Xlib.h>
#include <cstdlib>

std::string displayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return "DISPLAY is not set";
    }
    // SFML aborts the process when it cannot open the display; asking first lets us say so plainly.
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        return std::string("the X display ") + name + " does not answer";
    }
    XCloseDisplay(connection);
    return {};
}
