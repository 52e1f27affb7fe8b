#pragma once

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <mutex>
#include <ostream>
#include <thread>
#include <tuple>

// Readable test failures: texts as text, bytes in hex.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << bytes.size() << " bytes: " << bytes.left(320).toHex(' ').toStdString()
         << (bytes.size() > 320 ? " ..." : "");
}

// A temporary application folder with empty Tls, Bgd and Lvl folders.
class TempAppFolder
{
public:
    TempAppFolder();
    QString path() const { return dir.path(); }
    QString tls(const QString &name) const { return path() + QStringLiteral("/Tls/") + name; }
    QString bgd(const QString &name) const { return path() + QStringLiteral("/Bgd/") + name; }
    QString lvl(const QString &name) const { return path() + QStringLiteral("/Lvl/") + name; }

private:
    QTemporaryDir dir;
};

// Little-endian bytes by hand: tests compare with the format's layout, not our own writer.
QByteArray Le16(std::initializer_list<std::int16_t> values);
QByteArray Le32(std::initializer_list<std::int32_t> values);
// A name field: the text blank-padded to 30 bytes.
QByteArray NameField(const QByteArray &name);
// A level file written out by hand from the layout: paddle words, names, cells (x, y, brick).
using Cells = std::initializer_list<std::tuple<int, int, std::int32_t>>;
QByteArray LevelBytes(std::initializer_list<std::int16_t> paddles,
                      const QByteArray &tileset,
                      const QByteArray &background,
                      Cells cells = {});

void WriteBytes(const QString &path, const QByteArray &bytes);
// Everything in a folder, hidden entries too, by name.
QStringList EntriesOf(const QString &folder);
QByteArray ReadBytes(const QString &path);

// A distinct, recognisable colour for tileset cell n.
QColor CellColour(int n);
// A picture whose 32 x 16 cells, numbered down each column then across, have CellColour(n).
QImage CellPicture(int width, int height);
void WriteBitmap(const QString &path, const QImage &image);
// A one-bit bitmap written out by hand, all colour 0: any size (0 x 0 too), small on disk.
QByteArray MonoBitmap(int width, int height, QColor colour);
QImage SolidPicture(int width, int height, QColor colour);

// A tileset of `count` records (Action 1, one frame and hit, at its cell) and its CellPicture.
void WriteFixtureTileset(const QString &vxtPath, int width, int height, int count);

class PictureBox;
void PaintPending();
// A box's drawing area (or whole box) as the window system shows it after pending repaints,
// and its surface there: a surface changed without asking for a repaint still shows old pixels.
QImage OnScreen(const PictureBox &box, bool withFrame = false);
QImage OnSurface(const PictureBox &box);

// The shown controls Tab goes through, from `first` round to it, in one line.
QString TabOrder(QWidget *first);

// A menu's or toolbar's items as "caption=shortcut", "-" for a separator, in one line.
QString Items(const QWidget *menu);

void MakeFifo(const QString &path);

// After `seconds`, opens the pipes' other ends: a reader waiting on one fails, not hangs the suite.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(QStringList fifos, int seconds = 5);
    ~FifoWatchdog();

private:
    QStringList fifos;
    std::mutex mutex;
    std::condition_variable stop;
    bool stopping = false;
    std::atomic<bool> hasFired = false;
    std::thread thread;
};

// Acts on the real modal dialog of type T once it is up, from the event loop that shows it.
template <typename T> void whenUp(std::function<void(T &)> act, int tries = 300)
{
    QTimer::singleShot(10, [act, tries] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()))
            act(*dialog);
        else if (tries > 0)
            whenUp<T>(act, tries - 1);
        else
            ADD_FAILURE() << "no dialog came up";
    });
}
