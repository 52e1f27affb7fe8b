// Speed of the editor's drawing and files, each beside a floor measured in the same run.
#include "BenchFixture.h"

#include "imageio/QtImages.h"
#include "model/CellBlockText.h"
#include "model/TilesetFile.h"
#include "platform/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace {

std::unique_ptr<ShownEditor> fullEditor; // dropped before the application ends

ShownEditor &fullLevelEditor()
{
    if (!fullEditor) {
        fullEditor = std::make_unique<ShownEditor>(*BenchFolder::current);
        if (!fullEditor->editor->OpenFile(BenchFolder::current->fullLevel()))
            std::abort();
    }
    return *fullEditor;
}

// The editor's full redraw over a background: the ground tiled, four paddles, 600 bricks.
void FullRedraw(benchmark::State &state, const char *background)
{
    frmEditor &editor = *fullLevelEditor().editor;
    if (!editor.OpenFile(BenchFolder::current->fullLevel(background)))
        state.SkipWithError("OpenFile failed");
    for (auto _ : state) {
        editor.TileBack();
        editor.TileBricks();
        benchmark::DoNotOptimize(editor.LevelPic->surface().constBits());
    }
    editor.OpenFile(BenchFolder::current->fullLevel());
}

// The bytes a full redraw needs, by memcpy between plain buffers: the 640 x 480 ground written
// twice (the ground copy that erasing restores from, and the canvas), each of the four paddles
// and 600 bricks once.
void FullRedrawFloor(benchmark::State &state)
{
    constexpr int stride = 640 * 4;
    std::vector<unsigned char> picture(stride * 480), copy(stride * 480), canvas(stride * 480),
        brick(32 * 16 * 4), hori(640 * 10 * 4), vert(10 * 480 * 4);
    auto rect = [](unsigned char *dst, int dstStride, const unsigned char *src, int srcStride,
                   int w, int h) {
        for (int row = 0; row < h; ++row)
            std::memcpy(dst + row * dstStride, src + row * srcStride, std::size_t(w) * 4);
    };
    for (auto _ : state) {
        std::memcpy(copy.data(), picture.data(), copy.size());
        std::memcpy(canvas.data(), copy.data(), canvas.size());
        rect(canvas.data() + 460 * stride, stride, hori.data(), 2560, 640, 10);
        rect(canvas.data() + 620 * 4, stride, vert.data(), 40, 10, 480);
        rect(canvas.data() + 10 * stride, stride, hori.data(), 2560, 640, 10);
        rect(canvas.data() + 10 * 4, stride, vert.data(), 40, 10, 480);
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 30; ++y)
                rect(canvas.data() + y * 16 * stride + x * 128, stride, brick.data(), 128, 32, 16);
        benchmark::DoNotOptimize(canvas.data());
        benchmark::ClobberMemory();
    }
}

// One step of a drag that places a brick.
void DragStep(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    editor.Picture2_MouseDown(5);
    editor.MouseHeld = VbTrue;
    int step = 0;
    for (auto _ : state) {
        const double x = 100 + 32 * (step++ % 8);
        editor.LevelPic_MouseMove(1, 0, x, 200);
        benchmark::DoNotOptimize(editor.LevelPic->surface().constBits());
    }
    editor.LevelPic_MouseUp();
}

// Undo of one stroke that emptied all 600 cells: each cell drawn again from its brick.
void UndoStroke600(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    editor.LevelPic_MouseDown(2, 0, 0, 0);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 30; ++y)
            editor.LevelPic_MouseMove(2, 0, 32 * x + 5, 16 * y + 5);
    editor.LevelPic_MouseUp();
    if (editor.History.count() < 1)
        state.SkipWithError("the stroke left no step");
    for (auto _ : state) {
        editor.History.undo();
        benchmark::DoNotOptimize(editor.LevelPic->surface().constBits());
        state.PauseTiming();
        editor.History.redo();
        state.ResumeTiming();
    }
    editor.History.undo(); // the full level again, for the benchmarks after this one
}

// A tool's step over the 600 cells of an empty playfield, as the mouse and keys give it: the
// step and the redraw of each cell it changed. Undone between iterations; the full level is
// back at the end.
void ToolStep(benchmark::State &state, QAction *frmEditor::*tool, void (*step)(frmEditor &))
{
    frmEditor &editor = *fullLevelEditor().editor;
    (editor.*tool)->setChecked(true);
    editor.Picture2_MouseDown(5);
    editor.Level.apply("Clear", GridEdits::FillRect(GridEdits::Playfield, 0));
    for (auto _ : state) {
        step(editor);
        benchmark::DoNotOptimize(editor.LevelPic->surface().constBits());
        state.PauseTiming();
        if (editor.LevelGrid(20, 30) != 5)
            state.SkipWithError("the step did not reach the last cell");
        editor.History.undo();
        state.ResumeTiming();
    }
    editor.History.undo();
    editor.mnuBrush->setChecked(true);
}

