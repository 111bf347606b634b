#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// How a log line is drawn: news and replies, or an event that concerns the player, in a colour of its own.
enum class logTone { normal, alert };

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

    /// Appends `line` and a line break; the lines it starts take `tone`.
    void appendLog(const std::string& line, logTone tone = logTone::normal);
    /// Appends `text` as it stands; the next line continues where it ends.
    void appendText(const std::string& text);
    virtual void clearLog();

    /// Called with every alert line as it is appended, for the window to show it as a notice too; may be
    /// empty.
    std::function<void(const std::string& line)> onAlert;

    const std::string& text() const { return log; }
    /// Grows with every change, so a view can tell whether it must lay the text out again.
    unsigned long revision() const { return changes; }

    /// Lines of the text; a last line without its line break counts, the empty end after a break does not.
    std::size_t lineCount() const;
    /// Lines first … end − 1 as one text, each with its line break; `end` is clamped to lineCount().
    std::string lines(std::size_t first, std::size_t end) const;
    /// The tone of line `line`; normal past the last.
    logTone toneOf(std::size_t line) const;

  private:
    /// Records where the lines begin in what was appended from `from` on, and their tone.
    void indexLines(std::size_t from, logTone tone);

    std::string log;
    /// Offset of the first character of every line, the first at 0; the text's length when it ends
    /// with a line break.
    std::vector<std::size_t> lineStarts{0};
    /// The tone of each entry of lineStarts.
    std::vector<logTone> lineTones{logTone::normal};
    unsigned long changes = 0;
};

/// The console of the current window; null while there is none (before the window opens, in headless runs).
extern consoleLog* globalConsoleReference;

/// Appends `line` to the console when there is one; otherwise the line is dropped.
void logToConsole(const std::string& line, logTone tone = logTone::normal);
