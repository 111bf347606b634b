#include "app/utilities.hpp"

#include <sstream>

std::string intToString(int value) {
    return std::to_string(value);
}

std::string floatToString(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string boolToString(bool value) {
    return value ? "true" : "false";
}

bool numIsInRangeOf(float num, float range, float of) {
    return of - range < num && num < of + range;
}

std::string countedText(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}
