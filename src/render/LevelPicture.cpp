#include "LevelPicture.h"

#include "Blit.h"
#include "model/Geometry.h"

#include <algorithm>
#include <cstring>

namespace {

// A bar of greys across its thickness: light edge, body, dark edge.
std::uint32_t paddleShade(int i, int thickness)
{
    static constexpr std::uint32_t shades[10] = {96, 200, 230, 210, 190, 175, 160, 140, 110, 64};
    const std::uint32_t s = shades[std::min(i * 10 / thickness, 9)];
    return 0xff000000u | s << 16 | s << 8 | s;
}

Picture paddleImage(int width, int height)
{
    Picture image(width, height);
    const bool horizontal = width > height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, paddleShade(horizontal ? y : x, 10));
    return image;
}

struct PaddleBar
{
    int index;
    QRect place;
    bool horizontal;
};

// Drawing order; a later bar covers the crossing square of an earlier one.
constexpr PaddleBar PaddleBars[4] = {
    {1, QRect(0, 460, 640, 10), true},
    {2, QRect(620, 0, 10, 480), false},
    {3, QRect(0, 10, 640, 10), true},
    {4, QRect(10, 0, 10, 480), false},
};

} // namespace

const Picture &HorizontalPaddle()
{
    static const Picture image = paddleImage(CanvasWidth, 10);
    return image;
}

const Picture &VerticalPaddle()
{
    static const Picture image = paddleImage(10, CanvasHeight);
    return image;
}

void TileGround(PixelView ground, ConstPixelView background)
{
    const int width = std::min(ground.width, CanvasWidth);
    const int height = std::min(ground.height, CanvasHeight);
    auto row = [&](int y) { return ground.bits + y * ground.stride; };
    if (background.width < 1 || background.height < 1) {
        for (int y = 0; y < height; ++y)
            std::fill_n(reinterpret_cast<std::uint32_t *>(row(y)), width, 0xff000000u);
        return;
    }
    // One row of tiles: each picture row once, then doubled along the row; the rows below
    // repeat those above, one picture height up.
    const int tileWidth = std::min(background.width, width);
    const int tileHeight = std::min(background.height, height);
    for (int y = 0; y < tileHeight; ++y) {
        std::memcpy(row(y), background.bits + y * background.stride, std::size_t(tileWidth) * 4);
        for (int done = tileWidth; done < width; done *= 2)
            std::memcpy(row(y) + done * 4, row(y), std::size_t(std::min(done, width - done)) * 4);
    }
    for (int y = tileHeight; y < height; ++y)
        std::memcpy(row(y), row(y - tileHeight), std::size_t(width) * 4);
}

void DrawPaddles(PixelView canvas, const PaddleSet &paddles, const QRect &area)
{
    for (const PaddleBar &bar : PaddleBars) {
        const QRect part = area.intersected(bar.place);
        if (paddles[static_cast<std::size_t>(bar.index)] && !part.isEmpty()) {
            BlitPixels(canvas, part.x(), part.y(), part.width(), part.height(),
                       (bar.horizontal ? HorizontalPaddle() : VerticalPaddle()).view(),
                       part.x() - bar.place.x(), part.y() - bar.place.y());
        }
    }
}

void DrawBricks(PixelView canvas, const CellGrid &grid, std::span<const Picture> bricks)
{
    for (int x = 1; x <= GridColumns; ++x) {
        for (int y = 1; y <= GridRows; ++y) {
            const std::int32_t brick = grid(x, y);
            if (brick > 0 && brick < std::ssize(bricks)) {
                BlitPixels(canvas, (x - 1) * CellWidth, (y - 1) * CellHeight, CellWidth, CellHeight,
                           bricks[static_cast<std::size_t>(brick)].view(), 0, 0);
            }
        }
    }
}

Picture LevelImage(const CellGrid &grid,
                   const PaddleSet &paddles,
                   const Picture &background,
                   std::span<const Picture> bricks)
{
    Picture canvas(CanvasWidth, CanvasHeight);
    TileGround(canvas.view(), background.view());
    DrawPaddles(canvas.view(), paddles, canvas.rect());
    DrawBricks(canvas.view(), grid, bricks);
    return canvas;
}
