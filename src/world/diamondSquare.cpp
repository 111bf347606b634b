#include "world/diamondSquare.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

/// The field's cells as seen by the subdivision: direct indexing and the bounds for writes.
struct cellAccess {
    std::int32_t* cells;
    std::ptrdiff_t rows;
    int maxX;
    int maxY;

    std::int32_t& at(int x, int y) const { return cells[x * rows + y]; }

    void writeIfUnset(int x, int y, std::int32_t value) const {
        if (x < 0 || y < 0 || x > maxX || y > maxY) {
            return;
        }
        std::int32_t& cell = at(x, y);
        if (cell == UNSET_HEIGHT) {
            cell = value;
        }
    }
};

// Sums go through 64 bits so that averaging never overflows; the division truncates toward zero.
std::int32_t mean(std::int64_t a, std::int64_t b) {
    return static_cast<std::int32_t>((a + b) / 2);
}

void subdivide(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy, int depth, int maxDepth,
               const cellAccess& field) {
    while (depth <= maxDepth) {
        const int m1x = (ax + bx) / 2, m1y = (ay + by) / 2;
        const int m2x = (bx + cx) / 2, m2y = (by + cy) / 2;
        const int m3x = (cx + dx) / 2, m3y = (cy + dy) / 2;
        const int m4x = (ax + dx) / 2, m4y = (ay + dy) / 2;
        field.writeIfUnset(m1x, m1y, mean(field.at(ax, ay), field.at(bx, by)));
        field.writeIfUnset(m2x, m2y, mean(field.at(cx, cy), field.at(bx, by)));
        field.writeIfUnset(m3x, m3y, mean(field.at(cx, cy), field.at(dx, dy)));
        field.writeIfUnset(m4x, m4y, mean(field.at(dx, dy), field.at(ax, ay)));

        // The centre averages whatever the midpoints now hold, including values set before this pass.
        const int ex = (m4x + m2x) / 2, ey = (m1y + m3y) / 2;
        field.writeIfUnset(
            ex, ey,
            mean(mean(field.at(m1x, m1y), field.at(m3x, m3y)), mean(field.at(m4x, m4y), field.at(m2x, m2y))));

        ++depth;
        // Quarters below the last level would return at once; skipping the calls saves most of the time.
        if (depth <= maxDepth) {
            subdivide(ax, ay, m1x, m1y, ex, ey, m4x, m4y, depth, maxDepth, field);
            subdivide(m1x, m1y, bx, by, m2x, m2y, ex, ey, depth, maxDepth, field);
            subdivide(ex, ey, m2x, m2y, cx, cy, m3x, m3y, depth, maxDepth, field);
        }

        // The fourth quarter continues in this loop instead of a fourth call.
        ax = m4x, ay = m4y;
        bx = ex, by = ey;
        cx = m3x, cy = m3y;
    }
}

// Writes never leave the field, even when a caller's bounds are larger than it (the ice caps pass 130 rows).
cellAccess accessTo(heightField& field, int maxX, int maxY) {
    return {field.data(), field.rows(), std::min(maxX, field.columns() - 1),
            std::min(maxY, field.rows() - 1)};
}

} // namespace

void diamondSquareHelper(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy, int depth,
                         int maxDepth, int maxX, int maxY, heightField& field) {
    subdivide(ax, ay, bx, by, cx, cy, dx, dy, depth, maxDepth, accessTo(field, maxX, maxY));
}

void diamondSquareMain(int maxX, int maxY, heightField& field, int maxDepth, int tilesX, int tilesY,
                       int tileSize) {
    if (tilesX == 0) {
        tilesX = maxX / 10;
    }
    if (tilesY == 0) {
        tilesY = maxY / 10;
    }
    if (tilesX < 1) {
        return;
    }
    const cellAccess access = accessTo(field, maxX, maxY);
    for (int i = 0; i < tilesX; ++i) {
        const int x0 = i * tileSize;
        const int x1 = x0 + tileSize;
        for (int j = 0; j < tilesY; ++j) {
            const int y0 = j * tileSize;
            const int y1 = y0 + tileSize;
            subdivide(x0, y0, x1, y0, x1, y1, x0, y1, 0, maxDepth, access);
        }
    }
}
