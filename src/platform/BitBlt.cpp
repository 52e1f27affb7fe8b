#include "BitBlt.h"

#include "PictureBox.h"

#include <QImage>

void BitBlt(PictureBox &dst, int x, int y, int w, int h, const PictureBox &src, int sx, int sy)
{
    BlitImage(dst.surface(), x, y, w, h, src.surface(), sx, sy);
    dst.surfaceChanged(QRect(x, y, w, h));
}
