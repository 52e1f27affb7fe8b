#pragma once

#include <cstdint>

// Fixed geometry of the playfield and of tileset cells.
inline constexpr int CellWidth = 32;
inline constexpr int CellHeight = 16;
inline constexpr int GridColumns = 20;
inline constexpr int GridRows = 30;
inline constexpr int CanvasWidth = 640;
inline constexpr int CanvasHeight = 480;

// Brick and cell numbers are 16-bit in the file formats, so a tileset bitmap has at most this
// many usable cells.
inline constexpr int MaxTilesetCells = 32767;

// The 16-bit truth values of the document and the level file.
inline constexpr std::int16_t VbTrue = -1;
inline constexpr std::int16_t VbFalse = 0;

// Number of tiles of the given size that reach the given length: the smallest count whose total
// is at least `length` (320 -> 2 for 640, 300 -> 3, 640 and more -> 1). Sizes below 1 give 0.
constexpr std::int16_t TileCount(std::int32_t tileSize, int length)
{
    if (tileSize < 1)
        return 0;
    return static_cast<std::int16_t>((length + tileSize - 1) / tileSize);
}

struct CellPoint
{
    int x;
    int y;
};

// Top-left pixel of tileset cell n (counted from 1, down each column, then across).
constexpr CellPoint TilesetCellOrigin(int n, int tilesDown)
{
    return {(n - 1) / tilesDown * CellWidth, (n - 1) % tilesDown * CellHeight};
}
