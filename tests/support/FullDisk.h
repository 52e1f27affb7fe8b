#pragma once

#include <QString>
#include <QStringList>

// Runs the test again in a child through `wrapper` and sh `script` ($1 a fresh folder, then the
// program; prints "ready" once set up, else skips saying `whyNot`). True: skip the body here.
bool RanInChild(const QStringList &wrapper, const QString &script, const char *whyNot);

// A disk that runs out of room part-way through a save: a small tmpfs of the test's own, filled
// but for the room asked (Mounted), or a limit on the size of any file written (FileSizeLimit).
enum class FullDiskKind { Mounted, FileSizeLimit };

// Runs the current test in a child on a small file system when `kind` asks for one.
bool RanInSmallFileSystem(FullDiskKind kind);

// While alive, writes have `room` bytes left: on the small disk, or in any one file.
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
