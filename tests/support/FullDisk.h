#pragma once

#include <QString>

// A disk that runs out of room part-way through a save, two ways:
// - Mounted: a small tmpfs of the test's own, in a private mount namespace (unshare), filled to
//   the brim but for the room asked. The test runs again, in a child process, inside it.
// - FileSizeLimit: needs no mount: no file this process writes may grow past the room
//   (RLIMIT_FSIZE), so the write stops short and then fails, as on a full disk.
enum class FullDiskKind { Mounted, FileSizeLimit };

// Runs the current test again in a child inside a small file system when `kind` asks for one
// and this process is not that child yet; reports the child's outcome (or skips, saying why,
// where nothing may be mounted). True when the test body must not run in this process.
bool RanInSmallFileSystem(FullDiskKind kind);

// While alive, writes have only `room` bytes left: on the small file system (Mounted), or in
// any one file (FileSizeLimit).
class FullDisk
{
public:
    FullDisk(FullDiskKind kind, qint64 room);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    FullDiskKind kind;
    QString filler;
    unsigned long long oldLimit = 0;
};
