#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// The path itself when its folder holds that name; else the one file of the folder whose name
// differs from it in case only, as names in files made on case-insensitive disks do; else the
// path itself (two or more such files are no answer).
QString FindIgnoringCase(const QString &path);

// Reads at most maxBytes of a regular file (or a link to one); throws VorpexError when it is
// missing, cannot be read, or is something else where a file belongs -- a pipe, socket or
// device is refused at once: opening a pipe would wait for a writer for good.
QByteArray ReadFileBytes(const QString &path, qint64 maxBytes);

// Writes the whole file or nothing: the bytes go to a temporary file beside it, which replaces
// the old file only once every byte is on disk. Throws VorpexError on failure, the old file
// untouched and no temporary file left.
void WriteFileAtomically(const QString &path, const QByteArray &bytes);

// Writes several files as one: each is written and synced beside itself first; only then do
// they replace their old files, and a failure part-way puts back the ones already replaced.
void WriteFilesAtomically(const std::vector<std::pair<QString, QByteArray>> &files);
