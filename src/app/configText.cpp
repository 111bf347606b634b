#include "app/configText.hpp"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace {

enum class valueKind { number, flag, text };

struct settingRule {
    const char* name;
    valueKind kind;
    long long least;
    long long most;
    long long step;
    /// An element files may leave out, standing for `fallback`; it comes after every required one.
    bool optional = false;
    long long fallback = 0;
};

// The setting elements in the order the archive stores them, with the values the program can work with.
// Upper bounds leave every product room: the largest world, 3600 × 1300 cells, has 468 million graph
// nodes (a fifth of the int range, 1.9 GB), 46,800 grid pictures and an 18000 × 6500-pixel map picture;
// 1000 factions already crowd a map; a food rate of 1000 keeps a city's daily use (rate × people) and
// a birth's 100 × rate far inside int; 1000 % makes a 19200-pixel-wide window. autosaveDays came later:
// files written before it lack it.
constexpr settingRule SETTING_RULES[] = {
    {"resolutionScalePercentage", valueKind::number, MIN_SCALE_PERCENTAGE, MAX_SCALE_PERCENTAGE, 1},
    {"worldWidth", valueKind::number, 190, 3600, 10},
    {"worldHeight", valueKind::number, 70, 1300, 10},
    {"landArea", valueKind::number, 1, 99, 1},
    {"defaultSeed", valueKind::text, 0, 0, 0},
    {"numFactions", valueKind::number, 1, 1000, 1},
    {"childChance", valueKind::number, 0, INT_MAX, 1},
    {"humanName", valueKind::text, 0, 0, 0},
    {"logEnemies", valueKind::flag, 0, 1, 1},
    {"foodConsumeRate", valueKind::number, 0, 1000, 1},
    {"showPanningRectInGridView", valueKind::flag, 0, 1, 1},
    {"gameSpeedMultiplier", valueKind::number, INT_MIN, INT_MAX, 1},
    {"autosaveDays", valueKind::number, 0, MAX_AUTOSAVE_DAYS, 1, true, DEFAULT_AUTOSAVE_DAYS},
};

constexpr const char* ROOT = "boost_serialization";
constexpr const char* RECORD = "config";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

/// The whole of `text` as a whole number: an optional sign and at most 18 digits, so no overflow.
bool parseWholeNumber(const std::string& text, long long& value) {
    const std::size_t digitsFrom = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::size_t digits = text.size() - digitsFrom;
    if (digits == 0 || digits > 18 ||
        !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digitsFrom), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = std::stoll(text);
    return true;
}

std::string allowedValues(const settingRule& rule) {
    if (rule.kind == valueKind::flag) {
        return "0 or 1";
    }
    const std::string range = "from " + std::to_string(rule.least) + " to " + std::to_string(rule.most);
    return rule.step > 1 ? "a multiple of " + std::to_string(rule.step) + " " + range : range;
}

/// The value the archive is to read, or configTextError naming the element, the value and what is allowed.
std::string checkedValue(const settingRule& rule, const std::string& raw, int line) {
    if (rule.kind == valueKind::text) {
        return raw;
    }
    const std::string value = trimmed(raw);
    const std::string name = rule.name;
    long long number = 0;
    if (!parseWholeNumber(value, number)) {
        throw configTextError(line, name + " is \"" + value + "\"; it must be " +
                                        (rule.kind == valueKind::flag ? "" : "a whole number, ") +
                                        allowedValues(rule) + ".");
    }
    if (number < rule.least || number > rule.most || number % rule.step != 0) {
        throw configTextError(line, name + " is " + value + "; it must be " + allowedValues(rule) + ".");
    }
    return value;
}

/// Walks the text once, copying it to the archive's text as it goes.
class configScanner {
  public:
    explicit configScanner(const std::string& text) : text(text) {}

    std::string run() {
        skipProlog();
        expectStartTag(RECORD);
        for (const settingRule& rule : SETTING_RULES) {
            if (rule.optional && !startTagFollows(rule.name)) {
                const std::string name = rule.name;
                archiveText += "<" + name + ">" + std::to_string(rule.fallback) + "</" + name + ">";
                continue;
            }
            expectStartTag(rule.name);
            const std::size_t valueAt = position;
            const std::string raw = content();
            const markup closing = nextMarkup();
            if (closing.kind != markup::endTag || closing.name != rule.name) {
                throw configTextError(lineOf(closing.begin), std::string("<") + rule.name +
                                                                 "> is not closed by </" + rule.name + ">.");
            }
            archiveText += checkedValue(rule, raw, lineOf(valueAt));
            copy(closing);
        }
        expectEndTag(RECORD);
        expectEndTag(ROOT);
        const std::string after = content();
        if (!trimmed(after).empty() || position < text.size()) {
            throw configTextError(lineOf(trimmed(after).empty() ? position : firstTextAt),
                                  std::string("there is more after </") + ROOT + ">.");
        }
        return archiveText + after;
    }

