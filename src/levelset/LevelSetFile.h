#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The levelset file: a text file of the set's name, the number of levels, then the level file
// names in order, one a line, every line ended by CR LF. The game finds the levels by name in
// its own level folder, so only bare file names are stored.
class LevelSetFile
{
public:
    // The file's bytes; each line is single-byte text (see EncodeName).
    static QByteArray encode(const QString &name, const QStringList &levelNames);

    // Writes the whole file or nothing; throws VorpexError.
    static void write(const QString &path, const QString &name, const QStringList &levelNames);
};
