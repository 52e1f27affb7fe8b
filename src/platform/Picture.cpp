#include "Picture.h"

#include "common/VorpexError.h"
#include "model/FileIO.h"

#include <QFile>
#include <QImageReader>

QImage LoadPicture(const QString &path)
{
    QFile file;
    OpenRegularFile(file, path);
    // Only the bitmap reader: the game reads Windows bitmaps, and other decoders add nothing
    // but attack surface for a file picked from anywhere.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        throw VorpexError(path + QStringLiteral(": ") + reader.errorString());
    return image.convertToFormat(QImage::Format_RGB32);
}
