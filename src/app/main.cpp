#include "common/AppFolders.h"
#include "editor/frmEditor.h"
#include "imageio/QtImages.h"
#include "model/BrickTable.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // One level to open, or nothing.
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() > 1 ||
        (args.size() == 1 && !args[0].endsWith(QStringLiteral(".vxl"), Qt::CaseInsensitive))) {
        std::fputs("usage: VorpexEditor [LEVEL.vxl]\n", stderr);
        return 2;
    }
    UseQtPictureDecoder();
    QtDialogs dialogs;
    BrickTable bricks;
    frmEditor editor(dialogs, AppFolders::DataFolder(), bricks,
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         QStringLiteral("/recovery"));
    editor.showAndActivate();
    if (!args.isEmpty())
        editor.OpenFromOutside(QFileInfo(args[0]).absoluteFilePath());
    return app.exec();
}