void click(frmEditor &editor, int x, int y)
{
    editor.LevelPic_MouseDown(1, 0, 32 * x - 16, 16 * y - 8);
    editor.LevelPic_MouseUp();
}

void FloodFill600(benchmark::State &state)
{
    ToolStep(state, &frmEditor::mnuFill, [](frmEditor &editor) { click(editor, 10, 10); });
}

void PasteBlock600(benchmark::State &state)
{
    CellBlock block{20, 30, std::vector<std::int32_t>(600, 5)};
    QGuiApplication::clipboard()->setText(CellBlockAsText(block));
    ToolStep(state, &frmEditor::mnuBrush, [](frmEditor &editor) {
        editor.mnuPaste->trigger();
        click(editor, 1, 1);
    });
}

// A rectangle over the top-left quarter, with its three mirror images.
void MirroredRectangle600(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    editor.mnuMirrorLeftRight->setChecked(true);
    editor.mnuMirrorTopBottom->setChecked(true);
    ToolStep(state, &frmEditor::mnuRectangle, [](frmEditor &editor) {
        editor.LevelPic_MouseDown(1, 0, 5, 5);
        editor.LevelPic_MouseMove(1, 0, 32 * 10 - 5, 16 * 15 - 5);
        editor.LevelPic_MouseUp();
    });
    editor.mnuMirrorLeftRight->setChecked(false);
    editor.mnuMirrorTopBottom->setChecked(false);
}

