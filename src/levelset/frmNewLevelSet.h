#pragma once

#include "platform/CommonDialog.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The levelset builder: collects level files under a name and writes the levelset file.
class frmNewLevelSet : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 167;
    static constexpr int ClientHeight = 162;

    frmNewLevelSet(Dialogs &dialogs, const QString &appFolder, QWidget *parent = nullptr);

    void cmdAddLevel_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

    // Esc and the close box go through Cancel.
    void reject() override;

    std::int32_t NumLevels = 0;
    QStringList LevelNames; // file names of the levels added, 1..NumLevels; entry 0 unused

    // Controls.
    QComboBox *cboLevels = nullptr;
    QPushButton *cmdAddLevel = nullptr;
    QLabel *lblNumLevels = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtLevelSetName = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdSave = nullptr;
    CommonDialog CommonDialog1;

private:
    void Form_Load();
    void buildWindow();
    bool MayReplace(const QString &name, const QString &target, const QString &chosen);
    void WriteFailed();

    Dialogs &dialogs;
    QString appFolder;
};
