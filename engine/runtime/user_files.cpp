#include "engine/runtime/user_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace tuublark {
namespace {

// The XDG rules: a relative value is ignored as if unset.
std::string XdgFolder(const char* variable, const char* homeRelative) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::string(value) + "/tuublark";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/" + homeRelative + "/tuublark";
    return "";
}

std::string Reason(int error) { return std::strerror(error); }

// Set once at start-up by the browser build (web_page.h), before any file
// is read or written.
std::string g_userFolder;
std::function<void()> g_saveHook;

// mkdir -p: every missing component of `folder`.
bool MakeFolders(const std::string& folder, std::string& error) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": cannot make folder (" + Reason(errno) + ")";
            return false;
        }
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at (which may not exist yet).
bool LinkTarget(const std::string& path, std::string& target, std::string& error) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(4096, '\0');
        ssize_t n = readlink(target.c_str(), link.data(), link.size() - 1);
        if (n < 0) break;
        link.resize(static_cast<size_t>(n));
        target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
    }
    error = path + ": cannot write (" + Reason(ELOOP) + ")";
    return false;
}

}  // namespace

void SetUserFolder(const std::string& folder) {
    g_userFolder = folder;
    while (g_userFolder.size() > 1 && g_userFolder.back() == '/') g_userFolder.pop_back();
}
void SetSaveHook(std::function<void()> hook) { g_saveHook = std::move(hook); }

std::string UserDataFolder() {
    return g_userFolder.empty() ? XdgFolder("XDG_DATA_HOME", ".local/share") : g_userFolder;
}
std::string UserConfigFolder() { return g_userFolder.empty() ? XdgFolder("XDG_CONFIG_HOME", ".config") : g_userFolder; }

bool ReadTextFile(const std::string& path, std::string& text, std::string& error, bool* missing) {
    if (missing) *missing = false;
    text.clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        if (missing) *missing = errno == ENOENT;
        error = path + ": cannot read (" + Reason(errno) + ")";
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        error = path + ": not a plain file";
        return false;
    }
    char chunk[4096];
    ssize_t count;
    while ((count = read(fd, chunk, sizeof chunk)) > 0 && text.size() <= kKeptFileLimit) text.append(chunk, count);
    int readError = count < 0 ? errno : 0;
    close(fd);
    if (readError != 0) {
        error = path + ": cannot read (" + Reason(readError) + ")";
        return false;
    }
    if (text.size() > kKeptFileLimit) {
        text.clear();
        error = path + ": larger than " + std::to_string(kKeptFileLimit >> 20) + " MiB, not read";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error, bool* readOnly) {
    if (readOnly) *readOnly = false;
    std::string target;
    if (!LinkTarget(path, target, error)) return false;
    const std::string folder = FolderOf(target);
    if (!MakeFolders(folder, error)) return false;
    struct stat old;
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && (old.st_mode & S_IWUSR) == 0) {
        if (readOnly) *readOnly = true;
        error = path + ": read-only, left as it is";
        return false;
    }
    // The data goes into a file without a name, so a process killed while
    // writing leaves nothing behind; it gets a name only once complete.
    std::string temp = target + ".tmp" + std::to_string(getpid());
    bool unnamed = true;
    int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY, 0644);
    if (fd < 0) {  // a file system without unnamed files
        unnamed = false;
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (fd < 0) {
        error = path + ": cannot write (" + Reason(errno) + ")";
        return false;
    }
    int writeError = 0;
    if (exists && fchmod(fd, old.st_mode & 07777) != 0) writeError = errno;
    size_t done = 0;
    while (done < text.size() && writeError == 0) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n > 0) done += static_cast<size_t>(n);
        else if (n == 0) writeError = ENOSPC;
        else if (errno != EINTR) writeError = errno;
    }
#ifndef __EMSCRIPTEN__
    // In the browser the files are in memory until the save hook stores
    // them; a sync there would store the unfinished temporary file too,
    // through a call that suspends the game.
    if (writeError == 0 && fsync(fd) != 0) writeError = errno;
#endif
    if (writeError == 0 && unnamed) {
        std::string self = "/proc/self/fd/" + std::to_string(fd);
        unlink(temp.c_str());
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) writeError = errno;
    }
    if (close(fd) != 0 && writeError == 0) writeError = errno;
    if (writeError == 0 && rename(temp.c_str(), target.c_str()) != 0) writeError = errno;
    if (writeError != 0) {
        unlink(temp.c_str());
        error = path + ": cannot write (" + Reason(writeError) + ")";
        return false;
    }
    if (g_saveHook) g_saveHook();
    return true;
}

bool UpdateFileAtomically(const std::string& path,
                          const std::function<bool(const std::string* current, std::string& text)>& change,
                          std::string& error) {
    // The lock is on the folder: the file itself is replaced by each write.
    std::string target;
    if (!LinkTarget(path, target, error) || !MakeFolders(FolderOf(target), error)) return false;
    int lock = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) {
        error = path + ": cannot lock (" + Reason(errno) + ")";
        if (lock >= 0) close(lock);
        return false;
    }
    std::string current, text, ignored;
    const bool read = ReadTextFile(target, current, ignored);
    bool ok = true;
    if (change(read ? &current : nullptr, text)) ok = WriteFileAtomically(path, text, error);
    close(lock);
    return ok;
}

}  // namespace tuublark
