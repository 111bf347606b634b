#pragma once

#include <cmath>

// Small geometry shared by path refinement, movement and the views. Positions are in grid units;
// the pathing graph has 100 nodes per grid unit. The inline ones run in refinePath's inner loop.

/// Node column under an object x given in the +1.0 convention: floor((x - 1) × 100), worked in double.
/// Float would round differently on about a third of the columns. Rounded down, not towards zero, so that
/// the positions of a unit that crossed the seam westwards (x - 1 below 0) fall in the column they lie in.
inline int getMapGridX(float x) {
    return static_cast<int>(std::floor((static_cast<double>(x) - 1.0) * 100.0));
}

/// Node row under an object y: floor(y × 100), worked in float.
inline int getMapGridY(float y) {
    return static_cast<int>(std::floor(y * 100.0f));
}

/// Unit direction from (x1, y1) towards (x2, y2), in single precision. Not a number when the two
/// points coincide; callers check arrival first.
void getMovementMultipliers(float x1, float y1, float x2, float y2, float* multiplierX, float* multiplierY);

/// True within tolerance of the destination on both axes (open interval, as numIsInRangeOf), or
/// once the point has reached or passed it on both axes along the direction (multiplierX,
/// multiplierY).
inline bool reachedDestination(float x, float y, float destX, float destY, float tolerance, float multiplierX,
                               float multiplierY) {
    if (destX - tolerance < x && x < destX + tolerance && destY - tolerance < y && y < destY + tolerance) {
        return true;
    }
    const bool reachedX = (multiplierX >= 0 && x >= destX) || (multiplierX <= 0 && x <= destX);
    const bool reachedY = (multiplierY >= 0 && y >= destY) || (multiplierY <= 0 && y <= destY);
    return reachedX && reachedY;
}

float distanceBetween(float x1, float y1, float x2, float y2);

/// Column `x` brought into 0 … columns − 1 by whole turns around a world `columns` columns wide.
int wrapColumn(int x, int columns);

/// `x` brought into [0, columns) by whole turns around a world `columns` grids wide. A unit that crossed
/// the east-west seam keeps an x outside that range, and so may the cursor.
float wrapAcross(float x, int columns);

/// a − b taken the short way round a world `columns` grids wide: within [−columns / 2, columns / 2).
float wrappedDifference(float a, float b, int columns);
