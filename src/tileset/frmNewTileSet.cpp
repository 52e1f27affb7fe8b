#include "frmNewTileSet.h"

#include "model/BrickTable.h"
#include "platform/Dialogs.h"
#include "platform/WindowFont.h"

frmNewTileSet::frmNewTileSet(Dialogs &dialogs, const QString &appFolder, BrickTable &bricks,
                             QWidget *parent)
    : QDialog(parent), dialogs(dialogs), appFolder(appFolder), Bricks(bricks)
{
    setObjectName(QStringLiteral("frmNewTileSet"));
    setWindowTitle(QStringLiteral("New Tileset"));
    UseWindowFont(*this);
    resize(697, 376);
}
