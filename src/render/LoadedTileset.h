#pragma once

#include "Picture.h"
#include "model/BrickRecord.h"

#include <QString>
#include <vector>

// A tileset file with its companion bitmap, read and checked: as many records as the bitmap
// has cells for (at most the file's count), and each brick's picture.
struct LoadedTileset
{
    // Throws VorpexError when the file or its bitmap cannot be read, or the count is negative.
    static LoadedTileset load(const QString &path);

    QString path;
    std::int32_t count = 0; // as the file says
    Picture picture;
    std::vector<BrickRecord> records; // 1..n, index 0 unused

    int recordCount() const { return static_cast<int>(records.size()) - 1; }
    // The 32 x 16 pixels at brick n's PicX, PicY; black where that lies outside the bitmap.
    Picture brickPicture(int n) const;
    // Brick pictures 1..min(records, limit), index 0 empty.
    std::vector<Picture> brickPictures(int limit) const;
};
