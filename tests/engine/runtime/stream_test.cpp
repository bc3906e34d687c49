#include <gtest/gtest.h>

#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

TEST(MemoryStream, ReadsLittleEndianFieldsAndSeeks) {
    const uint8_t bytes[] = {0x42, 0x4D, 0x10, 0x20, 0x01, 0x02, 0x03, 0x84};
    TMemoryStream s(bytes, sizeof bytes);
    EXPECT_EQ(s.ReadU8(), 0x42);
    EXPECT_EQ(s.ReadU8(), 0x4D);
    EXPECT_EQ(s.ReadU16LE(), 0x2010);
    EXPECT_EQ(s.ReadU32LE(), 0x84030201u);
    EXPECT_TRUE(s.AtEnd());
    EXPECT_TRUE(s.Seek(2));
    EXPECT_EQ(s.ReadI32LE(), 0x02012010);
    EXPECT_FALSE(s.Seek(9));
    EXPECT_FALSE(s.Seek(-1));
    EXPECT_EQ(s.Position(), 6);
}

TEST(MemoryStream, ShortReadsThrowTheStreamError) {
    const uint8_t bytes[] = {1, 2, 3};
    TMemoryStream s(bytes, sizeof bytes);
    EXPECT_THROW(s.ReadU32LE(), TStreamError);
    s.Seek(0);
    EXPECT_THROW(s.Skip(4), TStreamError);
    EXPECT_THROW(s.Skip(-1), TStreamError);
    s.Skip(3);
    EXPECT_THROW(s.ReadU8(), TStreamError);
    try {
        s.ReadU8();
    } catch (const TStreamError& e) {
        EXPECT_STREQ(e.what(), "Error reading from stream");
    }
}

TEST(MemoryStream, PartialReadReturnsWhatIsThere) {
    TMemoryStream s(std::vector<uint8_t>{9, 8, 7});
    uint8_t buffer[8] = {};
    EXPECT_EQ(s.Read(buffer, 8), 3u);
    EXPECT_EQ(buffer[2], 7);
    EXPECT_EQ(s.Read(buffer, 8), 0u);
}

TEST(FileStream, MissingFileGivesNull) { EXPECT_EQ(TFileStream::Open("/nonexistent/file.bin"), nullptr); }

}  // namespace
}  // namespace tuublark
