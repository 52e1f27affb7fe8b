#include "model/TilesetFile.h"
#include "common/VorpexError.h"
#include "model/Geometry.h"
#include "model/ShooterCode.h"
#include "support/Fixtures.h"

#include <climits>
#include <gtest/gtest.h>

TEST(TilesetFile, CountThenRecordsOfSevenFieldsZerosWhereTheFileEndsAndNoBadCounts)
{
    BrickTable bricks;
    bricks.resize(2);
    bricks[1] = {1, 1, 1, 3, 1, 0, 0};
    bricks[2] = {17, 2, 2, 1, 1, 32, 16};
    EXPECT_EQ(EncodeTileset(bricks, 2), Le32({2, 1, 1, 1, 3, 1, 0, 0, 17, 2, 2, 1, 1, 32, 16}));
    EXPECT_EQ(EncodeTileset(bricks, 0), Le32({0}));
    // Read: records as zeros where the file ends; bad counts refused.
    const TilesetFileData file(Le32({3, 4, 1, 1, 1, 1, 96, 48, 2, 1, 1, 1, 1, 0}) + "xy");
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(file.record(1), (BrickRecord{4, 1, 1, 1, 1, 96, 48}));
    EXPECT_EQ(file.record(2), BrickRecord{}); // cut short
    EXPECT_EQ(file.record(3), BrickRecord{}); // missing
    // Four bytes may count 2147483647 bricks, the last 60 GB in: every one reads as zeros.
    for (int n : {MaxTilesetCells, INT_MAX - 1, INT_MAX})
        EXPECT_EQ(TilesetFileData(Le32({INT_MAX})).record(n), BrickRecord{}) << n;
    EXPECT_THROW(TilesetFileData(Le32({-1})), VorpexError);
    EXPECT_THROW(TilesetFileData(QByteArray("abc")), VorpexError);
}

TEST(TilesetGeometry, CellsRunDownEachColumnThenAcrossRoundHalvesToEvenAndTilesCoverTheCanvas)
{
    // A 64 x 48 bitmap: 2 columns of 3 rows, cell 4 at the top of the second column.
    EXPECT_EQ(TilesetCells(64, 48), 6);
    EXPECT_EQ(TilesetCellOrigin(3, 3).y, 32);
    EXPECT_EQ(std::pair(TilesetCellOrigin(4, 3).x, TilesetCellOrigin(4, 3).y), std::pair(32, 0));
    // 1.5 columns are 2, 2.5 are 2, 0.5 are 0; none past what a 16-bit brick number reaches.
    for (auto [width, height, cells] :
         {std::array{48, 16, 2}, {80, 16, 2}, {16, 16, 0}, {INT_MAX, 16, 32767}, {INT_MAX, 0, 0}})
        EXPECT_EQ(TilesetCells(width, height), cells) << width << " x " << height;
    EXPECT_EQ(CompanionBitmapPath("/a/Tls/A.vxt"), "/a/Tls/A.bmp");
    EXPECT_EQ(CompanionBitmapPath("/a/Tls/A.VXT"), "/a/Tls/A.bmp");
    // The smallest count of tiles that reaches the canvas's width or height.
    for (auto [size, length, count] :
         {std::array{639, 640, 2}, {640, 640, 1}, {641, 640, 1}, {100, 480, 5}, {1, 480, 480}})
        EXPECT_EQ(TileCount(size, length), count) << size << " of " << length;
}

TEST(ShooterCode, EveryPatternHasItsCode)
{
    // Top, right, bottom and left shooters, then the code.
    const std::pair<const char *, int> table[] = {
        {"0000", 0},  {"1000", 5},  {"0100", 6},  {"0010", 7},  {"0001", 8},  {"1100", 9},
        {"0110", 10}, {"0011", 11}, {"1001", 12}, {"1101", 13}, {"1110", 14}, {"0111", 15},
        {"1011", 16}, {"1111", 17}, {"0101", 18}, {"1010", 19}};
    for (auto [d, code] : table)
        EXPECT_EQ(ShooterCode(d[0] == '1', d[1] == '1', d[2] == '1', d[3] == '1'), code) << d;
}
