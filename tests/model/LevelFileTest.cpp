#include "model/LevelFile.h"
#include "common/VorpexError.h"
#include "model/LevelSetFile.h"
#include "support/Fixtures.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LevelFile, EveryFieldAtItsOffsetNamesCutAtThirtyBytesOrTrimmedAndNoShortFiles)
{
    LevelFileData level;
    level.paddles = {-1, 0, 0, -1};
    level.tilesetName = "Stone.vxt";
    level.backgroundName = "abcdefghijklmnopqrstuvwxyz01234.bmp";
    level.grid(1, 1) = 5;
    level.grid(20, 30) = 119;
    level.grid(0, 7) = 3;  // column 0 is stored too
    level.grid(4, 0) = -2; // and row 0, negatives included
    EXPECT_EQ(EncodeLevelFile(level),
              LevelBytes({-1, 0, 0, -1}, "Stone.vxt", "abcdefghijklmnopqrstuvwxyz0123",
                         {{1, 1, 5}, {20, 30, 119}, {0, 7, 3}, {4, 0, -2}}));

    const QByteArray bytes =
        LevelBytes({-1, 1, 0, -1}, "T.vxt", "  B b.bmp", {{0, 0, 7}, {3, 12, 42}, {20, 30, -9}});
    const LevelFileData decoded = DecodeLevelFile(bytes + QByteArray(328, 'x'));
    EXPECT_EQ(decoded.paddles, (std::array<std::int16_t, 4>{-1, 1, 0, -1}));
    EXPECT_EQ(decoded.tilesetName, "T.vxt");
    EXPECT_EQ(decoded.backgroundName, "  B b.bmp"); // only trailing blanks go
    EXPECT_EQ(std::tuple(decoded.grid(0, 0), decoded.grid(3, 12), decoded.grid(20, 30)),
              std::tuple(7, 42, -9));
    EXPECT_THROW(DecodeLevelFile(bytes.left(2671)), VorpexError);
}

TEST(LevelSetFile, ReadsWhatTheBuilderWritesLenientlyAndRefusesMismatchesAndFolders)
{
    const LevelSetFile set = LevelSetFile::decode("Caf\xe9 set\n 2\na.vxl  \nb.vxl\r\n\r\n");
    EXPECT_EQ(set.name, QString::fromUtf8("Caf\xc3\xa9 set"));
    EXPECT_EQ(set.levels, (QStringList{"a.vxl", "b.vxl"}));
    EXPECT_EQ(LevelSetFile::decode(LevelSetFile::encode("N", {"x.vxl"})).levels,
              QStringList{"x.vxl"});
    EXPECT_TRUE(LevelSetFile::decode("N\r\n 0 \r\n").levels.isEmpty());
    for (const char *bad : {"N\r\n 2 \r\na.vxl\r\n", "N\r\n 2 \r\na.vxl\r\n\r\nb.vxl\r\n",
                            "N\r\n 1 \r\n..\\a.vxl\r\n", "N\r\n x \r\n", "N\r\n -1 \r\n", "N",
                            "N\r\n 1 \r\na\rb.vxl\r\n"})
        EXPECT_THROW(LevelSetFile::decode(bad), VorpexError) << bad;
    // Nor is such a file ever written.
    const QTemporaryDir dir;
    for (const QStringList &levels : {QStringList{"a\nb.vxl"}, QStringList(32768, "a.vxl")})
        EXPECT_THROW(LevelSetFile::write(dir.filePath("S.vxs"), "N", levels), VorpexError);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("S.vxs")));
}
