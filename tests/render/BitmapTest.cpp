// Our bitmap reader gives the very pixels Qt's reader gives.
#include "render/Bitmap.h"
#include "imageio/QtImages.h"
#include "support/Fixtures.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// A bitmap by hand: info header, palette, rows as given (bottom up unless the height is negative).
QByteArray
bitmap(int width, int height, int bits, const QList<QRgb> &palette, const QByteArray &rows)
{
    const int offset = 54 + 4 * int(palette.size());
    QByteArray out = QByteArray("BM") +
                     Le32({offset + int(rows.size()), 0, offset, 40, width, height}) +
                     Le16({1, std::int16_t(bits)}) +
                     Le32({0, int(rows.size()), 2835, 2835, int(palette.size()), 0});
    for (QRgb c : palette)
        out += Le32({std::int32_t(c & 0xffffff)});
    return out + rows;
}

} // namespace

TEST(Bitmap, ReadsAsQtReadsOrLeavesTheFormToQt)
{
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 9, 9)});
    indexed.fill(1);
    indexed.setPixel(4, 2, 2);
    indexed.setPixel(3, 1, 7); // past the palette
    QList<QByteArray> read;    // handled without Qt
    for (const QImage &image :
         {CellPicture(70, 33), indexed, CellPicture(9, 7).convertToFormat(QImage::Format_Mono)}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(image.save(&buffer, "BMP"));
        read << bytes;
    }
    // 4 bits with indices past a 3-colour palette; 32 bits with a fourth byte; top-down rows.
    read << bitmap(3, 2, 4, {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90)},
                   QByteArray("\x01\xf2\x00\x00\x34\x50\x00\x00", 8));
    read << bitmap(2, 1, 32, {}, QByteArray("\x01\x02\x03\x99\x04\x05\x06\x00", 8));
    read << bitmap(1, -2, 24, {}, QByteArray("\x01\x02\x03\x00\x04\x05\x06\x00", 8));
    for (const QByteArray &bytes : read) {
        const std::optional<Picture> own = DecodeBitmap(bytes);
        ASSERT_TRUE(own.has_value()) << bytes.left(40).toHex().constData();
        EXPECT_TRUE(*own == DecodeWithQt(bytes)) << bytes.left(40).toHex().constData();
    }
    // Run-length coded, or cut short: Qt's to read or to refuse.
    QByteArray rle = bitmap(2, 1, 8, {qRgb(1, 1, 1)}, QByteArray("\x02\x00\x00\x01", 4));
    rle[30] = 1;
    EXPECT_FALSE(DecodeBitmap(rle).has_value());
    EXPECT_TRUE(DecodePicture(rle) == DecodeWithQt(rle));
    EXPECT_FALSE(DecodeBitmap(read[0].chopped(1)).has_value());

    // Noise packs to more than the first room given to the PNG's data, and reads back the same.
    Picture noise(200, 150);
    std::uint32_t seed = 1;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            noise.setPixel(x, y, 0xff000000u | (seed = seed * 1664525u + 1013904223u) >> 8);
    EXPECT_TRUE(FromQImage(QImage::fromData(EncodePng(noise), "PNG")) == noise);

    // Bottom row first (the command's PNG files are read back by its own test).
    EXPECT_EQ(EncodeBitmap(*DecodeBitmap(read[5])),
              bitmap(1, 2, 24, {}, QByteArray("\x04\x05\x06\x00\x01\x02\x03\x00", 8)));
}
