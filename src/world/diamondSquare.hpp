#pragma once

#include "world/heightField.hpp"

/// Fills the unset cells of `field` by subdividing a lattice of tiles whose corners the caller has set.
/// Tiles are `tileSize` cells wide; `tilesX` or `tilesY` of 0 means `maxX` / 10 or `maxY` / 10 tiles.
/// Only cells with 0 ≤ x ≤ maxX and 0 ≤ y ≤ maxY that hold UNSET_HEIGHT are written, so set cells win.
/// The tiles must lie inside the field and their corners must be set.
/// Works in place without allocating and touches nothing but `field`, so any thread may call it.
void diamondSquareMain(int maxX, int maxY, heightField& field, int maxDepth, int tilesX, int tilesY,
                       int tileSize);

/// Subdivides the quadrilateral A (top-left), B (top-right), C (bottom-right), D (bottom-left)
/// from level `depth` down to level `maxDepth`.
void diamondSquareHelper(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy, int depth,
                         int maxDepth, int maxX, int maxY, heightField& field);
