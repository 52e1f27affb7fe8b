#include "common/AppFolders.h"
#include "editor/frmEditor.h"
#include "imageio/QtImages.h"
#include "model/BrickTable.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UseQtPictureDecoder();
    QtDialogs dialogs;
    BrickTable bricks;
    frmEditor editor(dialogs, AppFolders::ApplicationFolder(), bricks,
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         QStringLiteral("/recovery"));
    editor.showAndActivate();
    return app.exec();
}
