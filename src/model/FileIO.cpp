#include "FileIO.h"

#include "common/VorpexError.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

} // namespace

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

QByteArray ReadFileBytes(const QString &path, qint64 maxBytes)
{
    QFile file;
    OpenRegularFile(file, path);
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        throw VorpexError(path + QStringLiteral(": ") + file.errorString());
    return bytes;
}

void WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered: a full disk fails the write itself, not a flush inside commit(), whose error
    // commit() would not report. The data is then synced here, where a failure is seen, before
    // the temporary file may replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw VorpexError(path + QStringLiteral(": ") + file.errorString());
    QString failure;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        failure = file.errorString();
    } else if (::fdatasync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        failure = systemError(errno); // EINVAL, ENOTSUP: a file system that keeps no cache
    }
    if (!failure.isEmpty()) {
        file.cancelWriting();
        throw VorpexError(path + QStringLiteral(": ") + failure);
    }
    if (!file.commit())
        throw VorpexError(path + QStringLiteral(": ") + file.errorString());
}
