#include "frmNewLevelSet.h"

#include "platform/Dialogs.h"
#include "platform/WindowFont.h"

frmNewLevelSet::frmNewLevelSet(Dialogs &dialogs, const QString &appFolder, QWidget *parent)
    : QDialog(parent), dialogs(dialogs), appFolder(appFolder)
{
    setObjectName(QStringLiteral("frmNewLevelSet"));
    setWindowTitle(QStringLiteral("New Levelset"));
    UseWindowFont(*this);
    setFixedSize(167, 162);
}
