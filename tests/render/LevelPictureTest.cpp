// Block copies, the ground and the paddles of a level, on surfaces larger than what is drawn.
#include "render/Blit.h"
#include "render/LoadedLevel.h"

#include <gtest/gtest.h>

namespace {

// Each pixel holds its own place, none of them black, so that any pixel out of place shows.
Picture numbered(int width, int height)
{
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, 0xff000001u + std::uint32_t(y << 10 | x));
    return picture;
}

} // namespace

TEST(Blit, CopiesWhatLiesInsideBothPicturesAndOverlapsWithinOne)
{
    // From and to every place up to 3 pixels out; within one surface, as if from a copy of it.
    const Picture src = numbered(4, 3), original = numbered(5, 6);
    for (int i = 0; i < 7 * 7 * 7 * 7; ++i) {
        const int x = i % 7 - 3, y = i / 7 % 7 - 3, sx = i / 49 % 7 - 3, sy = i / 343 - 3;
        Picture dst(5, 4), want(5, 4), surface = original, copied = original;
        BlitPixels(dst.view(), x, y, 3, 2, src.view(), sx, sy);
        for (int u = 0; u < 6; ++u) {
            const QPoint to(x + u % 3, y + u / 3), from(sx + u % 3, sy + u / 3);
            if (want.rect().contains(to) && src.rect().contains(from))
                want.setPixel(to.x(), to.y(), src.pixel(from.x(), from.y()));
        }
        ASSERT_TRUE(dst == want) << x << ' ' << y << ' ' << sx << ' ' << sy;
        const PixelView in{surface.view().bits, 5, 4, 20}, out{copied.view().bits, 5, 4, 20};
        BlitPixels(in, x, y, 3, 2, in, sx, sy);
        BlitPixels(out, x, y, 3, 2, ConstPixelView(original.view().bits, 5, 4, 20), sx, sy);
        ASSERT_TRUE(surface == copied) << x << ' ' << y << ' ' << sx << ' ' << sy;
    }
}

TEST(LevelPicture, TheGroundIsTiledOverTheCanvasAloneAndPaddleOneStandsInForNone)
{
    // As large as the editor's surface; what lies outside the canvas stays.
    const Picture before = numbered(644, 488);
    for (const Picture &background :
         {numbered(101, 67), numbered(700, 500), numbered(1, 1), Picture()}) {
        Picture ground = before;
        TileGround(ground.view(), background.view());
        for (int y = 0; y < ground.height(); ++y)
            for (int x = 0; x < ground.width(); ++x)
                ASSERT_EQ(ground.pixel(x, y),
                          x >= 640 || y >= 480 ? before.pixel(x, y)
                          : background.isNull()
                              ? 0xff000000u
                              : background.pixel(x % background.width(), y % background.height()))
                    << background.width() << ": " << x << ' ' << y;
    }

    LevelFileData file;
    EXPECT_EQ(LoadedLevel::paddlesOf(file), (PaddleSet{false, true, false, false, false}));
    file.paddles = {1, 0, -1, 0}; // only True (-1) is present
    EXPECT_EQ(LoadedLevel::paddlesOf(file), (PaddleSet{false, false, false, true, false}));
}
