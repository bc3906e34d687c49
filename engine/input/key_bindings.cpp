#include "engine/input/key_bindings.h"

#include <cctype>
#include <cstdlib>

namespace tuublark {
namespace {

struct TNamedKey {
    int Key;
    const char* Label;
};

constexpr TNamedKey kNamedKeys[] = {
    {8, "Backspace"}, {9, "Tab"},        {13, "Enter"},      {16, "Shift"},       {17, "Ctrl"},      {18, "Alt"},
    {19, "Pause"},    {20, "CapsLock"},  {27, "Escape"},     {32, "Space"},       {33, "PageUp"},    {34, "PageDown"},
    {35, "End"},      {36, "Home"},      {37, "Left"},       {38, "Up"},          {39, "Right"},     {40, "Down"},
    {45, "Insert"},   {46, "Delete"},    {160, "LeftShift"}, {161, "RightShift"}, {162, "LeftCtrl"}, {163, "RightCtrl"},
    {164, "LeftAlt"}, {165, "RightAlt"},
};

bool SameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

}  // namespace

int TKeyBindings::Translate(int key) const {
    for (int i = 0; i < kGameKeyCount; ++i)
        if (Keys[i] == key) return kGameKeys[i];
    for (int code : kGameKeys)
        if (code == key) return 0;
    return key;
}

void TKeyBindings::Bind(int index, int key) {
    if (index < 0 || index >= kGameKeyCount) return;
    for (int i = 0; i < kGameKeyCount; ++i)
        if (i != index && Keys[i] == key) Keys[i] = Keys[index];
    Keys[index] = key;
}

std::string KeyLabel(int key) {
    for (const TNamedKey& named : kNamedKeys)
        if (named.Key == key) return named.Label;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= 112 && key <= 123) return "F" + std::to_string(key - 111);
    return "Code" + std::to_string(key);
}

int ParseKeyLabel(const std::string& text) {
    if (text.empty()) return -1;
    for (const TNamedKey& named : kNamedKeys)
        if (SameIgnoringCase(text, named.Label)) return named.Key;
    if (text.size() == 1 && std::isalpha(static_cast<unsigned char>(text[0])))
        return std::toupper(static_cast<unsigned char>(text[0]));
    if ((text[0] == 'F' || text[0] == 'f') && text.size() <= 3 && text.size() >= 2 &&
        std::isdigit(static_cast<unsigned char>(text[1]))) {
        int n = std::atoi(text.c_str() + 1);
        if (text.find_first_not_of("0123456789", 1) == std::string::npos && n >= 1 && n <= 12) return 111 + n;
    }
    if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0]))) return text[0];
    // "Code<n>": a key without a name.
    std::string digits = text.size() > 4 && SameIgnoringCase(text.substr(0, 4), "code") ? text.substr(4) : "";
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    int code = std::atoi(digits.c_str());
    return code >= 1 && code <= 255 ? code : -1;
}

}  // namespace tuublark
