#pragma once

#include "Geometry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The levelset file: a text file of the set's name, the number of levels framed by blanks
// (" 3 "), then the level file names in order, one a line, every line ended by CR LF. The game
// finds the levels by name, so only bare file names are stored.
class LevelSetFile
{
public:
    QString name;
    QStringList levels;

    // A count line holds at most 32767 levels, like the builder's 16-bit counter.
    static constexpr int MaxLevels = MaxTilesetCells;
    // The most that read takes in.
    static constexpr qint64 MaxBytes = 2 + 8 + (MaxLevels + 1) * qint64(258);

    // The file's bytes; each line is single-byte text (see EncodeName).
    static QByteArray encode(const QString &name, const QStringList &levelNames);
    // A name the file can hold: a bare file name on a line of its own.
    static bool isLevelName(const QString &name);
    // Writes the whole file or nothing; throws VorpexError, and writes nothing, for a name that
    // isLevelName refuses or more than MaxLevels levels: never a file that read refuses.
    static void write(const QString &path, const QString &name, const QStringList &levelNames);

    // Reads what encode writes. Lenient with LF-only line ends and trailing blanks and blank
    // lines; strict with the count line, a count that does not match the names, and names that
    // are not bare file names. Throws VorpexError saying what is wrong.
    static LevelSetFile decode(const QByteArray &bytes);
    static LevelSetFile read(const QString &path);

    // Where the game finds a level that the set at setPath names: beside the set, else in the
    // application folder's Lvl, the name matched ignoring case as on the disks such files are
    // made on. Empty when it is a file in neither.
    static QString
    findLevel(const QString &setPath, const QString &level, const QString &appFolder);
    // The folders findLevel looks in, in order.
    static QStringList levelFolders(const QString &setPath, const QString &appFolder);
};
