#include "LoadedTileset.h"

#include "Blit.h"
#include "Picture.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "model/TilesetFile.h"

#include <algorithm>

LoadedTileset LoadedTileset::load(const QString &path)
{
    // The path as given stays the tileset's, whatever the case of the files found.
    const QString found = FindIgnoringCase(path);
    const TilesetFileData file = ReadTilesetFile(found);
    LoadedTileset tileset;
    tileset.path = path;
    tileset.count = file.count();
    tileset.picture = LoadPicture(FindIgnoringCase(CompanionBitmapPath(found)));
    const int records = std::min<qint64>(
        file.count(), TilesetCells(tileset.picture.width(), tileset.picture.height()));
    tileset.records.resize(static_cast<std::size_t>(records) + 1);
    for (int n = 1; n <= records; ++n)
        tileset.records[static_cast<std::size_t>(n)] = file.record(n);
    return tileset;
}

Picture LoadedTileset::brickPicture(int n) const
{
    Picture brick(CellWidth, CellHeight);
    const BrickRecord &r = records[static_cast<std::size_t>(n)];
    BlitPixels(brick.view(), 0, 0, CellWidth, CellHeight, picture.view(), r.PicX, r.PicY);
    return brick;
}

std::vector<Picture> LoadedTileset::brickPictures(int limit) const
{
    std::vector<Picture> bricks(static_cast<std::size_t>(std::min(recordCount(), limit)) + 1);
    for (std::size_t n = 1; n < bricks.size(); ++n)
        bricks[n] = brickPicture(static_cast<int>(n));
    return bricks;
}
