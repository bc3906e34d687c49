#include "game/settings.h"

#include <algorithm>
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
             if (x == std::string::npos || !ParseNumber(v.substr(0, x), kMinWindowWidth, kMaxWindowSide, w) ||
                 !ParseNumber(v.substr(x + 1), kMinWindowHeight, kMaxWindowSide, h))
                 return "expected auto or WIDTHxHEIGHT (" + std::to_string(kMinWindowWidth) + "x" +
                        std::to_string(kMinWindowHeight) + " to " + std::to_string(kMaxWindowSide) + "x" +
                        std::to_string(kMaxWindowSide) + ")";
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
        {"demo_after_s",
         [](TSettings& s, const std::string& v) -> std::string {
             return ParseNumber(v, 0, 3600, s.DemoAfterSeconds) ? "" : "expected 0 (never) or seconds up to 3600";
         },
         [](const TSettings& s) { return std::to_string(s.DemoAfterSeconds); }},
    };
    for (int i = 0; i < kGameKeyCount; ++i)
        fields.push_back({std::string("key_") + kGameKeyNames[i], nullptr,
                          [i](const TSettings& s) { return KeyLabel(s.Keys.Keys[i]); }});
    return fields;
}

// Where a line's name and value are: false for anything but
// "name = value". A '#' or ';' after a space ends the value, so a comment
// may follow it on the line.
bool SplitAssignment(const std::string& line, std::string& name, size_t& valueBegin, size_t& valueEnd) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    name = Trim(line.substr(0, equals));
    valueBegin = line.find_first_not_of(" \t", equals + 1);
    if (valueBegin == std::string::npos) valueBegin = line.size();
    valueEnd = line.size();
    for (size_t at = valueBegin + 1; at < line.size(); ++at)
        if ((line[at] == '#' || line[at] == ';') && (line[at - 1] == ' ' || line[at - 1] == '\t')) {
            valueEnd = at;
            break;
        }
    while (valueEnd > valueBegin && (line[valueEnd - 1] == ' ' || line[valueEnd - 1] == '\t')) --valueEnd;
    return !name.empty();
}

bool IsComment(const std::string& trimmed) {
    return trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || trimmed[0] == '[';
}

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void TSettingsFile::Parse(const std::string& text, const std::string& name, std::vector<std::string>& problems) {
    Values = TSettings{};
    lines_.clear();
    text_ = text;
    byteOrderMark_ = text.compare(0, 3, kByteOrderMark) == 0;
    size_t start = byteOrderMark_ ? 3 : 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        TLine line;
        line.Text = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos) line.Ending = "\n";
        if (!line.Text.empty() && line.Text.back() == '\r') {
            line.Text.pop_back();
            line.Ending = "\r" + line.Ending;
        }
        lines_.push_back(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    const std::vector<TField> fields = Fields();
    bool keyGiven[kGameKeyCount] = {};
    for (size_t n = 0; n < lines_.size(); ++n) {
        TLine& line = lines_[n];
        if (IsComment(Trim(line.Text))) continue;
        std::string key, problem;
        if (!SplitAssignment(line.Text, key, line.ValueBegin, line.ValueEnd)) {
            problems.push_back(name + ":" + std::to_string(n + 1) + ": expected 'name = value'");
            continue;
        }
        const std::string value = line.Text.substr(line.ValueBegin, line.ValueEnd - line.ValueBegin);
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].Name == key) line.Field = i;
        if (line.Field == kNoField) continue;  // not ours: kept as it is
        if (key.rfind("key_", 0) == 0) {
            int index = -1;
            for (int i = 0; i < kGameKeyCount; ++i)
                if (key == std::string("key_") + kGameKeyNames[i]) index = i;
            int code = ParseKeyLabel(value);
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
            problem = fields[line.Field].Read(Values, value);
        }
        line.Accepted = problem.empty();
        if (!problem.empty()) problems.push_back(name + ":" + std::to_string(n + 1) + ": " + problem);
    }
    read_ = Values;
}

std::string TSettingsFile::Render() const {
    const std::vector<TField> fields = Fields();
    if (lines_.empty()) {
        std::string out = "# TUUBLARK settings, written by the game; unknown lines are kept\n";
        for (const TField& field : fields) out += field.Name + " = " + field.Write(Values) + "\n";
        return out;
    }
    // The line that gives each name its value: the last one accepted, else
    // the last one of that name.
    std::vector<size_t> owner(fields.size(), kNoField);
    std::vector<bool> accepted(fields.size(), false);
    for (size_t n = 0; n < lines_.size(); ++n) {
        const TLine& line = lines_[n];
        if (line.Field == kNoField || (accepted[line.Field] && !line.Accepted)) continue;
        owner[line.Field] = n;
        accepted[line.Field] = accepted[line.Field] || line.Accepted;
    }
    std::vector<TLine> lines = lines_;
    std::string added;
    const std::string ending = lines_.front().Ending.empty() ? "\n" : lines_.front().Ending;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string value = fields[i].Write(Values);
        if (value == fields[i].Write(read_)) continue;  // unchanged: its lines stay as written
        if (owner[i] == kNoField) {
            added += fields[i].Name + " = " + value + ending;
            continue;
        }
        TLine& line = lines[owner[i]];
        line.Text.replace(line.ValueBegin, line.ValueEnd - line.ValueBegin, value);
    }
    std::string out = byteOrderMark_ ? kByteOrderMark : "";
    for (const TLine& line : lines) out += line.Text + line.Ending;
    if (!added.empty() && lines.back().Ending.empty()) out += ending;
    return out + added;
}

void TSettingsFile::Saved(const std::string& text) {
    const TSettings values = Values;
    std::vector<std::string> ignored;
    Parse(text, "", ignored);
    Values = read_ = values;
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
        if (missing) return file;
        // A file that could not be read whole is never written over.
        std::fprintf(stderr, "tuublark: %s; using the default settings, the file is left as it is\n", error.c_str());
        file.Refused = true;
        return file;
    }
    std::vector<std::string> problems;
    file.Parse(text, path, problems);
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    return file;
}

bool SaveSettings(const std::string& path, TSettingsFile& file) {
    std::string error;
    if (path.empty() || file.Refused) return false;
    const std::string text = file.Render();
    if (text == file.Text()) return true;  // nothing changed: the file is not touched
    bool readOnly = false;
    if (WriteFileAtomically(path, text, error, &readOnly)) {
        file.Saved(text);
        return true;
    }
    // Said once: a read-only file stays so for the rest of the run.
    if (readOnly) file.Refused = true;
    std::fprintf(stderr, "tuublark: %s; the settings are not saved\n", error.c_str());
    return false;
}

void KeepWindowSize(TSettings& settings, int32_t width, int32_t height) {
    settings.WindowWidth = std::clamp(width, kMinWindowWidth, kMaxWindowSide);
    settings.WindowHeight = std::clamp(height, kMinWindowHeight, kMaxWindowSide);
}

}  // namespace tuublark
