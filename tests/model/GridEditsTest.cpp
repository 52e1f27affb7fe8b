// What the tools do to cells, without a window: at the playfield's edges and centre lines.
#include "model/GridEdits.h"
#include "model/CellBlockText.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace GridEdits;

namespace {

CellGrid after(const CellGrid &grid, const CellEdits &edits)
{
    CellGrid result = grid;
    for (const CellEdit &e : Changes(grid, edits))
        result(e.cell.x(), e.cell.y()) = e.brick;
    return result;
}

} // namespace

TEST(GridEditsTest, RectanglesFloodsAndMirrorImagesKeepToThePlayfield)
{
    EXPECT_EQ(CellsBetween({22, 3}, {19, -1}), QRect(QPoint(19, 1), QPoint(20, 3)));
    EXPECT_EQ(FillRect(CellsBetween({20, 30}, {20, 30}), 4), (CellEdits{{{20, 30}, 4}}));

    // A wall down column 5 with a gap at the bottom: the empty region goes round it and
    // touches every border; the wall is a region of its own; corners do not connect.
    CellGrid grid;
    for (int y = 1; y < GridRows; ++y)
        grid(5, y) = 1;
    grid(8, 8) = 2;
    grid(9, 9) = 2;
    EXPECT_EQ(FloodRegion(grid, {20, 30}).size(), 600u - 29 - 2);
    EXPECT_EQ(FloodRegion(grid, {5, 1}).size(), 29u);
    EXPECT_EQ(FloodRegion(grid, {8, 8}).size(), 1u);
    EXPECT_TRUE(FloodRegion(grid, {0, 3}).empty());

    // Columns 10 and 11, rows 15 and 16 are each other's images; (1, 1) has three.
    const CellGrid four = after({}, Mirrored({{{10, 15}, 5}, {{1, 1}, 6}}, true, true));
    for (QPoint c : {QPoint(10, 15), QPoint(11, 15), QPoint(10, 16), QPoint(11, 16)})
        EXPECT_EQ(four(c.x(), c.y()), 5);
    for (QPoint c : {QPoint(1, 1), QPoint(20, 1), QPoint(1, 30), QPoint(20, 30)})
        EXPECT_EQ(four(c.x(), c.y()), 6);
    // An image falling on a cell the edits set leaves it as the edits set it.
    const CellGrid pair = after({}, Mirrored({{{10, 1}, 1}, {{11, 1}, 2}}, true, false));
    EXPECT_EQ(std::tuple(pair(10, 1), pair(11, 1), pair(11, 30)), std::tuple(1, 2, 0));
    EXPECT_EQ(Changes({}, Mirrored({{{3, 4}, 7}}, false, false)), (CellEdits{{{3, 4}, 7}}));
}

TEST(GridEditsTest, FlipsShiftsAndBlocksMoveBrickPositionsOnly)
{
    CellGrid grid;
    grid(1, 1) = 1;
    grid(2, 1) = 2;
    grid(3, 2) = 3;
    grid(0, 1) = 9; // outside the playfield: never touched
    const CellGrid flipped = after(grid, FlipLevel(grid, true));
    EXPECT_EQ(
        std::tuple(flipped(20, 1), flipped(19, 1), flipped(18, 2), flipped(1, 1), flipped(0, 1)),
        std::tuple(1, 2, 3, 0, 9));
    EXPECT_EQ(after(grid, FlipLevel(grid, false))(1, 30), 1);
    // An odd span keeps its middle column, an even one swaps all.
    EXPECT_EQ(after(grid, FlipBlock(grid, QRect(1, 1, 3, 2), true))(2, 1), 2);
    const CellGrid even = after(grid, FlipBlock(grid, QRect(1, 1, 4, 1), true));
    EXPECT_EQ(std::tuple(even(4, 1), even(3, 1), even(1, 1)), std::tuple(1, 2, 0));

    // Nothing may leave the playfield: column 1 holds bricks, so no shift left.
    EXPECT_FALSE(ShiftLevel(grid, -1, 0));
    const CellGrid down = after(grid, *ShiftLevel(grid, 0, 1));
    EXPECT_EQ(std::tuple(down(1, 2), down(1, 1), down(3, 3), down(0, 1)), std::tuple(1, 0, 3, 9));

    // A moved block leaves empty cells behind; its own empty cells cover nothing.
    grid(5, 2) = 5;
    const CellGrid moved = after(grid, *MoveBlock(grid, QRect(1, 1, 3, 2), 2, 0));
    EXPECT_EQ(
        std::tuple(moved(1, 1), moved(2, 1), moved(3, 1), moved(4, 1), moved(5, 2), moved(5, 1)),
        std::tuple(0, 0, 1, 2, 3, 0));
    EXPECT_FALSE(MoveBlock(grid, QRect(1, 1, 2, 1), 0, -1));
    EXPECT_TRUE(MoveBlock(grid, QRect(1, 29, 2, 2), 0, 1)); // only empty cells leave

    // A block pasted at the corner keeps the cells inside.
    const CellBlock block = CopyBlock(grid, QRect(1, 1, 3, 2));
    EXPECT_EQ(block, (CellBlock{3, 2, {1, 2, 0, 0, 0, 3}}));
    EXPECT_EQ(PasteBlock(block, {19, 29}), (CellEdits{{{19, 29}, 1}, {{20, 29}, 2}}));
}

TEST(GridEditsTest, TheClipboardTakesBlocksAndNothingElse)
{
    const CellBlock block{3, 2, {0, 119, 32767, 4, 0, 1}};
    EXPECT_EQ(CellBlockAsText(block), "0 119 32767\n4 0 1\n");
    EXPECT_EQ(DecodeCellBlock(EncodeCellBlock(block, "Stone.vxt")), block);
    EXPECT_EQ(CellBlockFromText("0 119\t32767\r\n4 0  1\r\n"), block);
    EXPECT_EQ(CellBlockFromText(QStringList(30, "7").join('\n'))->height, 30);

    const QString wide = QStringList(21, "1").join(' ');
    for (const QString &bad : {QString(""), QString("\n"), QString("1 2\n3"), QString("1\n\n2"),
                               wide, QStringList(31, "1").join('\n'), QString("32768"),
                               QString("-1"), QString("1e3"), QString("x"), QString(100000, u'1')})
        EXPECT_FALSE(CellBlockFromText(bad)) << bad.left(40).toStdString();
    EXPECT_FALSE(DecodeCellBlock("2 1\nStone.vxt\n1 2 3\n"));
    EXPECT_FALSE(DecodeCellBlock("1 2 3"));
}
