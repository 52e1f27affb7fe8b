#include "common/AppFolders.h"
#include "editor/EditorProgram.h"
#include "imageio/QtImages.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UseQtPictureDecoder();
    QtDialogs dialogs;
    return RunEditor(QApplication::arguments(), dialogs, AppFolders::DataFolder(),
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         QStringLiteral("/recovery"));
}
