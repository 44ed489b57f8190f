#include "store/Archive.h"

#include "store/Posix.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            std::uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
    }
    return out;
}

// ---- reading ----

bool ArchiveReader::open(const std::string& path)
{
    close();
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    // A folder, FIFO or device under a store's name is as good as no file.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // st_size is only a hint: a file may hold more (a link into /proc) or grow meanwhile.
    char chunk[kArchiveBufferSize];
    for (;;) {
        const ssize_t got = RetryOnEintr([&] { return ::read(fd, chunk, sizeof chunk); });
        if (got < 0) {
            incomplete_ = true;
            break;
        }
        if (got == 0)
            break;
        const std::size_t room = kArchiveReadCap - data_.size();
        data_.append(chunk, std::min(static_cast<std::size_t>(got), room));
        if (static_cast<std::size_t>(got) > room) {
            incomplete_ = true;
            break;
        }
    }
    ::close(fd);
    open_ = true;
    return true;
}

void ArchiveReader::close()
{
    data_.clear();
    data_.shrink_to_fit();
    pos_ = 0;
    open_ = false;
    incomplete_ = false;
}

void ArchiveReader::readRaw(void* out, std::size_t n)
{
    if (!open_ || n > data_.size() - pos_)
        throw EndOfFile();
    std::memcpy(out, data_.data() + pos_, n);
    pos_ += n;
}

bool ArchiveReader::readBool()
{
    return readByte() != 0;
}

std::uint8_t ArchiveReader::readByte()
{
    std::uint8_t b;
    readRaw(&b, 1);
    return b;
}

std::uint16_t ArchiveReader::readUInt16()
{
    unsigned char b[2];
    readRaw(b, 2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::int16_t ArchiveReader::readInt16()
{
    return static_cast<std::int16_t>(readUInt16());
}

std::uint32_t ArchiveReader::readUInt32()
{
    unsigned char b[4];
    readRaw(b, 4);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::int32_t ArchiveReader::readInt32()
{
    return static_cast<std::int32_t>(readUInt32());
}

std::uint64_t ArchiveReader::readUInt64()
{
    std::uint64_t low = readUInt32();
    std::uint64_t high = readUInt32();
    return low | high << 32;
}

std::int32_t ArchiveReader::readCount()
{
    return readInt32();
}

std::string ArchiveReader::readString()
{
    bool wide = false;
    std::uint64_t length = readByte();
    if (length == 0xFF) {
        std::uint16_t w = readUInt16();
        if (w == 0xFFFE) {
            wide = true;
            length = readByte();
            if (length == 0xFF)
                w = readUInt16();
        }
        if (length == 0xFF) {
            length = w;
            if (w == 0xFFFF) {
                std::uint32_t d = readUInt32();
                length = d;
                if (d == 0xFFFFFFFF) {
                    std::uint64_t q = readUInt64();
                    if (q > 0x7FFFFFFF)
                        throw ArchiveError("string length out of range");
                    length = q;
                }
            }
        }
    }
    const std::uint64_t bytes = wide ? 2 * length : length;
    // A damaged prefix may claim gigabytes: check what was read before allocating.
    if (bytes > bytesLeft())
        throw EndOfFile();
    std::string raw(static_cast<std::size_t>(bytes), '\0');
    readRaw(raw.data(), raw.size());
    return wide ? Utf16LeToUtf8(raw) : raw;
}

// ---- writing ----

ArchiveWriter::ArchiveWriter(int fd) : fd_(fd) {}

bool ArchiveWriter::flush()
{
    if (error_ == 0 && used_ > 0 && !WriteAll(fd_, buffer_, used_))
        error_ = errno;
    used_ = 0;
    return error_ == 0;
}

void ArchiveWriter::writeRaw(const void* data, std::size_t n)
{
    if (error_ != 0)
        return;
    const auto* src = static_cast<const unsigned char*>(data);
    while (n > 0) {
        if (used_ == sizeof buffer_)
            flush();
        std::size_t take = std::min(n, sizeof buffer_ - used_);
        std::memcpy(buffer_ + used_, src, take);
        used_ += take;
        src += take;
        n -= take;
    }
}

void ArchiveWriter::writeBool(bool value)
{
    writeByte(value ? 1 : 0);
}

void ArchiveWriter::writeByte(std::uint8_t value)
{
    writeRaw(&value, 1);
}

void ArchiveWriter::writeUInt16(std::uint16_t value)
{
    unsigned char b[2] = {static_cast<unsigned char>(value),
                          static_cast<unsigned char>(value >> 8)};
    writeRaw(b, 2);
}

void ArchiveWriter::writeInt16(std::int16_t value)
{
    writeUInt16(static_cast<std::uint16_t>(value));
}

void ArchiveWriter::writeUInt32(std::uint32_t value)
{
    unsigned char b[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                          static_cast<unsigned char>(value >> 16),
                          static_cast<unsigned char>(value >> 24)};
    writeRaw(b, 4);
}

void ArchiveWriter::writeInt32(std::int32_t value)
{
    writeUInt32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeUInt64(std::uint64_t value)
{
    writeUInt32(static_cast<std::uint32_t>(value));
    writeUInt32(static_cast<std::uint32_t>(value >> 32));
}

void ArchiveWriter::writeCount(std::int32_t value)
{
    writeInt32(value);
}

void ArchiveWriter::writeString(std::string_view value)
{
    const std::uint64_t length = value.size();
    if (length < 0xFF) {
        writeByte(static_cast<std::uint8_t>(length));
    } else {
        writeByte(0xFF);
        if (length < 0xFFFE) {
            writeUInt16(static_cast<std::uint16_t>(length));
        } else {
            writeUInt16(0xFFFF);
            if (length < 0xFFFFFFFF) {
                writeUInt32(static_cast<std::uint32_t>(length));
            } else {
                writeUInt32(0xFFFFFFFF);
                writeUInt64(length);
            }
        }
    }
    writeRaw(value.data(), value.size());
}

} // namespace store
