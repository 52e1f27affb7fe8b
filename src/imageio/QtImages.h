#pragma once

#include "render/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// Between the render code's pictures and Qt's images, and Qt's own picture reader and writers
// for the forms the render code leaves to them.

// Copies; images of any format are taken as Format_RGB32.
QImage ToQImage(const Picture &picture);
Picture FromQImage(const QImage &image);

// The pixels of a Format_RGB32 image, in place.
PixelView ViewOf(QImage &image);
ConstPixelView ViewOf(const QImage &image);

// Qt's Windows bitmap reader, and only it: other decoders add nothing but attack surface for a
// file picked from anywhere. Throws VorpexError.
Picture DecodeWithQt(const QByteArray &bytes);
// A picture file of the format named ("jpg", ...); throws VorpexError.
QByteArray EncodeWithQt(const Picture &picture, const QByteArray &format);
QList<QByteArray> QtWriteFormats();

// LoadPicture falls back on Qt's bitmap reader from now on.
void UseQtPictureDecoder();
