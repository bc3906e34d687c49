#include "engine/runtime/filesystem.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "engine/engine.h"

#ifndef TUUBLARK_INSTALLED_DATA
#define TUUBLARK_INSTALLED_DATA "/usr/local/share/tuublark"
#endif

namespace tuublark {
namespace {

bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string ParentFolder(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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
    std::string exe = executablePath;
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        buffer[n] = '\0';
        exe = buffer;
    }
    std::string exeFolder = ParentFolder(exe);
    if (!MatchIgnoringCase(exeFolder, "backgrounds").empty()) {
        Engine().DataFolder() = exeFolder;
        return;
    }
    if (IsDirectory(TUUBLARK_INSTALLED_DATA)) {
        Engine().DataFolder() = TUUBLARK_INSTALLED_DATA;
        return;
    }
    Engine().DataFolder() = ".";
}

void SetDataFolder(const std::string& folder) { Engine().DataFolder() = folder; }

const std::string& DataFolder() { return Engine().DataFolder(); }

std::string ResolveAssetPath(const std::string& path) {
    if (path.empty()) return "";
    bool absolute = path[0] == '/';
    std::string current = absolute ? "/" : Engine().DataFolder();
    std::string direct = absolute ? path : Join(Engine().DataFolder(), path);
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

}  // namespace tuublark
