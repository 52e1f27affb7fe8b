#include "RecoveryCopy.h"

#include "common/VorpexError.h"
#include "model/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>

RecoveryCopy::RecoveryCopy(QString folder) : folder(std::move(folder)) {}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::file(const char *suffix) const
{
    return folder + u'/' + id + QLatin1String(suffix);
}

bool RecoveryCopy::own(const QString &copyId)
{
    auto candidate = std::make_unique<QLockFile>(folder + u'/' + copyId + QStringLiteral(".lock"));
    // Held for the whole run: only an editor that is gone leaves a stale lock.
    candidate->setStaleLockTime(0);
    if (!candidate->tryLock(0)) {
        // A crash between creating the lock and writing into it leaves it empty, naming no
        // owner to ask after; a running owner still holds the file locked, so it stays.
        const QString lockName = folder + u'/' + copyId + QStringLiteral(".lock");
        if (QFileInfo(lockName).size() != 0 || !candidate->removeStaleLockFile() ||
            !candidate->tryLock(0))
            return false;
    }
    id = copyId;
    lock = std::move(candidate);
    return true;
}

void RecoveryCopy::keep(const QByteArray &level, const QString &levelPath)
{
    if (folder.isEmpty())
        return;
    if (!lock && (!QDir().mkpath(folder) ||
                  !own(QStringLiteral("level-") + QUuid::createUuid().toString(QUuid::Id128))))
        return;
    try {
        WriteFileAtomically(file(".txt"), levelPath.toUtf8());
        WriteFileAtomically(file(".vxl"), level);
    } catch (const VorpexError &) {
    }
}

void RecoveryCopy::discard()
{
    if (!lock)
        return;
    QFile::remove(file(".vxl"));
    QFile::remove(file(".txt"));
    release();
}

void RecoveryCopy::release()
{
    lock.reset();
    id.clear();
}

QString RecoveryCopy::levelFile() const
{
    return lock ? file(".vxl") : QString();
}

std::optional<RecoveryCopy::Orphan> RecoveryCopy::takeOrphan()
{
    if (folder.isEmpty() || lock)
        return std::nullopt;
    QSet<QString> ids;
    for (const QString &name : QDir(folder).entryList({"*.vxl", "*.txt"}, QDir::Files, QDir::Name))
        ids.insert(name.chopped(4));
    QStringList sorted(ids.begin(), ids.end());
    sorted.sort();
    for (const QString &copyId : sorted) {
        if (!own(copyId))
            continue; // its editor is running
        if (QFile::exists(file(".vxl"))) {
            QString levelPath;
            try {
                levelPath = QString::fromUtf8(ReadFileBytes(file(".txt"), 64 * 1024));
            } catch (const VorpexError &) {
            }
            return Orphan{file(".vxl"), levelPath};
        }
        discard(); // the path alone, left by a crash between the two writes
    }
    return std::nullopt;
}
