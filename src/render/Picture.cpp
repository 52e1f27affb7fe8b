#include "Picture.h"

#include "Bitmap.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"

namespace {

PictureDecoder fallback = nullptr;

// A bitmap of 256 MB: as much as the platform's image reader allocates.
constexpr qint64 MaxPictureBytes = 256 * 1024 * 1024;

} // namespace

Picture::Picture(int width, int height)
    : w(width), h(height), pixels(std::size_t(width) * height, 0xff000000u)
{}

PixelView Picture::view()
{
    return {reinterpret_cast<std::uint8_t *>(pixels.data()), w, h, qsizetype(w) * 4};
}

ConstPixelView Picture::view() const
{
    return {reinterpret_cast<const std::uint8_t *>(pixels.data()), w, h, qsizetype(w) * 4};
}

void SetFallbackPictureDecoder(PictureDecoder decoder)
{
    fallback = decoder;
}

Picture DecodePicture(const QByteArray &bytes)
{
    if (std::optional<Picture> picture = DecodeBitmap(bytes))
        return *picture;
    if (fallback)
        return fallback(bytes);
    throw VorpexError(QStringLiteral("not a bitmap that can be read"));
}

QByteArray ReadPictureFile(const QString &path)
{
    return ReadFileBytes(path, MaxPictureBytes);
}

Picture LoadPicture(const QString &path)
{
    const QByteArray bytes = ReadPictureFile(path);
    try {
        return DecodePicture(bytes);
    } catch (const VorpexError &error) {
        throw VorpexError(path + QStringLiteral(": ") + error.message());
    }
}
