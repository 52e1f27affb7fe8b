#pragma once

class PictureBox;
class QImage;

// Source copy of a w x h rectangle between pixel surfaces, clipped to both; the result is not
// reported, as with the platform's block copy. Both images must be Format_RGB32.
void BlitImage(QImage &dst, int x, int y, int w, int h, const QImage &src, int sx, int sy);

// The same between picture boxes' drawing surfaces; the changed part of dst is then shown.
void BitBlt(PictureBox &dst, int x, int y, int w, int h, const PictureBox &src, int sx, int sy);
