// The player's files on Windows: both folders are %APPDATA%\tuublark, the
// roaming application data Windows keeps per user. Paths are UTF-8 and go
// through the wide file functions; a write replaces the file in one move.
#include <io.h>
#include <shlobj.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/runtime/file_open.h"
#include "engine/runtime/user_files.h"

namespace tuublark {
namespace {

// With forward slashes, which Windows takes too, so the file names the
// game adds read as one path in its messages.
std::string AppDataFolder() {
    const wchar_t* value = _wgetenv(L"APPDATA");
    if (!value || !*value) return "";
    std::string folder = Utf8Path(value) + "/tuublark";
    for (char& c : folder)
        if (c == '\\') c = '/';
    return folder;
}

std::string Reason(int error) { return std::strerror(error); }

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

std::string UserDataFolder() { return AppDataFolder(); }
std::string UserConfigFolder() { return AppDataFolder(); }

bool ReadTextFile(const std::string& path, std::string& text, std::string& error, bool* missing) {
    if (missing) *missing = false;
    text.clear();
    struct _stat64 info;
    if (_wstat64(WidePath(path).c_str(), &info) != 0) {
        if (missing) *missing = errno == ENOENT;
        error = path + ": cannot read (" + Reason(errno) + ")";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + ": not a plain file";
        return false;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (!file) {
        error = path + ": cannot read (" + Reason(errno) + ")";
        return false;
    }
    char chunk[4096];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0 && text.size() <= kKeptFileLimit)
        text.append(chunk, count);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = path + ": cannot read";
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
    struct _stat64 old;
    if (_wstat64(WidePath(path).c_str(), &old) == 0 && (old.st_mode & _S_IWRITE) == 0) {
        if (readOnly) *readOnly = true;
        error = path + ": read-only, left as it is";
        return false;
    }
    std::wstring folder = WidePath(ParentOf(path));
    for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
    int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) {
        error = ParentOf(path) + ": cannot make folder";
        return false;
    }
    // Written in full beside the file, flushed to the disk, then moved over
    // it: either the old or the new content is there afterwards.
    std::string temp = path + ".tmp" + std::to_string(GetCurrentProcessId());
    std::FILE* file = OpenFile(temp, "wb");
    if (!file) {
        error = path + ": cannot write (" + Reason(errno) + ")";
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = _commit(_fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok)
        ok = MoveFileExW(WidePath(temp).c_str(), WidePath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        _wremove(WidePath(temp).c_str());
        error = path + ": cannot write";
        return false;
    }
    return true;
}

bool UpdateFileAtomically(const std::string& path,
                          const std::function<bool(const std::string* current, std::string& text)>& change,
                          std::string& error) {
    // One lock for the user's session: the file itself is replaced by each write.
    HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\tuublark-kept-files");
    if (!lock || WaitForSingleObject(lock, INFINITE) == WAIT_FAILED) {
        error = path + ": cannot lock";
        if (lock) CloseHandle(lock);
        return false;
    }
    std::string current, text, ignored;
    const bool read = ReadTextFile(path, current, ignored);
    bool ok = true;
    if (change(read ? &current : nullptr, text)) ok = WriteFileAtomically(path, text, error);
    ReleaseMutex(lock);
    CloseHandle(lock);
    return ok;
}

}  // namespace tuublark
