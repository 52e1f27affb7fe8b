// Draws the default tileset (bitmap and tileset file) and the default background, and writes
// sample levels over them, so that a new user finds every kind of brick on the first start and
// a level made of them to open.
//   make_default_data APPLICATION_FOLDER
#include "SampleLevels.h"
#include "model/BrickTable.h"
#include "model/Geometry.h"
#include "model/TilesetFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

constexpr int TilesAcross = 4;
constexpr int TilesDown = 8;

QRect cellRect(int n)
{
    const CellPoint p = TilesetCellOrigin(n, TilesDown);
    return QRect(p.x, p.y, CellWidth, CellHeight);
}

// A raised brick: light top and left edges, dark bottom and right edges.
void bevel(QPainter &p, const QRect &r, const QColor &base)
{
    p.fillRect(r, base);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 2), base.lighter(150));
    p.fillRect(QRect(r.left(), r.top(), 2, r.height()), base.lighter(130));
    p.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), base.darker(170));
    p.fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), base.darker(150));
}

void cracks(QPainter &p, const QRect &r, int level)
{
    p.setPen(QPen(QColor(30, 30, 30), 1));
    const QPoint o = r.topLeft();
    if (level >= 1) {
        p.drawPolyline(
            QPolygon({o + QPoint(9, 2), o + QPoint(12, 6), o + QPoint(10, 9), o + QPoint(14, 13)}));
    }
    if (level >= 2) {
        p.drawPolyline(QPolygon(
            {o + QPoint(22, 2), o + QPoint(19, 5), o + QPoint(23, 9), o + QPoint(20, 13)}));
        p.drawLine(o + QPoint(12, 6), o + QPoint(17, 7));
    }
}

void metal(QPainter &p, const QRect &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(220, 220, 228));
    g.setColorAt(0.5, QColor(150, 150, 160));
    g.setColorAt(1, QColor(90, 90, 100));
    p.fillRect(r, g);
    p.setPen(QColor(60, 60, 70));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setBrush(QColor(240, 200, 60));
    p.setPen(Qt::NoPen);
    for (QPoint c : {QPoint(3, 3), QPoint(28, 3), QPoint(3, 12), QPoint(28, 12)})
        p.drawRect(QRect(r.topLeft() + c - QPoint(1, 1), QSize(2, 2)));
}

