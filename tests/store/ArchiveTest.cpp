#include "store/Archive.h"
#include "LargestAllocation.h"
#include "StoreTestSupport.h"
#include "support/FileSizeLimit.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

using store::ArchiveReader;
using store::ArchiveWriter;

class ArchiveTest : public StoreFolderTest {
protected:
    Bytes written(const std::function<void(ArchiveWriter&)>& write)
    {
        int fd = ::open(path("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        ArchiveWriter writer(fd);
        write(writer);
        writer.flush();
        ::close(fd);
        return readFile("out");
    }

    ArchiveReader& over(const Bytes& bytes)
    {
        writeFile("in", bytes);
        EXPECT_TRUE(reader_.open(path("in")));
        return reader_;
    }

    std::string readString(const Bytes& bytes) { return over(bytes).readString(); }

    ArchiveReader reader_;
};

TEST_F(ArchiveTest, PrimitivesAreLittleEndianAndReadBack)
{
    Bytes bytes = written([](ArchiveWriter& w) {
        w.writeBool(false);
        w.writeBool(true);
        w.writeByte(0xAB);
        w.writeInt16(-2);
        w.writeUInt16(0xBEEF);
        w.writeInt32(-11);
        w.writeCount(3);
    });
    EXPECT_EQ(bytes, Hex("00 01 AB FE FF EF BE F5 FF FF FF 03 00 00 00"));

    ArchiveReader& r = over(bytes);
    EXPECT_FALSE(r.readBool());
    EXPECT_TRUE(r.readBool());
    EXPECT_EQ(r.readByte(), 0xAB);
    EXPECT_EQ(r.readInt16(), -2);
    EXPECT_EQ(r.readUInt16(), 0xBEEF);
    EXPECT_EQ(r.readInt32(), -11);
    EXPECT_EQ(r.readCount(), 3);
    EXPECT_THROW(r.readByte(), store::EndOfFile);
}

TEST_F(ArchiveTest, AnyNonZeroByteReadsAsTrueAndCountsAreSigned)
{
    ArchiveReader& r = over(Hex("02 FF 80 FE FF FF FF"));
    EXPECT_TRUE(r.readBool());
    EXPECT_TRUE(r.readBool());
    EXPECT_TRUE(r.readBool());
    EXPECT_EQ(r.readCount(), -2);
}

TEST_F(ArchiveTest, StringLengthPrefixes)
{
    struct Case {
        std::size_t length;
        Bytes prefix;
    } cases[] = {
        {0, Hex("00")},
        {254, Hex("FE")},
        {255, Hex("FF FF 00")},
        {300, Hex("FF 2C 01")},
        {0xFFFD, Hex("FF FD FF")},
        {0xFFFE, Hex("FF FF FF FE FF 00 00")},
        {70000, Hex("FF FF FF 70 11 01 00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        Bytes bytes = written([&](ArchiveWriter& w) { w.writeString(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix);
        EXPECT_EQ(readString(bytes), text);
    }
    EXPECT_EQ(written([](ArchiveWriter& w) { w.writeString("Home"); }), Hex("04 48 6F 6D 65"));
}

TEST_F(ArchiveTest, WideStringsAreConvertedToUtf8)
{
    EXPECT_EQ(readString(Hex("FF FE FF 03 41 00 42 00 43 00")), "ABC");
    EXPECT_EQ(readString(Hex("FF FE FF 00")), "");
    // U+00E9 and U+20AC, then a surrogate pair for U+1F600.
    EXPECT_EQ(readString(Hex("FF FE FF 04 E9 00 AC 20 3D D8 00 DE")),
              "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    // A lone surrogate cannot become UTF-8 and is replaced.
    EXPECT_EQ(readString(Hex("FF FE FF 02 00 DC 41 00")), "\xEF\xBF\xBD"
                                                          "A");
    // Wide with a 16-bit length.
    Bytes longWide = Hex("FF FE FF FF 2C 01");
    for (int i = 0; i < 300; ++i)
        longWide.insert(longWide.end(), {0x5A, 0x00});
    EXPECT_EQ(readString(longWide), std::string(300, 'Z'));
}

TEST_F(ArchiveTest, ShortFilesRaiseEndOfFile)
{
    EXPECT_THROW(over({}).readCount(), store::EndOfFile);
    EXPECT_THROW(over(Hex("01 00 00")).readCount(), store::EndOfFile);
    // Ends in the middle of the characters: no short string comes back.
    EXPECT_THROW(readString(Hex("04 48 6F 6D")), store::EndOfFile);
    EXPECT_THROW(readString(Hex("FF 2C")), store::EndOfFile);
    EXPECT_THROW(readString(Hex("FF FE FF 03 41 00 42 00 43")), store::EndOfFile);
}

TEST_F(ArchiveTest, HugeClaimedLengthsFailWithoutAllocating)
{
    const Bytes claims[] = {
        Hex("FF FF FF FE FF FF FF 41"),                         // 32-bit length
        Hex("FF FE FF FF FF FF FE FF FF 7F 41 00"),             // wide, 2 x 32-bit length
        Hex("FF FF FF FF FF FF FF FF FF FF 7F 00 00 00 00 41"), // 64-bit length
    };
    for (const Bytes& claim : claims) {
        writeFile("in", claim);
        ArchiveReader r;
        ASSERT_TRUE(r.open(path("in")));
        ResetLargestAllocation();
        EXPECT_THROW(r.readString(), store::EndOfFile);
        EXPECT_LT(LargestAllocation(), 1024u);
    }
    // A 64-bit length above 0x7FFFFFFF is not a length any writer produces.
    EXPECT_THROW(readString(Hex("FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00")),
                 store::ArchiveError);
    EXPECT_THROW(readString(Hex("FF FF FF FF FF FF FF 05 00 00 00 01 00 00 00")),
                 store::ArchiveError);
}

TEST_F(ArchiveTest, SixtyFourBitLengthWithinRangeIsRead)
{
    EXPECT_EQ(readString(Hex("FF FF FF FF FF FF FF 02 00 00 00 00 00 00 00 4F 4B")), "OK");
}

TEST_F(ArchiveTest, ValuesAcrossTheBufferBoundaryRoundTrip)
{
    const std::string big(5000, 'q');
    Bytes bytes = written([&](ArchiveWriter& w) {
        for (int i = 0; i < 1021; ++i)
            w.writeInt32(i);
        w.writeString(big);
        w.writeInt32(-7);
        w.writeUInt16(0x1234);
    });
    ASSERT_EQ(bytes.size(), 1021u * 4 + 3 + 5000 + 4 + 2);
    ArchiveReader& r = over(bytes);
    for (int i = 0; i < 1021; ++i)
        ASSERT_EQ(r.readInt32(), i);
    EXPECT_EQ(r.readString(), big);
    EXPECT_EQ(r.readInt32(), -7);
    EXPECT_EQ(r.readUInt16(), 0x1234);
    EXPECT_EQ(r.bytesLeft(), 0u);
}

TEST_F(ArchiveTest, OpeningForReadingFailsQuietly)
{
    ArchiveReader r;
    EXPECT_FALSE(r.open(path("missing")));
    std::filesystem::create_directory(path("folder"));
    EXPECT_FALSE(r.open(path("folder")));
}

TEST_F(ArchiveTest, AFullDiskFailsTheWriterAndNothingFollowsTheFailure)
{
    // /dev/full takes nothing: the flush in the middle of a long write already fails.
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    {
        ArchiveWriter w(full);
        w.writeString(std::string(5000, 'x'));
        EXPECT_FALSE(w.flush());
        EXPECT_EQ(w.error(), ENOSPC);
    }
    ::close(full);

    // A file that fills up at 100 bytes keeps those; once failed, the writer writes
    // nothing more, even where there would be room again.
    int fd = ::open(path("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    {
        ArchiveWriter w(fd);
        LimitFileSize(100);
        for (int i = 0; i < 50; ++i)
            w.writeInt32(i);
        EXPECT_FALSE(w.flush());
        LimitFileSize(std::nullopt);
        EXPECT_EQ(w.error(), EFBIG);
        w.writeInt32(-1);
        EXPECT_FALSE(w.flush());
    }
    ::close(fd);
    EXPECT_EQ(readFile("out").size(), 100u);
}

} // namespace
