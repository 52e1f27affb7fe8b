#pragma once

#include "imageio/QtImages.h"
#include "render/Blit.h"

class PictureBox;

// A block copy between Format_RGB32 images.
inline void BlitImage(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy)
{
    BlitPixels(ViewOf(dst), x, y, w, h, ViewOf(src), sx, sy);
}

// A block copy between picture boxes' drawing surfaces; the changed part of dst is then shown.
void BitBlt(PictureBox &dst, int x, int y, int w, int h, const PictureBox &src, int sx, int sy);
