#include "app/consoleLog.hpp"

#include <algorithm>
#include <utility>

consoleLog* globalConsoleReference = nullptr;

consoleLog::consoleLog(std::string initial) : log(std::move(initial)) {
    indexLines(0);
}

void consoleLog::appendLog(const std::string& line) {
    const std::size_t from = log.size();
    log += line;
    log += '\n';
    indexLines(from);
    ++changes;
}

void consoleLog::appendText(const std::string& text) {
    const std::size_t from = log.size();
    log += text;
    indexLines(from);
    ++changes;
}

void consoleLog::clearLog() {
    log.clear();
    lineStarts.assign(1, 0);
    ++changes;
}

void consoleLog::indexLines(std::size_t from) {
    for (std::size_t at = log.find('\n', from); at != std::string::npos; at = log.find('\n', at + 1)) {
        lineStarts.push_back(at + 1);
    }
}

std::size_t consoleLog::lineCount() const {
    return lineStarts.back() == log.size() ? lineStarts.size() - 1 : lineStarts.size();
}

std::string consoleLog::lines(std::size_t first, std::size_t end) const {
    end = std::min(end, lineCount());
    if (first >= end) {
        return {};
    }
    const std::size_t stop = end < lineStarts.size() ? lineStarts[end] : log.size();
    return log.substr(lineStarts[first], stop - lineStarts[first]);
}

void logToConsole(const std::string& line) {
    if (globalConsoleReference != nullptr) {
        globalConsoleReference->appendLog(line);
    }
}
