#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

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
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString DataFolder(const QString &program)
{
    if (::access(QFile::encodeName(program).constData(), W_OK) == 0)
        return program;
    // Where the user's folder cannot be made or filled (no home, a read-only one, a sandbox),
    // the installed folder is used as it is: it is read, and saving into it fails.
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (home.isEmpty())
        return program;
    const QString user = home + QStringLiteral("/VorpexEditor");
    for (const char *folder : {Tilesets, Backgrounds, Levelsets}) {
        if (!QDir().mkpath(InFolder(user, folder)))
            return program;
        const QDir installed(InFolder(program, folder));
        for (const QString &name : installed.entryList(QDir::Files)) {
            const QString target = InFolder(user, folder, name);
            if (!QFileInfo::exists(target) && !QFile::copy(installed.filePath(name), target))
                return program;
        }
    }
    return QDir::toNativeSeparators(user);
}

} // namespace AppFolders
