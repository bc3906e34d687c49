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

// `text` with its control bytes written as \xNN, so that text read from a
// file cannot drive the terminal it is printed on. Bytes from 0x80 on pass
// untouched: they spell UTF-8 names, and a UTF-8 terminal takes no control
// from them.
inline std::string EscapeControlBytes(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            out += c;
            continue;
        }
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    return out;
}

}  // namespace tuublark
