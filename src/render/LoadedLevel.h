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
    // Throws VorpexError with the message the editor shows: "Cannot open level." or "Cannot
    // open tileset.", CR LF, and the file's path. A background that cannot be loaded is no
    // failure: the level shows on black.
    static LoadedLevel load(const QString &path, const QString &appFolder);

    LevelFileData file;
    LoadedTileset tileset;
    QString backgroundPath;
    Picture background; // empty when it could not be loaded

    // The paddles drawn: as the file says, or the bottom one when it says none.
    PaddleSet paddles() const;
    // The picture the editor's canvas shows of it.
    Picture image(bool withPaddles = true) const;
};

// The editor's words for a file it could not use: the text, CR LF, the file's full path.
QString MessageWithPath(const QString &text, const QString &path);
