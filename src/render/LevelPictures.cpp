#include "LevelPictures.h"

#include "LoadedLevel.h"
#include "common/VorpexError.h"

Picture LevelPictures::image(const QString &levelPath, bool withPaddles, QString *noBackground)
{
    const LevelFileData file = LoadedLevel::readFile(levelPath);
    const QString tilesetPath = LoadedLevel::tilesetPathOf(file, appFolder);
    auto tileset = tilesets.find(tilesetPath);
    if (tileset == tilesets.end()) {
        Tileset loaded;
        try {
            loaded.bricks =
                LoadedLevel::loadTileset(tilesetPath).brickPictures(LoadedLevel::DrawnBricks);
        } catch (const VorpexError &error) {
            loaded.error = error.message();
        }
        tileset = tilesets.insert(tilesetPath, std::move(loaded));
    }
    if (!tileset->error.isEmpty())
        throw VorpexError(tileset->error);
    const QString backgroundPath = LoadedLevel::backgroundPathOf(file, appFolder);
    auto background = backgrounds.find(backgroundPath);
    if (background == backgrounds.end())
        background =
            backgrounds.insert(backgroundPath, LoadedLevel::loadBackground(backgroundPath));
    if (background->isNull() && noBackground)
        *noBackground = backgroundPath;
    return LevelImage(file.grid, withPaddles ? LoadedLevel::paddlesOf(file) : PaddleSet{},
                      *background, tileset->bricks);
}
