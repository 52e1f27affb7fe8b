#include "model/TilesetFile.h"
#include "common/VorpexError.h"
#include "model/Geometry.h"
#include "model/ShooterCode.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

TEST(TilesetFile, CountThenRecordsOfSevenFields)
{
    BrickTable bricks;
    bricks.resize(2);
    bricks[1] = {1, 1, 1, 3, 1, 0, 0};
    bricks[2] = {17, 2, 2, 1, 1, 32, 16};
    EXPECT_EQ(EncodeTileset(bricks, 2), Le32({2, 1, 1, 1, 3, 1, 0, 0, 17, 2, 2, 1, 1, 32, 16}));
    EXPECT_EQ(EncodeTileset(bricks, 0), Le32({0}));
}

TEST(TilesetFile, ReadsRecordsAndZerosWhereTheFileEnds)
{
    const TilesetFileData file(Le32({3, 4, 1, 1, 1, 1, 96, 48, 2, 1, 1, 1, 1, 0}) + "xy");
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(file.record(1), (BrickRecord{4, 1, 1, 1, 1, 96, 48}));
    // Record 2 is cut short and record 3 is missing: both read as zeros.
    EXPECT_EQ(file.record(2), BrickRecord{});
    EXPECT_EQ(file.record(3), BrickRecord{});
}

TEST(TilesetFile, NegativeCountsAndFilesWithoutACountAreRefused)
{
    EXPECT_THROW(TilesetFileData(Le32({-1})), VorpexError);
    EXPECT_THROW(TilesetFileData(QByteArray("abc")), VorpexError);
    EXPECT_EQ(TilesetFileData(Le32({2147483647})).count(), 2147483647);
}

TEST(TilesetFile, WriteReplacesAnOlderLongerFile)
{
    TempAppFolder app;
    const QString path = app.tls(QStringLiteral("T.vxt"));
    WriteBytes(path, QByteArray(500, '\x7f'));
    BrickTable bricks;
    bricks.resize(1);
    bricks[1] = {2, 1, 1, 1, 1, 0, 0};
    WriteTilesetFile(path, bricks, 1);
    EXPECT_EQ(ReadBytes(path), Le32({1, 2, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(ReadTilesetFile(path).record(1), bricks[1]);
}

TEST(TilesetGeometry, CellsRunDownEachColumnThenAcross)
{
    // A 64 x 48 bitmap: 2 columns of 3 rows.
    EXPECT_EQ(TilesetCellOrigin(1, 3).x, 0);
    EXPECT_EQ(TilesetCellOrigin(3, 3).y, 32);
    EXPECT_EQ(TilesetCellOrigin(4, 3).x, 32);
    EXPECT_EQ(TilesetCellOrigin(4, 3).y, 0);
    EXPECT_EQ(TilesetCells(64, 48), 6);
    // Sizes that do not divide round to nearest, halves to even: 48 / 32 = 1.5 -> 2, 80 / 32 = 2.5
    // -> 2.
    EXPECT_EQ(TilesetCells(48, 16), 2);
    EXPECT_EQ(TilesetCells(80, 16), 2);
    EXPECT_EQ(TilesetCells(16, 16), 0);
    // 16-bit cell numbers bound the cells a bitmap can hold.
    EXPECT_EQ(TilesetCells(32 * 300, 16 * 300), MaxTilesetCells);
}

TEST(TilesetGeometry, CompanionBitmapReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(CompanionBitmapPath(QStringLiteral("/a/Tls/A.vxt")), QStringLiteral("/a/Tls/A.bmp"));
    EXPECT_EQ(CompanionBitmapPath(QStringLiteral("/a/Tls/A.VXT")), QStringLiteral("/a/Tls/A.bmp"));
    EXPECT_EQ(CompanionBitmapPath(QStringLiteral("x")), QStringLiteral("bmp"));
}

TEST(ShooterCode, EveryPatternHasItsCode)
{
    struct Row
    {
        bool top, right, bottom, left;
        int code;
    };
    const Row table[] = {
        {0, 0, 0, 0, 0},  {1, 0, 0, 0, 5},  {0, 1, 0, 0, 6},  {0, 0, 1, 0, 7},
        {0, 0, 0, 1, 8},  {1, 1, 0, 0, 9},  {0, 1, 1, 0, 10}, {0, 0, 1, 1, 11},
        {1, 0, 0, 1, 12}, {1, 1, 0, 1, 13}, {1, 1, 1, 0, 14}, {0, 1, 1, 1, 15},
        {1, 0, 1, 1, 16}, {1, 1, 1, 1, 17}, {0, 1, 0, 1, 18}, {1, 0, 1, 0, 19},
    };
    for (const Row &r : table)
        EXPECT_EQ(ShooterCode(r.top, r.right, r.bottom, r.left), r.code)
            << r.top << r.right << r.bottom << r.left;
}
