#include "common/AppFolders.h"
#include "editor/EditorProgram.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    return RunEditor(QApplication::arguments(), dialogs, AppFolders::DataFolder(),
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         QStringLiteral("/recovery"));
}
