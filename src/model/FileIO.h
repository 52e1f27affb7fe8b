#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// File names byte for byte as the system gives them. QFile::decodeName turns bytes that are not
// UTF-8 into U+FFFD, and such a name (copied from an old disk) would then name no file; here
// each such byte is held as U+DC80 + byte, which EncodeFileName gives back. Everything in this
// file reaches the disk through them.
QString DecodeFileName(const QByteArray &name);
QByteArray EncodeFileName(const QString &name);

// What a path names, links followed.
struct PathStatus
{
    int error = 0; // errno; 0 when it could be looked at
    bool link = false;
    bool folder = false;
    bool regular = false;
    qint64 size = 0;
};
PathStatus StatusOf(const QString &path);

// The names in a folder, sorted, without "." and ".."; throws VorpexError when it cannot be
// listed.
QStringList ListFolder(const QString &folder);

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
