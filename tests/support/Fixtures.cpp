#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TempAppFolder::TempAppFolder()
{
    EXPECT_TRUE(dir.isValid());
    for (const char *sub : {"Tls", "Bgd", "Lvl"})
        EXPECT_TRUE(QDir(dir.path()).mkdir(QLatin1String(sub)));
}

QString TempAppFolder::path() const
{
    return dir.path();
}

QString TempAppFolder::tls(const QString &name) const
{
    return dir.path() + QStringLiteral("/Tls/") + name;
}

QString TempAppFolder::bgd(const QString &name) const
{
    return dir.path() + QStringLiteral("/Bgd/") + name;
}

QString TempAppFolder::lvl(const QString &name) const
{
    return dir.path() + QStringLiteral("/Lvl/") + name;
}

QByteArray Le16(std::initializer_list<std::int16_t> values)
{
    QByteArray out;
    for (std::int16_t v : values) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    }
    return out;
}

QByteArray Le32(std::initializer_list<std::int32_t> values)
{
    QByteArray out;
    for (std::int32_t v : values) {
        const auto u = static_cast<std::uint32_t>(v);
        out.append(char(u & 0xFF));
        out.append(char((u >> 8) & 0xFF));
        out.append(char((u >> 16) & 0xFF));
        out.append(char((u >> 24) & 0xFF));
    }
    return out;
}

QByteArray NameField(const QByteArray &name)
{
    QByteArray field = name.left(30);
    field.append(30 - field.size(), ' ');
    return field;
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
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
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int n = (x / 32) * down + (y / 16) + 1;
            image.setPixelColor(x, y, CellColour(n));
        }
    }
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
    for (int n = 1; n <= count; ++n) {
        const int picX = (n - 1) / down * 32;
        const int picY = (n - 1) % down * 16;
        bytes += Le32({1, 1, 1, 1, 1, picX, picY});
    }
    WriteBytes(vxtPath, bytes);
    WriteBitmap(vxtPath.left(vxtPath.size() - 3) + QStringLiteral("bmp"),
                CellPicture(width, height));
}
