#include "FuzzSupport.h"

#include "imageio/QtImages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

std::optional<QString> FirstButtonDialogs::showOpen(QWidget *, const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> FirstButtonDialogs::showSave(QWidget *, const FileDialogRequest &)
{
    return std::nullopt;
}

MsgAnswer FirstButtonDialogs::message(
    QWidget *, const QString &text, const QString &caption, MsgButtons buttons, MsgIcon, MsgAnswer)
{
    texts.append(text);
    captions.append(caption);
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
}

void FirstButtonDialogs::runModal(QDialog &) {}

void StartFuzzApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to these for the life of the application.
    static int argc = 1;
    static char name[] = "vorpex_fuzz";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    UseQtPictureDecoder();
}

namespace {

QTemporaryDir *runFolder = nullptr;

void removeRunFolder()
{
    delete runFolder;
    runFolder = nullptr;
}

void putLE16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putLE32(QByteArray &out, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((u >> shift) & 0xFF));
}

// count, then one record per cell of a bitmap `down` cells high, as a tileset builder writes it;
// only `written` records are put in the file.
QByteArray tilesetBytes(std::int32_t count, int written, int down)
{
    QByteArray out;
    putLE32(out, count);
    for (int n = 1; n <= written; ++n) {
        for (std::int32_t v : {1, 1, 1, 1, 1, (n - 1) / down * 32, (n - 1) % down * 16})
            putLE32(out, v);
    }
    return out;
}

} // namespace

QString FuzzFolder()
{
    if (!runFolder) {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm")
                                 : QDir::tempPath();
        runFolder = new QTemporaryDir(base + QStringLiteral("/vorpex-fuzz-XXXXXX"));
        if (!runFolder->isValid())
            FuzzFail("cannot make a temporary folder");
        std::atexit(removeRunFolder);
    }
    return runFolder->path();
}

QByteArray MakeBitmap(int width, int height)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const qsizetype pixelBytes = qsizetype(rowBytes) * height;
    QByteArray out;
    out.reserve(54 + pixelBytes);
    out.append("BM", 2);
    putLE32(out, std::int32_t(54 + pixelBytes));
    putLE32(out, 0);
    putLE32(out, 54);
    putLE32(out, 40);
    putLE32(out, width);
    putLE32(out, height);
    putLE16(out, 1);
    putLE16(out, 24);
    for (int i = 0; i < 6; ++i)
        putLE32(out, 0);
    const int down = std::max(height / 16, 1);
    QByteArray row(rowBytes, '\0');
    // Rows are stored from the bottom up; the rows of one band of cells are alike.
    int band = -1;
    for (int y = height - 1; y >= 0; --y) {
        if (y / 16 != band) {
            band = y / 16;
            char *p = row.data();
            for (int x = 0; x < width; ++x) {
                const int n = (x / 32) * down + band + 1;
                p[3 * x] = char(n * 29 + 80);
                p[3 * x + 1] = char(n * 97 + 40);
                p[3 * x + 2] = char(n * 53);
            }
        }
        out.append(row);
    }
    return out;
}

QString MakeFuzzAppFolder()
{
    const QString app = FuzzFolder() + QStringLiteral("/app");
    QDir dir;
    for (const char *sub : {"Tls", "Bgd", "Lvl", "Tls/Dir.vxt", "Bgd/Dir.bmp"}) {
        if (!dir.mkpath(app + QLatin1Char('/') + QLatin1String(sub)))
            FuzzFail("cannot make the application folder");
    }
    const QString tls = app + QStringLiteral("/Tls/");
    const QString bgd = app + QStringLiteral("/Bgd/");

    WriteFileOrDie(tls + QStringLiteral("DefaultTileSet.vxt"), tilesetBytes(6, 6, 3));
    WriteFileOrDie(tls + QStringLiteral("DefaultTileSet.bmp"), MakeBitmap(64, 48));
    // More bricks than the palette has slots.
    WriteFileOrDie(tls + QStringLiteral("Big.vxt"), tilesetBytes(140, 140, 14));
    WriteFileOrDie(tls + QStringLiteral("Big.bmp"), MakeBitmap(320, 224));
    // A count far beyond both the records held and the bitmap's cells.
    WriteFileOrDie(tls + QStringLiteral("Short.vxt"), tilesetBytes(2147483647, 2, 2));
    WriteFileOrDie(tls + QStringLiteral("Short.bmp"), MakeBitmap(64, 32));
    // A bitmap too small for a single cell.
    WriteFileOrDie(tls + QStringLiteral("Tiny.vxt"), tilesetBytes(3, 3, 1));
    WriteFileOrDie(tls + QStringLiteral("Tiny.bmp"), MakeBitmap(1, 1));
    // Sizes that round: 48 x 24 pixels give 2 x 2 cells, partly outside the picture.
    WriteFileOrDie(tls + QStringLiteral("Odd.vxt"), tilesetBytes(4, 4, 2));
    WriteFileOrDie(tls + QStringLiteral("Odd.bmp"), MakeBitmap(48, 24));
    WriteFileOrDie(tls + QStringLiteral("NoPic.vxt"), tilesetBytes(1, 1, 1));
    WriteFileOrDie(tls + QStringLiteral("Empty.vxt"), QByteArray());
    WriteFileOrDie(tls + QStringLiteral("Bad.vxt"), tilesetBytes(1, 1, 1));
    WriteFileOrDie(tls + QStringLiteral("Bad.bmp"), QByteArray("BM this is no bitmap"));
    WriteFileOrDie(tls + QString::fromUtf8("Br\xc3\xaf"
                                           "ck.vxt"),
                   tilesetBytes(2, 2, 1));
    WriteFileOrDie(tls + QString::fromUtf8("Br\xc3\xaf"
                                           "ck.bmp"),
                   MakeBitmap(64, 16));
    WriteFileOrDie(tls + QStringLiteral("ThirtyCharacterTilesetName.vxt"), tilesetBytes(1, 1, 1));
    WriteFileOrDie(tls + QStringLiteral("ThirtyCharacterTilesetName.bmp"), MakeBitmap(32, 16));

    WriteFileOrDie(bgd + QStringLiteral("DefaultBackground.bmp"), MakeBitmap(320, 240));
    WriteFileOrDie(bgd + QStringLiteral("Wide.bmp"), MakeBitmap(641, 100));
    // Small tiles, yet not so small that every redraw takes thousands of copies.
    WriteFileOrDie(bgd + QStringLiteral("Tile8.bmp"), MakeBitmap(8, 8));
    WriteFileOrDie(bgd + QString::fromUtf8("Ciel \xc3\xa9t\xc3\xa9.bmp"), MakeBitmap(100, 100));
    WriteFileOrDie(bgd + QStringLiteral("Bad.bmp"), QByteArray("BM this is no bitmap"));
    WriteFileOrDie(bgd + QStringLiteral("Empty.bmp"), QByteArray());
    return app;
}

void WriteFileOrDie(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFail("cannot write a file of the run", path);
}

QByteArray ReadFileOrDie(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FuzzFail("cannot read a file of the run", path);
    return file.readAll();
}

void FuzzFail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "==vorpex fuzz== %s %s\n", what, detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

bool IsMessageWithPath(const QString &text, std::initializer_list<const char *> messages)
{
    for (const char *message : messages) {
        const QString head = QLatin1String(message) + QStringLiteral("\r\n");
        if (text.startsWith(head) && text.size() > head.size())
            return true;
    }
    return false;
}
