#include "game/run_files.h"

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/runtime/file_open.h"
#include "engine/runtime/strings.h"

namespace tuublark {
namespace {

struct TNamedFile {
    const char* Option;
    const char* What;  // for messages: "cannot write <What> file"
    const std::string* Path;
};

std::vector<TNamedFile> NamedFiles(const CommandLine& options) {
    std::vector<TNamedFile> files;
    const TNamedFile all[] = {
        {"--input", "input", &options.InputPath},
        {"--record", "record", &options.RecordPath},
        {"--trace", "trace", &options.TracePath},
        {"--profile", "profile", &options.ProfilePath},
        {"--screenshot", "screenshot", &options.ScreenshotPath},
    };
    for (const TNamedFile& file : all)
        if (!file.Path->empty()) files.push_back(file);
    return files;
}

// What makes two names one file: the inode of an existing file, else its
// absolute path with "." and ".." and symbolic links of its folders undone.
struct TIdentity {
    bool Exists = false;
    bool Device = false;
    uint64_t Dev = 0;
    uint64_t Inode = 0;
    std::string Path;

    bool SameAs(const TIdentity& other) const {
        if (Exists != other.Exists) return false;
        if (Exists) return !Device && Dev == other.Dev && Inode == other.Inode;
        return Path == other.Path;
    }
};

TIdentity IdentityOf(const std::string& path) {
    TIdentity identity;
#ifdef _WIN32
    // Windows' stat has no inode: the volume and file index stand for it.
    HANDLE handle = CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info{};
        bool known = GetFileInformationByHandle(handle, &info) != 0;
        identity.Device = GetFileType(handle) == FILE_TYPE_CHAR;
        CloseHandle(handle);
        if (known) {
            identity.Exists = true;
            identity.Dev = info.dwVolumeSerialNumber;
            identity.Inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
            return identity;
        }
    }
#else
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        identity.Exists = true;
        identity.Device = S_ISCHR(info.st_mode);
        identity.Dev = info.st_dev;
        identity.Inode = info.st_ino;
        return identity;
    }
#endif
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::u8path(path), ignored);
    identity.Path = std::filesystem::weakly_canonical(absolute, ignored).u8string();
    if (identity.Path.empty()) identity.Path = path;
    return identity;
}

}  // namespace

bool CheckDistinctFiles(const CommandLine& options, std::string& error) {
    std::vector<TNamedFile> files = NamedFiles(options);
    std::vector<TIdentity> identities;
    for (const TNamedFile& file : files) identities.push_back(IdentityOf(*file.Path));
    for (size_t i = 0; i < files.size(); ++i) {
        for (size_t j = i + 1; j < files.size(); ++j) {
            if (!identities[i].SameAs(identities[j])) continue;
            error = std::string(files[i].Option) + " and " + files[j].Option + " name the same file (" +
                    *files[j].Path + ")";
            return false;
        }
    }
    return true;
}

bool CheckOutputFiles(const CommandLine& options, std::string& error) {
    for (const TNamedFile& file : NamedFiles(options)) {
        if (file.Path == &options.InputPath || file.Path == &options.ScreenshotPath) continue;
        // Appending writes nothing and empties nothing.
        std::FILE* out = OpenFile(*file.Path, "a");
        if (!out) {
            error = *file.Path + ": cannot write " + file.What + " file (" + std::strerror(errno) + ")";
            return false;
        }
        std::fclose(out);
    }
    return true;
}

int FailRun(const std::string& message) {
    std::fprintf(stderr, "tuublark: %s\n", EscapeControlBytes(message).c_str());
    return 2;
}

std::string WriteError(const std::string& path, const char* what, int error) {
    return path + ": cannot write " + what + " (" + std::strerror(error) + ")";
}

}  // namespace tuublark
