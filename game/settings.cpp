#include "game/settings.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "engine/runtime/user_files.h"

namespace tuublark {

const char* const kGameKeyNames[kGameKeyCount] = {"left",        "right",        "up",    "down",
                                                  "rotate_left", "rotate_right", "start", "escape"};

namespace {

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool ParseNumber(const std::string& text, int32_t lo, int32_t hi, int32_t& value) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    int32_t parsed = std::atoi(text.c_str());
    if (parsed < lo || parsed > hi) return false;
    value = parsed;
    return true;
}

// One known name: how to read its value ("" when fine, else the reason)
// and how to write it.
struct TField {
    std::string Name;
    std::function<std::string(TSettings&, const std::string&)> Read;
    std::function<std::string(const TSettings&)> Write;
};

TField Volume(const char* name, int32_t TSettings::*member) {
    return {name,
            [member](TSettings& s, const std::string& v) {
                return ParseNumber(v, 0, 100, s.*member) ? "" : "expected a volume from 0 to 100";
            },
            [member](const TSettings& s) { return std::to_string(s.*member); }};
}

std::vector<TField> Fields() {
    std::vector<TField> fields = {
        {"fullscreen",
         [](TSettings& s, const std::string& v) -> std::string {
             if (v == "on" || v == "1" || v == "yes" || v == "true") s.FullScreen = true;
             else if (v == "off" || v == "0" || v == "no" || v == "false") s.FullScreen = false;
             else return "expected on or off";
             return "";
         },
         [](const TSettings& s) { return std::string(s.FullScreen ? "on" : "off"); }},
        {"window_size",
         [](TSettings& s, const std::string& v) -> std::string {
             if (v == "auto") {
                 s.WindowWidth = s.WindowHeight = 0;
                 return "";
             }
             size_t x = v.find('x');
             int32_t w, h;
             if (x == std::string::npos || !ParseNumber(v.substr(0, x), 200, 16384, w) ||
                 !ParseNumber(v.substr(x + 1), 150, 16384, h))
                 return "expected auto or WIDTHxHEIGHT (200x150 to 16384x16384)";
             s.WindowWidth = w;
             s.WindowHeight = h;
             return "";
         },
         [](const TSettings& s) {
             return s.WindowWidth ? std::to_string(s.WindowWidth) + "x" + std::to_string(s.WindowHeight)
                                  : std::string("auto");
         }},
        Volume("music_volume", &TSettings::MusicVolume),
        Volume("effects_volume", &TSettings::EffectsVolume),
        {"audio_latency_ms",
         [](TSettings& s, const std::string& v) -> std::string {
             int32_t ms;
             if (!ParseNumber(v, 0, 1000, ms) || (ms != 0 && ms < 5)) return "expected 0 (automatic) or 5 to 1000";
             s.AudioLatencyMs = ms;
             return "";
         },
         [](const TSettings& s) { return std::to_string(s.AudioLatencyMs); }},
        {"renderer",
         [](TSettings& s, const std::string& v) -> std::string {
             if (v != "gl" && v != "gles2") return "expected gl or gles2";
             s.Renderer = v;
             return "";
         },
         [](const TSettings& s) { return s.Renderer; }},
    };
    for (int i = 0; i < kGameKeyCount; ++i)
        fields.push_back({std::string("key_") + kGameKeyNames[i], nullptr,
                          [i](const TSettings& s) { return KeyLabel(s.Keys.Keys[i]); }});
    return fields;
}

// "name = value" split; false for anything else.
bool SplitAssignment(const std::string& line, std::string& name, std::string& value) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    name = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !name.empty();
}

bool IsComment(const std::string& trimmed) {
    return trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || trimmed[0] == '[';
}

}  // namespace

void TSettingsFile::Parse(const std::string& text, const std::string& name, std::vector<std::string>& problems) {
    Values = TSettings{};
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines_.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const std::vector<TField> fields = Fields();
    bool keyGiven[kGameKeyCount] = {};
    for (size_t n = 0; n < lines_.size(); ++n) {
        std::string line = Trim(lines_[n]);
        if (IsComment(line)) continue;
        std::string key, value, problem;
        if (!SplitAssignment(line, key, value)) {
            problem = "expected 'name = value'";
        } else if (key.rfind("key_", 0) == 0) {
            int index = -1;
            for (int i = 0; i < kGameKeyCount; ++i)
                if (key == std::string("key_") + kGameKeyNames[i]) index = i;
            int code = ParseKeyLabel(value);
            if (index < 0) continue;  // not ours: kept as it is
            if (code < 0) {
                problem = "'" + value + "' names no key";
            } else {
                for (int i = 0; i < kGameKeyCount; ++i)
                    if (i != index && keyGiven[i] && Values.Keys.Keys[i] == code)
                        problem = KeyLabel(code) + " is already the " + kGameKeyNames[i] + " key";
                if (problem.empty()) {
                    Values.Keys.Bind(index, code);
                    keyGiven[index] = true;
                }
            }
        } else {
            for (const TField& field : fields)
                if (field.Name == key && field.Read) problem = field.Read(Values, value);
        }
        if (!problem.empty()) problems.push_back(name + ":" + std::to_string(n + 1) + ": " + problem);
    }
}

std::string TSettingsFile::Render() const {
    const std::vector<TField> fields = Fields();
    std::vector<bool> written(fields.size(), false);
    std::string out;
    if (lines_.empty()) out = "# TUUBLARK settings, written by the game; unknown lines are kept\n";
    for (const std::string& raw : lines_) {
        std::string key, value;
        size_t field = fields.size();
        if (!IsComment(Trim(raw)) && SplitAssignment(Trim(raw), key, value))
            for (size_t i = 0; i < fields.size(); ++i)
                if (fields[i].Name == key) field = i;
        if (field == fields.size()) {
            out += raw + "\n";
        } else if (!written[field]) {  // a repeated name is written once
            out += key + " = " + fields[field].Write(Values) + "\n";
            written[field] = true;
        }
    }
    for (size_t i = 0; i < fields.size(); ++i)
        if (!written[i]) out += fields[i].Name + " = " + fields[i].Write(Values) + "\n";
    return out;
}

std::string SettingsPath() {
    std::string folder = UserConfigFolder();
    return folder.empty() ? "" : folder + "/settings.ini";
}

TSettingsFile LoadSettings(const std::string& path) {
    TSettingsFile file;
    std::string text, error;
    bool missing = false;
    if (path.empty()) return file;
    if (!ReadTextFile(path, text, error, &missing)) {
        if (!missing) std::fprintf(stderr, "tuublark: %s; using the default settings\n", error.c_str());
        return file;
    }
    std::vector<std::string> problems;
    file.Parse(text, path, problems);
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    return file;
}

bool SaveSettings(const std::string& path, const TSettingsFile& file) {
    std::string error;
    if (path.empty()) return false;
    if (WriteFileAtomically(path, file.Render(), error)) return true;
    std::fprintf(stderr, "tuublark: %s\n", error.c_str());
    return false;
}

}  // namespace tuublark
