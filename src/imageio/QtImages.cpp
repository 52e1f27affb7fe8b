#include "QtImages.h"

#include "common/VorpexError.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cstring>

QImage ToQImage(const Picture &picture)
{
    QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image.scanLine(y), picture.row(y), std::size_t(picture.width()) * 4);
    return image;
}

Picture FromQImage(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Picture picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(picture.row(y), rgb.constScanLine(y), std::size_t(rgb.width()) * 4);
    return picture;
}

PixelView ViewOf(QImage &image)
{
    return {image.bits(), image.width(), image.height(), image.bytesPerLine()};
}

ConstPixelView ViewOf(const QImage &image)
{
    return {image.constBits(), image.width(), image.height(), image.bytesPerLine()};
}

Picture DecodeWithQt(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    // The format named is the only one tried: a picture of another kind, which the game could
    // not show, is refused.
    QImageReader reader(&buffer, "bmp");
    const QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        throw VorpexError(reader.errorString());
    return FromQImage(image);
}

QByteArray EncodeWithQt(const Picture &picture, const QByteArray &format)
{
    QBuffer buffer;
    QImageWriter writer(&buffer, format);
    if (!writer.write(ToQImage(picture)))
        throw VorpexError(writer.errorString());
    return buffer.data();
}

QList<QByteArray> QtWriteFormats()
{
    return QImageWriter::supportedImageFormats();
}

void UseQtPictureDecoder()
{
    SetFallbackPictureDecoder(&DecodeWithQt);
}
