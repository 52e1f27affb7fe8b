#pragma once

#include <QByteArray>
#include <QString>

// Reads at most maxBytes of a regular file; throws VorpexError when it is missing, is a folder
// or cannot be read.
QByteArray ReadFileBytes(const QString &path, qint64 maxBytes);

// Writes the whole file or nothing: the bytes go to a temporary file beside it, which replaces
// the old file only once everything is written. Throws VorpexError on failure.
void WriteFileAtomically(const QString &path, const QByteArray &bytes);
