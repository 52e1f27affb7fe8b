#include "LevelDocument.h"

#include "common/AppFolders.h"

LevelDocument LevelDocument::atStart(const QString &appFolder)
{
    LevelDocument doc;
    doc.TileSetPath = AppFolders::InFolder(appFolder, AppFolders::Tilesets,
                                           QLatin1String(AppFolders::DefaultTileSet));
    return doc;
}

void LevelDocument::computeTileCounts()
{
    BackTilesAcross = TileCount(BackTileWidth, CanvasWidth);
    BackTilesDown = TileCount(BackTileHeight, CanvasHeight);
}
