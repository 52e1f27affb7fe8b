#include "LevelSetFile.h"

#include "common/Text.h"
#include "model/FileIO.h"

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

void LevelSetFile::write(const QString &path, const QString &name, const QStringList &levelNames)
{
    WriteFileAtomically(path, encode(name, levelNames));
}
