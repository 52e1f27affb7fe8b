#pragma once

#include <QDialog>

class BrickTable;
class Dialogs;

// The tileset builder: turns a bitmap into a tileset file, brick by brick.
class frmNewTileSet : public QDialog
{
    Q_OBJECT
public:
    frmNewTileSet(Dialogs &dialogs, const QString &appFolder, BrickTable &bricks,
                  QWidget *parent = nullptr);

private:
    Dialogs &dialogs;
    QString appFolder;
    BrickTable &Bricks;
};
