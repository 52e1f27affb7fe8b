#pragma once

#include "CellGrid.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

// What the editor's tools do to a level's cells, as pure functions over the grid: each gives
// the cells to set, which the level then applies as one step. Cells are (column, row) of the
// playfield, counted from 1; nothing here reaches row 0 or column 0.

struct CellEdit
{
    QPoint cell;
    std::int32_t brick;
    bool operator==(const CellEdit &) const = default;
};
using CellEdits = std::vector<CellEdit>;

// A rectangle of cells copied out of a level: width x height bricks, row after row.
struct CellBlock
{
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> bricks;

    std::int32_t at(int x, int y) const { return bricks[std::size_t(x + width * y)]; }
    bool operator==(const CellBlock &) const = default;
};

namespace GridEdits {

inline const QRect Playfield(1, 1, GridColumns, GridRows);

// The cells of the rectangle with corners a and b (either way round), within the playfield.
QRect CellsBetween(QPoint a, QPoint b);

// Every cell of `cells` set to `brick`.
CellEdits FillRect(const QRect &cells, std::int32_t brick);

// The 4-connected region of cells holding the brick of `start` (empty cells count as brick 0).
std::vector<QPoint> FloodRegion(const CellGrid &grid, QPoint start);

// The edits, and the same edits at their mirror images about the playfield's centre: column x
// to 21 - x (leftRight), row y to 31 - y (topBottom), both for four-fold symmetry. Where an
// image falls on a cell the edits set themselves, the edits win.
CellEdits Mirrored(const CellEdits &edits, bool leftRight, bool topBottom);

// The whole layout mirrored: its brick positions, not its pictures.
CellEdits FlipLevel(const CellGrid &grid, bool horizontally);

// The whole layout moved by (dx, dy); none when a brick would leave the playfield.
std::optional<CellEdits> ShiftLevel(const CellGrid &grid, int dx, int dy);

CellBlock CopyBlock(const CellGrid &grid, const QRect &cells);

// The block with its top-left cell at `topLeft`, as a stamp: its empty cells leave the level's
// as they are, and only the cells inside the playfield are set.
CellEdits PasteBlock(const CellBlock &block, QPoint topLeft);

// The bricks of `cells` moved by (dx, dy): the cells they leave become empty, the empty cells of
// the block leave the cells they land on as they are. None when a brick would leave the
// playfield.
std::optional<CellEdits> MoveBlock(const CellGrid &grid, const QRect &cells, int dx, int dy);

// The brick positions of `cells` mirrored within it.
CellEdits FlipBlock(const CellGrid &grid, const QRect &cells, bool horizontally);

// The edits that change something, each cell once (the last edit of a cell wins).
CellEdits Changes(const CellGrid &grid, const CellEdits &edits);

} // namespace GridEdits
