#pragma once

#include "Picture.h"

#include <QHash>
#include <QString>
#include <vector>

// The pictures of many levels, each as the editor's canvas shows it, for thumbnails: every
// tileset and background is read once, however many levels use it. Files changed since are
// seen by a new one.
class LevelPictures
{
public:
    explicit LevelPictures(const QString &appFolder) : appFolder(appFolder) {}

    // Throws VorpexError as LoadedLevel::load does. A background that cannot be loaded leaves
    // the ground black, as in the editor, and its path in *noBackground.
    Picture
    image(const QString &levelPath, bool withPaddles = true, QString *noBackground = nullptr);

private:
    struct Tileset
    {
        std::vector<Picture> bricks;
        QString error; // why it cannot be used; asked once only
    };

    QString appFolder;
    QHash<QString, Tileset> tilesets;
    QHash<QString, Picture> backgrounds;
};
