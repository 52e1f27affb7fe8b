#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace AppFolders {

QString InFolder(const QString &appFolder, const char *folder, const QString &name)
{
    QString path = appFolder + QDir::separator() + QLatin1String(folder);
    if (!name.isEmpty())
        path += QDir::separator() + name;
    return path;
}

QString ApplicationFolder()
{
    QString dir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    return dir;
}

} // namespace AppFolders
