#include "Blit.h"

#include <algorithm>
#include <cstring>

void BlitPixels(PixelView dst,
                int dstX,
                int dstY,
                int width,
                int height,
                ConstPixelView src,
                int srcX,
                int srcY)
{
    // Clip against the source, then the destination, moving both rectangles together. In 64
    // bits: brick pictures are placed by tileset files, anywhere in the 32-bit range.
    qint64 x = dstX, y = dstY, w = width, h = height, sx = srcX, sy = srcY;
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
    w = std::min({w, src.width - sx, dst.width - x});
    h = std::min({h, src.height - sy, dst.height - y});
    if (w <= 0 || h <= 0)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    const qsizetype srcStride = src.stride;
    const qsizetype dstStride = dst.stride;
    const std::uint8_t *s = src.bits + sy * srcStride + sx * 4;
    std::uint8_t *d = dst.bits + y * dstStride + x * 4;
    if (src.bits == dst.bits) {
        // Within one surface the rectangles may overlap: copy downwards from the bottom row.
        if (y > sy) {
            for (qint64 row = h - 1; row >= 0; --row)
                std::memmove(d + row * dstStride, s + row * srcStride, rowBytes);
        } else {
            for (qint64 row = 0; row < h; ++row)
                std::memmove(d + row * dstStride, s + row * srcStride, rowBytes);
        }
        return;
    }
    for (qint64 row = 0; row < h; ++row)
        std::memcpy(d + row * dstStride, s + row * srcStride, rowBytes);
}
