#pragma once

#include <QByteArray>
#include <QString>

// The text after the last folder separator ("\" from Windows-made files, or "/"); empty when
// the path holds no separator or ends in one.
QString FileNameOf(const QString &path);

// The text without its trailing blanks (code 32 only; tabs and zero characters stay).
QString TrimTrailingSpaces(const QString &text);

// Names stored in files are single-byte text. Latin-1 is the code page; a name that Latin-1
// cannot hold is stored as UTF-8 so that it can still be found again on this machine.
QByteArray EncodeName(const QString &name);
QString DecodeName(const QByteArray &bytes);

// A name from a file as a person can read it: the NUL bytes that pad it (as C programs write
// it) dropped, other control characters shown as \xNN, never sent raw to a terminal.
QString ShownName(const QString &name);

// A bare file name that may be joined onto a data folder: not empty, not "." or "..", and
// holding no folder separator.
bool IsBareFileName(const QString &name);
