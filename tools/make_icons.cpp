// Draws the desktop icons from the program's own 32 x 32 icon, enlarged without smoothing:
// FOLDER/N/vorpex-editor.png for N = 32, 64, 128 and 256.
//   make_icons FOLDER
#include "editor/BuiltInImages.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons FOLDER\n");
        return 2;
    }
    const QImage icon = WindowIconImage().convertToFormat(QImage::Format_RGB32);
    for (int size : {32, 64, 128, 256}) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1").arg(size);
        if (!QDir().mkpath(folder) ||
            !icon.scaled(size, size).save(folder + QStringLiteral("/vorpex-editor.png"))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
