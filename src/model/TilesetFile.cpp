#include "TilesetFile.h"

#include "FileIO.h"
#include "Geometry.h"
#include "LittleEndian.h"
#include "common/Rounding.h"
#include "common/VorpexError.h"

#include <algorithm>

QByteArray EncodeTileset(const BrickTable &bricks, std::int32_t count)
{
    QByteArray out;
    out.reserve(4 + BrickRecordSize * std::max(count, 0));
    PutLE32(out, count);
    for (int n = 1; n <= count; ++n) {
        const BrickRecord &b = bricks[n];
        for (std::int32_t v : {b.Action, b.Frames, b.AnimFrame, b.Hits, b.HitStage, b.PicX, b.PicY})
            PutLE32(out, v);
    }
    return out;
}

void WriteTilesetFile(const QString &path, const BrickTable &bricks, std::int32_t count)
{
    WriteFileAtomically(path, EncodeTileset(bricks, count));
}

TilesetFileData::TilesetFileData(QByteArray fileBytes) : bytes(std::move(fileBytes))
{
    if (bytes.size() < 4)
        throw VorpexError(QStringLiteral("A tileset file starts with its brick count."));
    brickCount = GetLE32(bytes, 0);
    if (brickCount < 0)
        throw VorpexError(QStringLiteral("The brick count is negative."));
}

BrickRecord TilesetFileData::record(int n) const
{
    const qsizetype offset = 4 + static_cast<qsizetype>(BrickRecordSize) * (n - 1);
    BrickRecord r;
    if (n < 1 || offset + BrickRecordSize > bytes.size())
        return r;
    std::int32_t *fields[] = {&r.Action,   &r.Frames, &r.AnimFrame, &r.Hits,
                              &r.HitStage, &r.PicX,   &r.PicY};
    for (int i = 0; i < 7; ++i)
        *fields[i] = GetLE32(bytes, offset + 4 * i);
    return r;
}

TilesetFileData ReadTilesetFile(const QString &path)
{
    return TilesetFileData(ReadFileBytes(path, 4 + qint64(BrickRecordSize) * MaxTilesetCells));
}

int TilesetCells(int pictureWidth, int pictureHeight)
{
    const double columns = RoundHalfEven(pictureWidth / double(CellWidth));
    const double rows = RoundHalfEven(pictureHeight / double(CellHeight));
    return static_cast<int>(std::min(columns * rows, double(MaxTilesetCells)));
}

QString CompanionBitmapPath(const QString &tilesetPath)
{
    return tilesetPath.left(std::max<qsizetype>(tilesetPath.size() - 3, 0)) + QStringLiteral("bmp");
}
