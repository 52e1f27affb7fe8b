#include "Scaling.h"

#include <algorithm>

Picture Enlarged(const Picture &picture, int factor)
{
    Picture big(picture.width() * factor, picture.height() * factor);
    for (int y = 0; y < big.height(); ++y) {
        const std::uint32_t *src = picture.row(y / factor);
        std::uint32_t *dst = big.row(y);
        for (int x = 0; x < big.width(); ++x)
            dst[x] = src[x / factor];
    }
    return big;
}

Picture FittedInto(const Picture &picture, int size)
{
    const double scale = std::min(double(size) / picture.width(), double(size) / picture.height());
    const int width = std::max(1, int(picture.width() * scale + 0.5));
    const int height = std::max(1, int(picture.height() * scale + 0.5));
    Picture fitted(width, height);
    for (int y = 0; y < height; ++y) {
        const int y0 = y * picture.height() / height;
        const int y1 = std::max(y0 + 1, (y + 1) * picture.height() / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * picture.width() / width;
            const int x1 = std::max(x0 + 1, (x + 1) * picture.width() / width);
            std::uint64_t sum[3] = {};
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t p = picture.pixel(sx, sy);
                    sum[0] += p >> 16 & 0xff;
                    sum[1] += p >> 8 & 0xff;
                    sum[2] += p & 0xff;
                }
            }
            const std::uint64_t n = std::uint64_t(y1 - y0) * (x1 - x0);
            fitted.setPixel(x, y,
                            0xff000000u | std::uint32_t(sum[0] / n) << 16 |
                                std::uint32_t(sum[1] / n) << 8 | std::uint32_t(sum[2] / n));
        }
    }
    return fitted;
}
