#pragma once

#include "app/consoleLog.hpp"
#include "ui/textWrap.hpp"

#include <cstddef>
#include <string>
#include <vector>

/// The console log's lines wrapped into rows of one width, kept up to date as the log grows. A line is
/// wrapped once, the first time it is laid out (only a last line without its line break again, as it may
/// still grow), so that a long log costs no more to lay out than a short one. Main thread only.
class wrappedLog {
  public:
    struct row {
        /// UTF-8, without a line break.
        std::string text;
        /// The tone of the line the row belongs to.
        logTone tone;
    };

    /// Rows at most `width` wide [Units: window units] as `measure` measures them.
    wrappedLog(float width, glyphWidth measure);

    /// Wraps what `log` gained since the last update.
    void update(const consoleLog& log);
    /// Forgets every row, for a log that was emptied.
    void clear();
    std::size_t size() const { return rows.size(); }
    const row& operator[](std::size_t index) const { return rows[index]; }

  private:
    float width;
    glyphWidth measure;
    std::vector<row> rows;
    /// Lines ended by their line break, wrapped for good, and the rows they make.
    std::size_t finishedLines = 0;
    std::size_t finishedRows = 0;
};