// One move of a rectangle's corner while dragging: the outline asked to be shown anew.
void RectanglePreviewStep(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    editor.mnuRectangle->setChecked(true);
    editor.LevelPic_MouseDown(1, 0, 5, 5);
    int step = 0;
    for (auto _ : state) {
        const int corner = 10 + step++ % 8;
        editor.LevelPic_MouseMove(1, 0, 32 * corner - 5, 16 * corner - 5);
        // The screen's own repaint is left out, as it is from the full redraw.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    editor.mnuRectangle->setChecked(false); // the drag ends without a step
    editor.LevelPic_MouseUp();
    editor.mnuBrush->setChecked(true);
}

void OpenLevel(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    for (auto _ : state) {
        if (!editor.OpenFile(BenchFolder::current->fullLevel()))
            state.SkipWithError("OpenFile failed");
    }
}

void ReadLevelFloor(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(BenchFolder::current->fullLevel());
    char buffer[2672];
    for (auto _ : state) {
        std::FILE *f = std::fopen(path.constData(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer, 1, sizeof buffer, f));
        std::fclose(f);
    }
}

void SaveLevel(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    const QString path = BenchFolder::current->path() + QStringLiteral("/Lvl/saved.vxl");
    for (auto _ : state) {
        if (!editor.SaveFile(path))
            state.SkipWithError("SaveFile failed");
    }
}

void WriteLevelFloor(benchmark::State &state)
{
    const QByteArray path =
        QFile::encodeName(BenchFolder::current->path() + QStringLiteral("/Lvl/plain.vxl"));
    char buffer[2672] = {};
    for (auto _ : state) {
        std::FILE *f = std::fopen(path.constData(), "wb");
        benchmark::DoNotOptimize(std::fwrite(buffer, 1, sizeof buffer, f));
        std::fclose(f);
    }
}

void OpenTileset119(benchmark::State &state)
{
    frmEditor &editor = *fullLevelEditor().editor;
    for (auto _ : state) {
        if (!editor.OpenTileSet(BenchFolder::current->defaultTileset()))
            state.SkipWithError("OpenTileSet failed");
    }
}

void ParseTileset32767(benchmark::State &state)
{
    const QByteArray bytes = [] {
        QFile file(BenchFolder::current->bigTileset());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    for (auto _ : state) {
        const TilesetFileData file(bytes);
        std::int64_t sum = 0;
        for (int n = 1; n <= file.count(); ++n)
            sum += file.record(n).PicX;
        benchmark::DoNotOptimize(sum);
    }
}

// Reading the same 917,480 bytes as 32767 records of seven integers, by plain memcpy.
void ParseTilesetFloor(benchmark::State &state)
{
    QFile file(BenchFolder::current->bigTileset());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        std::int64_t sum = 0;
        std::int32_t record[7];
        for (int n = 0; n < 32767; ++n) {
            std::memcpy(record, bytes.constData() + 4 + 28 * n, sizeof record);
            sum += record[5];
        }
        benchmark::DoNotOptimize(sum);
    }
}

void StartUp(benchmark::State &state)
{
    for (auto _ : state) {
        ShownEditor shown(*BenchFolder::current);
        benchmark::DoNotOptimize(shown.editor->LevelPic->surface().constBits());
    }
}

BENCHMARK_CAPTURE(FullRedraw, 32x16, "32x16");
BENCHMARK_CAPTURE(FullRedraw, 1x1, "1x1");
BENCHMARK_CAPTURE(FullRedraw, 3x7, "3x7");
BENCHMARK_CAPTURE(FullRedraw, 640x480, "640x480");
BENCHMARK(FullRedrawFloor);
BENCHMARK(DragStep);
BENCHMARK(UndoStroke600);
BENCHMARK(FloodFill600);
BENCHMARK(PasteBlock600);
BENCHMARK(MirroredRectangle600);
BENCHMARK(RectanglePreviewStep);
BENCHMARK(OpenLevel);
BENCHMARK(ReadLevelFloor);
BENCHMARK(SaveLevel);
BENCHMARK(WriteLevelFloor);
BENCHMARK(OpenTileset119);
BENCHMARK(ParseTileset32767);
BENCHMARK(ParseTilesetFloor);
BENCHMARK(StartUp);

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> ns;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        // CPU time per iteration, the median where repetitions were asked for: the machine
        // may be busy with other work while this runs. Whole processes are timed on the wall.
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const bool wall = run.run_name.time_type == "real_time";
            ns[run.run_name.function_name] =
                (wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime()) *
                benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseQtPictureDecoder();
    benchmark::Initialize(&argc, argv);
    BenchFolder bench;
    BenchFolder::current = &bench;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // a against `times` runs of b.
    auto ratio = [&](const char *what, const char *a, const char *b, const char *target,
                     double times = 1) {
        if (!reporter.ns.count(a) || !reporter.ns.count(b))
            return;
        const double floor = reporter.ns[b] * times;
        std::printf("%-44s %10.1f us / %10.1f us = %8.3f   %s\n", what, reporter.ns[a] / 1e3,
                    floor / 1e3, reporter.ns[a] / floor, target);
    };
    std::printf("\nRatios (same run, CPU time per iteration)\n");
    for (const char *background : BenchFolder::Backgrounds) {
        const std::string name = std::string("FullRedraw/") + background;
        ratio(("full redraw over " + std::string(background) + " tiles / memcpy floor").c_str(),
              name.c_str(), "FullRedrawFloor", "target <= 2.0");
    }
    ratio("drag step / full redraw", "DragStep", "FullRedraw/32x16", "target <= 0.02");
    ratio("undo of a 600-cell stroke / 600 drag steps", "UndoStroke600", "DragStep",
          "target <= 1.0", 600);
    ratio("flood fill of 600 cells / full redraw", "FloodFill600", "FullRedraw/32x16",
          "target <= 1.0");
    ratio("paste of a 20 x 30 block / full redraw", "PasteBlock600", "FullRedraw/32x16",
          "target <= 1.0");
    ratio("four-fold rectangle of 600 cells / full redraw", "MirroredRectangle600",
          "FullRedraw/32x16", "target <= 1.0");
    ratio("rectangle preview step / full redraw", "RectanglePreviewStep", "FullRedraw/32x16",
          "target <= 0.1");
    ratio("OpenFile / fread 2672 bytes", "OpenLevel", "ReadLevelFloor", "");
    ratio("SaveFile / fwrite 2672 bytes", "SaveLevel", "WriteLevelFloor", "");
    ratio("OpenTileSet 119 / fread 2672 bytes", "OpenTileset119", "ReadLevelFloor", "");
    ratio("parse 32767 records / memcpy floor", "ParseTileset32767", "ParseTilesetFloor", "");
    ratio("start-up / full redraw", "StartUp", "FullRedraw/32x16", "");
    ratio("vorpex render / tmxrasterizer, wall", "RenderProcess", "TmxRasterizerProcess",
          "target <= 0.333");
    ratio("100 thumbnails in one process / 100 vorpex render --size 160, wall", "Thumbnails100",
          "RenderThumbnailProcess", "target <= 0.333", 100);
    ratio("levelset window's first paint, 100 levels / full redraw, wall", "WindowFirstPaint100",
          "FullRedraw/32x16", "target: under 100 ms");
    if (reporter.ns.count("CheckProcess"))
        std::printf("%-44s %10.1f files per second   target >= 2000\n",
                    "vorpex check of 1,020 files", 1020 / (reporter.ns["CheckProcess"] / 1e9));
    fullEditor.reset();
    benchmark::Shutdown();
    return 0;
}
