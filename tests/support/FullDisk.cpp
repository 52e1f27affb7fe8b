#include "FullDisk.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const char *SmallFsVariable = "VORPEX_SMALL_FS";

} // namespace

bool RanInSmallFileSystem(FullDiskKind kind)
{
    if (kind != FullDiskKind::Mounted || qEnvironmentVariableIsSet(SmallFsVariable))
        return false;
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QTemporaryDir mountPoint;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    // Temporary folders of the child, its application folder among them, lie on the small disk.
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=4m tmpfs \"$1\" || exit 77; echo mounted; dir=$1; shift; "
        "VORPEX_SMALL_FS=$dir TMPDIR=$dir exec \"$@\"");
    child.start(
        QStringLiteral("unshare"),
        {"--user", "--map-root-user", "--mount", "sh", "-c", script, "sh", mountPoint.path(),
         QCoreApplication::applicationFilePath(),
         QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    const bool finished = child.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (!output.contains(QStringLiteral("mounted\n"))) {
        [] { GTEST_SKIP() << "cannot mount a small file system here (unshare -rm, mount)"; }();
        return true;
    }
    EXPECT_TRUE(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        << "in the small file system:\n"
        << output.toStdString();
    return true;
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
    filler = qEnvironmentVariable(SmallFsVariable) + QStringLiteral("/filler");
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
