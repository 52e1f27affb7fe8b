#include "FileIO.h"

#include "common/VorpexError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QByteArray ReadFileBytes(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        throw VorpexError(QStringLiteral("No such file: ") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VorpexError(file.errorString());
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        throw VorpexError(file.errorString());
    return bytes;
}

void WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw VorpexError(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw VorpexError(file.errorString());
    }
    if (!file.commit())
        throw VorpexError(file.errorString());
}
