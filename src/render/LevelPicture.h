#pragma once

#include "Picture.h"
#include "model/CellGrid.h"

#include <QRect>
#include <array>
#include <span>

// The picture of a level as the editor's canvas shows it, drawn in layers: the ground (black,
// or the background repeated as tiles from the top-left corner and cut at the canvas's edges),
// the paddles that are present, then the bricks.

// The built-in paddle bars, shades of grey: 640 x 10 and 10 x 480.
const Picture &HorizontalPaddle();
const Picture &VerticalPaddle();

// Paddles 1..4 (bottom, right, top, left) present or not; element 0 unused.
using PaddleSet = std::array<bool, 5>;

// The top-left 640 x 480 of `ground`: `background` repeated from the top-left, or black for an
// empty background. Its cost does not grow with the number of tiles.
void TileGround(PixelView ground, ConstPixelView background);

// The paddles present, each 10 pixels inside its edge, drawn in order so that a later bar
// covers the crossing square of an earlier one; only inside `area`.
void DrawPaddles(PixelView canvas, const PaddleSet &paddles, const QRect &area);

// Brick n of `bricks` (index 1 up) into each playfield cell that holds n; cells holding 0, a
// negative value or a brick beyond the list show what lies beneath.
void DrawBricks(PixelView canvas, const CellGrid &grid, std::span<const Picture> bricks);

// The whole 640 x 480 picture.
Picture LevelImage(const CellGrid &grid,
                   const PaddleSet &paddles,
                   const Picture &background,
                   std::span<const Picture> bricks);
