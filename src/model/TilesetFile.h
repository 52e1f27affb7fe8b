#pragma once

#include "BrickRecord.h"
#include "BrickTable.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Count plus records 1..count of the table.
QByteArray EncodeTileset(const BrickTable &bricks, std::int32_t count);
void WriteTilesetFile(const QString &path, const BrickTable &bricks, std::int32_t count);

// A tileset file as read: its count and the bytes of its records.
class TilesetFileData
{
public:
    // Throws VorpexError when the bytes hold no count or the count is negative.
    explicit TilesetFileData(QByteArray fileBytes);

    std::int32_t count() const { return brickCount; }
    // Whole records the bytes hold after the count, however many the count says.
    qsizetype held() const { return (bytes.size() - 4) / BrickRecordSize; }

    // Record n (from 1); a record the file does not hold reads as zeros.
    BrickRecord record(int n) const;

private:
    QByteArray bytes;
    std::int32_t brickCount = 0;
};

TilesetFileData ReadTilesetFile(const QString &path);

// Cells of a tileset bitmap: width / 32 columns by height / 16 rows, each rounded to nearest
// with halves to even, and no more than the 16-bit cell numbers reach.
int TilesetCells(int pictureWidth, int pictureHeight);

// The companion bitmap: the path with its last three characters replaced by "bmp".
QString CompanionBitmapPath(const QString &tilesetPath);
