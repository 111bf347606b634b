#include "app/displayCheck.hpp"

#include <X11/Xlib.h>
#include <cstdlib>
#include <memory>

namespace {
struct displayCloser {
    void operator()(Display* connection) const { XCloseDisplay(connection); }
};
} // namespace

std::string displayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return "DISPLAY is not set";
    }
    // SFML aborts the process when it cannot open the display; asking first lets us say so plainly.
    // The connection stays open until the program ends: an X server that resets when its last client
    // leaves (Xvfb does) would otherwise be resetting just as the window makes its own connection.
    static std::unique_ptr<Display, displayCloser> connection;
    if (!connection) {
        connection.reset(XOpenDisplay(nullptr));
    }
    if (!connection) {
        return std::string("the X display ") + name + " does not answer";
    }
    return {};
}
