#include "frmNewLevelSet.h"

#include "common/AppFolders.h"
#include "common/Text.h"
#include "model/LevelSetFile.h"
#include "platform/Dialogs.h"
#include "platform/ReadOutLabel.h"
#include "platform/WindowFont.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <exception>

namespace {

const QString LevelFilter = QStringLiteral("Vorpex Levels|*.vxl");
const QString LevelSetFilter = QStringLiteral("Vorpex Levelsets|*.vxs");

QString LevelCountCaption(std::int32_t count)
{
    return count == 1 ? QStringLiteral("1 Level")
                      : QString::number(count) + QStringLiteral(" Levels");
}

// True when both paths name one existing file, however each is spelt.
bool SameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

frmNewLevelSet::frmNewLevelSet(Dialogs &dialogs, const QString &appFolder, QWidget *parent)
    : QDialog(parent), CommonDialog1(dialogs, this), dialogs(dialogs), appFolder(appFolder)
{
    buildWindow();
    Form_Load();
}

void frmNewLevelSet::buildWindow()
{
    setObjectName(QStringLiteral("frmNewLevelSet"));
    setWindowTitle(QStringLiteral("New Levelset"));
    UseWindowFont(*this);
    // Fixed single border: no resizing, no minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);

    cboLevels = new QComboBox(this);
    cboLevels->setObjectName(QStringLiteral("cboLevels"));
    cboLevels->setEditable(true);
    // What is typed there is never read; Enter must not turn it into a list entry.
    cboLevels->setInsertPolicy(QComboBox::NoInsert);
    cboLevels->setGeometry(8, 8, 153, 21);

    cmdAddLevel = new QPushButton(QStringLiteral("&Add Level"), this);
    cmdAddLevel->setObjectName(QStringLiteral("cmdAddLevel"));
    cmdAddLevel->setGeometry(8, 40, 81, 25);

    // A count too long for its line goes on below it.
    lblNumLevels = new ReadOutLabel(LevelCountCaption(0), this);
    lblNumLevels->setObjectName(QStringLiteral("lblNumLevels"));
    lblNumLevels->setGeometry(96, 45, 65, 33);
    lblNumLevels->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNumLevels->setWordWrap(true);

    Label1 = new QLabel(QStringLiteral("Name of Level Set:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 80, 153, 17);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    txtLevelSetName = new QLineEdit(QStringLiteral("Vorpex Levels"), this);
    txtLevelSetName->setObjectName(QStringLiteral("txtLevelSetName"));
    txtLevelSetName->setGeometry(8, 96, 153, 19);

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(8, 128, 73, 25);

    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setGeometry(88, 128, 73, 25);
    cmdSave->setEnabled(false);
    // The dialog clicks its default button on Enter only while the button is enabled; a
    // focused button takes Enter itself, as the system's buttons do.
    cmdSave->setDefault(true);

    setTabOrder(cmdAddLevel, cmdSave);
    setTabOrder(cmdSave, cmdCancel);
    setTabOrder(cmdCancel, txtLevelSetName);
    setTabOrder(txtLevelSetName, cboLevels);
    cmdAddLevel->setFocus();

    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    connect(cmdAddLevel, &QPushButton::clicked, this, &frmNewLevelSet::cmdAddLevel_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmNewLevelSet::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewLevelSet::cmdCancel_Click);
}

void frmNewLevelSet::Form_Load()
{
    LevelNames = QStringList{QString()};
}

void frmNewLevelSet::cmdAddLevel_Click()
{
    CommonDialog1.Filter = LevelFilter;
    const std::optional<QString> chosen = CommonDialog1.ShowOpen();
    if (!chosen)
        return;
    ++NumLevels;
    LevelNames.append(FileNameOf(*chosen));
    cboLevels->insertItem(NumLevels - 1, *chosen);
    cboLevels->setCurrentIndex(NumLevels - 1);
    lblNumLevels->setText(LevelCountCaption(NumLevels));
    cmdSave->setEnabled(true);
}

void frmNewLevelSet::cmdSave_Click()
{
    CommonDialog1.Filter = LevelSetFilter;
    CommonDialog1.OverwritePrompt = true;
    const std::optional<QString> chosen = CommonDialog1.ShowSave();
    if (!chosen)
        return;
    // Levelsets always go into the level folder; only the name chosen is used.
    const QString name = FileNameOf(*chosen);
    if (!IsBareFileName(name)) {
        WriteFailed();
        return;
    }
    const QString target = AppFolders::InFolder(appFolder, AppFolders::Levelsets, name);
    if (!MayReplace(name, target, *chosen))
        return;
    try {
        LevelSetFile::write(target, txtLevelSetName->text(), LevelNames.mid(1, NumLevels));
    } catch (const std::exception &) {
        WriteFailed();
        return;
    }
    accept();
}

// The Save dialog asked only about the file chosen there; a different file of the same name
// already in the level folder would be lost without a word.
bool frmNewLevelSet::MayReplace(const QString &name, const QString &target, const QString &chosen)
{
    const QFileInfo existing(target);
    if (!existing.exists() || existing.isDir() || SameFile(target, chosen))
        return true;
    return AskToReplace(dialogs, this, name);
}

// The file on disk is untouched and the window stays open with its list, so the user can
// try again.
void frmNewLevelSet::WriteFailed()
{
    MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
}

void frmNewLevelSet::cmdCancel_Click()
{
    QDialog::reject();
}

void frmNewLevelSet::reject()
{
    cmdCancel_Click();
}
