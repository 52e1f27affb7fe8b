#pragma once

#include "CellGrid.h"
#include "Geometry.h"

#include <QString>
#include <array>
#include <cstdint>

// The level being edited: the editor window's document fields.
struct LevelDocument
{
    CellGrid LevelGrid;
    std::array<std::int16_t, 5> Paddles{0, VbTrue, VbFalse, VbFalse, VbFalse}; // 1..4 used
    QString TileSetPath;
    QString BackPicPath;
    std::int16_t BackPicSet = VbFalse;
    std::int32_t BackTileWidth = 320;
    std::int32_t BackTileHeight = 240;
    std::int16_t BackTilesAcross = 0;
    std::int16_t BackTilesDown = 0;
    QString LevelPath;
    std::int16_t HasLevelPath = VbFalse;
    std::int16_t CurrentBrick = 0;
    std::int16_t MouseHeld = VbFalse;

    bool paddlePresent(int i) const { return Paddles[static_cast<std::size_t>(i)] == VbTrue; }

    // Values at program start.
    static LevelDocument atStart(const QString &appFolder);

    // Tile counts for the current tile size.
    void computeTileCounts();
};
