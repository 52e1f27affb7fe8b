#include "GridEdits.h"

#include <algorithm>
#include <bitset>

namespace GridEdits {

QRect CellsBetween(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
        .intersected(Playfield);
}

CellEdits FillRect(const QRect &cells, std::int32_t brick)
{
    CellEdits edits;
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            edits.push_back({{x, y}, brick});
    return edits;
}

std::vector<QPoint> FloodRegion(const CellGrid &grid, QPoint start)
{
    if (!Playfield.contains(start))
        return {};
    const std::int32_t brick = grid(start.x(), start.y());
    std::bitset<CellGrid::Size> seen;
    std::vector<QPoint> region{start}, todo{start};
    seen.set(std::size_t(start.x() + CellGrid::Stride * start.y()));
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        for (QPoint next :
             {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
            const std::size_t index = std::size_t(next.x() + CellGrid::Stride * next.y());
            if (!Playfield.contains(next) || seen.test(index) || grid(next.x(), next.y()) != brick)
                continue;
            seen.set(index);
            region.push_back(next);
            todo.push_back(next);
        }
    }
    return region;
}

CellEdits Mirrored(const CellEdits &edits, bool leftRight, bool topBottom)
{
    CellEdits all;
    for (const CellEdit &e : edits) {
        const QPoint c = e.cell;
        if (leftRight)
            all.push_back({{GridColumns + 1 - c.x(), c.y()}, e.brick});
        if (topBottom)
            all.push_back({{c.x(), GridRows + 1 - c.y()}, e.brick});
        if (leftRight && topBottom)
            all.push_back({{GridColumns + 1 - c.x(), GridRows + 1 - c.y()}, e.brick});
    }
    // The edits come last, so that they win over any image that falls on them.
    all.insert(all.end(), edits.begin(), edits.end());
    return all;
}

CellEdits FlipLevel(const CellGrid &grid, bool horizontally)
{
    return FlipBlock(grid, Playfield, horizontally);
}

std::optional<CellEdits> ShiftLevel(const CellGrid &grid, int dx, int dy)
{
    return MoveBlock(grid, Playfield, dx, dy);
}

CellBlock CopyBlock(const CellGrid &grid, const QRect &cells)
{
    CellBlock block{cells.width(), cells.height(), {}};
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            block.bricks.push_back(grid(x, y));
    return block;
}

CellEdits PasteBlock(const CellBlock &block, QPoint topLeft)
{
    CellEdits edits;
    for (int y = 0; y < block.height; ++y) {
        for (int x = 0; x < block.width; ++x) {
            const QPoint cell = topLeft + QPoint(x, y);
            if (block.at(x, y) != 0 && Playfield.contains(cell))
                edits.push_back({cell, block.at(x, y)});
        }
    }
    return edits;
}

std::optional<CellEdits> MoveBlock(const CellGrid &grid, const QRect &cells, int dx, int dy)
{
    const CellBlock block = CopyBlock(grid, cells);
    CellEdits edits = FillRect(cells, 0);
    const CellEdits moved = PasteBlock(block, cells.topLeft() + QPoint(dx, dy));
    if (std::count_if(block.bricks.begin(), block.bricks.end(),
                      [](std::int32_t b) { return b != 0; }) != std::ptrdiff_t(moved.size()))
        return std::nullopt;
    edits.insert(edits.end(), moved.begin(), moved.end());
    return edits;
}

CellEdits FlipBlock(const CellGrid &grid, const QRect &cells, bool horizontally)
{
    CellEdits edits;
    for (int y = cells.top(); y <= cells.bottom(); ++y) {
        for (int x = cells.left(); x <= cells.right(); ++x) {
            const int fromX = horizontally ? cells.left() + cells.right() - x : x;
            const int fromY = horizontally ? y : cells.top() + cells.bottom() - y;
            edits.push_back({{x, y}, grid(fromX, fromY)});
        }
    }
    return edits;
}

CellEdits Changes(const CellGrid &grid, const CellEdits &edits)
{
    CellGrid after = grid;
    std::bitset<CellGrid::Size> touched;
    std::vector<QPoint> order;
    for (const CellEdit &e : edits) {
        if (!Playfield.contains(e.cell))
            continue;
        after(e.cell.x(), e.cell.y()) = e.brick;
        const std::size_t index = std::size_t(e.cell.x() + CellGrid::Stride * e.cell.y());
        if (!touched.test(index)) {
            touched.set(index);
            order.push_back(e.cell);
        }
    }
    CellEdits changes;
    for (QPoint c : order) {
        if (after(c.x(), c.y()) != grid(c.x(), c.y()))
            changes.push_back({c, after(c.x(), c.y())});
    }
    return changes;
}

} // namespace GridEdits
