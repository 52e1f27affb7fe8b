#pragma once

#include "Picture.h"

#include <QByteArray>
#include <optional>

// Windows bitmaps in the forms that tilesets and backgrounds are made in (an info header,
// uncompressed, 1, 4, 8, 24 or 32 bits a pixel, either way up), read to the very pixels the
// platform's reader gives. Any other form, or a file that is not whole, is left to that reader:
// nullopt.
std::optional<Picture> DecodeBitmap(const QByteArray &bytes);

// A 24-bit Windows bitmap, and a PNG file of 8-bit RGB.
QByteArray EncodeBitmap(const Picture &picture);
QByteArray EncodePng(const Picture &picture);
