#pragma once

#include <QString>
#include <QStringList>

// Runs the current test again in a child process, in a place that `script` (sh) sets up: it is
// given a fresh folder as $1 and the test program as the rest of its arguments, prints "ready"
// once set up, and runs the program with VORPEX_CHILD_DIR naming the folder for the child's
// files. `wrapper` starts the script (unshare, for mounts of its own). Reports the child's
// outcome, or skips saying `whyNot` where the script ends before "ready". True when the test
// body must not run in this process.
bool RanInChild(const QStringList &wrapper, const QString &script, const char *whyNot);

// A disk that runs out of room part-way through a save, two ways:
// - Mounted: a small tmpfs of the test's own, in a private mount namespace (unshare), filled to
//   the brim but for the room asked. The test runs again, in a child process, inside it.
// - FileSizeLimit: needs no mount: no file this process writes may grow past the room
//   (RLIMIT_FSIZE), so the write stops short and then fails, as on a full disk.
enum class FullDiskKind { Mounted, FileSizeLimit };

// Runs the current test in a child on a small file system when `kind` asks for one.
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

// Disks of USB sticks and SD cards, which have no hard links: an exFAT image of the test's own
// (where one may be mounted), or this machine's disk with hard links refused (always).
enum class LinklessDisk { ExFatImage, LinksRefused };

// Runs the current test in a child whose temporary files lie on such a disk.
bool RanOnLinklessDisk(LinklessDisk kind);
