#include "support/windowSession.hpp"

// Xlib's macros stay out of the header.
#include <X11/Xlib.h>

displayConnection::displayConnection() : connection(XOpenDisplay(nullptr)) {}

displayConnection::~displayConnection() {
    if (connection != nullptr) {
        XCloseDisplay(static_cast<Display*>(connection));
    }
}
