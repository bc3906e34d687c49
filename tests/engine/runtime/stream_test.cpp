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

TEST(FileStream, MissingFileGivesNull) { EXPECT_EQ(TFileStream::Open("/nonexistent/file.bin"), nullptr); }

}  // namespace
}  // namespace tuublark
