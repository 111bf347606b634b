#include "app/windowFit.hpp"

#include "app/configText.hpp"

#include <algorithm>

namespace {
long roomAcross(unsigned desktopWidth) {
    return static_cast<long>(desktopWidth) - SIDE_MARGIN;
}
long roomDown(unsigned desktopHeight) {
    return static_cast<long>(desktopHeight) - TITLE_BAR_MARGIN - TASK_BAR_MARGIN;
}
/// The window's size in screen pixels at `scale`, truncated as the window is sized.
long scaled(int units, float scale) {
    return static_cast<long>(static_cast<float>(units) * scale);
}
} // namespace

float fittingWindowScale(float configured, int windowWidth, int windowHeight, unsigned desktopWidth,
                         unsigned desktopHeight) {
    const long across = roomAcross(desktopWidth);
    const long down = roomDown(desktopHeight);
    if (scaled(windowWidth, configured) <= across && scaled(windowHeight, configured) <= down) {
        return configured;
    }
    return windowScaleInside(static_cast<unsigned>(std::max(across, 0L)),
                             static_cast<unsigned>(std::max(down, 0L)), windowWidth, windowHeight);
}

sf::Vector2u windowSizeAt(float scale, int windowWidth, int windowHeight) {
    return {static_cast<unsigned>(static_cast<float>(windowWidth) * scale),
            static_cast<unsigned>(static_cast<float>(windowHeight) * scale)};
}

float windowScaleInside(unsigned across, unsigned down, int windowWidth, int windowHeight) {
    const long percent = std::min(static_cast<long>(across) * 100 / std::max(windowWidth, 1),
                                  static_cast<long>(down) * 100 / std::max(windowHeight, 1));
    return static_cast<float>(std::max<long>(percent, MIN_SCALE_PERCENTAGE)) / 100.0f;
}

sf::Vector2i centredWindowPosition(sf::Vector2u windowSize, unsigned desktopWidth, unsigned desktopHeight) {
    const long left = (static_cast<long>(desktopWidth) - static_cast<long>(windowSize.x)) / 2;
    const long top = TITLE_BAR_MARGIN + (roomDown(desktopHeight) - static_cast<long>(windowSize.y)) / 2;
    return {static_cast<int>(std::max(left, 0L)), static_cast<int>(std::max(top, 0L))};
}
