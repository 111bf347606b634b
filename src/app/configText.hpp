#pragma once

#include <stdexcept>
#include <string>

/// The window sizes resolutionScalePercentage allows, in percent; the console's "scale" takes the same.
constexpr int MIN_SCALE_PERCENTAGE = 1;
constexpr int MAX_SCALE_PERCENTAGE = 1000;

/// Game days between autosaves: 0 turns them off; a file without the element means the default.
constexpr int DEFAULT_AUTOSAVE_DAYS = 30;
/// Ten game years, 438,000 ticks.
constexpr int MAX_AUTOSAVE_DAYS = 3650;

/// What is wrong with config.xml's text, and where.
class configTextError : public std::runtime_error {
  public:
    configTextError(int lineNumber, const std::string& problem)
        : std::runtime_error(problem), lineNumber(lineNumber) {}
    /// 1 for the first line; 0 when no line can be named.
    int line() const { return lineNumber; }

  private:
    int lineNumber;
};

/// Checks config.xml's text before the XML archive reads it, so that a mistake is reported by line,
/// element and expected value rather than as the archive's stream error: the setting elements in their
/// order, whole numbers within their ranges, flags of 0 or 1, the closing tags. Returns the text the
/// archive is to read: comments dropped, spaces around numbers and flags trimmed and an optional element
/// that is missing (autosaveDays) added with its default, which changes nothing a valid file means.
/// Throws configTextError.
[[nodiscard]] std::string checkConfigText(const std::string& text);
