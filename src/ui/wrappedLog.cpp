#include "ui/wrappedLog.hpp"

#include <utility>

wrappedLog::wrappedLog(float width, glyphWidth measure) : width(width), measure(std::move(measure)) {}

void wrappedLog::update(const consoleLog& log) {
    // A last line without its line break (the help text's) may have grown since: it is wrapped again.
    rows.resize(finishedRows);
    const std::size_t lineCount = log.lineCount();
    for (std::size_t line = finishedLines; line < lineCount; ++line) {
        std::string text = log.lines(line, line + 1);
        const bool finished = !text.empty() && text.back() == '\n';
        if (finished) {
            text.pop_back();
        }
        const std::vector<std::size_t> starts = wrapRows(text, width, measure);
        for (std::size_t k = 0; k < starts.size(); ++k) {
            const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text.size();
            rows.push_back({text.substr(starts[k], end - starts[k]), log.toneOf(line)});
        }
        if (finished) {
            finishedLines = line + 1;
            finishedRows = rows.size();
        }
    }
}

void wrappedLog::clear() {
    rows.clear();
    finishedLines = 0;
    finishedRows = 0;
}
