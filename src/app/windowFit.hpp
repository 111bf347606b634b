#pragma once

#include <SFML/System/Vector2.hpp>

// Where and how large the game window opens on the user's screen.

/// Room kept free on the desktop for a title bar above the window and a task bar below it, and for the
/// window's side borders [Units: screen pixels].
constexpr int TITLE_BAR_MARGIN = 30;
constexpr int TASK_BAR_MARGIN = 50;
constexpr int SIDE_MARGIN = 16;

/// The window scale to open with: `configured` when the window of `windowWidth` × `windowHeight` units at
/// that scale fits the desktop less the margins, else the largest whole percentage that fits (at least the
/// smallest scale the settings allow).
[[nodiscard]] float fittingWindowScale(float configured, int windowWidth, int windowHeight,
                                       unsigned desktopWidth, unsigned desktopHeight);

/// The window's size at `scale`: `windowWidth` × `windowHeight` units times the scale, each side truncated
/// [Units: screen pixels].
[[nodiscard]] sf::Vector2u windowSizeAt(float scale, int windowWidth, int windowHeight);

/// The largest whole percentage at which the window of `windowWidth` × `windowHeight` units fits inside
/// `across` × `down` screen pixels, keeping its proportions (at least the smallest scale the settings allow).
[[nodiscard]] float windowScaleInside(unsigned across, unsigned down, int windowWidth, int windowHeight);

/// The top-left corner that centres a window of the given size on the desktop, within the room left by the
/// title bar and the task bar; never above or left of the screen's origin [Units: screen pixels].
[[nodiscard]] sf::Vector2i centredWindowPosition(sf::Vector2u windowSize, unsigned desktopWidth,
                                                 unsigned desktopHeight);
