#include "BitBlt.h"

#include "PictureBox.h"

#include <QImage>
#include <algorithm>
#include <cstring>

void BlitImage(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy)
{
    // Clip against the source, then the destination, moving both rectangles together.
    if (sx < 0) {
        x -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        y -= sy;
        h += sy;
        sy = 0;
    }
    if (x < 0) {
        sx -= x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        sy -= y;
        h += y;
        y = 0;
    }
    w = std::min(w, std::min(src.width() - sx, dst.width() - x));
    h = std::min(h, std::min(src.height() - sy, dst.height() - y));
    if (w <= 0 || h <= 0)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    const qsizetype srcStride = src.bytesPerLine();
    const qsizetype dstStride = dst.bytesPerLine();
    const uchar *s = src.constBits() + sy * srcStride + sx * 4;
    uchar *d = dst.bits() + y * dstStride + x * 4;
    if (&src == &dst) {
        // Within one surface the rectangles may overlap: copy downwards from the bottom row.
        if (y > sy) {
            for (int row = h - 1; row >= 0; --row)
                std::memmove(d + row * dstStride, s + row * srcStride, rowBytes);
        } else {
            for (int row = 0; row < h; ++row)
                std::memmove(d + row * dstStride, s + row * srcStride, rowBytes);
        }
        return;
    }
    for (int row = 0; row < h; ++row)
        std::memcpy(d + row * dstStride, s + row * srcStride, rowBytes);
}

void BitBlt(PictureBox &dst, int x, int y, int w, int h, const PictureBox &src, int sx, int sy)
{
    BlitImage(dst.surface(), x, y, w, h, src.surface(), sx, sy);
    dst.surfaceChanged(QRect(x, y, w, h));
}
