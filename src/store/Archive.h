#pragma once
// The byte encoding shared by the store files: little-endian integers, one-byte bools
// and length-prefixed strings. Reader and writer both buffer 4096 bytes.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace store {

// Fewer bytes left in the file than a value needs.
struct EndOfFile : std::runtime_error {
    EndOfFile() : std::runtime_error("unexpected end of file") {}
};

// A value no writer produces (a string longer than 0x7FFFFFFF).
struct ArchiveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kArchiveBufferSize = 4096;

// The stores are small: the whole file is read into memory first (up to
// kArchiveReadCap bytes), so no value can claim more than the bytes actually read.
inline constexpr std::size_t kArchiveReadCap = 64u << 20;

class ArchiveReader {
public:
    ArchiveReader() = default;
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens an existing regular file read-only and reads it in; false when that is not
    // possible. A FIFO or device under the name is never waited on.
    bool open(const std::string& path);
    void close();

    std::uint64_t fileSize() const { return data_.size(); }
    // Bytes not yet consumed by the read operations.
    std::uint64_t bytesLeft() const { return data_.size() - pos_; }
    // A read error or the size cap cut the content short.
    bool incomplete() const { return incomplete_; }

    bool readBool();
    std::uint8_t readByte();
    std::int16_t readInt16();
    std::uint16_t readUInt16();
    std::int32_t readInt32();
    std::uint32_t readUInt32();
    std::uint64_t readUInt64();
    std::int32_t readCount();
    // Single-byte strings come back as their bytes; wide ones converted to UTF-8.
    std::string readString();

private:
    void readRaw(void* out, std::size_t n);

    std::string data_;
    std::size_t pos_ = 0;
    bool open_ = false;
    bool incomplete_ = false;
};

// Writes into a file descriptor it does not own; flush() pushes the buffer out. The
// first write that fails is remembered and ends the writing: the values after it go
// nowhere, and flush() says so.
class ArchiveWriter {
public:
    explicit ArchiveWriter(int fd);
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void writeBool(bool value);
    void writeByte(std::uint8_t value);
    void writeInt16(std::int16_t value);
    void writeUInt16(std::uint16_t value);
    void writeInt32(std::int32_t value);
    void writeUInt32(std::uint32_t value);
    void writeUInt64(std::uint64_t value);
    void writeCount(std::int32_t value);
    void writeString(std::string_view value);
    // Returns false when a write failed, now or before; error() then says why.
    bool flush();
    // The errno of the write that failed; 0 while none did.
    int error() const { return error_; }

private:
    void writeRaw(const void* data, std::size_t n);

    int fd_;
    unsigned char buffer_[kArchiveBufferSize];
    std::size_t used_ = 0;
    int error_ = 0;
};

// UTF-16LE code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);

} // namespace store
