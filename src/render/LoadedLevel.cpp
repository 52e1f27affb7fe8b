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
    try {
        level.file = ReadLevelFile(path);
    } catch (const VorpexError &) {
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open level."), path));
    }
    // Stored names are joined onto a data folder, so only bare file names are taken.
    if (!IsBareFileName(level.file.tilesetName) || !IsBareFileName(level.file.backgroundName))
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open level."), path));
    const QString tilesetPath =
        AppFolders::InFolder(appFolder, AppFolders::Tilesets, level.file.tilesetName);
    try {
        level.tileset = LoadedTileset::load(tilesetPath);
    } catch (const VorpexError &) {
        throw VorpexError(MessageWithPath(QStringLiteral("Cannot open tileset."), tilesetPath));
    }
    level.backgroundPath =
        AppFolders::InFolder(appFolder, AppFolders::Backgrounds, level.file.backgroundName);
    try {
        level.background = LoadPicture(FindIgnoringCase(level.backgroundPath));
    } catch (const VorpexError &) {
    }
    return level;
}

PaddleSet LoadedLevel::paddles() const
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
    // The palette shows bricks 1..119 only; the canvas draws nothing else.
    const std::vector<Picture> bricks = tileset.brickPictures(119);
    return LevelImage(file.grid, withPaddles ? paddles() : PaddleSet{}, background, bricks);
}
