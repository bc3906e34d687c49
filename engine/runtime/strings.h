// Text helpers with the game's conversion rules.
#pragma once

#include <cstdint>
#include <string>

namespace tuublark {

// Truncates toward zero, as every float-to-int conversion of the game does.
inline int32_t FloatToInt(double value) { return static_cast<int32_t>(value); }

// Plain decimal, "-" in front of negatives.
inline std::string IntToString(int32_t value) { return std::to_string(value); }

// The `count` characters from 1-based position `start`; "" out of range.
inline std::string MidString(const std::string& text, int start, int count) {
    if (start < 1 || count <= 0 || static_cast<size_t>(start) > text.size()) return "";
    return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
}

}  // namespace tuublark