void goThrough(QPainter &p, const QRect &r)
{
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if ((x + y) % 2 == 0)
                p.fillRect(QRect(r.left() + x, r.top() + y, 1, 1), QColor(120, 60, 200));
    p.setPen(QPen(QColor(200, 160, 255), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void dynamite(QPainter &p, const QRect &r)
{
    p.fillRect(r, QColor(40, 20, 10));
    for (int i = 0; i < 3; ++i)
        bevel(p, QRect(r.left() + 6 + i * 7, r.top() + 3, 6, 12), QColor(200, 30, 30));
    p.fillRect(QRect(r.left() + 5, r.top() + 8, 22, 2), QColor(60, 40, 20));
    p.setPen(QColor(230, 220, 200));
    p.drawLine(r.left() + 16, r.top() + 3, r.left() + 20, r.top());
    p.fillRect(QRect(r.left() + 20, r.top(), 2, 2), QColor(255, 230, 60));
}

// A shooter: arrows out of the brick's sides in the directions it fires.
void shooter(QPainter &p, const QRect &r, bool top, bool right, bool bottom, bool left)
{
    bevel(p, r, QColor(20, 140, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPointF c = QRectF(r).center();
    auto arrow = [&](QPointF tip, QPointF a, QPointF b) { p.drawPolygon(QPolygonF({tip, a, b})); };
    if (top)
        arrow(c + QPointF(0, -6), c + QPointF(-4, -2), c + QPointF(4, -2));
    if (bottom)
        arrow(c + QPointF(0, 6), c + QPointF(-4, 2), c + QPointF(4, 2));
    if (right)
        arrow(c + QPointF(12, 0), c + QPointF(7, -4), c + QPointF(7, 4));
    if (left)
        arrow(c + QPointF(-12, 0), c + QPointF(-7, -4), c + QPointF(-7, 4));
    p.setBrush(QColor(10, 60, 60));
    p.drawEllipse(c, 2.5, 2.5);
}

struct Brick
{
    std::function<void(QPainter &, const QRect &)> draw;
    BrickRecord record; // PicX and PicY are filled from the cell
};

std::vector<Brick> defaultBricks()
{
    std::vector<Brick> bricks;
    auto add = [&](auto draw, int action, int frames = 1, int animFrame = 1, int hits = 1,
                   int stage = 1) {
        bricks.push_back({draw, {action, frames, animFrame, hits, stage, 0, 0}});
    };
    // Plain bricks in eight colours.
    for (QColor c :
         {QColor(220, 40, 40), QColor(240, 130, 20), QColor(240, 210, 40), QColor(60, 190, 60),
          QColor(40, 200, 210), QColor(40, 90, 220), QColor(150, 60, 210), QColor(240, 110, 180)})
        add([c](QPainter &p, const QRect &r) { bevel(p, r, c); }, 1);
    // Two hits, then three hits: one picture per stage, cracking further.
    for (int s = 1; s <= 2; ++s) {
        add(
            [s](QPainter &p, const QRect &r) {
                bevel(p, r, QColor(120, 140, 170));
                cracks(p, r, s - 1);
            },
            1, 1, 1, 2, s);
    }
    for (int s = 1; s <= 3; ++s) {
        add(
            [s](QPainter &p, const QRect &r) {
                bevel(p, r, QColor(170, 120, 80));
                cracks(p, r, s - 1);
            },
            1, 1, 1, 3, s);
    }
    add(metal, 2);
    add(goThrough, 3);
    add(dynamite, 4);
    // Shooters: top, right, bottom, left, all four, top and bottom, right and left.
    const struct
    {
        bool t, r, b, l;
        int code;
    } shooters[] = {{true, false, false, false, 5}, {false, true, false, false, 6},
                    {false, false, true, false, 7}, {false, false, false, true, 8},
                    {true, true, true, true, 17},   {true, false, true, false, 19},
                    {false, true, false, true, 18}};
    for (const auto &s : shooters) {
        add([s](QPainter &p, const QRect &r) { shooter(p, r, s.t, s.r, s.b, s.l); }, s.code);
    }
    // A glowing brick: an animation of four pictures.
    for (int f = 1; f <= 4; ++f) {
        add([f](QPainter &p,
                const QRect &r) { bevel(p, r, QColor::fromHsv(50, 200, 150 + f * 25)); },
            1, 4, f);
    }
    // A pulsing brick that takes two hits: two pictures for each stage.
    for (int s = 1; s <= 2; ++s) {
        for (int f = 1; f <= 2; ++f) {
            add(
                [s, f](QPainter &p, const QRect &r) {
                    bevel(p, r, QColor::fromHsv(200, 180, 170 + f * 40));
                    cracks(p, r, s - 1);
                },
                1, 2, f, 2, s);
        }
    }
    return bricks;
}

QImage background()
{
    // One 64 x 48 tile of dark panels; the editor repeats it over the playfield.
    QImage tile(64, 48, QImage::Format_RGB32);
    tile.fill(QColor(8, 12, 40));
    QPainter p(&tile);
    p.setPen(QColor(22, 30, 78));
    p.drawRect(0, 0, 63, 47);
    p.drawLine(32, 0, 32, 47);
    p.drawLine(0, 24, 63, 24);
    p.setPen(QColor(4, 6, 22));
    p.drawLine(1, 47, 63, 47);
    p.drawLine(63, 1, 63, 47);
    return tile;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_data APPLICATION_FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char *sub : {"Tls", "Bgd", "Lvl"})
        root.mkpath(QLatin1String(sub));

    const std::vector<Brick> bricks = defaultBricks();
    QImage sheet(TilesAcross * CellWidth, TilesDown * CellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    BrickTable table;
    table.resize(static_cast<int>(bricks.size()));
    {
        QPainter painter(&sheet);
        for (int n = 1; n <= static_cast<int>(bricks.size()); ++n) {
            const QRect r = cellRect(n);
            painter.save();
            painter.setClipRect(r);
            bricks[static_cast<std::size_t>(n - 1)].draw(painter, r);
            painter.restore();
            table[n] = bricks[static_cast<std::size_t>(n - 1)].record;
            table[n].PicX = r.x();
            table[n].PicY = r.y();
        }
    }
    const QString vxt = root.filePath(QStringLiteral("Tls/DefaultTileSet.vxt"));
    if (!sheet.save(root.filePath(QStringLiteral("Tls/DefaultTileSet.bmp")), "BMP") ||
        !background().save(root.filePath(QStringLiteral("Bgd/DefaultBackground.bmp")), "BMP")) {
        std::fprintf(stderr, "make_default_data: cannot write the bitmaps\n");
        return 1;
    }
    try {
        WriteTilesetFile(vxt, table, static_cast<int>(bricks.size()));
        WriteSampleLevels(root.path(), table, static_cast<int>(bricks.size()));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_default_data: %s\n", e.what());
        return 1;
    }
    return 0;
}
