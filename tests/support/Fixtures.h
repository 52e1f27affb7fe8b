#pragma once

#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <initializer_list>

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

// Little-endian bytes written out by hand, so that tests compare against the format tables
// and not against the program's own writer.
QByteArray Le16(std::initializer_list<std::int16_t> values);
QByteArray Le32(std::initializer_list<std::int32_t> values);
// A name field: the text blank-padded to 30 bytes.
QByteArray NameField(const QByteArray &name);

void WriteBytes(const QString &path, const QByteArray &bytes);
QByteArray ReadBytes(const QString &path);

// A distinct, recognisable colour for tileset cell n.
QColor CellColour(int n);
// A picture whose 32 x 16 cells, numbered down each column then across, have CellColour(n).
QImage CellPicture(int width, int height);
void WriteBitmap(const QString &path, const QImage &image);
QImage SolidPicture(int width, int height, QColor colour);

// A tileset file of `count` records for the cells of a width x height bitmap (Action 1, one
// frame, one hit, picture at its cell), with its companion bitmap of CellPicture.
void WriteFixtureTileset(const QString &vxtPath, int width, int height, int count);
