#include "engine/runtime/filesystem.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <unordered_map>
#include <vector>

#include "engine/engine.h"
#include "engine/runtime/file_open.h"

namespace tuublark {
namespace {

// Where an installed game keeps its data, seen from its executable's folder
// (games/ and share/games/tuublark/ under one prefix).
constexpr const char* kInstalledDataFromExecutable = "../share/games/tuublark";

#ifdef _WIN32
// Windows names files in UTF-16 and separates folders with either slash.
constexpr const char* kSeparators = "/\\";

bool StatPath(const std::string& path, struct _stat64& st) { return _wstat64(WidePath(path).c_str(), &st) == 0; }

std::string ExecutablePath(const std::string& fallback) {
    std::wstring buffer(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return fallback;
    buffer.resize(n);
    return Utf8Path(buffer);
}

// Finds the entry of `folder` whose name equals `name` ignoring case.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
    _WDIR* dir = _wopendir(WidePath(folder).c_str());
    if (!dir) return "";
    std::string found;
    while (_wdirent* entry = _wreaddir(dir)) {
        std::string entryName = Utf8Path(entry->d_name);
        if (strcasecmp(entryName.c_str(), name.c_str()) == 0) {
            found = entryName;
            break;
        }
    }
    _wclosedir(dir);
    return found;
}
#else
constexpr const char* kSeparators = "/";

bool StatPath(const std::string& path, struct stat& st) { return stat(path.c_str(), &st) == 0; }

std::string ExecutablePath(const std::string& fallback) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return fallback;
    buffer[n] = '\0';
    return buffer;
}

// Finds the entry of `folder` whose name equals `name` ignoring case.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return "";
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}
#endif

bool IsDirectory(const std::string& path) {
#ifdef _WIN32
    struct _stat64 st;
#else
    struct stat st;
#endif
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
#ifdef _WIN32
    struct _stat64 st;
#else
    struct stat st;
#endif
    return StatPath(path, st);
}

std::string ParentFolder(const std::string& path) {
    size_t slash = path.find_last_of(kSeparators);
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace

void InitDataFolder(const std::string& executablePath) {
    if (IsDirectory("backgrounds") || IsDirectory("Backgrounds")) {
        Engine().DataFolder() = ".";
        return;
    }
    std::string exeFolder = ParentFolder(ExecutablePath(executablePath));
    if (!MatchIgnoringCase(exeFolder, "backgrounds").empty()) {
        Engine().DataFolder() = exeFolder;
        return;
    }
    const std::string installed = Join(exeFolder, kInstalledDataFromExecutable);
    if (IsDirectory(installed)) {
        Engine().DataFolder() = installed;
        return;
    }
    Engine().DataFolder() = ".";
}

void SetDataFolder(const std::string& folder) { Engine().DataFolder() = folder; }

const std::string& DataFolder() { return Engine().DataFolder(); }

namespace {

std::string FindAssetPath(const std::string& path) {
    if (path.empty()) return "";
    bool absolute = path[0] == '/';
    std::string current = absolute ? "/" : DataFolder();
    std::string direct = absolute ? path : Join(DataFolder(), path);
    if (Exists(direct)) return direct;

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    for (const std::string& part : parts) {
        std::string candidate = Join(current, part);
        if (part == "." || part == ".." || Exists(candidate)) {
            current = candidate;
            continue;
        }
        std::string match = MatchIgnoringCase(current, part);
        if (match.empty()) return "";
        current = Join(current, match);
    }
    return current;
}

}  // namespace

#ifdef __EMSCRIPTEN__
// The page's data files are packed into the build and never change, and
// each file system call goes through JavaScript: a skin change's pictures
// spent milliseconds finding their files. Paths found are kept.
std::string ResolveAssetPath(const std::string& path) {
    static std::unordered_map<std::string, std::string> found;
    const std::string key = DataFolder() + '\n' + path;
    auto known = found.find(key);
    if (known != found.end()) return known->second;
    std::string resolved = FindAssetPath(path);
    if (!resolved.empty()) found.emplace(key, resolved);
    return resolved;
}
#else
std::string ResolveAssetPath(const std::string& path) { return FindAssetPath(path); }
#endif

}  // namespace tuublark
