#include "FileIO.h"

#include "common/VorpexError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
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
    const QByteArray name = EncodeFileName(path);
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

// The length of the UTF-8 sequence that starts at bytes[0], or 0 where none does: a stray
// byte, a cut sequence, an overlong form, a surrogate or a code past U+10FFFF.
int utf8Length(const unsigned char *bytes, qsizetype left, char32_t &code)
{
    const unsigned char first = bytes[0];
    int length = 0;
    char32_t least = 0;
    if (first < 0x80) {
        code = first;
        return 1;
    } else if ((first & 0xE0) == 0xC0) {
        length = 2, least = 0x80, code = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3, least = 0x800, code = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4, least = 0x10000, code = first & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (bytes[i] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QString DecodeFileName(const QByteArray &name)
{
    QString text = QFile::decodeName(name);
    if (QFile::encodeName(text) == name)
        return text;
    text.clear();
    const auto *bytes = reinterpret_cast<const unsigned char *>(name.constData());
    for (qsizetype i = 0; i < name.size();) {
        char32_t code = 0;
        if (const int length = utf8Length(bytes + i, name.size() - i, code)) {
            text += QString::fromUcs4(&code, 1);
            i += length;
        } else {
            text += QChar(0xDC00 + bytes[i++]);
        }
    }
    return text;
}

QByteArray EncodeFileName(const QString &name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate())) {
            bytes += QStringView(name).mid(start, i - start).toUtf8();
            bytes += char(c - 0xDC00);
            start = i + 1;
        }
    }
    return start == 0 ? QFile::encodeName(name) : bytes + QStringView(name).mid(start).toUtf8();
}

PathStatus StatusOf(const QString &path)
{
    const QByteArray name = EncodeFileName(path);
    PathStatus status;
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0) {
        status.error = errno;
        return status;
    }
    if (S_ISLNK(st.st_mode)) {
        status.link = true;
        if (::stat(name.constData(), &st) != 0) {
            status.error = errno;
            return status;
        }
    }
    status.folder = S_ISDIR(st.st_mode);
    status.regular = S_ISREG(st.st_mode);
    status.size = st.st_size;
    return status;
}

QStringList ListFolder(const QString &folder)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(EncodeFileName(folder).constData()),
                                                   ::closedir);
    if (!dir)
        throw VorpexError(folder + QStringLiteral(": ") + systemError(errno));
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << DecodeFileName(name);
    }
    if (errno)
        throw VorpexError(folder + QStringLiteral(": ") + systemError(errno));
    names.sort();
    return names;
}

QString FindIgnoringCase(const QString &path)
{
    const PathStatus status = StatusOf(path);
    if (!status.error || status.link)
        return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder =
        slash < 0 ? QStringLiteral(".") : path.left(std::max<qsizetype>(slash, 1));
    const QString wanted = path.mid(slash + 1);
    QStringList names;
    try {
        names = ListFolder(folder);
    } catch (const VorpexError &) {
        return path;
    }
    QString found;
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0 &&
            StatusOf(path.left(slash + 1) + name).regular) {
            if (!found.isEmpty())
                return path;
            found = name;
        }
    }
    return found.isEmpty() ? path : path.left(slash + 1) + found;
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
