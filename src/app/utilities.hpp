#pragma once

#include <string>

/// Decimal text, a leading minus for negative values, no grouping.
std::string intToString(int value);
/// The value as a default-format stream writes it: six significant digits, no trailing zeros.
std::string floatToString(float value);
std::string boolToString(bool value);
/// The count and the noun for it: "1 city", "2 cities".
std::string countedText(int count, const std::string& one, const std::string& many);
/// True when of − range < num < of + range (both bounds strict).
bool numIsInRangeOf(float num, float range, float of);
