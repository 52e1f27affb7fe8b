#include "Fixtures.h"

#include "platform/PictureBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TempAppFolder::TempAppFolder()
{
    EXPECT_TRUE(dir.isValid());
    for (const char *sub : {"Tls", "Bgd", "Lvl"})
        EXPECT_TRUE(QDir(dir.path()).mkdir(QLatin1String(sub)));
}

QByteArray Le16(std::initializer_list<std::int16_t> values)
{
    QByteArray out;
    for (const std::int16_t v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}

QByteArray Le32(std::initializer_list<std::int32_t> values)
{
    QByteArray out;
    for (const std::int32_t v : values)
        out += Le16({std::int16_t(v), std::int16_t(v >> 16)});
    return out;
}

QByteArray NameField(const QByteArray &name)
{
    return name.left(30).leftJustified(30, ' ');
}

QByteArray LevelBytes(std::initializer_list<std::int16_t> paddles,
                      const QByteArray &tileset,
                      const QByteArray &background,
                      Cells cells)
{
    QByteArray grid(2604, '\0');
    for (auto [x, y, v] : cells)
        grid.replace(4 * (x + 21 * y), 4, Le32({v}));
    return Le16(paddles) + NameField(tileset) + NameField(background) + grid;
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList EntriesOf(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot read " << path.toStdString();
    return file.readAll();
}

QColor CellColour(int n)
{
    return QColor((n * 53) % 256, (n * 97 + 40) % 256, (n * 29 + 80) % 256);
}

QImage CellPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int down = std::max(height / 16, 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, CellColour((x / 32) * down + (y / 16) + 1));
    return image;
}

QImage SolidPicture(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void WriteBitmap(const QString &path, const QImage &image)
{
    ASSERT_TRUE(image.save(path, "BMP")) << path.toStdString();
}

void WriteFixtureTileset(const QString &vxtPath, int width, int height, int count)
{
    QByteArray bytes = Le32({count});
    const int down = height / 16;
    for (int n = 1; n <= count; ++n)
        bytes += Le32({1, 1, 1, 1, 1, (n - 1) / down * 32, (n - 1) % down * 16});
    WriteBytes(vxtPath, bytes);
    WriteBitmap(vxtPath.chopped(3) + QStringLiteral("bmp"), CellPicture(width, height));
}

QByteArray MonoBitmap(int width, int height, QColor colour)
{
    const int pixelBytes = (width + 31) / 32 * 4 * height;
    const QByteArray palette = QByteArray(1, char(colour.blue())) + char(colour.green()) +
                               char(colour.red()) + QByteArray("\0\xff\xff\xff\0", 5);
    return QByteArray("BM") + Le32({62 + pixelBytes, 0, 62, 40, width, height}) + Le16({1, 1}) +
           Le32({0, pixelBytes, 2835, 2835, 2, 0}) + palette + QByteArray(pixelBytes, '\0');
}

QString TabOrder(QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden() && !w->objectName().isEmpty())
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names.join(' ');
}

QString Items(const QWidget *menu)
{
    QStringList items;
    for (QAction *a : menu->actions())
        items << (a->isSeparator() ? "-" : a->text() + '=' + a->shortcut().toString());
    return items.join(", ");
}

void MakeFifo(const QString &path)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0644), 0) << path.toStdString();
}

FifoWatchdog::FifoWatchdog(QStringList fifoPaths, int seconds) : fifos(std::move(fifoPaths))
{
    thread = std::thread([this, seconds] {
        std::unique_lock lock(mutex);
        auto wait = std::chrono::milliseconds(1000 * seconds);
        while (!stop.wait_for(lock, wait, [this] { return stopping; })) {
            hasFired = true;
            wait = std::chrono::milliseconds(100);
            // A writer that comes and goes lets a waiting reader on, to the end of an empty file.
            for (const QString &fifo : fifos) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        }
    });
}

FifoWatchdog::~FifoWatchdog()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    stop.notify_one();
    thread.join();
    EXPECT_FALSE(hasFired) << "a reader waited on a named pipe";
}

void PaintPending()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QImage OnScreen(const PictureBox &box, bool withFrame)
{
    PaintPending();
    QWidget *window = box.window();
    const QRect shown = withFrame ? box.rect() : box.drawingRect();
    const QRect area(box.mapTo(window, shown.topLeft()), shown.size());
    return window->screen()
        ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage OnSurface(const PictureBox &box)
{
    return box.surface().copy(QRect(QPoint(0, 0), box.drawingArea()));
}
