#include "model/LevelFile.h"
#include "common/VorpexError.h"
#include "model/Geometry.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace {

// The 2604 bytes of cells with the given (x, y) -> value pairs set, laid out as x + 21 * y.
QByteArray cellBytes(std::initializer_list<std::tuple<int, int, std::int32_t>> set)
{
    QByteArray cells(2604, '\0');
    for (auto [x, y, v] : set)
        cells.replace(4 * (x + 21 * y), 4, Le32({v}));
    return cells;
}

} // namespace

TEST(LevelFile, EncodesEveryFieldAtItsOffset)
{
    LevelFileData level;
    level.paddles = {-1, 0, 0, -1};
    level.tilesetName = QStringLiteral("Stone.vxt");
    level.backgroundName = QStringLiteral("DefaultBackground.bmp");
    level.grid(1, 1) = 5;
    level.grid(20, 30) = 119;
    level.grid(0, 7) = 3;  // column 0 is stored too
    level.grid(4, 0) = -2; // and row 0, negatives included

    const QByteArray expected = Le16({-1, 0, 0, -1}) + NameField("Stone.vxt") +
                                NameField("DefaultBackground.bmp") +
                                cellBytes({{1, 1, 5}, {20, 30, 119}, {0, 7, 3}, {4, 0, -2}});
    ASSERT_EQ(expected.size(), 2672);
    EXPECT_EQ(EncodeLevelFile(level), expected);
}

TEST(LevelFile, NamesAreCutAtThirtyBytesAndTrimmedOnReading)
{
    LevelFileData level;
    level.tilesetName = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"); // 30
    level.backgroundName = QStringLiteral("abcdefghijklmnopqrstuvwxyz01234.bmp");
    const QByteArray bytes = EncodeLevelFile(level);
    EXPECT_EQ(bytes.mid(8, 30), QByteArray("abcdefghijklmnopqrstuvwxyz0123"));
    EXPECT_EQ(bytes.mid(38, 30), QByteArray("abcdefghijklmnopqrstuvwxyz0123"));

    QByteArray withBlanks = bytes;
    withBlanks.replace(8, 30, NameField("ends in blanks   "));
    EXPECT_EQ(DecodeLevelFile(withBlanks).tilesetName, QStringLiteral("ends in blanks"));
}

TEST(LevelFile, DecodesTheLayoutAndIgnoresBytesAfterIt)
{
    const QByteArray bytes = Le16({-1, 1, 0, -1}) + NameField("T.vxt") + NameField("B.bmp") +
                             cellBytes({{0, 0, 7}, {3, 12, 42}, {20, 30, -9}}) +
                             QByteArray(328, 'x');
    const LevelFileData level = DecodeLevelFile(bytes);
    EXPECT_EQ(level.paddles, (std::array<std::int16_t, 4>{-1, 1, 0, -1}));
    EXPECT_EQ(level.tilesetName, QStringLiteral("T.vxt"));
    EXPECT_EQ(level.backgroundName, QStringLiteral("B.bmp"));
    EXPECT_EQ(level.grid(0, 0), 7);
    EXPECT_EQ(level.grid(3, 12), 42);
    EXPECT_EQ(level.grid(20, 30), -9);
    EXPECT_EQ(EncodeLevelFile(level), bytes.left(2672));
}

TEST(LevelFile, ShortFilesAreRefused)
{
    EXPECT_THROW(DecodeLevelFile(QByteArray(2671, '\0')), VorpexError);
    EXPECT_THROW(DecodeLevelFile(QByteArray()), VorpexError);
}

TEST(LevelFile, ASaveReplacesALongerFileWhole)
{
    TempAppFolder app;
    const QString path = app.lvl(QStringLiteral("long.vxl"));
    WriteBytes(path, QByteArray(3000, 'z'));
    LevelFileData level;
    level.tilesetName = QStringLiteral("A.vxt");
    WriteLevelFile(path, level);
    EXPECT_EQ(ReadBytes(path), EncodeLevelFile(level));
}

TEST(LevelFile, AFailedSaveLeavesTheOldFile)
{
    TempAppFolder app;
    // The folder the file should go into does not exist.
    EXPECT_THROW(WriteLevelFile(app.path() + QStringLiteral("/missing/x.vxl"), LevelFileData{}),
                 VorpexError);
    EXPECT_THROW(ReadLevelFile(app.path() + QStringLiteral("/Lvl")), VorpexError);
}

TEST(TileCount, SmallestCountThatReachesTheCanvas)
{
    EXPECT_EQ(TileCount(320, CanvasWidth), 2);
    EXPECT_EQ(TileCount(300, CanvasWidth), 3);
    EXPECT_EQ(TileCount(200, CanvasWidth), 4);
    EXPECT_EQ(TileCount(100, CanvasWidth), 7);
    EXPECT_EQ(TileCount(639, CanvasWidth), 2);
    EXPECT_EQ(TileCount(640, CanvasWidth), 1);
    EXPECT_EQ(TileCount(641, CanvasWidth), 1);
    EXPECT_EQ(TileCount(240, CanvasHeight), 2);
    EXPECT_EQ(TileCount(100, CanvasHeight), 5);
    EXPECT_EQ(TileCount(1, CanvasHeight), 480);
}
