#include "app/consoleLog.hpp"

#include <algorithm>
#include <utility>

consoleLog* globalConsoleReference = nullptr;

consoleLog::consoleLog(std::string initial) : log(std::move(initial)) {
    indexLines(0, logTone::normal);
}

void consoleLog::appendLog(const std::string& line, logTone tone) {
    const std::size_t from = log.size();
    // A line that starts a line of its own takes its tone; one continuing the help text keeps that line's.
    if (from == lineStarts.back()) {
        lineTones.back() = tone;
    }
    log += line;
    log += '\n';
    indexLines(from, tone);
    ++changes;
    if (tone == logTone::alert && onAlert) {
        onAlert(line);
    }
}

void consoleLog::appendText(const std::string& text) {
    const std::size_t from = log.size();
    log += text;
    indexLines(from, logTone::normal);
    ++changes;
}

void consoleLog::clearLog() {
    log.clear();
    lineStarts.assign(1, 0);
    lineTones.assign(1, logTone::normal);
    ++changes;
}

void consoleLog::indexLines(std::size_t from, logTone tone) {
    for (std::size_t at = log.find('\n', from); at != std::string::npos; at = log.find('\n', at + 1)) {
        lineStarts.push_back(at + 1);
        lineTones.push_back(tone);
    }
    // The empty end after a line break belongs to whatever is appended next.
    if (lineStarts.back() == log.size()) {
        lineTones.back() = logTone::normal;
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

logTone consoleLog::toneOf(std::size_t line) const {
    return line < lineTones.size() ? lineTones[line] : logTone::normal;
}

void logToConsole(const std::string& line, logTone tone) {
    if (globalConsoleReference != nullptr) {
        globalConsoleReference->appendLog(line, tone);
    }
}
