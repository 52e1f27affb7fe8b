#pragma once

#include <QImage>
#include <QString>

// Loads a Windows bitmap file as a 32-bit picture. Throws VorpexError when the file is missing,
// is not a regular file, or is not a bitmap that can be read.
QImage LoadPicture(const QString &path);
