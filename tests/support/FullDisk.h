#pragma once

#include <QString>
#include <QStringList>

// Runs the test again in a child through `wrapper` and sh `script` ($1 a fresh folder, then the
// program; prints "ready" once set up, else skips saying `whyNot`). True: skip the body here.
bool RanInChild(const QStringList &wrapper, const QString &script, const char *whyNot);

// A disk full part-way through a save: a small tmpfs of the test's own, or a file size limit.
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

// Disks without hard links (USB sticks, SD cards): an exFAT image if one mounts, or links refused.
enum class LinklessDisk { ExFatImage, LinksRefused };

// Runs the current test in a child whose temporary files lie on such a disk.
bool RanOnLinklessDisk(LinklessDisk kind);
