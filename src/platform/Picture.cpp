#include "Picture.h"

#include "common/VorpexError.h"

#include <QFileInfo>
#include <QImageReader>

QImage LoadPicture(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        throw VorpexError(QStringLiteral("No such file: ") + path);
    // Only the bitmap reader: the game reads Windows bitmaps, and other decoders add nothing
    // but attack surface for a file picked from anywhere.
    QImageReader reader(path, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        throw VorpexError(reader.errorString());
    return image.convertToFormat(QImage::Format_RGB32);
}