  private:
    struct markup {
        enum kindOf { startTag, endTag, declaration, endOfText } kind;
        std::string name;
        std::size_t begin;
        std::size_t end;
        bool selfClosing;
    };

    int lineOf(std::size_t at) const {
        return 1 + static_cast<int>(
                       std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    }

    bool startsWith(const char* prefix) const {
        return text.compare(position, std::char_traits<char>::length(prefix), prefix) == 0;
    }

    /// Text up to the next markup, comments left out. Notes where its first visible character is.
    std::string content() {
        std::string found;
        firstTextAt = std::string::npos;
        while (position < text.size()) {
            if (startsWith("<!--")) {
                const std::size_t close = text.find("-->", position + 4);
                if (close == std::string::npos) {
                    throw configTextError(lineOf(position), "a comment (<!--) is not closed by -->.");
                }
                position = close + 3;
            } else if (text[position] == '<') {
                break;
            } else {
                if (firstTextAt == std::string::npos && !isSpace(text[position])) {
                    firstTextAt = position;
                }
                found += text[position++];
            }
        }
        return found;
    }

    /// The markup at the current position, which is a '<' or the end of the text.
    markup nextMarkup() {
        const std::size_t begin = position;
        if (position >= text.size()) {
            return markup{markup::endOfText, "", begin, begin, false};
        }
        const std::size_t close = text.find('>', position);
        if (close == std::string::npos) {
            throw configTextError(lineOf(begin), "a tag is not closed by \">\"; the file may be cut short.");
        }
        position = close + 1;
        const char second = begin + 1 < text.size() ? text[begin + 1] : '\0';
        if (second == '?' || second == '!') {
            return markup{markup::declaration,
                          text.substr(begin, std::min<std::size_t>(position - begin, 40)), begin, position,
                          false};
        }
        const bool closing = second == '/';
        const std::size_t nameFrom = begin + (closing ? 2 : 1);
        std::size_t nameTo = nameFrom;
        while (nameTo < close && !isSpace(text[nameTo]) && text[nameTo] != '/') {
            ++nameTo;
        }
        return markup{closing ? markup::endTag : markup::startTag, text.substr(nameFrom, nameTo - nameFrom),
                      begin, position, text[close - 1] == '/'};
    }

    void copy(const markup& tag) { archiveText.append(text, tag.begin, tag.end - tag.begin); }

    static std::string shown(const markup& found) {
        if (found.kind == markup::declaration) {
            return "\"" + found.name + "\"";
        }
        return (found.kind == markup::endTag ? "</" : "<") + found.name + ">";
    }

    /// Whitespace, then the expected markup; anything else is reported with its line.
    markup expectMarkup(markup::kindOf kind, const std::string& name) {
        const std::string between = content();
        const std::string expected = (kind == markup::endTag ? "</" : "<") + name + ">";
        if (!trimmed(between).empty()) {
            throw configTextError(lineOf(firstTextAt),
                                  "expected " + expected + ", found the text \"" + trimmed(between) + "\".");
        }
        archiveText += between;
        const markup found = nextMarkup();
        if (found.kind == markup::endOfText) {
            throw configTextError(lineOf(found.begin),
                                  "the file ends before " + expected + "; it may be cut short.");
        }
        if (found.kind != kind || found.name != name || found.selfClosing) {
            std::string problem = "expected " + expected + ", found " + shown(found) + ".";
            if (kind == markup::startTag && name != RECORD && name != ROOT) {
                problem += " The settings must come in the order of a newly written config.xml.";
            }
            throw configTextError(lineOf(found.begin), problem);
        }
        copy(found);
        return found;
    }

    void expectStartTag(const std::string& name) { expectMarkup(markup::startTag, name); }

    /// Whether the next markup, past whitespace and comments, is <`name`>; reads nothing.
    bool startTagFollows(const std::string& name) {
        const std::size_t from = position;
        bool follows = trimmed(content()).empty();
        if (follows) {
            const markup next = nextMarkup();
            follows = next.kind == markup::startTag && next.name == name;
        }
        position = from;
        return follows;
    }
    void expectEndTag(const std::string& name) { expectMarkup(markup::endTag, name); }

    /// The XML declaration and document type, kept for the archive, up to the root element.
    void skipProlog() {
        for (;;) {
            const std::string between = content();
            if (!trimmed(between).empty()) {
                throw configTextError(lineOf(firstTextAt), std::string("expected <") + ROOT +
                                                               ">, found the text \"" + trimmed(between) +
                                                               "\".");
            }
            archiveText += between;
            if (!startsWith("<?") && !startsWith("<!")) {
                break;
            }
            copy(nextMarkup());
        }
        expectStartTag(ROOT);
    }

    const std::string& text;
    std::size_t position = 0;
    std::size_t firstTextAt = std::string::npos;
    std::string archiveText;
};

} // namespace

std::string checkConfigText(const std::string& text) {
    return configScanner(text).run();
}
