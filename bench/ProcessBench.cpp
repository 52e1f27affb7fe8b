// Whole runs of the vorpex command, wall time: render beside tmxrasterizer drawing the same map,
// render --size 160 (a thumbnail), and check over a folder of 1,020 files.
#include "BenchFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

namespace {

// posix_spawn rather than QProcess: a fork of this large process would be timed too.
void run(benchmark::State &state, const QString &program, const QStringList &args)
{
    std::vector<QByteArray> strings{QFile::encodeName(program)};
    for (const QString &arg : args)
        strings.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    // tmxrasterizer needs a window system; vorpex none.
    static QByteArray offscreen("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> envp{offscreen.data()};
    for (char **e = environ; *e; ++e)
        envp.push_back(*e);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = 0;
    const bool ran = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0 &&
                     waitpid(pid, &status, 0) == pid;
    posix_spawn_file_actions_destroy(&actions);
    if (!ran || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        state.SkipWithError(qPrintable(program + " failed"));
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The full level as a map of two layers of 20 x 30 cells of 32 x 16 pixels: the ground tile
// everywhere, then each cell's brick, from the same bitmaps.
QString tmxMap()
{
    const BenchFolder &folder = *BenchFolder::current;
    const QString map = folder.path() + "/map.tmx";
    if (QFile::exists(map))
        return map;
    QFile::copy(folder.path() + "/Bgd/32x16.bmp", folder.path() + "/ground.bmp");
    QFile::copy(folder.path() + "/Tls/DefaultTileSet.bmp", folder.path() + "/bricks.bmp");
    QByteArray ground, bricks;
    for (int y = 1; y <= 30; ++y) {
        for (int x = 1; x <= 20; ++x) {
            const int n = (x * 7 + y) % 119 + 1; // as in the full level
            ground += "1,";
            // Brick n lies in column (n - 1) / 20, row (n - 1) % 20 of a 6-column bitmap.
            bricks += QByteArray::number(2 + (n - 1) % 20 * 6 + (n - 1) / 20) + ',';
        }
    }
    ground.chop(1);
    bricks.chop(1);
    write(map, R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" orientation="orthogonal" renderorder="right-down" width="20" height="30" tilewidth="32" tileheight="16" infinite="0" nextlayerid="3" nextobjectid="1">
 <tileset firstgid="1" name="ground" tilewidth="32" tileheight="16" tilecount="1" columns="1">
  <image source="ground.bmp" width="32" height="16"/>
 </tileset>
 <tileset firstgid="2" name="bricks" tilewidth="32" tileheight="16" tilecount="120" columns="6">
  <image source="bricks.bmp" width="192" height="320"/>
 </tileset>
 <layer id="1" name="ground" width="20" height="30"><data encoding="csv">)" +
                   ground + R"(</data></layer>
 <layer id="2" name="bricks" width="20" height="30"><data encoding="csv">)" +
                   bricks + "</data></layer>\n</map>\n");
    return map;
}

// 1,000 levels, 10 tilesets with their bitmaps and 10 levelsets of 100 levels each.
QString checkFolder()
{
    const BenchFolder &folder = *BenchFolder::current;
    const QString root = folder.path() + "/check";
    if (QDir(root).exists())
        return root;
    QDir().mkpath(root);
    const QByteArray level = BenchFolder::fullLevelBytes("32x16.bmp");
    for (int i = 0; i < 1000; ++i)
        write(root + QStringLiteral("/level%1.vxl").arg(i, 4, 10, QChar('0')), level);
    for (int i = 0; i < 10; ++i) {
        QFile::copy(folder.defaultTileset(), root + QStringLiteral("/Set%1.vxt").arg(i));
        QFile::copy(folder.path() + "/Tls/DefaultTileSet.bmp",
                    root + QStringLiteral("/Set%1.bmp").arg(i));
        QByteArray set = "Levels\r\n 100 \r\n";
        for (int j = 0; j < 100; ++j)
            set += QStringLiteral("level%1.vxl\r\n").arg(i * 100 + j, 4, 10, QChar('0')).toLatin1();
        write(root + QStringLiteral("/Set%1.vxs").arg(i), set);
    }
    return root;
}

void RenderProcess(benchmark::State &state)
{
    const QString out = BenchFolder::current->path() + "/vorpex.png";
    for (auto _ : state)
        run(state, VORPEX_CLI,
            {"render", "--data", BenchFolder::current->path(), BenchFolder::current->fullLevel(),
             out});
}

// One of the 100 runs that thumbnails of a 100-level set would take without the window.
void RenderThumbnailProcess(benchmark::State &state)
{
    const QString out = BenchFolder::current->path() + "/thumbnail.png";
    for (auto _ : state)
        run(state, VORPEX_CLI,
            {"render", "--data", BenchFolder::current->path(), BenchFolder::current->fullLevel(),
             out, "--size", "160"});
}

void TmxRasterizerProcess(benchmark::State &state)
{
    const QString program = QStandardPaths::findExecutable("tmxrasterizer");
    if (program.isEmpty()) {
        state.SkipWithError("no tmxrasterizer (Debian package tiled)");
        return;
    }
    const QString map = tmxMap(), out = BenchFolder::current->path() + "/tmx.png";
    for (auto _ : state)
        run(state, program, {map, out});
}

void CheckProcess(benchmark::State &state)
{
    const QString files = checkFolder();
    for (auto _ : state)
        run(state, VORPEX_CLI, {"check", "--data", BenchFolder::current->path(), files});
}

} // namespace

BENCHMARK(RenderProcess)
    ->Iterations(1)
    ->Repetitions(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RenderThumbnailProcess)
    ->Iterations(1)
    ->Repetitions(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TmxRasterizerProcess)
    ->Iterations(1)
    ->Repetitions(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CheckProcess)
    ->Iterations(1)
    ->Repetitions(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
