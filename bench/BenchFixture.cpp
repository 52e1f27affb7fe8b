#include "BenchFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstdlib>

std::optional<QString> NoDialogs::showOpen(QWidget *, const FileDialogRequest &)
{
    std::fprintf(stderr, "unexpected open dialog\n");
    std::abort();
}

std::optional<QString> NoDialogs::showSave(QWidget *, const FileDialogRequest &)
{
    std::fprintf(stderr, "unexpected save dialog\n");
    std::abort();
}

std::optional<QString> NoDialogs::showFolder(QWidget *, const QString &, const QString &)
{
    std::fprintf(stderr, "unexpected folder dialog\n");
    std::abort();
}

std::optional<int> NoDialogs::askNumber(QWidget *, const QString &, const QString &, int, int, int)
{
    std::fprintf(stderr, "unexpected number prompt\n");
    std::abort();
}

MsgAnswer
NoDialogs::message(QWidget *, const QString &text, const QString &, MsgButtons, MsgIcon, MsgAnswer)
{
    std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    std::abort();
}

void NoDialogs::runModal(QDialog &)
{
    std::abort();
}

namespace {

void put32(QByteArray &out, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// A tileset of `count` bricks over a picture `across` x `down` cells.
void writeTileset(const QString &vxt, int across, int down, int count)
{
    QImage picture(across * 32, down * 16, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    picture.save(vxt.left(vxt.size() - 3) + QStringLiteral("bmp"), "BMP");
    QByteArray bytes;
    put32(bytes, count);
    for (int n = 1; n <= count; ++n) {
        for (std::int32_t v : {1, 1, 1, 1, 1, (n - 1) / down * 32, (n - 1) % down * 16})
            put32(bytes, v);
    }
    writeFile(vxt, bytes);
}

} // namespace

BenchFolder::BenchFolder()
{
    QDir root(dir.path());
    for (const char *sub : {"Tls", "Bgd", "Lvl"})
        root.mkdir(QLatin1String(sub));
    writeTileset(defaultTileset(), 6, 20, 119);
    writeTileset(bigTileset(), 128, 256, 32767);
    // Backgrounds of 1 x 1 up to the whole canvas, each under a full level.
    for (const char *name : Backgrounds) {
        const QStringList size = QString(QLatin1String(name)).split(u'x');
        QImage tile(size[0].toInt(), size[1].toInt(), QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                tile.setPixel(x, y, qRgb(10 + x % 50, 20 + y % 50, 70));
        tile.save(root.filePath(QStringLiteral("Bgd/%1.bmp").arg(name)), "BMP");
        writeFile(fullLevel(name), fullLevelBytes(QByteArray(name) + ".bmp"));
    }
}

QByteArray BenchFolder::fullLevelBytes(const QByteArray &background)
{
    QByteArray level;
    for (int i = 0; i < 4; ++i)
        level.append("\xff\xff", 2);
    level.append(QByteArray("DefaultTileSet.vxt").leftJustified(30, ' '));
    level.append(background.leftJustified(30, ' '));
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 20; ++x)
            put32(level, x > 0 && y > 0 ? (x * 7 + y) % 119 + 1 : 0);
    return level;
}

QString BenchFolder::fullLevel(const char *background) const
{
    return dir.path() + QStringLiteral("/Lvl/full-%1.vxl").arg(QLatin1String(background));
}

QString BenchFolder::defaultTileset() const
{
    return dir.path() + QStringLiteral("/Tls/DefaultTileSet.vxt");
}

QString BenchFolder::bigTileset() const
{
    return dir.path() + QStringLiteral("/Tls/Big.vxt");
}

ShownEditor::ShownEditor(const BenchFolder &folder)
    : editor(std::make_unique<frmEditor>(dialogs, folder.path(), bricks))
{
    editor->showAndActivate();
}
