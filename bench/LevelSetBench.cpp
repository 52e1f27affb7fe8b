// The levelset window with a set of 100 levels: all their thumbnails drawn in one process
// (against as many runs of vorpex render --size 160, in ProcessBench), and the window's first
// paint.
#include "BenchFixture.h"

#include "levelset/LevelListView.h"
#include "levelset/ThumbnailLoader.h"
#include "levelset/frmEditLevelSet.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// Lvl/Hundred.vxs, naming 100 full levels beside it.
QString hundredLevels()
{
    const BenchFolder &folder = *BenchFolder::current;
    const QString set = folder.path() + "/Lvl/Hundred.vxs";
    if (QFile::exists(set))
        return set;
    QByteArray lines = "Hundred\r\n 100 \r\n";
    const QByteArray level = BenchFolder::fullLevelBytes("32x16.bmp");
    for (int i = 0; i < 100; ++i) {
        const QString name = QStringLiteral("hundred%1.vxl").arg(i, 3, 10, QChar('0'));
        QFile file(folder.path() + "/Lvl/" + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(level) != level.size())
            std::abort();
        lines += name.toLatin1() + "\r\n";
    }
    QFile file(set);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines) != lines.size())
        std::abort();
    return set;
}

// Every thumbnail of the set, from the first request to the last picture back on this thread.
void Thumbnails100(benchmark::State &state)
{
    const QString set = hundredLevels();
    for (auto _ : state) {
        ThumbnailLoader loader(BenchFolder::current->path());
        loader.restart(set);
        QEventLoop loop;
        int drawn = 0;
        QObject::connect(&loader, &ThumbnailLoader::ready,
                         [&](const QString &, int, const LevelThumbnail &thumbnail) {
                             if (thumbnail.state != LevelThumbnail::State::Drawn)
                                 state.SkipWithError("a level was not drawn");
                             if (++drawn == 100)
                                 loop.quit();
                         });
        for (int i = 0; i < 100; ++i)
            loader.request(QStringLiteral("hundred%1.vxl").arg(i, 3, 10, QChar('0')));
        loop.exec();
    }
}

class PaintSpy : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// From the window's making until its list of tiles has been painted.
void WindowFirstPaint100(benchmark::State &state)
{
    const QString set = hundredLevels();
    NoDialogs dialogs;
    for (auto _ : state) {
        auto *window = new frmEditLevelSet(dialogs, BenchFolder::current->path(), {});
        PaintSpy spy;
        window->lstLevels->viewport()->installEventFilter(&spy);
        if (!window->OpenLevelSet(set))
            state.SkipWithError("OpenLevelSet failed");
        window->show();
        while (!spy.painted)
            QCoreApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(Thumbnails100)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(WindowFirstPaint100)->UseRealTime()->Unit(benchmark::kMillisecond);
