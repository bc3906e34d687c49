#include "engine/runtime/stream.h"

#include <cstring>

#ifdef _WIN32
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/runtime/file_open.h"
#include "engine/runtime/filesystem.h"

namespace tuublark {

void TStream::ReadExactly(void* buffer, size_t count) {
    if (Read(buffer, count) != count) throw TStreamError("Error reading from stream");
}

uint8_t TStream::ReadU8() {
    uint8_t b;
    ReadExactly(&b, 1);
    return b;
}

uint16_t TStream::ReadU16LE() {
    uint8_t b[2];
    ReadExactly(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t TStream::ReadU32LE() {
    uint8_t b[4];
    ReadExactly(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
}

void TStream::Skip(int64_t count) {
    if (count < 0 || Position() + count > Size() || !Seek(Position() + count))
        throw TStreamError("Error reading from stream");
}

TMemoryStream::TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

TMemoryStream::TMemoryStream(const void* data, size_t size)
    : bytes_(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size) {}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    int64_t left = Size() - position_;
    if (left <= 0 || count == 0) return 0;
    size_t n = count < static_cast<size_t>(left) ? count : static_cast<size_t>(left);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

bool TMemoryStream::Seek(int64_t position) {
    if (position < 0 || position > Size()) return false;
    position_ = position;
    return true;
}

std::unique_ptr<TFileStream> TFileStream::Open(const std::string& path) {
    // Only regular files: a folder has no size to read, and opening a pipe
    // or a device may wait for ever.
#ifdef _WIN32
    struct _stat64 info {};
    if (_wstat64(WidePath(path).c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return nullptr;
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return nullptr;
#else
    // Opened without waiting, then checked on the very file opened.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && fcntl(fd, F_SETFL, O_RDONLY) == 0) file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return nullptr;
    }
#endif
    return std::unique_ptr<TFileStream>(new TFileStream(file, static_cast<int64_t>(info.st_size)));
}

TFileStream::~TFileStream() { std::fclose(file_); }

size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

int64_t TFileStream::Position() const { return std::ftell(file_); }

bool TFileStream::Seek(int64_t position) {
    if (position < 0 || position > size_) return false;
    return std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

std::unique_ptr<TStream> OpenStream(const std::string& path) {
    std::string resolved = ResolveAssetPath(path);
    if (resolved.empty()) return nullptr;
    return TFileStream::Open(resolved);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    // No asset comes near this; a larger file is refused before its memory
    // is asked for.
    constexpr int64_t kLargestWholeFile = int64_t{256} << 20;
    auto stream = OpenStream(path);
    if (!stream || stream->Size() > kLargestWholeFile) return false;
    bytes.resize(static_cast<size_t>(stream->Size()));
    return bytes.empty() || stream->Read(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace tuublark
