#include "LevelSetFile.h"

#include "FileIO.h"
#include "Geometry.h"
#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"

#include <QDir>
#include <QFileInfo>

namespace {

void appendLine(QByteArray &bytes, const QByteArray &line)
{
    bytes += line;
    bytes += "\r\n";
}

} // namespace

QByteArray LevelSetFile::encode(const QString &name, const QStringList &levelNames)
{
    QByteArray bytes;
    appendLine(bytes, EncodeName(name));
    // A number line keeps a blank where a minus sign would stand, and one after the digits.
    appendLine(bytes, ' ' + QByteArray::number(levelNames.size()) + ' ');
    for (const QString &level : levelNames)
        appendLine(bytes, EncodeName(level));
    return bytes;
}

bool LevelSetFile::isLevelName(const QString &name)
{
    return IsBareFileName(name) && !name.contains(u'\n') && !name.contains(u'\r');
}

void LevelSetFile::write(const QString &path, const QString &name, const QStringList &levelNames)
{
    if (levelNames.size() > MaxLevels)
        throw VorpexError(QStringLiteral("more than %1 levels").arg(MaxLevels));
    for (const QString &level : levelNames) {
        if (!isLevelName(level))
            throw VorpexError(QStringLiteral("not a level file name: ") + level);
    }
    WriteFileAtomically(path, encode(name, levelNames));
}

LevelSetFile LevelSetFile::decode(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.size() < 2)
        throw VorpexError(QStringLiteral("no line with the number of levels"));
    bool number = false;
    const QByteArray countLine = lines[1].trimmed();
    const int count = countLine.toInt(&number);
    if (!number || count < 0 || count > MaxLevels || countLine.startsWith('+'))
        throw VorpexError(QStringLiteral("line 2 is not a number of levels: ") +
                          DecodeName(lines[1]));
    if (count != lines.size() - 2)
        throw VorpexError(QStringLiteral("the file says %1 levels but names %2")
                              .arg(count)
                              .arg(lines.size() - 2));
    LevelSetFile set;
    set.name = DecodeName(lines[0]);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString level = TrimTrailingSpaces(DecodeName(lines[i]));
        if (!isLevelName(level))
            throw VorpexError(QStringLiteral("line %1 is not a level file name: ").arg(i + 1) +
                              level);
        set.levels << level;
    }
    return set;
}

LevelSetFile LevelSetFile::read(const QString &path)
{
    return decode(ReadFileBytes(path, MaxBytes));
}

QStringList LevelSetFile::levelFolders(const QString &setPath, const QString &appFolder)
{
    QStringList folders{QFileInfo(setPath).absolutePath()};
    const QString levels =
        QDir(AppFolders::InFolder(appFolder, AppFolders::Levelsets)).absolutePath();
    if (!folders.contains(levels))
        folders << levels;
    return folders;
}

QString
LevelSetFile::findLevel(const QString &setPath, const QString &level, const QString &appFolder)
{
    for (const QString &folder : levelFolders(setPath, appFolder)) {
        const QString path = FindIgnoringCase(folder + u'/' + level);
        if (StatusOf(path).regular)
            return path;
    }
    return QString();
}
