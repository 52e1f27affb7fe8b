#include "FileIO.h"

#include "common/VorpexError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isRegular(int fd)
{
    struct stat st = {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

void OpenRegularFile(QFile &file, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // Look before opening, so devices are never opened; then check what was opened, in case
    // the name changed hands in between. Non-blocking, so even then a pipe cannot hold us.
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0)
        throw VorpexError(path + QStringLiteral(": ") + systemError(errno));
    if (!S_ISREG(st.st_mode))
        throw VorpexError(path + QStringLiteral(": not a regular file"));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw VorpexError(path + QStringLiteral(": ") + systemError(errno));
    if (!isRegular(fd)) {
        ::close(fd);
        throw VorpexError(path + QStringLiteral(": not a regular file"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw VorpexError(path + QStringLiteral(": ") + file.errorString());
    }
}

} // namespace

QString FindIgnoringCase(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return path;
    const QDir folder = info.dir();
    QString found;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
            if (!found.isEmpty())
                return path;
            found = name;
        }
    }
    return found.isEmpty() ? path : folder.filePath(found);
}

QByteArray ReadFileBytes(const QString &path, qint64 maxBytes)
{
    QFile file;
    OpenRegularFile(file, path);
    // Qt sets aside as much as is asked for: ask for no more than the file holds.
    QByteArray bytes = file.read(std::min(maxBytes, file.size()));
    if (file.error() != QFileDevice::NoError)
        throw VorpexError(path + QStringLiteral(": ") + file.errorString());
    return bytes;
}

namespace {

// A file written beside its target and synced, ready to replace it.
std::unique_ptr<QSaveFile> prepare(const QString &path, const QByteArray &bytes)
{
    auto file = std::make_unique<QSaveFile>(path);
    // Unbuffered: a full disk fails the write itself, not a flush inside commit(), whose error
    // commit() would not report. The data is then synced here, where a failure is seen, before
    // the temporary file may replace the old one.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw VorpexError(path + QStringLiteral(": ") + file->errorString());
    QString failure;
    if (file->write(bytes) != bytes.size() || !file->flush()) {
        failure = file->errorString();
    } else if (::fdatasync(file->handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        failure = systemError(errno); // EINVAL, ENOTSUP: a file system that keeps no cache
    }
    if (!failure.isEmpty()) {
        file->cancelWriting();
        throw VorpexError(path + QStringLiteral(": ") + failure);
    }
    return file;
}

} // namespace

void WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    WriteFilesAtomically({{path, bytes}});
}

void WriteFilesAtomically(const std::vector<std::pair<QString, QByteArray>> &files)
{
    // Every file is written and synced before any replaces its old one.
    std::vector<std::unique_ptr<QSaveFile>> ready;
    for (const auto &[path, bytes] : files)
        ready.push_back(prepare(path, bytes));
    if (ready.size() == 1) {
        if (!ready[0]->commit())
            throw VorpexError(files[0].first + QStringLiteral(": ") + ready[0]->errorString());
        return;
    }
    // The old files stay reachable under a second name until all the new ones are in place,
    // so that a failure part-way puts them back. A link is followed, as QSaveFile follows it:
    // the file behind it is the one kept.
    struct Old
    {
        QByteArray target;
        QByteArray kept;    // empty: there was no old file
        bool aside = false; // moved away, not linked: its name is free until the commit
    };
    std::vector<Old> old(files.size());
    auto rollBack = [&](std::size_t committed) {
        for (std::size_t i = 0; i < old.size(); ++i) {
            const Old &o = old[i];
            if (o.kept.isEmpty()) {
                if (i < committed)
                    ::unlink(o.target.constData());
            } else if (i < committed || o.aside) {
                ::rename(o.kept.constData(), o.target.constData());
            } else {
                ::unlink(o.kept.constData());
            }
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QFileInfo info(files[i].first);
        old[i].target =
            QFile::encodeName(info.exists() ? info.canonicalFilePath() : files[i].first);
        if (!info.exists())
            continue;
        const QByteArray kept = old[i].target + ".old-" +
                                QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        int error = 0;
        if (::link(old[i].target.constData(), kept.constData()) != 0) {
            error = errno;
            // FAT and exFAT have no hard links: the old file steps aside by name instead.
            if ((error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS) &&
                ::rename(old[i].target.constData(), kept.constData()) == 0) {
                old[i].aside = true;
                error = 0;
            }
        }
        if (error != 0) {
            rollBack(0);
            throw VorpexError(files[i].first + QStringLiteral(": ") + systemError(error));
        }
        old[i].kept = kept;
    }
    for (std::size_t i = 0; i < ready.size(); ++i) {
        if (!ready[i]->commit()) {
            const QString why = ready[i]->errorString();
            rollBack(i);
            throw VorpexError(files[i].first + QStringLiteral(": ") + why);
        }
    }
    for (const Old &o : old) {
        if (!o.kept.isEmpty())
            ::unlink(o.kept.constData());
    }
}
