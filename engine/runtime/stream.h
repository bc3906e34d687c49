// Seekable byte streams over files and memory.
//
// Loaders read through TStream. A read that cannot deliver every byte it
// asks for throws TStreamError ("Error reading from stream"), which the
// loader front ends catch and treat as "not recognised".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tuublark {

class TStreamError : public std::runtime_error {
public:
    explicit TStreamError(const std::string& message) : std::runtime_error(message) {}
};

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual int64_t Position() const = 0;
    // Returns false when the position is out of range or the stream cannot seek.
    virtual bool Seek(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    bool AtEnd() const { return Position() >= Size(); }

    // Reads exactly `count` bytes or throws TStreamError.
    void ReadExactly(void* buffer, size_t count);
    uint8_t ReadU8();
    uint16_t ReadU16LE();
    uint32_t ReadU32LE();
    int32_t ReadI32LE() { return static_cast<int32_t>(ReadU32LE()); }
    // Skips `count` bytes forward or throws TStreamError past the end.
    void Skip(int64_t count);
};

class TMemoryStream : public TStream {
public:
    // Keeps its own copy of the bytes.
    explicit TMemoryStream(std::vector<uint8_t> bytes);
    TMemoryStream(const void* data, size_t size);

    size_t Read(void* buffer, size_t count) override;
    int64_t Position() const override { return position_; }
    bool Seek(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};

class TFileStream : public TStream {
public:
    // Null when the file cannot be opened for reading.
    static std::unique_ptr<TFileStream> Open(const std::string& path);
    ~TFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    int64_t Position() const override;
    bool Seek(int64_t position) override;
    int64_t Size() const override { return size_; }

private:
    TFileStream(std::FILE* file, int64_t size) : file_(file), size_(size) {}
    std::FILE* file_;
    int64_t size_;
};

// Opens an asset by its game path ("graphics/Croc1.bmp"), resolved through
// the data folder with case-insensitive matching (see filesystem.h).
std::unique_ptr<TStream> OpenStream(const std::string& path);

// Reads a whole file resolved like OpenStream; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace tuublark
