#include "LoadedLevel.h"

#include "Picture.h"
#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/Geometry.h"

QString MessageWithPath(const QString &text, const QString &path)
{
    return text + QStringLiteral("\r\n") + path;
}

LoadedLevel LoadedLevel::load(const QString &path, const QString &appFolder)
{
    LoadedLevel level;
    level.file = readFile(path);
    level.tileset = loadTileset(tilesetPathOf(level.file, appFolder));
    level.backgroundPath = backgroundPathOf(level.file, appFolder);
    level.background = loadBackground(level.backgroundPath);
    return level;
}

LevelFileData LoadedLevel::readFile(const QString &path)
{
    LevelFileData file;
    try {
        file = ReadLevelFile(path);
    } catch (const VorpexError &) {
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open level."), path));
    }
    // Stored names are joined onto a data folder, so only bare file names are taken.
    if (!IsBareFileName(file.tilesetName) || !IsBareFileName(file.backgroundName))
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open level."), path));
    return file;
}

QString LoadedLevel::tilesetPathOf(const LevelFileData &file, const QString &appFolder)
{
    return AppFolders::InFolder(appFolder, AppFolders::Tilesets, file.tilesetName);
}

QString LoadedLevel::backgroundPathOf(const LevelFileData &file, const QString &appFolder)
{
    return AppFolders::InFolder(appFolder, AppFolders::Backgrounds, file.backgroundName);
}

LoadedTileset LoadedLevel::loadTileset(const QString &path)
{
    try {
        return LoadedTileset::load(path);
    } catch (const VorpexError &) {
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open tileset."), path));
    }
}

Picture LoadedLevel::loadBackground(const QString &path)
{
    try {
        return LoadPicture(FindIgnoringCase(path));
    } catch (const VorpexError &) {
        return Picture();
    }
}

PaddleSet LoadedLevel::paddlesOf(const LevelFileData &file)
{
    PaddleSet present{};
    bool any = false;
    for (std::size_t i = 1; i <= 4; ++i)
        any = (present[i] = file.paddles[i - 1] == VbTrue) || any;
    present[1] = present[1] || !any;
    return present;
}

Picture LoadedLevel::image(bool withPaddles) const
{
    const std::vector<Picture> bricks = tileset.brickPictures(DrawnBricks);
    return LevelImage(file.grid, withPaddles ? paddles() : PaddleSet{}, background, bricks);
}
