// Preloaded: the file system as FAT and exFAT show it, without hard links or unnamed temp files.
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

using OpenFunction = int (*)(const char *, int, ...);

int openFile(OpenFunction real, const char *path, int flags, va_list args)
{
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return real(path, flags, (flags & O_CREAT) ? mode_t(va_arg(args, int)) : mode_t(0));
}

} // namespace

extern "C" {

int link(const char *, const char *)
{
    errno = EPERM;
    return -1;
}

int linkat(int, const char *, int, const char *, int)
{
    errno = EPERM;
    return -1;
}

int open(const char *path, int flags, ...)
{
    static const auto real = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "open"));
    va_list args;
    va_start(args, flags);
    const int fd = openFile(real, path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char *path, int flags, ...)
{
    static const auto real = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "open64"));
    va_list args;
    va_start(args, flags);
    const int fd = openFile(real, path, flags, args);
    va_end(args);
    return fd;
}

// The first move onto a name ending in $VORPEX_REFUSE_RENAME fails, as on a disk failing part-way.
int rename(const char *from, const char *to)
{
    static const auto real =
        reinterpret_cast<int (*)(const char *, const char *)>(dlsym(RTLD_NEXT, "rename"));
    static bool refused = false;
    const char *name = std::getenv("VORPEX_REFUSE_RENAME");
    const std::size_t length = name ? std::strlen(name) : 0, toLength = std::strlen(to);
    if (!refused && length > 0 && toLength >= length &&
        !std::strcmp(to + toLength - length, name)) {
        refused = true;
        errno = EIO;
        return -1;
    }
    return real(from, to);
}
}
