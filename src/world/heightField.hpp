#pragma once

#include <cstdint>
#include <limits>
#include <vector>

/// Marks a cell that has no height yet.
constexpr std::int32_t UNSET_HEIGHT = std::numeric_limits<std::int32_t>::max();

/// A columns × rows field of signed 32-bit heights, indexed by x (across) then y (down).
/// Stored column by column in one block, so a column is contiguous.
class heightField {
  public:
    heightField() = default;
    heightField(int columns, int rows) : columnCount(columns), rowCount(rows), cells(sizeOf(columns, rows)) {}

    int columns() const { return columnCount; }
    int rows() const { return rowCount; }

    std::int32_t& operator()(int x, int y) { return cells[index(x, y)]; }
    std::int32_t operator()(int x, int y) const { return cells[index(x, y)]; }

    std::int32_t* column(int x) { return cells.data() + index(x, 0); }
    const std::int32_t* column(int x) const { return cells.data() + index(x, 0); }

    void fill(std::int32_t value) { cells.assign(cells.size(), value); }

    std::int32_t* data() { return cells.data(); }
    const std::int32_t* data() const { return cells.data(); }
    std::size_t size() const { return cells.size(); }

  private:
    static std::size_t sizeOf(int columns, int rows) {
        return static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    }
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(rowCount) + static_cast<std::size_t>(y);
    }

    int columnCount = 0;
    int rowCount = 0;
    std::vector<std::int32_t> cells;
};
