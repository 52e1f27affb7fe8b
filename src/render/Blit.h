#pragma once

#include "Picture.h"

// Source copy of a w x h rectangle between pixel surfaces, clipped to both; the result is not
// reported, as with the platform's block copy.
void BlitPixels(PixelView dst, int x, int y, int w, int h, ConstPixelView src, int sx, int sy);
