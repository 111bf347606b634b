#include "app/utf8Text.hpp"

namespace {
constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;
constexpr char32_t LAST_CODE_POINT = 0x10FFFF;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

/// Bytes of the sequence that `lead` starts; 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC0 && lead < 0xE0) {
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    return lead >= 0xF0 && lead < 0xF8 ? 4 : 0;
}
} // namespace

char32_t nextCodePoint(const std::string& text, std::size_t& at) {
    // The smallest code point that needs each length: a smaller one written longer is not UTF-8.
    static constexpr char32_t SMALLEST[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = sequenceLength(lead);
    if (length == 1) {
        ++at;
        return lead;
    }
    bool valid = length != 0 && at + length <= text.size();
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; valid && i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        valid = isContinuation(byte);
        code = code << 6 | (byte & 0x3Fu);
    }
    if (!valid || code < SMALLEST[length] || code > LAST_CODE_POINT || (code >= 0xD800 && code <= 0xDFFF)) {
        ++at;
        return REPLACEMENT_CHARACTER;
    }
    at += length;
    return code;
}

void removeLastCodePoint(std::string& text) {
    while (!text.empty() && isContinuation(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    if (!text.empty()) {
        text.pop_back();
    }
}

sf::String screenText(const std::string& utf8) {
    std::basic_string<sf::Uint32> codePoints;
    codePoints.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        codePoints += nextCodePoint(utf8, at);
    }
    return sf::String(codePoints);
}
