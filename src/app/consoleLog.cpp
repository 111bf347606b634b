#include "app/consoleLog.hpp"

#include <utility>

consoleLog* globalConsoleReference = nullptr;

consoleLog::consoleLog(std::string initial) : log(std::move(initial)) {}

void consoleLog::appendLog(const std::string& line) {
    log += line;
    log += '\n';
    ++changes;
}

void consoleLog::appendText(const std::string& text) {
    log += text;
    ++changes;
}

void consoleLog::clearLog() {
    log.clear();
    ++changes;
}

void logToConsole(const std::string& line) {
    if (globalConsoleReference != nullptr) {
        globalConsoleReference->appendLog(line);
    }
}
