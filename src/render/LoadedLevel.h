#pragma once

#include "LevelPicture.h"
#include "LoadedTileset.h"
#include "model/LevelFile.h"

#include <QString>

// A level file with the tileset and background it names, read and checked as File, Open
// reads them, before anything is shown: the tileset from the application folder's Tls, the
// background from its Bgd.
struct LoadedLevel
{
    // The palette shows bricks 1..119 only; the canvas draws nothing else.
    static constexpr int DrawnBricks = 119;

    // Throws VorpexError with the message the editor shows: "Cannot open level." or "Cannot
    // open tileset.", CR LF, and the file's path. A background that cannot be loaded is no
    // failure: the level shows on black.
    static LoadedLevel load(const QString &path, const QString &appFolder);

    // The steps of load, for callers that keep tilesets and backgrounds between levels.
    // The level file alone, with names that may be joined onto a data folder.
    static LevelFileData readFile(const QString &path);
    static QString tilesetPathOf(const LevelFileData &file, const QString &appFolder);
    static QString backgroundPathOf(const LevelFileData &file, const QString &appFolder);
    // Throws "Cannot open tileset." CR LF path.
    static LoadedTileset loadTileset(const QString &path);
    // Empty when it cannot be loaded.
    static Picture loadBackground(const QString &path);
    // The paddles drawn: as the file says, or the bottom one when it says none.
    static PaddleSet paddlesOf(const LevelFileData &file);

    LevelFileData file;
    LoadedTileset tileset;
    QString backgroundPath;
    Picture background; // empty when it could not be loaded

    PaddleSet paddles() const { return paddlesOf(file); }
    // The picture the editor's canvas shows of it.
    Picture image(bool withPaddles = true) const;
};

// The editor's words for a file it could not use: the text, CR LF, the file's full path.
QString MessageWithPath(const QString &text, const QString &path);
