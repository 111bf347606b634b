#pragma once

#include <string>

/// The in-game message log: replies to commands and orders, and news from the simulation (combat,
/// starvation, births). The console panel draws it; code with no view at hand writes to it through
/// globalConsoleReference. Main thread only.
class consoleLog {
  public:
    /// Starts with `initial` as its text.
    explicit consoleLog(std::string initial = {});
    virtual ~consoleLog() = default;
    consoleLog(const consoleLog&) = delete;
    consoleLog& operator=(const consoleLog&) = delete;

    /// Appends `line` and a line break.
    void appendLog(const std::string& line);
    /// Appends `text` as it stands; the next line continues where it ends.
    void appendText(const std::string& text);
    void clearLog();

    const std::string& text() const { return log; }
    /// Grows with every change, so a view can tell whether it must lay the text out again.
    unsigned long revision() const { return changes; }

  private:
    std::string log;
    unsigned long changes = 0;
};

/// The console of the current window; null while there is none (before the window opens, in headless runs).
extern consoleLog* globalConsoleReference;

/// Appends `line` to the console when there is one; otherwise the line is dropped.
void logToConsole(const std::string& line);
