#pragma once

#include <QDialog>

class Dialogs;

// The levelset builder: collects level files under a name and writes the levelset file.
class frmNewLevelSet : public QDialog
{
    Q_OBJECT
public:
    frmNewLevelSet(Dialogs &dialogs, const QString &appFolder, QWidget *parent = nullptr);

private:
    Dialogs &dialogs;
    QString appFolder;
};
