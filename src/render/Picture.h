#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

// Pixels of 32 bits, 0xffRRGGBB, row after row: the layout of the editor's surfaces
// (QImage::Format_RGB32), so that pictures are copied onto them as they stand.
struct PixelView
{
    std::uint8_t *bits = nullptr;
    int width = 0;
    int height = 0;
    qsizetype stride = 0; // bytes from one row to the next
};

struct ConstPixelView
{
    const std::uint8_t *bits = nullptr;
    int width = 0;
    int height = 0;
    qsizetype stride = 0;

    ConstPixelView() = default;
    ConstPixelView(const std::uint8_t *bits, int width, int height, qsizetype stride)
        : bits(bits), width(width), height(height), stride(stride)
    {}
    ConstPixelView(const PixelView &v) : ConstPixelView(v.bits, v.width, v.height, v.stride) {}
};

// A picture that owns its pixels; black when made.
class Picture
{
public:
    Picture() = default;
    Picture(int width, int height);

    bool isNull() const { return pixels.empty(); }
    int width() const { return w; }
    int height() const { return h; }
    QRect rect() const { return QRect(0, 0, w, h); }
    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * w + x]; }
    void setPixel(int x, int y, std::uint32_t rgb) { pixels[std::size_t(y) * w + x] = rgb; }
    std::uint32_t *row(int y) { return pixels.data() + std::size_t(y) * w; }
    const std::uint32_t *row(int y) const { return pixels.data() + std::size_t(y) * w; }

    PixelView view();
    ConstPixelView view() const;

    bool operator==(const Picture &) const = default;

private:
    int w = 0;
    int h = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes what the platform's bitmap reader reads in forms this code does not: set where the
// program has one. Throws VorpexError.
using PictureDecoder = Picture (*)(const QByteArray &bytes);
void SetFallbackPictureDecoder(PictureDecoder decoder);

// A Windows bitmap from its bytes, and from its file. Throw VorpexError when the file is
// missing, is not a regular file, or is not a bitmap that can be read.
Picture DecodePicture(const QByteArray &bytes);
Picture LoadPicture(const QString &path);
QByteArray ReadPictureFile(const QString &path);
