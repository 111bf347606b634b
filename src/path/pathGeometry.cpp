#include "path/pathGeometry.hpp"

#include <cmath>

void getMovementMultipliers(float x1, float y1, float x2, float y2, float* multiplierX, float* multiplierY) {
    // Equal y gives +infinity and so an angle of pi / 2.
    const float angle = std::atan(std::fabs(x1 - x2) / std::fabs(y1 - y2));
    *multiplierX = std::sin(angle);
    *multiplierY = std::cos(angle);
    if (x2 < x1) {
        *multiplierX = -*multiplierX;
    }
    if (y2 < y1) {
        *multiplierY = -*multiplierY;
    }
}

float distanceBetween(float x1, float y1, float x2, float y2) {
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

float wrapAcross(float x, int columns) {
    const float worldWidth = static_cast<float>(columns);
    float wrapped = std::fmod(x, worldWidth);
    if (wrapped < 0) {
        wrapped += worldWidth;
    }
    // A tiny negative remainder plus the width rounds up to the width itself.
    return wrapped >= worldWidth ? 0.0f : wrapped;
}

int wrapColumn(int x, int columns) {
    const int wrapped = x % columns;
    return wrapped < 0 ? wrapped + columns : wrapped;
}

float wrappedDifference(float a, float b, int columns) {
    const float half = static_cast<float>(columns) / 2.0f;
    return wrapAcross(a - b + half, columns) - half;
}
