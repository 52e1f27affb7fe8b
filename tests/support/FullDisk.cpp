#include "FullDisk.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const char *ChildDirVariable = "VORPEX_CHILD_DIR";
const QStringList PrivateMounts{"unshare", "--user", "--map-root-user", "--mount"};

} // namespace

bool RanInChild(const QStringList &wrapper, const QString &script, const char *whyNot)
{
    if (qEnvironmentVariableIsSet(ChildDirVariable))
        return false;
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QTemporaryDir place;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
    const QStringList command =
        wrapper + QStringList{"sh",  "-c",         script,
                              "sh",  place.path(), QCoreApplication::applicationFilePath(),
                              filter};
    child.start(command.first(), command.mid(1));
    const bool finished = child.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (!output.contains(QStringLiteral("ready\n"))) {
        [whyNot] { GTEST_SKIP() << whyNot; }();
        return true;
    }
    EXPECT_TRUE(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        << "in the child:\n"
        << output.toStdString();
    return true;
}

bool RanInSmallFileSystem(FullDiskKind kind)
{
    // Temporary folders of the child, its application folder among them, lie on the small disk.
    return kind == FullDiskKind::Mounted &&
           RanInChild(PrivateMounts,
                      "mount -t tmpfs -o size=4m tmpfs \"$1\" || exit 77; echo ready; dir=$1; "
                      "shift; VORPEX_CHILD_DIR=$dir TMPDIR=$dir exec \"$@\"",
                      "cannot mount a small file system here (unshare -rm, mount)");
}

bool RanOnLinklessDisk(LinklessDisk kind)
{
    if (kind == LinklessDisk::LinksRefused)
        return RanInChild({},
                          "echo ready; dir=$1; shift; VORPEX_CHILD_DIR=$dir "
                          "ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 "
                          "LD_PRELOAD=" VORPEX_NO_HARD_LINKS " exec \"$@\"",
                          "");
    // A loop device takes the real root; the mount stays in a namespace of its own.
    return RanInChild(
        {"unshare", "--mount"},
        "img=$1/disk.img; truncate -s 16m \"$img\" && mkfs.exfat \"$img\" >/dev/null && "
        "dev=$(losetup -f --show \"$img\") || exit 77; mkdir \"$1/disk\"; "
        "mount.exfat-fuse \"$dev\" \"$1/disk\" >/dev/null 2>&1 || "
        "{ losetup -d \"$dev\"; exit 77; }; echo ready; dir=$1/disk; shift; "
        "VORPEX_CHILD_DIR=$dir TMPDIR=$dir \"$@\"; status=$?; umount \"$dir\"; "
        "losetup -d \"$dev\"; exit $status",
        "cannot mount an exFAT image here (root, losetup, mount.exfat-fuse)");
}

FullDisk::FullDisk(FullDiskKind kind, qint64 room) : kind(kind)
{
    if (kind == FullDiskKind::FileSizeLimit) {
        std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG instead
        rlimit limit = {};
        getrlimit(RLIMIT_FSIZE, &limit);
        oldLimit = limit.rlim_cur;
        limit.rlim_cur = rlim_t(room);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        return;
    }
    // Fill the small file system, then give back the room asked for (in whole pages).
    filler = qEnvironmentVariable(ChildDirVariable) + QStringLiteral("/filler");
    QFile file(filler);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray chunk(4096, '\0');
    while (file.isOpen() && file.write(chunk) == chunk.size()) {
    }
    EXPECT_TRUE(file.resize(std::max<qint64>(file.size() - room, 0)));
}

FullDisk::~FullDisk()
{
    if (kind == FullDiskKind::FileSizeLimit) {
        rlimit limit = {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(oldLimit);
        setrlimit(RLIMIT_FSIZE, &limit);
    } else {
        QFile::remove(filler);
    }
}
